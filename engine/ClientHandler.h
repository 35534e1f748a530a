// The client the engine calls for a component's browser, and the handler objects it hands
// out. They hold no logic: each callback goes to the component's IChromiumEvents. After
// RemoveReferences a late callback does nothing and the getters answer null.
#pragma once

#include <mutex>

#include "engine/BackReference.h"
#include "engine/ChromiumEvents.h"
#include "engine/capi/CefObject.h"

namespace quirel {

// The component a callback reaches; null once the reference was removed.
class TChromiumEventsReference : public TBackReference<IChromiumEvents> {
 public:
  using TBackReference::TBackReference;
  IChromiumEvents* Events() const { return Target(); }
};

class TCustomLifeSpanHandler : public CefObject<TCustomLifeSpanHandler, cef_life_span_handler_t>,
                               public TChromiumEventsReference {
 public:
  explicit TCustomLifeSpanHandler(IChromiumEvents* events);

 private:
  int OnBeforePopup(cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* targetUrl,
                    const cef_string_t* targetFrameName,
                    cef_window_open_disposition_t targetDisposition, int userGesture,
                    const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
                    cef_client_t** client, cef_browser_settings_t* settings,
                    cef_dictionary_value_t** extraInfo, int* noJavascriptAccess);
  void OnAfterCreated(cef_browser_t* browser);
  int DoClose(cef_browser_t* browser);
  void OnBeforeClose(cef_browser_t* browser);
};

class TCustomRequestHandler : public CefObject<TCustomRequestHandler, cef_request_handler_t>,
                              public TChromiumEventsReference {
 public:
  explicit TCustomRequestHandler(IChromiumEvents* events);

 private:
  int OnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request,
                     int userGesture, int isRedirect);
  int OnOpenUrlFromTab(cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* targetUrl,
                       cef_window_open_disposition_t targetDisposition, int userGesture);
  cef_resource_request_handler_t* GetResourceRequestHandler(
      cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request, int isNavigation,
      int isDownload, const cef_string_t* requestInitiator, int* disableDefaultHandling);
  int GetAuthCredentials(cef_browser_t* browser, const cef_string_t* originUrl, int isProxy,
                         const cef_string_t* host, int port, const cef_string_t* realm,
                         const cef_string_t* scheme, cef_auth_callback_t* callback);
  int OnQuotaRequest(cef_browser_t* browser, const cef_string_t* originUrl, int64 newSize,
                     cef_request_callback_t* callback);
  int OnCertificateError(cef_browser_t* browser, cef_errorcode_t certError,
                         const cef_string_t* requestUrl, cef_sslinfo_t* sslInfo,
                         cef_request_callback_t* callback);
  int OnSelectClientCertificate(cef_browser_t* browser, int isProxy, const cef_string_t* host,
                                int port, size_t certificatesCount,
                                cef_x509certificate_t* const* certificates,
                                cef_select_client_certificate_callback_t* callback);
  void OnPluginCrashed(cef_browser_t* browser, const cef_string_t* pluginPath);
  void OnRenderViewReady(cef_browser_t* browser);
  void OnRenderProcessTerminated(cef_browser_t* browser, cef_termination_status_t status);
  void OnDocumentAvailableInMainFrame(cef_browser_t* browser);
};

class TCustomLoadHandler : public CefObject<TCustomLoadHandler, cef_load_handler_t>,
                           public TChromiumEventsReference {
 public:
  explicit TCustomLoadHandler(IChromiumEvents* events);

 private:
  void OnLoadingStateChange(cef_browser_t* browser, int isLoading, int canGoBack, int canGoForward);
  void OnLoadStart(cef_browser_t* browser, cef_frame_t* frame, cef_transition_type_t type);
  void OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode);
  void OnLoadError(cef_browser_t* browser, cef_frame_t* frame, cef_errorcode_t errorCode,
                   const cef_string_t* errorText, const cef_string_t* failedUrl);
};

