// The browser process's life and message loop, the global cookie manager and
// the settings the program gives before starting.
#include <windows.h>

#include "standin/browser/BrowserProcess.h"
#include "standin/browser/CookieManager.h"
#include "standin/browser/SettingsRecord.h"
#include "standin/core/ThreadRole.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"

using namespace quirel::standin;


extern "C" {

int cef_initialize(const cef_main_args_t* args, const cef_settings_t* settings,
                   cef_app_t* application, void* windows_sandbox_info) {
  CefRef<cef_app_t> app = CefAdopt(application);
  SetMainThread(GetCurrentThreadId());
  {
    trace::Line line = trace::Call("cef_initialize");
    line.Bool("args", args != nullptr)
        .Bool("app", static_cast<bool>(app))
        .Bool("sandbox_info", windows_sandbox_info != nullptr);
    // Fields are read only from a record of the size we know.
    if (settings && settings->size == sizeof(cef_settings_t)) {
      line.Object("settings", SettingsRecord::From(*settings).ToJson());
    } else if (settings) {
      line.Int("settings_size", static_cast<long long>(settings->size));
    }
  }
  return InitializeBrowserProcess(args, settings, std::move(app));
}

void cef_shutdown() {
  trace::Line line = trace::Call("cef_shutdown");
  if (trace::Enabled()) {
    // Whether the program still holds the named mutex that QUIREL_STANDIN_WATCH_MUTEX names
    // when it lets the engine go (tests check the order of shutdown).
    wchar_t watched[256] = {};
    if (GetEnvironmentVariableW(L"QUIREL_STANDIN_WATCH_MUTEX", watched, 256)) {
      HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, watched);
      line.Bool("watched_mutex_open", mutex != nullptr);
      if (mutex) CloseHandle(mutex);
    }
  }
  ShutdownBrowserProcess();
}

void cef_do_message_loop_work() {
  trace::Call("cef_do_message_loop_work");
  DoMessageLoopWork();
}

void cef_run_message_loop() {
  trace::Call("cef_run_message_loop");
  RunMessageLoop();
}

void cef_quit_message_loop() {
  trace::Call("cef_quit_message_loop");
  QuitMessageLoop();
}

// The engine's loop needs no help during the program's modal loops; the trace
// records what the program said.
void cef_set_osmodal_loop(int osModalLoop) {
  trace::Call("cef_set_osmodal_loop").Int("os_modal_loop", osModalLoop);
}

// As the engine does: the whole process becomes DPI-aware, per monitor where
// the system knows that.
void cef_enable_highdpi_support() {
  trace::Call("cef_enable_highdpi_support");
  if (!SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) {
    SetProcessDPIAware();
  }
}

cef_cookie_manager_t* cef_cookie_manager_get_global_manager(cef_completion_callback_t* callback) {
  CefRef<cef_completion_callback_t> done = CefAdopt(callback);
  trace::Call("cef_cookie_manager_get_global_manager").Bool("callback", static_cast<bool>(done));
  return GetGlobalCookieManager(std::move(done));
}

}  // extern "C"
