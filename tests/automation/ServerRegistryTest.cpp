// The registry entries of a registration and their removal, as lists; and the writer's
// failure when it may not create keys.
#include <gtest/gtest.h>

#include <windows.h>

#include "automation/OleErrors.h"
#include "automation/ServerRegistry.h"

namespace quirel {
namespace {

const TClassRegistration kRegistration{L"{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}",
                                       L"QuirelCloud.QuirelApplication",
                                       L"QuirelApplication Object",
                                       L"C:\\Quirel\\Quirel.exe",
                                       L"1.0",
                                       L"{163DB8E0-C442-4AA0-BCCB-86AE295A0472}"};

TEST(ServerRegistryTest, RegistrationWritesTheKeysInOrder) {
  const std::vector<TRegistryEntry> entries = ClassRegistryEntries(kRegistration);
  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}", L"QuirelApplication Object"},
      {L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\LocalServer32", L"C:\\Quirel\\Quirel.exe"},
      {L"QuirelCloud.QuirelApplication", L"QuirelApplication Object"},
      {L"QuirelCloud.QuirelApplication\\Clsid", L"{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}"},
      {L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\ProgID", L"QuirelCloud.QuirelApplication"},
      {L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\Version", L"1.0"},
      {L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\TypeLib",
       L"{163DB8E0-C442-4AA0-BCCB-86AE295A0472}"},
  };
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(entries[i].Key, expected[i].first) << i;
    EXPECT_EQ(entries[i].Value, expected[i].second) << i;
  }
}

TEST(ServerRegistryTest, UnregistrationDeletesSubKeysBeforeTheirParents) {
  const std::vector<std::wstring> expected = {
      L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\TypeLib",
      L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\Version",
      L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\ProgID",
      L"QuirelCloud.QuirelApplication\\Clsid",
      L"QuirelCloud.QuirelApplication",
      L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}\\LocalServer32",
      L"CLSID\\{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}",
  };
  EXPECT_EQ(ClassRegistryDeletions(kRegistration), expected);
}

TEST(ServerRegistryTest, RootsOfMachineAndUser) {
  EXPECT_EQ(ClassesRoot(false).Root, HKEY_CLASSES_ROOT);
  EXPECT_EQ(ClassesRoot(false).Prefix, L"");
  EXPECT_EQ(ClassesRoot(true).Root, HKEY_CURRENT_USER);
  EXPECT_EQ(ClassesRoot(true).Prefix, L"Software\\Classes\\");
}

TEST(ServerRegistryTest, LocalServerIsTheShortPathOnlyWhenTheLongOneHasABlank) {
  struct Case {
    const wchar_t* Long;
    const wchar_t* Short;
    const wchar_t* Expected;
  };
  const Case cases[] = {
      {L"C:\\Quirel\\Quirel.exe", L"C:\\Quirel\\Quirel.exe", L"C:\\Quirel\\Quirel.exe"},
      {L"C:\\Programmi lunghi\\Quirel\\Quirel.exe", L"C:\\PROGRA~1\\Quirel\\Quirel.exe",
       L"C:\\PROGRA~1\\Quirel\\Quirel.exe"},
      // Without 8.3 names the short form keeps the blank: quoted, COM still finds the file.
      {L"C:\\Programmi lunghi\\Quirel.exe", L"C:\\Programmi lunghi\\Quirel.exe",
       L"\"C:\\Programmi lunghi\\Quirel.exe\""},
      {L"C:\\Programmi lunghi\\Quirel.exe", L"", L"\"C:\\Programmi lunghi\\Quirel.exe\""},
      {L"C:\\QuirelCartellaLunga\\Quirel.exe", L"C:\\QUIREL~1\\Quirel.exe",
       L"C:\\QuirelCartellaLunga\\Quirel.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(LocalServerValue(c.Long, c.Short), c.Expected) << c.Long;
}

TEST(ServerRegistryTest, GuidsAreBracedAndUpperCase) {
  const GUID guid = {0x7345fe56, 0x3d5c, 0x49e0, {0xab, 0xfe, 0xae, 0xf8, 0xba, 0x1c, 0x99, 0xa7}};
  EXPECT_EQ(GuidToString(guid), L"{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}");
}

class RegistryScratch : public ::testing::Test {
 protected:
  static constexpr const wchar_t* kKey = L"Software\\QuirelAutomationTest";
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kKey); }
};

TEST_F(RegistryScratch, WritesEveryEntryAsDefaultValue) {
  WriteRegistryEntries({HKEY_CURRENT_USER, std::wstring(kKey) + L"\\"},
                       {{L"Uno", L"primo"}, {L"Uno\\Due", L"secondo"}, {L"Tre", L""}});
  for (auto [key, value] :
       {std::pair{L"Uno", L"primo"}, {L"Uno\\Due", L"secondo"}, {L"Tre", L""}}) {
    wchar_t text[64] = {};
    DWORD bytes = sizeof text;
    DWORD type = 0;
    const std::wstring path = std::wstring(kKey) + L"\\" + key;
    ASSERT_EQ(
        RegGetValueW(HKEY_CURRENT_USER, path.c_str(), nullptr, RRF_RT_ANY, &type, text, &bytes),
        ERROR_SUCCESS)
        << key;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(text, value);
  }
}

TEST_F(RegistryScratch, FailureToCreateAKeyRaisesAndKeepsWhatWasWritten) {
  WriteRegistryEntries({HKEY_CURRENT_USER, std::wstring(kKey) + L"\\"}, {{L"Scritta", L"sì"}});
  // A key name part longer than the registry allows cannot be created.
  const std::wstring tooLong(300, L'x');
  try {
    WriteRegistryEntries({HKEY_CURRENT_USER, std::wstring(kKey) + L"\\"},
                         {{L"Altra", L"valore"}, {tooLong, L"valore"}, {L"Dopo", L"valore"}});
    ADD_FAILURE() << "no error raised";
  } catch (const EOleRegistrationError& e) {
    EXPECT_EQ(e.Message(), L"Error creating system registry entry");
  }
  auto exists = [](const wchar_t* sub) {
    HKEY key = nullptr;
    const bool found = RegOpenKeyExW(HKEY_CURRENT_USER, (std::wstring(kKey) + L"\\" + sub).c_str(),
                                     0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) RegCloseKey(key);
    return found;
  };
  EXPECT_TRUE(exists(L"Altra"));
  EXPECT_FALSE(exists(L"Dopo")) << "the writing stops at the failure";
  EXPECT_TRUE(exists(L"Scritta"));
}

TEST_F(RegistryScratch, DeletionSkipsKeysThatCannotGo) {
  WriteRegistryEntries({HKEY_CURRENT_USER, std::wstring(kKey) + L"\\"},
                       {{L"Padre", L""}, {L"Padre\\Figlio", L""}, {L"Solo", L""}});
  // The parent still has its child when its turn comes; the rest goes on.
  DeleteRegistryKeys({HKEY_CURRENT_USER, std::wstring(kKey) + L"\\"},
                     {L"Assente", L"Padre", L"Solo", L"Padre\\Figlio"});
  auto exists = [](const wchar_t* sub) {
    HKEY key = nullptr;
    const std::wstring path = std::wstring(kKey) + L"\\" + sub;
    const bool found =
        RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (key) RegCloseKey(key);
    return found;
  };
  EXPECT_TRUE(exists(L"Padre"));
  EXPECT_FALSE(exists(L"Padre\\Figlio"));
  EXPECT_FALSE(exists(L"Solo"));
}

}  // namespace
}  // namespace quirel
