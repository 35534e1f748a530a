// The stand-in's libraries as the program's start-up checks see them.
#include <gtest/gtest.h>

#include "EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {
namespace {

TEST(StandinExports, EveryEntryPointResolves) {
  HMODULE module = LoadLibraryExW((EngineFolder() + L"libcef.dll").c_str(), nullptr,
                                  LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(module, nullptr) << GetLastError();
  int found = 0;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    if (GetProcAddress(module, entry.name)) {
      ++found;
    } else {
      ADD_FAILURE() << entry.name << " is not exported";
    }
  }
  EXPECT_EQ(found, 180);
  // A name the engine does not have is not there either.
  EXPECT_EQ(GetProcAddress(module, "cef_no_such_function"), nullptr);
  FreeLibrary(module);
}

TEST(StandinExports, VersionsAndMachine) {
  const struct {
    const wchar_t* file;
    Version version;
  } cases[] = {
      {L"libcef.dll", {87, 1, 6, 0}},
      {L"chrome_elf.dll", {87, 0, 4280, 66}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file);
    const std::wstring path = EngineFolder() + c.file;
    EXPECT_EQ(FileVersion(path), c.version);
    EXPECT_EQ(ProductVersion(path), c.version);
    EXPECT_EQ(Machine(path), ThisMachine());
  }
}

}  // namespace
}  // namespace standin_test
