// The stand-in engine's test host: loads plugin\cef\libcef.dll beside itself
// as the program does and plays the program's part in one process role.
// Every process calls cef_execute_process first; a sub-process (--type=)
// ends there with its exit code. The browser process then runs the scenario
// named by STANDIN_HOST_SCENARIO. Observations go to standard output as
// key=value lines; live_objects at the end counts the host's engine objects
// that were never released.
#include <windows.h>

#include <string>

#include "HostApp.h"
#include "HostEngine.h"
#include "HostObjects.h"
#include "Report.h"
#include "Scenarios.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

using namespace standin_host;

namespace {

std::wstring Scenario() {
  wchar_t value[64] = {};
  GetEnvironmentVariableW(L"STANDIN_HOST_SCENARIO", value, 64);
  return value;
}

int RunScenario(const std::wstring& scenario, CefRef<cef_app_t> app) {
  if (scenario == L"browser") return RunBrowser(std::move(app));
  if (scenario == L"browser-single-threaded") return RunBrowserSingleThreaded(std::move(app));
  if (scenario == L"exit-without-shutdown") return RunExitWithoutShutdown(std::move(app));
  if (scenario == L"launch-renderer") return RunLaunchRenderer(false);
  if (scenario == L"launch-renderer-and-vanish") return RunLaunchRenderer(true);
  Report("unknown_scenario", scenario);
  return 2;
}

}  // namespace

int main() {
  Seen();  // this is the main thread
  if (!LoadEngine()) return 3;
  g_cef.cef_enable_highdpi_support();

  CefRef<cef_app_t> app = MakeApp();
  cef_main_args_t args{GetModuleHandleW(nullptr)};
  const int code = g_cef.cef_execute_process(&args, app.Share(), nullptr);
  Report("execute_process", code);
  int exit_code = code;
  if (code < 0) {
    exit_code = RunScenario(Scenario(), app);
  } else {
    Report("register_after_web_kit",
           g_cef.cef_register_extension(CefStringArg(L"v8/late"), CefStringArg(L"var late;"),
                                        CefNew<V8Handler>().Detach()));
    Seen().lent_command_line.Reset();
  }
  app.Reset();
  Report("live_objects", LiveObjects());
  return exit_code;
}
