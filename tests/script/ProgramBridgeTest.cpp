// The program itself as the renderer: Quirel.exe started as the engine starts
// renderers registers its `bridge` extension, and its home page's scripts
// reach the identity store through the stand-in's script values. A page of
// another origin gets no bridge to work with.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "RendererSession.h"
#include "TestFiles.h"

namespace script_test {
namespace {

using Strings = std::vector<std::wstring>;

constexpr wchar_t kHome[] = QUIREL_TEST_HOME;
constexpr wchar_t kEntry[] = L"script-tests-entry";

// Leaves the store as the other tests expect it.
class EntryCleanup {
 public:
  EntryCleanup() { Remove(); }
  EntryCleanup(const EntryCleanup&) = delete;
  EntryCleanup& operator=(const EntryCleanup&) = delete;
  ~EntryCleanup() { Remove(); }

 private:
  static void Remove() { RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Quirel\\identity", kEntry); }
};

// The program with its engine folder, in a folder of its own (as it is installed).
class ProgramCopy {
 public:
  ProgramCopy() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::filesystem::path bin = std::filesystem::path(std::wstring(path, length)).parent_path();
    const std::filesystem::path to(dir_.path());
    std::filesystem::copy_file(bin / L"Quirel.exe", to / L"Quirel.exe");
    std::filesystem::copy(bin / L"plugin", to / L"plugin", std::filesystem::copy_options::recursive);
  }
  std::wstring Exe() const { return dir_ / L"Quirel.exe"; }

 private:
  quirel::test::ScratchDir dir_;
};

TEST(ProgramRenderer, TheBridgeServesTheHomePage) {
  EntryCleanup cleanup;
  ProgramCopy program;
  RendererSession renderer(program.Exe());
  ASSERT_TRUE(renderer.ready());
  const std::wstring page = std::wstring(kHome) + L"identita.html";
  const auto messages = renderer.Show(
      1, page,
      {std::wstring(L"console.log(typeof bridge, bridge.GetData('") + kEntry + L"') === '');",
       std::wstring(L"bridge.SetData('") + kEntry + L"', 'valore \u00e8'); console.log(bridge.GetData('" +
           kEntry + L"'));",
       L"console.log(typeof bridge.GetData(1, 2), bridge === bridge, bridge.ClassName());"});
  EXPECT_EQ(Logs(messages), (Strings{L"log:object true", L"log:valore \u00e8", L"log:undefined false TBridge"}));
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Quirel\\identity", 0, KEY_READ, &key), ERROR_SUCCESS);
  wchar_t value[64] = {};
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, kEntry, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(std::wstring(value), L"valore \u00e8");
  // Elsewhere the bridge answers nothing.
  EXPECT_EQ(Logs(renderer.Show(1, L"https://elsewhere.example/",
                               {std::wstring(L"console.log(String(bridge.GetData('") + kEntry + L"')));"})),
            (Strings{L"log:undefined"}));
  EXPECT_EQ(renderer.End(), 0u);
}

}  // namespace
}  // namespace script_test
