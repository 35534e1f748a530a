// The registration switches of the real Quirel.exe: what they write and delete in the
// registry, that they end the program at once without a window, and that they do nothing
// while another instance runs.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include "ServerFixture.h"
#include "WindowProbe.h"
#include "automation/ComPtr.h"

namespace quirel::test {
namespace {

std::wstring Folder(const std::wstring& exe) { return exe.substr(0, exe.rfind(L'\\')); }

std::optional<std::wstring> RegisteredTypeLibPath() {
  GUID libId{};
  CLSIDFromString(kLibId, &libId);
  TBStr path;
  if (FAILED(QueryPathOfRegTypeLib(libId, 1, 0, 0, path.Put()))) return std::nullopt;
  return path.Text();
}

void ExpectRegistered(HKEY root, const std::wstring& prefix, const std::wstring& localServer) {
  for (const auto& [key, value] : ExpectedEntries(localServer))
    EXPECT_EQ(DefaultValue(root, prefix + key), value) << testing::PrintToString(prefix + key);
  EXPECT_FALSE(
      DefaultValue(root, prefix + L"CLSID\\" + kClsid + L"\\LocalServer32", L"ThreadingModel"))
      << "a local server has no threading model";
}

void ExpectNoneOf(HKEY root, const std::wstring& prefix) {
  for (const auto& [key, value] : ExpectedEntries(L""))
    EXPECT_FALSE(KeyExists(root, prefix + key)) << testing::PrintToString(prefix + key);
}

// The system's type library registration: the long path as the file, its folder for help.
void ExpectTypeLibRegistered(const std::wstring& exe) {
  EXPECT_EQ(RegisteredTypeLibPath(), exe);
  const std::wstring version = std::wstring(L"TypeLib\\") + kLibId + L"\\1.0";
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, version), L"QuirelCloud");
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, version + L"\\0\\win32"), exe);
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, version + L"\\HELPDIR"), Folder(exe));
  // What COM marshals the dual interface with.
  EXPECT_EQ(DefaultValue(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + kIid + L"\\TypeLib"),
            kLibId);
}

void ExpectTypeLibUnregistered() {
  EXPECT_EQ(RegisteredTypeLibPath(), std::nullopt);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"TypeLib\\") + kLibId + L"\\1.0"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, std::wstring(L"Interface\\") + kIid));
}

void ExpectEndsAtOnceWithoutWindow(const RunResult& run) {
  ASSERT_TRUE(run.Ended);
  EXPECT_EQ(run.ExitCode, 0u);
  EXPECT_TRUE(run.WindowsSeen.empty()) << testing::PrintToString(run.WindowsSeen);
}

class RegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!EngineFolderPresent(RunFolder()))
      GTEST_SKIP() << "no plugin\\cef\\libcef.dll beside the test";
    EndQuirelProcesses();
    RemoveRegistration();
    CoInitialize(nullptr);
  }
  void TearDown() override {
    EndQuirelProcesses();
    RemoveRegistration();
    CoUninitialize();
  }
};

TEST_F(RegistrationTest, RegserverInAnyCaseRegistersMachineWide) {
  for (const wchar_t* option : {L"/regserver", L"-RegServer", L"/REGSERVER"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(option)));
    RemoveRegistration();
    ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {option}));
    ExpectRegistered(HKEY_CLASSES_ROOT, L"", QuirelExe());
    ExpectNoneOf(HKEY_CURRENT_USER, L"Software\\Classes\\");
    ExpectTypeLibRegistered(QuirelExe());
  }
}

TEST_F(RegistrationTest, UnregserverRemovesExactlyTheServersKeys) {
  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"/regserver"}));
  // Neighbours that are not the server's.
  const std::wstring otherProgId = L"QuirelCloud.Altro";
  const std::wstring otherClass = L"CLSID\\{5D0C1C43-8E0B-4F1B-9C2E-3A6B1F0D2E75}";
  for (const std::wstring& key : {otherProgId, otherClass}) {
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
  }

  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"/unregserver"}));
  ExpectNoneOf(HKEY_CLASSES_ROOT, L"");
  ExpectTypeLibUnregistered();
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, otherProgId));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, otherClass));

  // Nothing left to remove: still a normal end.
  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"/unregserver"}));
  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"-UnRegServerPerUser"}));
  for (const std::wstring& key : {otherProgId, otherClass}) DeleteTree(HKEY_CLASSES_ROOT, key);
}

TEST_F(RegistrationTest, PerUserRegistrationGoesBelowTheUsersClasses) {
  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"/regserverperuser"}));
  ExpectRegistered(HKEY_CURRENT_USER, L"Software\\Classes\\", QuirelExe());
  ExpectNoneOf(HKEY_LOCAL_MACHINE, L"Software\\Classes\\");
  EXPECT_EQ(RegisteredTypeLibPath(), QuirelExe());
  // Wine's RegisterTypeLibForUser registers for the machine; Windows below the user's classes.
  if (!RunningUnderWine()) {
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER,
                          std::wstring(L"Software\\Classes\\TypeLib\\") + kLibId + L"\\1.0"));
  }

  ExpectEndsAtOnceWithoutWindow(RunProgram(QuirelExe(), {L"/unregserverperuser"}));
  ExpectNoneOf(HKEY_CURRENT_USER, L"Software\\Classes\\");
  ExpectTypeLibUnregistered();
}

TEST_F(RegistrationTest, AFolderWithABlankRegistersTheShortPath) {
  ProgramFolder copy(L"con spazio");
  ASSERT_NE(copy.Exe().find(L' '), std::wstring::npos);
  wchar_t shortPath[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameW(copy.Exe().c_str(), shortPath, MAX_PATH), 0u);
  ASSERT_EQ(std::wstring(shortPath).find(L' '), std::wstring::npos) << "no 8.3 names here";

  ExpectEndsAtOnceWithoutWindow(RunProgram(copy.Exe(), {L"/regserver"}));
  ExpectRegistered(HKEY_CLASSES_ROOT, L"", shortPath);
  ExpectTypeLibRegistered(copy.Exe());

  ExpectEndsAtOnceWithoutWindow(RunProgram(copy.Exe(), {L"/unregserver"}));
  ExpectNoneOf(HKEY_CLASSES_ROOT, L"");
}

TEST_F(RegistrationTest, RegserverWhileAnotherInstanceRunsRegistersNothing) {
  RunningInstance running(QuirelExe());
  ASSERT_TRUE(running.MainWindow()) << "the first instance did not come up";

  ChildProcess second(QuirelExe(), {L"/regserver"});
  HWND box = WaitForDialog(second.Id(), 30000);
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).Text, L"Quirel \u00E8 gi\u00E0 in esecuzione!");
  PressButton(box, IDOK);
  ASSERT_TRUE(second.WaitForExit(30000));
  EXPECT_EQ(second.ExitCode(), 0u);
  ExpectNoneOf(HKEY_CLASSES_ROOT, L"");
  EXPECT_EQ(RegisteredTypeLibPath(), std::nullopt);
  EXPECT_EQ(running.Process().ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
}  // namespace quirel::test
