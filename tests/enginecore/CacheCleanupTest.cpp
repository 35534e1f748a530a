// Clean-up of the engine's cache folder (only on request; the program never asks for it).
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

#include "TestFiles.h"
#include "engine/CacheCleanup.h"

namespace quirel {
namespace {

namespace fs = std::filesystem;

void Touch(const std::wstring& path) {
  fs::create_directories(fs::path(path).parent_path());
  test::WriteBytes(path, "x");
}

class CacheCleanup : public ::testing::Test {
 protected:
  std::wstring Cache() const { return dir.path() + L"cache"; }
  void FillCache() {
    for (const wchar_t* name : {L"Cookies", L"Cookies-journal", L"LocalPrefs.json", L"data_0",
                                L"Cache\\index", L"Cache\\deep\\f_0001"})
      Touch(Cache() + L"\\" + name);
  }
  bool Has(const std::wstring& relative) const { return test::Exists(Cache() + L"\\" + relative); }
  test::ScratchDir dir;
};

TEST_F(CacheCleanup, DeleteDirContentsKeepsTheExceptionsOnly) {
  FillCache();
  EXPECT_TRUE(DeleteDirContents(Cache(), {L"cookies", L"LocalPrefs.json"}));
  EXPECT_TRUE(Has(L"Cookies"));  // names compare without regard to case
  EXPECT_TRUE(Has(L"LocalPrefs.json"));
  EXPECT_FALSE(Has(L"Cookies-journal"));
  EXPECT_FALSE(Has(L"data_0"));
  EXPECT_FALSE(Has(L"Cache"));
}

TEST_F(CacheCleanup, DeleteCookieFilesTouchesNothingElse) {
  FillCache();
  DeleteCookieFiles(Cache());
  EXPECT_FALSE(Has(L"Cookies"));
  EXPECT_FALSE(Has(L"Cookies-journal"));
  EXPECT_TRUE(Has(L"data_0"));
  EXPECT_TRUE(Has(L"Cache\\deep\\f_0001"));
  DeleteCookieFiles(Cache());  // absent files are skipped
}

TEST_F(CacheCleanup, RenameAndDeleteKeepsCookiesInAFreshFolder) {
  FillCache();
  fs::create_directories(fs::path(Cache() + L"(1)"));  // taken: the next free number is used
  RenameAndDeleteDir(Cache(), true);
  EXPECT_TRUE(Has(L"Cookies"));
  EXPECT_TRUE(Has(L"Cookies-journal"));
  EXPECT_FALSE(Has(L"data_0"));
  EXPECT_FALSE(Has(L"Cache"));
  // The moved copy goes away in the background.
  for (int i = 0; i < 100 && test::Exists(Cache() + L"(2)"); ++i) Sleep(50);
  EXPECT_FALSE(test::Exists(Cache() + L"(2)"));
  EXPECT_TRUE(test::Exists(Cache() + L"(1)"));
}

TEST_F(CacheCleanup, RenameAndDeleteWithoutCookiesLeavesNoCache) {
  FillCache();
  RenameAndDeleteDir(Cache() + L"\\", false);
  EXPECT_FALSE(test::Exists(Cache()));
  RenameAndDeleteDir(Cache(), false);  // nothing there: nothing happens
  EXPECT_FALSE(test::Exists(Cache()));
}

}  // namespace
}  // namespace quirel
