// What the engine saw of one normal run of the program: its settings record, the command line
// the program handed back, the threads of the callbacks and the order of shutdown.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "StartupFixture.h"
#include "Trace.h"
#include "engine/capi/cef_capi.h"

namespace quirel::test {
namespace {

using standin_test::Json;

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring LocalAppData() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

class EngineTrace : public ::testing::Test {
 protected:
  // One run of the program, with switches of its own and a loose argument, serves the suite.
  static void SetUpTestSuite() {
    copy_ = std::make_unique<ProgramCopy>();
    {
      ChildProcess program =
          copy_->Start({L"--enable-media-stream=0", L"--disable-gpu", L"--lang=it", L"loose"});
      HWND main = WaitForMainWindow(program.Id());
      ASSERT_NE(main, nullptr);
      // The context arrives on the engine's thread without the main thread doing anything.
      Sleep(500);
      PostMessageW(main, WM_CLOSE, 0, 0);
      ASSERT_TRUE(program.WaitForExit(30000));
      exitCode_ = program.ExitCode();
      pid_ = program.Id();
    }
    lines_ = std::make_unique<std::vector<Json>>(
        standin_test::OfProcess(ReadTrace(copy_->TraceFile()), pid_));
  }
  static void TearDownTestSuite() {
    lines_.reset();
    copy_.reset();
  }

  static const std::vector<Json>& Lines() { return *lines_; }
  static const Json& First(const std::string& name) {
    static const Json none;
    const int at = standin_test::IndexOf(Lines(), name);
    return at < 0 ? none : Lines()[at];
  }

  static inline std::unique_ptr<ProgramCopy> copy_;
  static inline std::unique_ptr<std::vector<Json>> lines_;
  static inline DWORD exitCode_ = 0;
  static inline DWORD pid_ = 0;
};

TEST_F(EngineTrace, TheRunEndsNormally) { EXPECT_EQ(exitCode_, 0u); }

TEST_F(EngineTrace, SettingsRecordCarriesTheProgramsConfiguration) {
  const Json& settings = First("cef_initialize")["args"]["settings"];
  ASSERT_FALSE(settings.IsNull());
  const std::string folder = Utf8(copy_->Folder());
  EXPECT_EQ(settings["size"].Int(), static_cast<long long>(sizeof(cef_settings_t)));
  EXPECT_EQ(settings["no_sandbox"].Int(), 1);
  EXPECT_EQ(settings["multi_threaded_message_loop"].Int(), 1);
  EXPECT_EQ(settings["log_severity"].Int(), 99);
  EXPECT_EQ(settings["framework_dir_path"].string, folder + "plugin\\cef");
  EXPECT_EQ(settings["resources_dir_path"].string, folder + "plugin\\cef");
  EXPECT_EQ(settings["locales_dir_path"].string, folder + "plugin\\cef\\locales");
  EXPECT_EQ(settings["user_data_path"].string, folder + "plugin\\cef\\user data");
  // Exactly one backslash between the local application-data folder and "Quirel".
  EXPECT_EQ(settings["cache_path"].string, Utf8(LocalAppData()) + "\\Quirel\\cef\\cache");
  EXPECT_EQ(settings["browser_subprocess_path"].string, "");
  EXPECT_EQ(settings["windowless_rendering_enabled"].Int(), 0);
  EXPECT_EQ(settings["remote_debugging_port"].Int(), 0);
  EXPECT_EQ(settings["background_color"].Int(), 0);
}

TEST_F(EngineTrace, CommandLineKeepsTheStartSwitchesAndAddsTheProgramsOwn) {
  const Json& callback = First("app.on_before_command_line_processing");
  EXPECT_EQ(callback["thread"].string, "main");
  EXPECT_EQ(callback["args"]["process_type"].string, "");

  // After the reset, the switches in the order the program appended them.
  const int reset = standin_test::IndexOf(Lines(), "command_line.reset");
  ASSERT_GE(reset, 0);
  std::vector<std::pair<std::string, std::string>> appended;
  for (size_t i = reset; i < Lines().size(); ++i) {
    const std::string& name = Lines()[i]["name"].string;
    if (name == "command_line.append_switch")
      appended.emplace_back(Lines()[i]["args"]["name"].string, "");
    else if (name == "command_line.append_switch_with_value")
      appended.emplace_back(Lines()[i]["args"]["name"].string, Lines()[i]["args"]["value"].string);
  }
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"disable-gpu", ""},
      {"enable-media-stream", "1"},
      {"lang", "it"},
      {"--enable-gpu-plugin", ""},
      {"--enable-accelerated-plugins", ""},
      {"--enable-system-flash", ""},
      {"--enable-speech-input", "1"}};
  EXPECT_EQ(appended, expected);
  // The loose argument is gone.
  const Json& processed = First("engine.command_line")["args"]["command_line"];
  EXPECT_TRUE(processed["arguments"].array.empty());
}

TEST_F(EngineTrace, ContextIsReportedOnTheEnginesThreadAfterInitialisation) {
  const int returned = standin_test::IndexOf(Lines(), "cef_initialize.returned");
  const int context =
      standin_test::IndexOf(Lines(), "browser_process_handler.on_context_initialized");
  ASSERT_GE(returned, 0);
  ASSERT_GE(context, 0);
  EXPECT_EQ(Lines()[returned]["args"]["result"].Int(), 1);
  EXPECT_EQ(Lines()[context]["thread"].string, "ui");
  EXPECT_GT(context, returned);
  EXPECT_GE(standin_test::IndexOf(Lines(), "cef_enable_highdpi_support"), 0);
}

TEST_F(EngineTrace, TheEngineIsShutDownOnceAndLast) {
  const std::vector<Json> shutdowns = standin_test::Named(Lines(), "cef_shutdown");
  ASSERT_EQ(shutdowns.size(), 1u);
  EXPECT_EQ(shutdowns[0]["thread"].string, "main");
  const std::vector<std::string> calls = standin_test::NamesOfKind(Lines(), "call");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "cef_shutdown");
  // The mutex is closed before the engine goes.
  ASSERT_TRUE(shutdowns[0]["args"].Has("watched_mutex_open"));
  EXPECT_FALSE(shutdowns[0]["args"]["watched_mutex_open"].boolean);
}

}  // namespace
}  // namespace quirel::test
