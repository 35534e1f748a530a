// The browser process's engine: cef_initialize starts it, cef_shutdown (on
// the same thread) stops it. With multi_threaded_message_loop the UI thread
// is the engine's own; without, it is the initialising thread, whose loop
// runs inside cef_run_message_loop / cef_do_message_loop_work.
#pragma once

#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

// 1 on success; 0 for invalid arguments or when the engine was started before
// in this process (it starts once).
int InitializeBrowserProcess(const cef_main_args_t* args, const cef_settings_t* settings,
                             CefRef<cef_app_t> app);
void ShutdownBrowserProcess();
bool BrowserProcessRunning();
// The lowest severity logged (the engine's scale: -1 verbose, 0 info, 1
// warning, 2 error, 3 fatal), from the settings' log_severity.
int MinLogLevel();
// The settings' browser_subprocess_path ("" when not set) and the app's
// browser-process handler (null when it has none), while the engine runs.
std::wstring BrowserSubprocessPath();
CefRef<cef_browser_process_handler_t> TheBrowserProcessHandler();

// The single-threaded message loop; they do nothing in the multi-threaded mode
// or on another thread.
void RunMessageLoop();
void QuitMessageLoop();
void DoMessageLoopWork();

}  // namespace quirel::standin
