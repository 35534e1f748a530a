// Page scripts of the program's windows using `bridge`: the identity store's entries land in
// (and come back from) the user's registry for pages of the web application, and pages of any
// other origin see the class but cannot reach the store. The pages are bridge-pages/, served
// as the web application on https://localhost:47443/Quirel/ and, as another origin, on
// http://localhost:47080/Quirel/.
#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "WindowProbe.h"

namespace quirel::test {
namespace {

constexpr wchar_t kStoreKey[] = L"Software\\Quirel\\identity";

bool StoreExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// The value's type and bytes, or REG_NONE when it is missing.
std::pair<DWORD, std::wstring> StoredValue(const wchar_t* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return {REG_NONE, L""};
  wchar_t data[256] = {};
  DWORD type = REG_NONE, size = sizeof(data);
  const LSTATUS status =
      RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return {REG_NONE, L""};
  return {type, std::wstring(data, size / sizeof(wchar_t))};
}

class BridgeProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
    run_.emplace();
    main_ = run_->MainWindow();
    ASSERT_NE(main_, nullptr);
  }
  void TearDown() override {
    run_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, kStoreKey);
  }

  // What the page's script reported through its title (a JSON object having `key`), waiting
  // for it in the browser with that identifier (0: any).
  Json Results(const std::string& key, long long browser = 0) {
    Json found;
    run_->WaitForTrace(
        [&](const std::vector<Json>& trace) {
          for (const Json& line : Lines(trace, "display_handler.on_title_change")) {
            if (browser && line["args"]["browser"].Int() != browser) continue;
            std::optional<Json> results = standin_test::ParseJson(line["args"]["title"].string);
            if (results && results->Has(key)) found = *results;
          }
          return found.Has(key);
        },
        30000);
    return found;
  }
  long long BrowserOf(const std::string& urlSuffix) { return run_->WaitForLoad(urlSuffix); }

  std::optional<QuirelRun> run_;
  HWND main_ = nullptr;
};

TEST_F(BridgeProgramTest, TheApplicationsPagesUseTheStoreAndOtherOriginsCannot) {
  const long long home = BrowserOf("/Quirel/");
  ASSERT_NE(home, 0);
  const Json fresh = Results("getMissing", home);
  ASSERT_TRUE(fresh.Has("getMissing")) << "the start page's script ran";
  EXPECT_EQ(fresh["getMissing"].string, "");
  EXPECT_EQ(fresh["setEmptyKey"].string, "");
  EXPECT_EQ(fresh["getEmptyKey"].string, "");
  EXPECT_FALSE(StoreExists()) << "none of these creates the store";

  // Another program leaves an entry of another type.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const DWORD number = 7;
  RegSetValueExW(key, L"dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);

  const std::optional<DrawnLink> calls = run_->WaitForLink("calls", home);
  ASSERT_TRUE(calls);
  Click(calls->Window, calls->Center());
  const Json r = Results("set", home);
  ASSERT_TRUE(r.Has("set"));
  const std::pair<const char*, const char*> expected[] = {
      {"set", "ok"},
      {"get", "b"},
      {"getOtherCase", "b"},
      {"setEmptyValue", "ok"},
      {"getEmptyValue", ""},
      {"setWithNul", "ok"},
      {"getWithNul", "prima"},
      {"setOneArgument", "<undefined>"},
      {"setNumber", "<undefined>"},
      {"getAfterError", "b"},
      {"className", "TBridge"},
      {"parentName", "TObject"},
      {"parentSetData", "undefined"},
      {"parentGetData", "undefined"},
  };
  for (const auto& [name, value] : expected) EXPECT_EQ(r[name].string, value) << name;
  EXPECT_EQ(r["getDword"].string.rfind("<exception>", 0), 0u)
      << "an entry of another type is an exception for the page: " << r["getDword"].string;
  EXPECT_EQ(StoredValue(L"a"), std::make_pair(DWORD(REG_SZ), std::wstring(L"b", 2)));
  EXPECT_EQ(StoredValue(L"vuoto"), std::make_pair(DWORD(REG_SZ), std::wstring(1, L'\0')))
      << "an empty value is an empty string with its terminating NUL";
  EXPECT_EQ(StoredValue(L"solo").first, DWORD(REG_NONE));
  EXPECT_EQ(StoredValue(L"numero").first, DWORD(REG_NONE));

  // A popup window's page reads the same store.
  const std::optional<DrawnLink> popup = run_->WaitForLink("popup", home);
  ASSERT_TRUE(popup);
  Click(popup->Window, popup->Center());
  const long long popupBrowser = BrowserOf("/Quirel/popup.html");
  ASSERT_NE(popupBrowser, 0);
  EXPECT_NE(popupBrowser, home);
  EXPECT_EQ(Results("get", popupBrowser)["get"].string, "b");

  // A page of another origin in the main window.
  const std::optional<DrawnLink> other = run_->WaitForLink("other origin", home);
  ASSERT_TRUE(other);
  Click(other->Window, other->Center());
  const Json o = Results("defined", home);
  ASSERT_TRUE(o.Has("defined"));
  EXPECT_EQ(o["defined"].string, "object") << "bridge is there";
  EXPECT_EQ(o["set"].string, "<undefined>");
  EXPECT_EQ(o["get"].string, "<undefined>");
  EXPECT_EQ(o["className"].string, "TBridge");
  EXPECT_EQ(StoredValue(L"a"), std::make_pair(DWORD(REG_SZ), std::wstring(L"b", 2)))
      << "nothing written";
}

}  // namespace
}  // namespace quirel::test
