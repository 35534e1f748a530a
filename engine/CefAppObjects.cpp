#include "engine/CefAppObjects.h"

#include <tuple>

#include "engine/capi/CefString.h"

namespace quirel {
namespace {

// Every ref-counted argument of a callback carries a reference for us; these release it
// when the callback returns (the events only borrow the objects).
template <typename... T>
auto Adopt(T*... objects) {
  return std::make_tuple(CefAdopt(objects)...);
}

}  // namespace

// --- Browser process handler. ---

TCefCustomBrowserProcessHandler::TCefCustomBrowserProcessHandler(TCefApplicationCore* app)
    : TCefAppReference(app) {
  using T = TCefCustomBrowserProcessHandler;
  Bind<&T::GetCookieableSchemes>(cef()->get_cookieable_schemes);
  Bind<&T::OnContextInitialized>(cef()->on_context_initialized);
  Bind<&T::OnBeforeChildProcessLaunch>(cef()->on_before_child_process_launch);
  Bind<&T::GetPrintHandler>(cef()->get_print_handler);
  Bind<&T::OnScheduleMessagePumpWork>(cef()->on_schedule_message_pump_work);
  Bind<&T::GetDefaultClient>(cef()->get_default_client);
}

void TCefCustomBrowserProcessHandler::GetCookieableSchemes(cef_string_list_t schemes,
                                                           int* includeDefaults) {
  if (TCefApplicationCore* app = App())
    app->Internal_OnGetCookieableSchemes(schemes, includeDefaults);
}

void TCefCustomBrowserProcessHandler::OnContextInitialized() {
  if (TCefApplicationCore* app = App()) app->Internal_OnContextInitialized();
}

void TCefCustomBrowserProcessHandler::OnBeforeChildProcessLaunch(cef_command_line_t* commandLine) {
  auto held = Adopt(commandLine);
  if (TCefApplicationCore* app = App()) app->Internal_OnBeforeChildProcessLaunch(commandLine);
}

cef_print_handler_t* TCefCustomBrowserProcessHandler::GetPrintHandler() { return nullptr; }

void TCefCustomBrowserProcessHandler::OnScheduleMessagePumpWork(int64 delayMs) {
  if (TCefApplicationCore* app = App()) app->Internal_OnScheduleMessagePumpWork(delayMs);
}

cef_client_t* TCefCustomBrowserProcessHandler::GetDefaultClient() {
  TCefApplicationCore* app = App();
  return app ? app->Internal_OnGetDefaultClient() : nullptr;
}

// --- Resource bundle handler. ---

TCefCustomResourceBundleHandler::TCefCustomResourceBundleHandler(TCefApplicationCore* app)
    : TCefAppReference(app) {
  using T = TCefCustomResourceBundleHandler;
  Bind<&T::GetLocalizedString>(cef()->get_localized_string);
  Bind<&T::GetDataResource>(cef()->get_data_resource);
  Bind<&T::GetDataResourceForScale>(cef()->get_data_resource_for_scale);
}

int TCefCustomResourceBundleHandler::GetLocalizedString(int stringId, cef_string_t* string) {
  TCefApplicationCore* app = App();
  return app ? app->Internal_OnGetLocalizedString(stringId, string) : 0;
}

int TCefCustomResourceBundleHandler::GetDataResource(int resourceId, void** data, size_t* size) {
  TCefApplicationCore* app = App();
  return app ? app->Internal_OnGetDataResource(resourceId, data, size) : 0;
}

int TCefCustomResourceBundleHandler::GetDataResourceForScale(int resourceId,
                                                             cef_scale_factor_t scale, void** data,
                                                             size_t* size) {
  TCefApplicationCore* app = App();
  return app ? app->Internal_OnGetDataResourceForScale(resourceId, scale, data, size) : 0;
}

// --- Render load handler. ---

TCustomRenderLoadHandler::TCustomRenderLoadHandler(TCefApplicationCore* app)
    : TCefAppReference(app) {
  using T = TCustomRenderLoadHandler;
  Bind<&T::OnLoadingStateChange>(cef()->on_loading_state_change);
  Bind<&T::OnLoadStart>(cef()->on_load_start);
  Bind<&T::OnLoadEnd>(cef()->on_load_end);
  Bind<&T::OnLoadError>(cef()->on_load_error);
}

void TCustomRenderLoadHandler::OnLoadingStateChange(cef_browser_t* browser, int isLoading,
                                                    int canGoBack, int canGoForward) {
  auto held = Adopt(browser);
  if (TCefApplicationCore* app = App())
    app->Internal_OnLoadingStateChange(browser, isLoading, canGoBack, canGoForward);
}

void TCustomRenderLoadHandler::OnLoadStart(cef_browser_t* browser, cef_frame_t* frame,
                                           cef_transition_type_t type) {
  auto held = Adopt(browser, frame);
  if (TCefApplicationCore* app = App()) app->Internal_OnLoadStart(browser, frame, type);
}

void TCustomRenderLoadHandler::OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame,
                                         int httpStatusCode) {
  auto held = Adopt(browser, frame);
  if (TCefApplicationCore* app = App()) app->Internal_OnLoadEnd(browser, frame, httpStatusCode);
}

