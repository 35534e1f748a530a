// Entry points of the engine's callbacks into the application object: each does the
// object's own work, if any, and fires the matching event under the exception policy.
#include "engine/CefApplicationCore.h"

namespace quirel {
namespace {

template <typename R, typename Event, typename... Args>
R FireResult(R failure, const Event& event, Args... args) {
  return CefGuarded(failure, [&]() -> R { return event ? event(args...) : failure; });
}

template <typename Event, typename... Args>
void Fire(const Event& event, Args... args) {
  CefGuarded([&] {
    if (event) event(args...);
  });
}

}  // namespace

void TCefApplicationCore::Internal_OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar) {
  Fire(OnRegCustomSchemes, registrar);
}

void TCefApplicationCore::Internal_OnContextInitialized() {
  CefGuarded([&] {
    FGlobalContextInitialized.store(true);
    ApplySupportedSchemes(true);
  });
  Fire(OnContextInitialized);
}

void TCefApplicationCore::Internal_OnWebKitInitialized() { Fire(OnWebKitInitialized); }

void TCefApplicationCore::Internal_OnGetCookieableSchemes(cef_string_list_t schemes,
                                                          int* includeDefaults) {
  Fire(OnGetCookieableSchemes, schemes, includeDefaults);
}

void TCefApplicationCore::Internal_OnBeforeChildProcessLaunch(cef_command_line_t* commandLine) {
  Fire(OnBeforeChildProcessLaunch, commandLine);
}

void TCefApplicationCore::Internal_OnScheduleMessagePumpWork(int64 delayMs) {
  Fire(OnScheduleMessagePumpWork, delayMs);
}

cef_client_t* TCefApplicationCore::Internal_OnGetDefaultClient() {
  return FireResult<cef_client_t*>(nullptr, OnGetDefaultClient);
}

int TCefApplicationCore::Internal_OnGetLocalizedString(int stringId, cef_string_t* string) {
  return FireResult(0, OnGetLocalizedString, stringId, string);
}

int TCefApplicationCore::Internal_OnGetDataResource(int resourceId, void** data, size_t* size) {
  return FireResult(0, OnGetDataResource, resourceId, data, size);
}

int TCefApplicationCore::Internal_OnGetDataResourceForScale(int resourceId,
                                                            cef_scale_factor_t scale, void** data,
                                                            size_t* size) {
  return FireResult(0, OnGetDataResourceForScale, resourceId, scale, data, size);
}

void TCefApplicationCore::Internal_OnBrowserCreated(cef_browser_t* browser,
                                                    cef_dictionary_value_t* extraInfo) {
  Fire(OnBrowserCreated, browser, extraInfo);
}

void TCefApplicationCore::Internal_OnBrowserDestroyed(cef_browser_t* browser) {
  Fire(OnBrowserDestroyed, browser);
}

void TCefApplicationCore::Internal_OnContextCreated(cef_browser_t* browser, cef_frame_t* frame,
                                                    cef_v8context_t* context) {
  Fire(OnContextCreated, browser, frame, context);
}

void TCefApplicationCore::Internal_OnContextReleased(cef_browser_t* browser, cef_frame_t* frame,
                                                     cef_v8context_t* context) {
  Fire(OnContextReleased, browser, frame, context);
}

void TCefApplicationCore::Internal_OnUncaughtException(cef_browser_t* browser, cef_frame_t* frame,
                                                       cef_v8context_t* context,
                                                       cef_v8exception_t* exception,
                                                       cef_v8stack_trace_t* stackTrace) {
  Fire(OnUncaughtException, browser, frame, context, exception, stackTrace);
}

void TCefApplicationCore::Internal_OnFocusedNodeChanged(cef_browser_t* browser, cef_frame_t* frame,
                                                        cef_domnode_t* node) {
  Fire(OnFocusedNodeChanged, browser, frame, node);
}

int TCefApplicationCore::Internal_OnProcessMessageReceived(cef_browser_t* browser,
                                                           cef_frame_t* frame,
                                                           cef_process_id_t sourceProcess,
                                                           cef_process_message_t* message) {
  return FireResult(0, OnProcessMessageReceived, browser, frame, sourceProcess, message);
}

void TCefApplicationCore::Internal_OnLoadingStateChange(cef_browser_t* browser, int isLoading,
                                                        int canGoBack, int canGoForward) {
  Fire(OnLoadingStateChange, browser, isLoading, canGoBack, canGoForward);
}

void TCefApplicationCore::Internal_OnLoadStart(cef_browser_t* browser, cef_frame_t* frame,
                                               cef_transition_type_t transitionType) {
  Fire(OnLoadStart, browser, frame, transitionType);
}

void TCefApplicationCore::Internal_OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame,
                                             int httpStatusCode) {
  Fire(OnLoadEnd, browser, frame, httpStatusCode);
}

void TCefApplicationCore::Internal_OnLoadError(cef_browser_t* browser, cef_frame_t* frame,
                                               cef_errorcode_t errorCode,
                                               const cef_string_t* errorText,
                                               const cef_string_t* failedUrl) {
  Fire(OnLoadError, browser, frame, errorCode, errorText, failedUrl);
}

void TCefApplicationCore::Internal_OnCDMRegistrationComplete(cef_cdm_registration_error_t result,
                                                             const cef_string_t* errorMessage) {
  Fire(OnCDMRegistrationComplete, result, errorMessage);
}

}  // namespace quirel
