// The engine application object's own state: process roles, paths, settings, predicates.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "common/Globals.h"
#include "engine/CefApplication.h"

namespace quirel {
namespace {

TEST(DetectProcessType, TheLastTypeParameterDecides) {
  struct Case {
    std::vector<std::wstring> parameters;
    TCefProcessType expected;
  };
  const Case cases[] = {
      {{}, ptBrowser},
      {{L"--lang=it", L"http://x/"}, ptBrowser},
      {{L"--type=gpu-process"}, ptGPU},
      {{L"--TYPE=Renderer"}, ptRenderer},
      {{L"--type=utility", L"--lang=it"}, ptUtility},
      {{L"--type=zygote"}, ptZygote},
      {{L"--type=crashpad-handler"}, ptOther},
      {{L"--type="}, ptOther},
      {{L"--type=renderer", L"--type=gpu-process"}, ptGPU},
      {{L"--type=gpu-process", L"--type=renderer"}, ptRenderer},
      {{L"-type=renderer"}, ptBrowser},
      {{L"--typed=renderer"}, ptBrowser},
  };
  for (const Case& c : cases) EXPECT_EQ(DetectProcessType(c.parameters), c.expected);
}

TEST(ResolveEnginePath, MakesPathsAbsoluteAndCanonical) {
  const std::wstring exeFolder = ExecutableFolder();
  ASSERT_FALSE(exeFolder.empty());
  EXPECT_EQ(exeFolder.back(), L'\\');
  EXPECT_EQ(ResolveEnginePath(L"", false), L"");
  EXPECT_EQ(ResolveEnginePath(L"cache", false), exeFolder + L"cache");
  EXPECT_EQ(ResolveEnginePath(L"a\\..\\cache", false), exeFolder + L"cache");
  EXPECT_EQ(ResolveEnginePath(L"C:\\x\\.\\y\\..\\z", false), L"C:\\x\\z");
  EXPECT_EQ(ResolveEnginePath(L"\\\\server\\share\\..\\z", false), L"\\\\server\\share\\..\\z");
  EXPECT_EQ(ResolveEnginePath(L"C:\\no\\such\\folder", true), L"");
  test::ScratchDir dir;
  const std::wstring folder = dir.path().substr(0, dir.path().size() - 1);
  EXPECT_EQ(ResolveEnginePath(folder, true), folder);
}

TEST(ApplicationCore, PathSettersNormalise) {
  TCefApplicationCore app;
  app.SetFrameworkDirPath(L"C:\\no\\such\\folder");
  EXPECT_EQ(app.FrameworkDirPath(), L"");
  EXPECT_EQ(app.LibCefPath(), L"libcef.dll");
  EXPECT_EQ(app.ChromeElfPath(), L"chrome_elf.dll");
  EXPECT_TRUE(app.DisableGPUCache());
  app.SetCache(L"cache");
  EXPECT_EQ(app.Cache(), ExecutableFolder() + L"cache");
  EXPECT_FALSE(app.DisableGPUCache());
  app.SetUserDataPath(L"C:\\does\\not\\exist");  // stored anyway
  EXPECT_EQ(app.UserDataPath(), L"C:\\does\\not\\exist");
  test::ScratchDir dir;
  app.SetFrameworkDirPath(dir.path());
  EXPECT_EQ(app.LibCefPath(), dir.path() + L"libcef.dll");
}

TEST(ApplicationCore, DefaultsAndReadOnlyState) {
  TCefApplication app;
  EXPECT_EQ(app.Status(), asLoading);
  EXPECT_EQ(app.ProcessType(), ptBrowser);
  EXPECT_EQ(app.LibCefVersion(), L"87.1.6.0");
  // No chrome_elf.dll beside the test program: the built-in Chromium version.
  EXPECT_EQ(app.ChromeVersion(), L"87.0.4280.66");
  EXPECT_FALSE(app.LibLoaded());
  EXPECT_GT(app.DeviceScaleFactor(), 0.0f);
  EXPECT_TRUE(app.NoSandbox);
  EXPECT_TRUE(app.MultiThreadedMessageLoop);
  EXPECT_EQ(app.LogSeverity, 99u);
  EXPECT_TRUE(app.CheckCEFFiles);
  EXPECT_TRUE(app.ShowMessageDlg);
  EXPECT_FALSE(app.EnableGPU);
  EXPECT_FALSE(app.DestroyApplicationObject);
  EXPECT_TRUE(app.DestroyAppWindows);
  EXPECT_EQ(app.Settings().size, sizeof(cef_settings_t));
  EXPECT_EQ(GlobalCEFApp, &app);
  EXPECT_EQ(EngineApp, &app);
}

TEST(ApplicationCore, GlobalPointersFollowTheFirstObject) {
  {
    TCefApplicationCore first;
    TCefApplicationCore second;
    EXPECT_EQ(GlobalCEFApp, &first);
  }
  EXPECT_EQ(GlobalCEFApp, nullptr);
}

TEST(ApplicationCore, HandlerPredicatesFollowRoleAndEvents) {
  TCefApplicationCore app;  // the browser process
  EXPECT_TRUE(app.MustCreateBrowserProcessHandler());
  EXPECT_FALSE(app.MustCreateRenderProcessHandler());
  EXPECT_FALSE(app.MustCreateResourceBundleHandler());
  EXPECT_FALSE(app.MustCreateLoadHandler());
  app.OnWebKitInitialized = [] {};
  EXPECT_FALSE(app.MustCreateRenderProcessHandler()) << "only renderers get one";
  app.SingleProcess = true;
  EXPECT_TRUE(app.MustCreateRenderProcessHandler());
  app.OnGetLocalizedString = [](int, cef_string_t*) { return 0; };
  EXPECT_TRUE(app.MustCreateResourceBundleHandler());
}

TEST(ApplicationCore, ContextIsReadyAtOnceWithoutABrowserProcessHandler) {
  TCefApplicationCore app;
  EXPECT_FALSE(app.GlobalContextInitialized());
  app.SetMustCreateBrowserProcessHandler(false);
  EXPECT_TRUE(app.GlobalContextInitialized());
  app.OnContextInitialized = [] {};
  EXPECT_FALSE(app.GlobalContextInitialized());
}

TEST(ApplicationCore, ContextInitialisedSetsTheFlagAndFiresTheEvent) {
  TCefApplicationCore app;
  int fired = 0;
  app.OnContextInitialized = [&] { ++fired; };
  app.Internal_OnContextInitialized();
  EXPECT_TRUE(app.GlobalContextInitialized());
  EXPECT_EQ(fired, 1);
}

TEST(ApplicationCore, AnExceptionInAnEventDoesNotEscapeUnlessAskedTo) {
  TCefApplicationCore app;
  app.OnWebKitInitialized = [] { throw std::runtime_error("boom"); };
  EXPECT_NO_THROW(app.Internal_OnWebKitInitialized());
  app.ReRaiseExceptions = true;
  EXPECT_THROW(app.Internal_OnWebKitInitialized(), std::runtime_error);
}

TEST(ApplicationCore, OsmodalLoopBeforeInitialisationIsIgnored) {
  TCefApplicationCore app;
  // The engine is not loaded: a call through the table would crash.
  EXPECT_NO_FATAL_FAILURE(app.SetOsmodalLoop(true));
}

TEST(ApplicationCore, SettingsRecordCarriesTheProperties) {
  class Probe : public TCefApplicationCore {
   public:
    using TCefApplicationCore::FillEngineSettings;
  } app;
  app.SetCache(L"C:\\Users\\u\\AppData\\Local\\Quirel\\cef\\cache");
  app.UserAgent = L"agent";
  app.RemoteDebuggingPort = 9222;
  app.BackgroundColor = 0xFF102030;
  app.FillEngineSettings();
  const cef_settings_t& s = app.Settings();
  EXPECT_EQ(s.size, sizeof(cef_settings_t));
  EXPECT_EQ(s.no_sandbox, 1);
  EXPECT_EQ(s.multi_threaded_message_loop, 1);
  EXPECT_EQ(s.log_severity, LOGSEVERITY_DISABLE);
  EXPECT_EQ(std::wstring(s.cache_path.str, s.cache_path.length), app.Cache());
  EXPECT_EQ(s.cache_path.dtor, nullptr);
  EXPECT_EQ(std::wstring(s.user_agent.str, s.user_agent.length), L"agent");
  EXPECT_EQ(s.remote_debugging_port, 9222);
  EXPECT_EQ(s.background_color, 0xFF102030u);
  EXPECT_EQ(s.browser_subprocess_path.length, 0u);
}

}  // namespace
}  // namespace quirel
