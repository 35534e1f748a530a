// The browser process, played by the host: cef_execute_process, cef_initialize
// with the command-line callback, the engine's UI thread, tasks, cookies and
// cef_shutdown, seen from the host and in the trace.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Host.h"
#include "Trace.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {
namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

// How the engine writes the host's path: quoted, it has backslashes.
std::string QuotedHost() { return "\"" + Utf8(RunFolder() + L"standin_host.exe") + "\""; }

class StandinBrowserProcess : public testing::Test {
 protected:
  // One host run serves every test of the suite.
  static void SetUpTestSuite() {
    trace_ = std::make_unique<TraceFile>();
    run_ = std::make_unique<HostRun>(
        RunHost(LR"(--Enable-Media-Stream=0 -Foo=Bar /baz loose1 "loose two" -- --after)",
                L"browser", trace_->path()));
    lines_ = std::make_unique<std::vector<Json>>(OfProcess(trace_->Read(), run_->pid));
  }
  static void TearDownTestSuite() {
    lines_.reset();
    run_.reset();
    trace_.reset();
  }
  static const HostRun& run() { return *run_; }
  static const std::vector<Json>& lines() { return *lines_; }
  static const Json& First(const std::string& name) {
    static const Json none;
    const int at = IndexOf(lines(), name);
    EXPECT_GE(at, 0) << name << " is not in the trace";
    return at < 0 ? none : lines()[at];
  }

 private:
  static inline std::unique_ptr<TraceFile> trace_;
  static inline std::unique_ptr<HostRun> run_;
  static inline std::unique_ptr<std::vector<Json>> lines_;
};

TEST_F(StandinBrowserProcess, HostRanToTheEnd) {
  EXPECT_TRUE(run().finished);
  EXPECT_EQ(run().exit_code, 0u) << run().output;
  EXPECT_EQ(run().Fact("execute_process"), "-1");
  EXPECT_EQ(run().Fact("initialize"), "1");
  EXPECT_EQ(run().Fact("second_initialize"), "0");
}

TEST_F(StandinBrowserProcess, CommandLineCallbackOnTheCallingThread) {
  EXPECT_EQ(run().Fact("command_line_thread_is_main"), "1");
  EXPECT_EQ(run().Fact("command_line_process_type"), "");
  EXPECT_EQ(run().Fact("command_line_valid"), "1");
  EXPECT_EQ(run().Fact("command_line_read_only"), "0");
  EXPECT_EQ(
      run().Fact("command_line_before"),
      QuotedHost() + R"( --enable-media-stream=0 -foo=Bar /baz loose1 "loose two" -- --after)");
  EXPECT_EQ(run().Fact("command_line_switches"), "baz:;enable-media-stream:0;foo:Bar");
  EXPECT_EQ(run().Fact("command_line_arguments"), "loose1|loose two|--after");
  const std::string after =
      QuotedHost() + R"( --enable-gpu-plugin --enable-media-stream=1 --custom-name="a b")";
  EXPECT_EQ(run().Fact("command_line_after"), after);

  const Json& callback = First("app.on_before_command_line_processing");
  EXPECT_EQ(callback["kind"].string, "callback");
  EXPECT_EQ(callback["thread"].string, "main");
  EXPECT_EQ(callback["tid"].Int(), First("cef_initialize")["tid"].Int());
  EXPECT_EQ(callback["args"]["process_type"].string, "");
  // What the host changed is in the trace, and the engine goes on with it.
  EXPECT_EQ(First("command_line.reset")["thread"].string, "main");
  const std::vector<Json> values = Named(lines(), "command_line.append_switch_with_value");
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0]["args"]["name"].string, "--enable-media-stream");
  EXPECT_EQ(values[0]["args"]["value"].string, "1");
  EXPECT_EQ(values[1]["args"]["name"].string, "Custom-Name");
  const Json& processed = First("engine.command_line")["args"]["command_line"];
  EXPECT_EQ(processed["string"].string, after);
  EXPECT_EQ(processed["switches"]["custom-name"].string, "a b");
  EXPECT_TRUE(processed["arguments"].array.empty());

  // The engine's own command line exists from cef_initialize on; afterwards
  // the lent object is detached and the global one is read-only.
  EXPECT_EQ(run().Fact("global_before_initialize"), "0");
  EXPECT_EQ(run().Fact("lent_valid_after"), "0");
  EXPECT_EQ(run().Fact("lent_string_after"), "");
  EXPECT_EQ(run().Fact("global_read_only"), "1");
  EXPECT_EQ(run().Fact("global_command_line"), after);
}

TEST_F(StandinBrowserProcess, SettingsRecordedWhole) {
  const Json& settings = First("cef_initialize")["args"]["settings"];
  EXPECT_EQ(settings.members.size(), 30u);  // size and the 29 fields
  EXPECT_EQ(settings["size"].Int(), static_cast<long long>(sizeof(cef_settings_t)));
  EXPECT_EQ(settings["no_sandbox"].Int(), 1);
  EXPECT_EQ(settings["multi_threaded_message_loop"].Int(), 1);
  EXPECT_EQ(settings["cache_path"].string, "C:\\Quirel cache");
  EXPECT_EQ(settings["locale"].string, "it");
  EXPECT_EQ(settings["user_agent"].string, "Quirel/2.1 \xc3\xa8 \xf0\x9f\x98\x80");
  EXPECT_EQ(settings["accept_language_list"].string, "it-IT,it");
  EXPECT_EQ(settings["log_severity"].Int(), LOGSEVERITY_ERROR);
  EXPECT_EQ(settings["remote_debugging_port"].Int(), 9222);
  EXPECT_EQ(settings["background_color"].Int(), 0xFF336699LL);
  EXPECT_EQ(settings["browser_subprocess_path"].string, "");
}

