// The browser process with a working engine: main window, single instance, shutdown.
#include <gtest/gtest.h>

#include "StartupFixture.h"
#include "Trace.h"

namespace quirel::test {
namespace {

using standin_test::Json;

TEST(NormalRun, ShowsTheMainWindowHoldsTheMutexAndEndsWhenClosed) {
  ProgramCopy copy;
  ChildProcess program = copy.Start();
  HWND main = WaitForMainWindow(program.Id(), 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), L"Quirel");
  EXPECT_TRUE(InstanceMutexExists());
  // The main window, not a hidden one, carries the taskbar button.
  EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(program.WaitForExit(30000));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_FALSE(InstanceMutexExists());
}

TEST(NormalRun, TheShowCommandOfTheStartDecidesTheWindowState) {
  struct Case {
    int show;
    bool maximized, minimized;
  };
  for (const Case& c : {Case{SW_SHOWMAXIMIZED, true, false}, Case{SW_SHOWMINNOACTIVE, false, true},
                        Case{SW_SHOWNORMAL, false, false}}) {
    ProgramCopy copy;
    ChildProcess program = copy.Start({}, c.show);
    HWND main = WaitForMainWindow(program.Id(), 30000);
    ASSERT_NE(main, nullptr) << c.show;
    EXPECT_EQ(IsZoomed(main) != 0, c.maximized) << c.show;
    EXPECT_EQ(IsIconic(main) != 0, c.minimized) << c.show;
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(30000));
  }
}

TEST(NormalRun, ASecondStartWarnsAndLeavesTheFirstRunning) {
  ProgramCopy copy;
  ChildProcess first = copy.Start();
  HWND main = WaitForMainWindow(first.Id(), 30000);
  ASSERT_NE(main, nullptr);

  ChildProcess second = copy.Start();
  HWND box = WaitForDialog(second.Id(), 30000);
  ASSERT_NE(box, nullptr);
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.Caption, L"Quirel");
  EXPECT_EQ(info.Text, L"Quirel \u00E8 gi\u00E0 in esecuzione!");
  if (!RunningUnderWine()) {
    EXPECT_EQ(info.Icon, IDI_WARNING);
    EXPECT_TRUE(info.Topmost);
  }
  // Owned by the second program's hidden application window; no window of its own.
  ASSERT_NE(info.Owner, nullptr);
  DWORD ownerPid = 0;
  GetWindowThreadProcessId(info.Owner, &ownerPid);
  EXPECT_EQ(ownerPid, second.Id());
  EXPECT_FALSE(IsWindowVisible(info.Owner));
  EXPECT_EQ(VisibleTopLevelWindows(second.Id()).size(), 1u);

  ASSERT_TRUE(PressButton(box));
  ASSERT_TRUE(second.WaitForExit(30000));
  EXPECT_EQ(second.ExitCode(), 0u);
  // The second one started its engine before it found the first, and shut it down again.
  const std::vector<Json> secondLines =
      standin_test::OfProcess(ReadTrace(copy.TraceFile()), second.Id());
  EXPECT_EQ(standin_test::Named(secondLines, "cef_initialize").size(), 1u);
  EXPECT_EQ(standin_test::Named(secondLines, "cef_shutdown").size(), 1u);
  EXPECT_FALSE(first.WaitForExit(0));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(InstanceMutexExists());

  PostMessageW(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.WaitForExit(30000));
  EXPECT_EQ(first.ExitCode(), 0u);
}

TEST(SubProcess, RolesRunTheirEngineWorkOnlyAndEnd) {
  struct Case {
    const wchar_t* type;
    bool renderer;
  };
  for (const Case& c : {Case{L"--type=renderer", true}, Case{L"--type=gpu-process", false},
                        Case{L"--type=utility", false}, Case{L"--type=crashpad-handler", false}}) {
    const std::string type(c.type, c.type + wcslen(c.type));
    ProgramCopy copy;
    ChildProcess program = copy.Start({c.type});
    ASSERT_TRUE(program.WaitForExit(30000)) << type;
    EXPECT_EQ(program.ExitCode(), 0u) << type;
    EXPECT_FALSE(InstanceMutexExists());

    const std::vector<Json> lines = ReadTrace(copy.TraceFile());
    ASSERT_FALSE(lines.empty()) << type;
    // The program asks nothing of the engine beyond the process entry, and leaves the
    // sub-process's command line alone.
    EXPECT_EQ(standin_test::Named(lines, "cef_initialize").size(), 0u) << type;
    EXPECT_EQ(standin_test::Named(lines, "command_line.reset").size(), 0u) << type;
    EXPECT_EQ(standin_test::Named(lines, "render_process_handler.on_web_kit_initialized").size(),
              c.renderer ? 1u : 0u)
        << type;
    // Only a renderer gets a handler object, and only the render-process one.
    for (const Json& line : lines) {
      const std::string& name = line["name"].string;
      if (name.size() > 9 && name.compare(name.size() - 9, 9, ".returned") == 0 &&
          line["args"].Has("handler")) {
        EXPECT_EQ(line["args"]["handler"].boolean,
                  c.renderer && name == "app.get_render_process_handler.returned")
            << type << " " << name;
      }
    }
  }
}

TEST(SubProcess, ARendererRegistersTheBridgeOnceTheEngineIsReadyForScripts) {
  ProgramCopy copy;
  ChildProcess program = copy.Start({L"--type=renderer"});
  ASSERT_TRUE(program.WaitForExit(30000));
  const std::vector<Json> lines = ReadTrace(copy.TraceFile());
  const int webKit = standin_test::IndexOf(lines, "render_process_handler.on_web_kit_initialized");
  const std::vector<Json> registered = standin_test::Named(lines, "cef_register_extension");
  ASSERT_EQ(registered.size(), 1u);
  EXPECT_EQ(registered[0]["args"]["extension_name"].string, "bridge");
  EXPECT_NE(registered[0]["args"]["javascript_code"].string.find("__defineGetter__('bridge'"),
            std::string::npos);
  EXPECT_TRUE(registered[0]["args"]["handler"].boolean);
  EXPECT_GT(standin_test::IndexOf(lines, "cef_register_extension"), webKit)
      << "inside the web-kit callback";
  EXPECT_EQ(standin_test::Named(lines, "cef_register_extension.returned").at(0)["args"]["result"].Int(),
            1) << "the engine took it";
}

}  // namespace
}  // namespace quirel::test
