// The real Quirel.exe serving a COM client: a running instance hands out its objects, asks
// before closing while a client holds one, and a program started by COM ends with its last
// object.
#include <gtest/gtest.h>

#include <windows.h>

#include "DialogWatcher.h"
#include "ServerFixture.h"
#include "WindowProbe.h"

namespace quirel::test {
namespace {

const std::wstring kBridgeKey = L"Software\\Quirel\\identity";

// Waits for the process to end; false when it did not, or showed a dialog first.
bool EndsWithoutDialog(ChildProcess& process, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!process.WaitForExit(50)) {
    if (WaitForDialog(process.Id(), 0)) return false;
    if (GetTickCount64() > end) return false;
  }
  return true;
}

void ExpectCallsAnswered(const std::map<std::wstring, std::wstring>& report) {
  const std::map<std::wstring, std::wstring> expected = {
      {L"progid_hr", L"0x00000000"},
      {L"create_hr", L"0x00000000"},
      {L"vtable_setdata", L"0"},
      {L"vtable_getdata", L"0"},
      {L"qi_dispatch_hr", L"0x00000000"},
      {L"typeinfo_count_hr", L"0x00000000"},
      {L"typeinfo_count", L"1"},
      {L"typeinfo0_hr", L"0x00000000"},
      {L"typeinfo0_name", L"IQuirelApplication"},
      {L"typeinfo1_hr", L"0x8002000B"},  // DISP_E_BADINDEX
      {L"ids_setdata_hr", L"0x00000000"},
      {L"ids_setdata", L"201,0,1"},
      {L"ids_getdata_hr", L"0x00000000"},
      {L"ids_getdata", L"202,0"},
      {L"invoke_setdata_hr", L"0x00000000"},
      {L"invoke_setdata", L"11:0"},  // VT_BOOL, VARIANT_FALSE
      {L"invoke_getdata_hr", L"0x00000000"},
      {L"invoke_getdata", L"11:0"},
      {L"invoke_badcount_hr", L"0x8002000E"},  // DISP_E_BADPARAMCOUNT
  };
  for (const auto& [name, value] : expected) {
    auto found = report.find(name);
    ASSERT_NE(found, report.end()) << testing::PrintToString(name);
    EXPECT_EQ(found->second, value) << testing::PrintToString(name);
  }
}

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!EngineFolderPresent(RunFolder()))
      GTEST_SKIP() << "no plugin\\cef\\libcef.dll beside the test";
    EndQuirelProcesses();
    RemoveRegistration();
    const RunResult run = RunProgram(QuirelExe(), {L"/regserver"});
    ASSERT_TRUE(run.Ended && run.ExitCode == 0) << "registration failed";
  }
  void TearDown() override {
    EndQuirelProcesses();
    RemoveRegistration();
  }
};

TEST_F(ServerTest, ClientGetsItsObjectFromTheRunningInstance) {
  // The page bridge's entries must not see the calls.
  HKEY bridge = nullptr;
  const bool bridgeExisted = KeyExists(HKEY_CURRENT_USER, kBridgeKey);
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kBridgeKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &bridge, nullptr),
            ERROR_SUCCESS);
  const wchar_t before[] = L"prima";
  RegSetValueExW(bridge, L"chiave-client", 0, REG_SZ, reinterpret_cast<const BYTE*>(before),
                 sizeof before);
  const auto bridgeBefore = Snapshot(HKEY_CURRENT_USER, kBridgeKey);

  RunningInstance running(QuirelExe());
  ChildProcess& instance = running.Process();
  HWND main = running.MainWindow();
  ASSERT_TRUE(main);
  {
    ComClient client;
    ASSERT_TRUE(client.WaitUntilHolding()) << "client exit code " << client.ExitCode();
    ExpectCallsAnswered(client.Report());
    // No second server was started for the client: the one main process is the instance.
    const std::vector<ProcessEntry> mains = QuirelMainProcesses();
    ASSERT_EQ(mains.size(), 1u);
    EXPECT_EQ(mains[0].Id, instance.Id());
    client.Release();
    ASSERT_TRUE(client.WaitForExit(30000));
    EXPECT_EQ(client.ExitCode(), 0u);
  }
  EXPECT_EQ(Snapshot(HKEY_CURRENT_USER, kBridgeKey), bridgeBefore);
  RegDeleteValueW(bridge, L"chiave-client");
  RegCloseKey(bridge);
  if (!bridgeExisted) DeleteTree(HKEY_CURRENT_USER, kBridgeKey);

  // The client's object is gone, so closing asks nothing.
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(EndsWithoutDialog(instance, 30000));
  EXPECT_EQ(instance.ExitCode(), 0u);
}

