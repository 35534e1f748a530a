// Sub-processes, played by the host: a renderer started directly or by a
// browser process of ours, and the process types that end at once.
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "Host.h"
#include "Trace.h"

namespace standin_test {
namespace {

// The app callbacks a sub-process raised, in order.
std::vector<std::string> Callbacks(const std::vector<Json>& lines) {
  return NamesOfKind(lines, "callback");
}

TEST(StandinRenderer, StartedDirectly) {
  TraceFile trace;
  const HostRun run = RunHost(L"--type=renderer --lang=it", L"", trace.path());
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.Fact("execute_process"), "0");
  EXPECT_EQ(run.Fact("command_line_process_type"), "renderer");
  EXPECT_EQ(run.Fact("command_line_thread_is_main"), "1");
  EXPECT_EQ(run.Fact("web_kit_initialized"), "1");
  EXPECT_EQ(run.Fact("web_kit_thread_is_main"), "1");
  EXPECT_EQ(run.Fact("web_kit_currently_on_renderer"), "1");
  EXPECT_EQ(run.Fact("register_bridge"), "1");
  EXPECT_EQ(run.Fact("register_bridge_again"), "0");
  EXPECT_EQ(run.Fact("register_without_handler"), "1");
  EXPECT_EQ(run.Fact("register_after_web_kit"), "0");
  EXPECT_EQ(run.Fact("live_objects"), "0");

  const std::vector<Json> lines = OfProcess(trace.Read(), run.pid);
  EXPECT_EQ(Callbacks(lines), (std::vector<std::string>{
                                  "app.on_before_command_line_processing",
                                  "app.on_register_custom_schemes",
                                  "app.get_resource_bundle_handler",
                                  "app.get_render_process_handler",
                                  "render_process_handler.on_web_kit_initialized",
                              }));
  const std::vector<Json> web_kit = Named(lines, "render_process_handler.on_web_kit_initialized");
  ASSERT_EQ(web_kit.size(), 1u);
  EXPECT_EQ(web_kit[0]["thread"].string, "renderer");
  EXPECT_EQ(web_kit[0]["process"].string, "renderer");
  const std::vector<Json> registered = Named(lines, "cef_register_extension");
  ASSERT_EQ(registered.size(), 4u);
  EXPECT_EQ(registered[0]["args"]["extension_name"].string, "v8/bridge");
  EXPECT_EQ(registered[0]["args"]["javascript_code"].string,
            "var bridge = {};\nnative function call();");
  EXPECT_TRUE(registered[0]["args"]["handler"].boolean);
  const Json& names = Named(lines, "renderer.extensions").at(0)["args"]["names"];
  ASSERT_EQ(names.array.size(), 2u);
  EXPECT_EQ(names.array[0].string, "v8/bridge");
  EXPECT_EQ(names.array[1].string, "v8/plain");
  EXPECT_EQ(Named(lines, "renderer.ended").at(0)["args"]["reason"].string, "started directly");
}

TEST(StandinRenderer, ServesItsBrowserProcessUntilToldToEnd) {
  TraceFile trace;
  const HostRun run = RunHost(L"", L"launch-renderer", trace.path());
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.Fact("renderer_started"), "1");
  EXPECT_EQ(run.Fact("renderer_ready"), "1");
  EXPECT_EQ(run.Fact("renderer_exit_code"), "0");
  const std::vector<Json> lines = OfProcess(trace.Read(), std::stoll(run.Fact("renderer_pid")));
  EXPECT_LT(IndexOf(lines, "render_process_handler.on_web_kit_initialized"),
            IndexOf(lines, "renderer.serving"));
  ASSERT_GE(IndexOf(lines, "renderer.ended"), 0);
  EXPECT_EQ(Named(lines, "renderer.ended")[0]["args"]["reason"].string, "told to end");
  EXPECT_EQ(Named(lines, "cef_execute_process.returned")[0]["args"]["result"].Int(), 0);
}

TEST(StandinRenderer, EndsWhenItsBrowserProcessIsGone) {
  TraceFile trace;
  const HostRun run = RunHost(L"", L"launch-renderer-and-vanish", trace.path());
  ASSERT_EQ(run.Fact("renderer_ready"), "1");
  const long long renderer = std::stoll(run.Fact("renderer_pid"));
  std::vector<Json> ended;
  for (int i = 0; i < 200 && ended.empty(); ++i) {
    ended = Named(OfProcess(trace.Read(), renderer), "renderer.ended");
    if (ended.empty()) Sleep(100);
  }
  ASSERT_EQ(ended.size(), 1u);
  EXPECT_EQ(ended[0]["args"]["reason"].string, "browser process gone");
}

TEST(StandinSubprocess, OtherTypesEndAtOnce) {
  const struct {
    const wchar_t* arguments;
    const char* type;
  } cases[] = {
      {L"--type=gpu-process --gpu-preferences=x", "gpu-process"},
      {L"--type=utility --utility-sub-type=network.mojom.NetworkService", "utility"},
      {L"--type=ppapi", "ppapi"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    TraceFile trace;
    const HostRun run = RunHost(c.arguments, L"", trace.path());
    EXPECT_EQ(run.exit_code, 0u) << run.output;
    EXPECT_EQ(run.Fact("execute_process"), "0");
    EXPECT_EQ(run.Fact("command_line_process_type"), c.type);
    EXPECT_EQ(run.Fact("live_objects"), "0");
    const std::vector<Json> lines = OfProcess(trace.Read(), run.pid);
    // Its resources are loaded, but no process handler is asked for.
    EXPECT_EQ(Callbacks(lines), (std::vector<std::string>{
                                    "app.on_before_command_line_processing",
                                    "app.on_register_custom_schemes",
                                    "app.get_resource_bundle_handler",
                                }));
    for (const Json& line : lines) EXPECT_EQ(line["process"].string, c.type);
  }
}

TEST(StandinTrace, ProcessesShareOneFileLineByLine) {
  TraceFile trace;
  auto first = std::async(std::launch::async,
                          [&] { return RunHost(L"--type=renderer", L"", trace.path()); });
  auto second = std::async(std::launch::async,
                           [&] { return RunHost(L"--type=renderer", L"", trace.path()); });
  const HostRun a = first.get(), b = second.get();
  const std::vector<Json> lines = trace.Read();  // every line well-formed
  for (const DWORD pid : {a.pid, b.pid}) {
    const std::vector<Json> own = OfProcess(lines, pid);
    ASSERT_FALSE(own.empty());
    for (size_t i = 0; i < own.size(); ++i)
      EXPECT_EQ(own[i]["seq"].Int(), static_cast<long long>(i + 1));
  }
}

}  // namespace
}  // namespace standin_test
