// The engine's calls into the program's app object, traced. A member that the
// program's struct does not have (its base.size ends before it) or left null
// is not called, as the engine does.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/commandline/CommandLine.h"
#include "standin/core/Provides.h"
#include "standin/process/SchemeRegistrar.h"

namespace quirel::standin {

// Lends the program `line` as a command-line object for the duration of the
// call; an empty `process_type` stands for the browser process.
void OnBeforeCommandLineProcessing(cef_app_t* app, const std::wstring& process_type,
                                   const std::shared_ptr<CommandLine>& line);
std::vector<CustomScheme> OnRegisterCustomSchemes(cef_app_t* app);

CefRef<cef_resource_bundle_handler_t> GetResourceBundleHandler(cef_app_t* app);
CefRef<cef_browser_process_handler_t> GetBrowserProcessHandler(cef_app_t* app);
CefRef<cef_render_process_handler_t> GetRenderProcessHandler(cef_app_t* app);

}  // namespace quirel::standin