BOOL CALLBACK FindBrowserWindow(HWND window, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (std::wstring(name) == L"QuirelStandinBrowser") *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool HasBrowserWindow(HWND main) {
  bool found = false;
  EnumChildWindows(main, &FindBrowserWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(ServerTest, ClosingWhileAClientHoldsAnObjectAsksFirst) {
  RunningInstance running(QuirelExe());
  ChildProcess& instance = running.Process();
  HWND main = running.MainWindow();
  ASSERT_TRUE(main);
  ComClient client;
  ASSERT_TRUE(client.WaitUntilHolding()) << "client exit code " << client.ExitCode();

  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = WaitForDialog(instance.Id(), 20000);
  ASSERT_TRUE(box);
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.Caption, L"COM Server Warning");
  EXPECT_EQ(info.Text,
            L"There are still active COM objects in this application.  One or more clients may "
            L"have references to these objects, so manually closing this application may cause "
            L"those client application(s) to fail.\r\n\r\nAre you sure you want to close this "
            L"application?");
  // The icon is checked in the server object's own test: Wine gives each process its own
  // handle of a system icon, so another process cannot tell which one the box shows.
  EXPECT_EQ(info.Owner, nullptr);
  EXPECT_EQ(DefaultButton(box), IDNO);
  ASSERT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO));

  // No: the program goes on, its window in view.
  PressButton(box, IDNO);
  EXPECT_FALSE(instance.WaitForExit(2000));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(HasBrowserWindow(main)) << "nothing was closed: the browser is still there";
  EXPECT_EQ(WaitForDialog(instance.Id(), 0), nullptr);

  // Yes: it ends.
  PostMessageW(main, WM_CLOSE, 0, 0);
  box = WaitForDialog(instance.Id(), 20000);
  ASSERT_TRUE(box);
  EXPECT_EQ(ReadMessageBox(box).Caption, L"COM Server Warning");
  PressButton(box, IDYES);
  ASSERT_TRUE(instance.WaitForExit(30000));
  EXPECT_EQ(instance.ExitCode(), 0u);

  client.Release();
  EXPECT_TRUE(client.WaitForExit(30000));
}

TEST_F(ServerTest, ComStartedProgramEndsWithItsLastObject) {
  ASSERT_TRUE(QuirelMainProcesses().empty());
  ComClient client;
  ASSERT_TRUE(client.WaitUntilHolding(120000)) << "client exit code " << client.ExitCode();
  EXPECT_EQ(client.Report()[L"create_hr"], L"0x00000000");

  const std::vector<ProcessEntry> mains = QuirelMainProcesses();
  ASSERT_EQ(mains.size(), 1u) << "COM started one server";
  HANDLE server = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, mains[0].Id);
  ASSERT_TRUE(server);
  EXPECT_TRUE(WaitForMainWindow(mains[0].Id, 20000)) << "its window shows as usual";

  client.Release();
  EXPECT_EQ(WaitForSingleObject(server, 30000), WAIT_OBJECT_0) << "still running";
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(server, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(server);
  EXPECT_TRUE(client.WaitForExit(30000));
  EXPECT_EQ(client.ExitCode(), 0u);
}

}  // namespace
}  // namespace quirel::test
