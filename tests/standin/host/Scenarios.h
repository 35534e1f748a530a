// What the host does as a browser process, chosen by STANDIN_HOST_SCENARIO.
#pragma once

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace standin_host {

// cef_initialize with the engine's own UI thread, tasks, cookies, shutdown.
int RunBrowser(CefRef<cef_app_t> app);
// The same without multi_threaded_message_loop: the UI work runs inside
// cef_run_message_loop on this thread.
int RunBrowserSingleThreaded(CefRef<cef_app_t> app);
// Starts this executable as a renderer of ours and ends it; with `vanish`
// this process disappears instead, leaving the renderer alone.
int RunLaunchRenderer(bool vanish);
// cef_initialize the program's way, then exit without cef_shutdown.
int RunExitWithoutShutdown(CefRef<cef_app_t> app);

}  // namespace standin_host