void TCustomRenderLoadHandler::OnLoadError(cef_browser_t* browser, cef_frame_t* frame,
                                           cef_errorcode_t errorCode, const cef_string_t* errorText,
                                           const cef_string_t* failedUrl) {
  auto held = Adopt(browser, frame);
  if (TCefApplicationCore* app = App())
    app->Internal_OnLoadError(browser, frame, errorCode, errorText, failedUrl);
}

// --- Render process handler. ---

TCefCustomRenderProcessHandler::TCefCustomRenderProcessHandler(TCefApplicationCore* app)
    : TCefAppReference(app) {
  using T = TCefCustomRenderProcessHandler;
  Bind<&T::OnWebKitInitialized>(cef()->on_web_kit_initialized);
  Bind<&T::OnBrowserCreated>(cef()->on_browser_created);
  Bind<&T::OnBrowserDestroyed>(cef()->on_browser_destroyed);
  Bind<&T::GetLoadHandler>(cef()->get_load_handler);
  Bind<&T::OnContextCreated>(cef()->on_context_created);
  Bind<&T::OnContextReleased>(cef()->on_context_released);
  Bind<&T::OnUncaughtException>(cef()->on_uncaught_exception);
  Bind<&T::OnFocusedNodeChanged>(cef()->on_focused_node_changed);
  Bind<&T::OnProcessMessageReceived>(cef()->on_process_message_received);
  if (app->MustCreateLoadHandler()) FLoadHandler = CefNew<TCustomRenderLoadHandler>(app);
}

void TCefCustomRenderProcessHandler::RemoveReferences() {
  if (FLoadHandler) TCustomRenderLoadHandler::FromSelf(FLoadHandler.get())->RemoveReference();
  RemoveReference();
}

void TCefCustomRenderProcessHandler::OnWebKitInitialized() {
  if (TCefApplicationCore* app = App()) app->Internal_OnWebKitInitialized();
}

void TCefCustomRenderProcessHandler::OnBrowserCreated(cef_browser_t* browser,
                                                      cef_dictionary_value_t* extraInfo) {
  auto held = Adopt(browser, extraInfo);
  if (TCefApplicationCore* app = App()) app->Internal_OnBrowserCreated(browser, extraInfo);
}

void TCefCustomRenderProcessHandler::OnBrowserDestroyed(cef_browser_t* browser) {
  auto held = Adopt(browser);
  if (TCefApplicationCore* app = App()) app->Internal_OnBrowserDestroyed(browser);
}

cef_load_handler_t* TCefCustomRenderProcessHandler::GetLoadHandler() {
  return FLoadHandler.Share();
}

void TCefCustomRenderProcessHandler::OnContextCreated(cef_browser_t* browser, cef_frame_t* frame,
                                                      cef_v8context_t* context) {
  auto held = Adopt(browser, frame, context);
  if (TCefApplicationCore* app = App()) app->Internal_OnContextCreated(browser, frame, context);
}

void TCefCustomRenderProcessHandler::OnContextReleased(cef_browser_t* browser, cef_frame_t* frame,
                                                       cef_v8context_t* context) {
  auto held = Adopt(browser, frame, context);
  if (TCefApplicationCore* app = App()) app->Internal_OnContextReleased(browser, frame, context);
}

void TCefCustomRenderProcessHandler::OnUncaughtException(cef_browser_t* browser, cef_frame_t* frame,
                                                         cef_v8context_t* context,
                                                         cef_v8exception_t* exception,
                                                         cef_v8stack_trace_t* stackTrace) {
  auto held = Adopt(browser, frame, context, exception, stackTrace);
  if (TCefApplicationCore* app = App())
    app->Internal_OnUncaughtException(browser, frame, context, exception, stackTrace);
}

