// cef_execute_process: the browser process returns at once (-1); a
// sub-process runs to its end here and returns its exit code.
//
// What each sub-process asks of the app, as the engine's start-up does:
//   every type:  on_before_command_line_processing(type, command line),
//                on_register_custom_schemes, get_resource_bundle_handler
//                (each process loads the engine's resources);
//   renderer:    also get_render_process_handler and on_web_kit_initialized.
// gpu-process, utility and any other type then end at once with 0; the
// browser-process handler is never asked for outside the browser process.
#include <windows.h>

#include "standin/browser/RendererLaunch.h"
#include "standin/commandline/GlobalCommandLine.h"
#include "standin/core/ThreadRole.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/process/AppCalls.h"
#include "standin/process/ProcessType.h"
#include "standin/renderer/RendererProcess.h"

using namespace quirel::standin;

namespace {

int RunOtherSubprocess(const std::wstring& type, CefRef<cef_app_t> app,
                       const std::shared_ptr<CommandLine>& command_line) {
  OnBeforeCommandLineProcessing(app.get(), type, command_line);
  OnRegisterCustomSchemes(app.get());
  CefRef<cef_resource_bundle_handler_t> bundle_handler = GetResourceBundleHandler(app.get());
  return 0;
}

int Returned(int code) {
  trace::Event("cef_execute_process.returned").Int("result", code);
  return code;
}

}  // namespace

extern "C" {

int cef_execute_process(const cef_main_args_t* args, cef_app_t* application,
                        void* windows_sandbox_info) {
  CefRef<cef_app_t> app = CefAdopt(application);
  SetMainThread(GetCurrentThreadId());
  NoteExecuteProcessCalled();
  trace::Call("cef_execute_process")
      .Bool("args", args != nullptr)
      .Bool("app", static_cast<bool>(app))
      .Bool("sandbox_info", windows_sandbox_info != nullptr);
  // The browser process leaves at once: its engine command line is made by
  // cef_initialize.
  const std::wstring& type = CurrentProcessType();
  if (type.empty()) return Returned(-1);
  const auto command_line = StartGlobalCommandLine();
  if (type == L"renderer") return Returned(RunRendererProcess(std::move(app), command_line));
  return Returned(RunOtherSubprocess(type, std::move(app), command_line));
}

}  // extern "C"