class TCustomDisplayHandler : public CefObject<TCustomDisplayHandler, cef_display_handler_t>,
                              public TChromiumEventsReference {
 public:
  explicit TCustomDisplayHandler(IChromiumEvents* events);

 private:
  void OnAddressChange(cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* url);
  void OnTitleChange(cef_browser_t* browser, const cef_string_t* title);
  void OnFaviconUrlChange(cef_browser_t* browser, cef_string_list_t iconUrls);
  void OnFullscreenModeChange(cef_browser_t* browser, int fullscreen);
  int OnTooltip(cef_browser_t* browser, cef_string_t* text);
  void OnStatusMessage(cef_browser_t* browser, const cef_string_t* value);
  int OnConsoleMessage(cef_browser_t* browser, cef_log_severity_t level,
                       const cef_string_t* message, const cef_string_t* source, int line);
  int OnAutoResize(cef_browser_t* browser, const cef_size_t* newSize);
  void OnLoadingProgressChange(cef_browser_t* browser, double progress);
  int OnCursorChange(cef_browser_t* browser, cef_cursor_handle_t cursor, cef_cursor_type_t type,
                     const cef_cursor_info_t* customCursorInfo);
};

class TCustomContextMenuHandler
    : public CefObject<TCustomContextMenuHandler, cef_context_menu_handler_t>,
      public TChromiumEventsReference {
 public:
  explicit TCustomContextMenuHandler(IChromiumEvents* events);

 private:
  void OnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                           cef_context_menu_params_t* params, cef_menu_model_t* model);
  int RunContextMenu(cef_browser_t* browser, cef_frame_t* frame, cef_context_menu_params_t* params,
                     cef_menu_model_t* model, cef_run_context_menu_callback_t* callback);
  int OnContextMenuCommand(cef_browser_t* browser, cef_frame_t* frame,
                           cef_context_menu_params_t* params, int commandId,
                           cef_event_flags_t eventFlags);
  void OnContextMenuDismissed(cef_browser_t* browser, cef_frame_t* frame);
};

class TCustomDownloadHandler : public CefObject<TCustomDownloadHandler, cef_download_handler_t>,
                               public TChromiumEventsReference {
 public:
  explicit TCustomDownloadHandler(IChromiumEvents* events);

 private:
  void OnBeforeDownload(cef_browser_t* browser, cef_download_item_t* downloadItem,
                        const cef_string_t* suggestedName, cef_before_download_callback_t* callback);
  void OnDownloadUpdated(cef_browser_t* browser, cef_download_item_t* downloadItem,
                         cef_download_item_callback_t* callback);
};

class TCustomClientHandler : public CefObject<TCustomClientHandler, cef_client_t>,
                             public TChromiumEventsReference {
 public:
  // Always the life-span and request handlers; the optional groups the component asks for.
  // Without a component (the developer tools' client) no handler at all.
  explicit TCustomClientHandler(IChromiumEvents* events);
  // The handlers drop their component, then this drops the handlers and its own.
  void RemoveReferences();

 private:
  // The getters' results carry one reference for the engine (null: none).
  cef_audio_handler_t* GetAudioHandler() { return nullptr; }
  cef_context_menu_handler_t* GetContextMenuHandler();
  cef_dialog_handler_t* GetDialogHandler() { return nullptr; }
  cef_display_handler_t* GetDisplayHandler();
  cef_download_handler_t* GetDownloadHandler();
  cef_drag_handler_t* GetDragHandler() { return nullptr; }
  cef_find_handler_t* GetFindHandler() { return nullptr; }
  cef_focus_handler_t* GetFocusHandler() { return nullptr; }
  cef_jsdialog_handler_t* GetJsdialogHandler() { return nullptr; }
  cef_keyboard_handler_t* GetKeyboardHandler() { return nullptr; }
  cef_life_span_handler_t* GetLifeSpanHandler();
  cef_load_handler_t* GetLoadHandler();
  cef_render_handler_t* GetRenderHandler() { return nullptr; }
  cef_request_handler_t* GetRequestHandler();
  int OnProcessMessageReceived(cef_browser_t* browser, cef_frame_t* frame,
                               cef_process_id_t sourceProcess, cef_process_message_t* message);

  template <typename T>
  T* Hand(const CefRef<T>& handler);

  // Guards the handler references against a RemoveReferences racing an engine thread.
  mutable std::mutex FLock;
  CefRef<cef_life_span_handler_t> FLifeSpanHandler;
  CefRef<cef_request_handler_t> FRequestHandler;
  CefRef<cef_load_handler_t> FLoadHandler;
  CefRef<cef_display_handler_t> FDisplayHandler;
  CefRef<cef_context_menu_handler_t> FContextMenuHandler;
  CefRef<cef_download_handler_t> FDownloadHandler;
};

}  // namespace quirel