void TCefCustomRenderProcessHandler::OnFocusedNodeChanged(cef_browser_t* browser,
                                                          cef_frame_t* frame, cef_domnode_t* node) {
  auto held = Adopt(browser, frame, node);
  if (TCefApplicationCore* app = App()) app->Internal_OnFocusedNodeChanged(browser, frame, node);
}

int TCefCustomRenderProcessHandler::OnProcessMessageReceived(cef_browser_t* browser,
                                                             cef_frame_t* frame,
                                                             cef_process_id_t sourceProcess,
                                                             cef_process_message_t* message) {
  auto held = Adopt(browser, frame, message);
  TCefApplicationCore* app = App();
  return app ? app->Internal_OnProcessMessageReceived(browser, frame, sourceProcess, message) : 0;
}

// --- App object. ---

TCustomCefApp::TCustomCefApp(TCefApplicationCore* app) : TCefAppReference(app) {
  using T = TCustomCefApp;
  Bind<&T::OnBeforeCommandLineProcessing>(cef()->on_before_command_line_processing);
  Bind<&T::OnRegisterCustomSchemes>(cef()->on_register_custom_schemes);
  Bind<&T::GetResourceBundleHandler>(cef()->get_resource_bundle_handler);
  Bind<&T::GetBrowserProcessHandler>(cef()->get_browser_process_handler);
  Bind<&T::GetRenderProcessHandler>(cef()->get_render_process_handler);
  if (app->MustCreateBrowserProcessHandler())
    FBrowserProcessHandler = CefNew<TCefCustomBrowserProcessHandler>(app);
  if (app->MustCreateResourceBundleHandler())
    FResourceBundleHandler = CefNew<TCefCustomResourceBundleHandler>(app);
  if (app->MustCreateRenderProcessHandler())
    FRenderProcessHandler = CefNew<TCefCustomRenderProcessHandler>(app);
}

void TCustomCefApp::RemoveReferences() {
  std::lock_guard lock(FLock);
  if (FBrowserProcessHandler)
    TCefCustomBrowserProcessHandler::FromSelf(FBrowserProcessHandler.get())->RemoveReference();
  if (FResourceBundleHandler)
    TCefCustomResourceBundleHandler::FromSelf(FResourceBundleHandler.get())->RemoveReference();
  if (FRenderProcessHandler)
    TCefCustomRenderProcessHandler::FromSelf(FRenderProcessHandler.get())->RemoveReferences();
  FBrowserProcessHandler.Reset();
  FResourceBundleHandler.Reset();
  FRenderProcessHandler.Reset();
  RemoveReference();
}

void TCustomCefApp::OnBeforeCommandLineProcessing(const cef_string_t* processType,
                                                  cef_command_line_t* commandLine) {
  auto held = Adopt(commandLine);
  if (TCefApplicationCore* app = App())
    app->Internal_OnBeforeCommandLineProcessing(CefToWString(processType), commandLine);
}

void TCustomCefApp::OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar) {
  if (TCefApplicationCore* app = App()) app->Internal_OnRegisterCustomSchemes(registrar);
}

cef_resource_bundle_handler_t* TCustomCefApp::GetResourceBundleHandler() {
  std::lock_guard lock(FLock);
  return FResourceBundleHandler.Share();
}

cef_browser_process_handler_t* TCustomCefApp::GetBrowserProcessHandler() {
  std::lock_guard lock(FLock);
  return FBrowserProcessHandler.Share();
}

cef_render_process_handler_t* TCustomCefApp::GetRenderProcessHandler() {
  std::lock_guard lock(FLock);
  return FRenderProcessHandler.Share();
}

// --- Content-decryption module registration. ---

TCefRegisterCDMCallback::TCefRegisterCDMCallback(TCefApplicationCore* app) : TCefAppReference(app) {
  Bind<&TCefRegisterCDMCallback::OnCDMRegistrationComplete>(cef()->on_cdm_registration_complete);
}

void TCefRegisterCDMCallback::OnCDMRegistrationComplete(cef_cdm_registration_error_t result,
                                                        const cef_string_t* errorMessage) {
  if (TCefApplicationCore* app = App())
    app->Internal_OnCDMRegistrationComplete(result, errorMessage);
}

}  // namespace quirel
