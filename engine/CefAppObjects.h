// The objects through which the engine calls back into the program: the app object of every
// process and the handlers it hands out. They hold no logic: each callback goes to an entry
// point of the application object. After RemoveReferences a late callback does nothing.
#pragma once

#include <mutex>

#include "engine/BackReference.h"
#include "engine/CefApplicationCore.h"
#include "engine/capi/CefObject.h"

namespace quirel {

// The application object a callback reaches; null once the references were removed.
class TCefAppReference : public TBackReference<TCefApplicationCore> {
 public:
  using TBackReference::TBackReference;
  TCefApplicationCore* App() const { return Target(); }
};

class TCefCustomBrowserProcessHandler
    : public CefObject<TCefCustomBrowserProcessHandler, cef_browser_process_handler_t>,
      public TCefAppReference {
 public:
  explicit TCefCustomBrowserProcessHandler(TCefApplicationCore* app);

 private:
  void GetCookieableSchemes(cef_string_list_t schemes, int* includeDefaults);
  void OnContextInitialized();
  void OnBeforeChildProcessLaunch(cef_command_line_t* commandLine);
  // The getters' results carry one reference for the engine (null: none).
  cef_print_handler_t* GetPrintHandler();
  void OnScheduleMessagePumpWork(int64 delayMs);
  cef_client_t* GetDefaultClient();
};

class TCefCustomResourceBundleHandler
    : public CefObject<TCefCustomResourceBundleHandler, cef_resource_bundle_handler_t>,
      public TCefAppReference {
 public:
  explicit TCefCustomResourceBundleHandler(TCefApplicationCore* app);

 private:
  int GetLocalizedString(int stringId, cef_string_t* string);
  int GetDataResource(int resourceId, void** data, size_t* size);
  int GetDataResourceForScale(int resourceId, cef_scale_factor_t scale, void** data, size_t* size);
};

class TCustomRenderLoadHandler : public CefObject<TCustomRenderLoadHandler, cef_load_handler_t>,
                                 public TCefAppReference {
 public:
  explicit TCustomRenderLoadHandler(TCefApplicationCore* app);

 private:
  void OnLoadingStateChange(cef_browser_t* browser, int isLoading, int canGoBack, int canGoForward);
  void OnLoadStart(cef_browser_t* browser, cef_frame_t* frame, cef_transition_type_t type);
  void OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode);
  void OnLoadError(cef_browser_t* browser, cef_frame_t* frame, cef_errorcode_t errorCode,
                   const cef_string_t* errorText, const cef_string_t* failedUrl);
};

class TCefCustomRenderProcessHandler
    : public CefObject<TCefCustomRenderProcessHandler, cef_render_process_handler_t>,
      public TCefAppReference {
 public:
  explicit TCefCustomRenderProcessHandler(TCefApplicationCore* app);
  void RemoveReferences();

 private:
  void OnWebKitInitialized();
  void OnBrowserCreated(cef_browser_t* browser, cef_dictionary_value_t* extraInfo);
  void OnBrowserDestroyed(cef_browser_t* browser);
  cef_load_handler_t* GetLoadHandler();
  void OnContextCreated(cef_browser_t* browser, cef_frame_t* frame, cef_v8context_t* context);
  void OnContextReleased(cef_browser_t* browser, cef_frame_t* frame, cef_v8context_t* context);
  void OnUncaughtException(cef_browser_t* browser, cef_frame_t* frame, cef_v8context_t* context,
                           cef_v8exception_t* exception, cef_v8stack_trace_t* stackTrace);
  void OnFocusedNodeChanged(cef_browser_t* browser, cef_frame_t* frame, cef_domnode_t* node);
  int OnProcessMessageReceived(cef_browser_t* browser, cef_frame_t* frame,
                               cef_process_id_t sourceProcess, cef_process_message_t* message);

  CefRef<cef_load_handler_t> FLoadHandler;
};

class TCustomCefApp : public CefObject<TCustomCefApp, cef_app_t>, public TCefAppReference {
 public:
  // Creates the handlers this process needs, as the application object's predicates say.
  explicit TCustomCefApp(TCefApplicationCore* app);
  // The handlers drop their application object, then this drops the handlers and its own.
  void RemoveReferences();

 private:
  void OnBeforeCommandLineProcessing(const cef_string_t* processType,
                                     cef_command_line_t* commandLine);
  void OnRegisterCustomSchemes(cef_scheme_registrar_t* registrar);
  // The getters' results carry one reference for the engine (null: none).
  cef_resource_bundle_handler_t* GetResourceBundleHandler();
  cef_browser_process_handler_t* GetBrowserProcessHandler();
  cef_render_process_handler_t* GetRenderProcessHandler();

  // Guards the handler references against a RemoveReferences racing an engine thread.
  mutable std::mutex FLock;
  CefRef<cef_browser_process_handler_t> FBrowserProcessHandler;
  CefRef<cef_resource_bundle_handler_t> FResourceBundleHandler;
  CefRef<cef_render_process_handler_t> FRenderProcessHandler;
};

// Completion of the content-decryption module registration.
class TCefRegisterCDMCallback
    : public CefObject<TCefRegisterCDMCallback, cef_register_cdm_callback_t>,
      public TCefAppReference {
 public:
  explicit TCefRegisterCDMCallback(TCefApplicationCore* app);

 private:
  void OnCDMRegistrationComplete(cef_cdm_registration_error_t result,
                                 const cef_string_t* errorMessage);
};

}  // namespace quirel