TEST_F(StandinBrowserProcess, StartUpOrder) {
  const std::vector<std::string> order = {
      "cef_execute_process",
      "cef_execute_process.returned",
      "cef_initialize",
      "app.on_before_command_line_processing",
      "engine.command_line",
      "app.on_register_custom_schemes",
      "app.get_resource_bundle_handler",
      "app.get_browser_process_handler",
      "cef_initialize.returned",
      "browser_process_handler.on_context_initialized",
  };
  int previous = -1;
  for (const std::string& name : order) {
    const int at = IndexOf(lines(), name);
    EXPECT_GT(at, previous) << name;
    previous = at;
  }
  EXPECT_EQ(First("cef_execute_process.returned")["args"]["result"].Int(), -1);
  // A browser process has no use for the render-process handler.
  EXPECT_EQ(IndexOf(lines(), "app.get_render_process_handler"), -1);
  EXPECT_EQ(run().Fact("scheme_quirel"), "1");
  EXPECT_EQ(run().Fact("scheme_quirel_again"), "0");
  EXPECT_EQ(run().Fact("scheme_http"), "0");
}

TEST_F(StandinBrowserProcess, ContextInitializedOnTheUiThread) {
  EXPECT_EQ(run().Fact("context_initialized"), "1");
  EXPECT_EQ(run().Fact("context_thread_is_main"), "0");
  EXPECT_EQ(run().Fact("context_currently_on_ui"), "1");
  EXPECT_EQ(run().Fact("main_currently_on_ui"), "0");
  const std::vector<Json> contexts =
      Named(lines(), "browser_process_handler.on_context_initialized");
  ASSERT_EQ(contexts.size(), 1u);
  EXPECT_EQ(contexts[0]["thread"].string, "ui");
  EXPECT_NE(contexts[0]["tid"].Int(), First("cef_initialize")["tid"].Int());
}

TEST_F(StandinBrowserProcess, TasksRunOnTheUiThread) {
  for (const char* fact :
       {"task_ran", "task_thread_is_context_thread", "task_currently_on_ui", "delayed_task_ran",
        "delayed_task_waited", "runner", "runner_belongs_to_ui", "no_runner_on_main",
        "runner_post_task", "runner_is_same_on_ui", "runner_on_ui_belongs"})
    EXPECT_EQ(run().Fact(fact), "1") << fact;
  EXPECT_EQ(run().Fact("runner_on_main_belongs"), "0");
  const std::vector<Json> executed = Named(lines(), "task.execute");
  EXPECT_EQ(executed.size(), 3u);  // posted, delayed, through the runner
  for (const Json& line : executed) EXPECT_EQ(line["thread"].string, "ui");
}

TEST_F(StandinBrowserProcess, CookieManagerRecordsSchemes) {
  EXPECT_EQ(run().Fact("cookie_manager"), "1");
  EXPECT_EQ(run().Fact("schemes_applied"), "1");
  EXPECT_EQ(run().Fact("schemes_applied_on_context_thread"), "1");
  const Json& set = First("cookie_manager.set_supported_schemes")["args"];
  ASSERT_EQ(set["schemes"].array.size(), 2u);
  EXPECT_EQ(set["schemes"].array[0].string, "quirel");
  EXPECT_EQ(set["schemes"].array[1].string, "custom");
  EXPECT_EQ(set["include_defaults"].Int(), 1);
  EXPECT_EQ(First("completion_callback.on_complete")["thread"].string, "ui");
}

TEST_F(StandinBrowserProcess, ShutdownStopsTheUiThreadAndReleasesEverything) {
  EXPECT_EQ(run().Fact("ui_thread_ended"), "1");
  EXPECT_EQ(run().Fact("late_task_ran"), "0");
  EXPECT_EQ(run().Fact("post_after_shutdown"), "0");
  EXPECT_EQ(run().Fact("cookie_manager_after_shutdown"), "0");
  EXPECT_EQ(run().Fact("live_objects"), "0");
  EXPECT_EQ(First("cef_shutdown")["thread"].string, "main");
  EXPECT_LT(IndexOf(lines(), "thread.stopped"), IndexOf(lines(), "cef_shutdown.done"));
}

TEST(StandinBrowserProcessSingleThreaded, UiWorkRunsInsideTheMessageLoop) {
  TraceFile trace;
  const HostRun run = RunHost(L"", L"browser-single-threaded", trace.path());
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.Fact("initialize"), "1");
  EXPECT_EQ(run.Fact("context_initialized_before_loop"), "0");
  EXPECT_EQ(run.Fact("post_task"), "1");
  EXPECT_EQ(run.Fact("main_currently_on_ui"), "1");
  EXPECT_EQ(run.Fact("run_message_loop_returned"), "1");
  EXPECT_EQ(run.Fact("context_thread_is_main"), "1");
  EXPECT_EQ(run.Fact("task_thread_is_main"), "1");
  EXPECT_EQ(run.Fact("live_objects"), "0");
  const std::vector<Json> lines = OfProcess(trace.Read(), run.pid);
  EXPECT_EQ(Named(lines, "thread.started").size(), 0u);  // no thread of the engine's own
  EXPECT_LT(IndexOf(lines, "cef_run_message_loop"),
            IndexOf(lines, "browser_process_handler.on_context_initialized"));
}

TEST(StandinBrowserProcessExit, EndingWithoutShutdownDoesNotHang) {
  TraceFile trace;
  const HostRun run = RunHost(L"", L"exit-without-shutdown", trace.path(), 30000);
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.Fact("context_initialized"), "1");
}

}  // namespace
}  // namespace standin_test
