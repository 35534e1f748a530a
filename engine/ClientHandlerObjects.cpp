// The handler objects of a component's client. Every ref-counted argument carries a reference
// for us; the callbacks release it on return (the events only borrow the objects).
#include <tuple>
#include <vector>

#include "engine/ClientHandler.h"
#include "engine/capi/CefString.h"

namespace quirel {
namespace {

template <typename... T>
auto Adopt(T*... objects) {
  return std::make_tuple(CefAdopt(objects)...);
}

}  // namespace

// --- Life span. ---

TCustomLifeSpanHandler::TCustomLifeSpanHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomLifeSpanHandler;
  Bind<&T::OnBeforePopup>(cef()->on_before_popup);
  Bind<&T::OnAfterCreated>(cef()->on_after_created);
  Bind<&T::DoClose>(cef()->do_close);
  Bind<&T::OnBeforeClose>(cef()->on_before_close);
}

int TCustomLifeSpanHandler::OnBeforePopup(
    cef_browser_t* browser, cef_frame_t* frame, const cef_string_t* targetUrl,
    const cef_string_t* targetFrameName, cef_window_open_disposition_t targetDisposition,
    int userGesture, const cef_popup_features_t* popupFeatures, cef_window_info_t* windowInfo,
    cef_client_t** client, cef_browser_settings_t* settings, cef_dictionary_value_t** extraInfo,
    int* noJavascriptAccess) {
  auto held = Adopt(browser, frame);
  const CefRef<cef_client_t> entryClient = CefTakeSlot(client);
  const CefRef<cef_dictionary_value_t> entryExtraInfo = CefTakeSlot(extraInfo);
  IChromiumEvents* events = Events();
  if (!events || !windowInfo || !settings) return 0;
  CefRef<cef_client_t> newClient = entryClient;
  CefRef<cef_dictionary_value_t> newExtraInfo = entryExtraInfo;
  bool noJavascript = noJavascriptAccess && *noJavascriptAccess != 0;
  const cef_popup_features_t features = popupFeatures ? *popupFeatures : cef_popup_features_t{};
  const bool cancel = events->doOnBeforePopup(
      browser, frame, CefToWString(targetUrl), CefToWString(targetFrameName), targetDisposition,
      userGesture != 0, features, *windowInfo, newClient, *settings, newExtraInfo, noJavascript);
  CefGiveSlot(client, entryClient, newClient);
  CefGiveSlot(extraInfo, entryExtraInfo, newExtraInfo);
  if (noJavascriptAccess) *noJavascriptAccess = noJavascript ? 1 : 0;
  return cancel ? 1 : 0;
}

void TCustomLifeSpanHandler::OnAfterCreated(cef_browser_t* browser) {
  auto held = Adopt(browser);
  if (IChromiumEvents* events = Events()) events->doOnAfterCreated(browser);
}

int TCustomLifeSpanHandler::DoClose(cef_browser_t* browser) {
  auto held = Adopt(browser);
  IChromiumEvents* events = Events();
  return events && events->doOnClose(browser) ? 1 : 0;
}

void TCustomLifeSpanHandler::OnBeforeClose(cef_browser_t* browser) {
  auto held = Adopt(browser);
  // The component lets its handlers go here; this one must outlive its own callback.
  CefRef<cef_life_span_handler_t> self = CefRef<cef_life_span_handler_t>::Retain(cef());
  if (IChromiumEvents* events = Events()) events->doOnBeforeClose(browser);
}

// --- Request. ---

TCustomRequestHandler::TCustomRequestHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomRequestHandler;
  Bind<&T::OnBeforeBrowse>(cef()->on_before_browse);
  Bind<&T::OnOpenUrlFromTab>(cef()->on_open_urlfrom_tab);
  Bind<&T::GetResourceRequestHandler>(cef()->get_resource_request_handler);
  Bind<&T::GetAuthCredentials>(cef()->get_auth_credentials);
  Bind<&T::OnQuotaRequest>(cef()->on_quota_request);
  Bind<&T::OnCertificateError>(cef()->on_certificate_error);
  Bind<&T::OnSelectClientCertificate>(cef()->on_select_client_certificate);
  Bind<&T::OnPluginCrashed>(cef()->on_plugin_crashed);
  Bind<&T::OnRenderViewReady>(cef()->on_render_view_ready);
  Bind<&T::OnRenderProcessTerminated>(cef()->on_render_process_terminated);
  Bind<&T::OnDocumentAvailableInMainFrame>(cef()->on_document_available_in_main_frame);
}

int TCustomRequestHandler::OnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame,
                                          cef_request_t* request, int userGesture,
                                          int isRedirect) {
  auto held = Adopt(browser, frame, request);
  IChromiumEvents* events = Events();
  return events && events->doOnBeforeBrowse(browser, frame, request, userGesture != 0,
                                            isRedirect != 0)
             ? 1
             : 0;
}

int TCustomRequestHandler::OnOpenUrlFromTab(cef_browser_t* browser, cef_frame_t* frame,
                                            const cef_string_t*, cef_window_open_disposition_t,
                                            int) {
  auto held = Adopt(browser, frame);
  return 0;
}

cef_resource_request_handler_t* TCustomRequestHandler::GetResourceRequestHandler(
    cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request, int, int,
    const cef_string_t*, int*) {
  auto held = Adopt(browser, frame, request);
  return nullptr;
}

int TCustomRequestHandler::GetAuthCredentials(cef_browser_t* browser, const cef_string_t*, int,
                                              const cef_string_t*, int, const cef_string_t*,
                                              const cef_string_t*, cef_auth_callback_t* callback) {
  auto held = Adopt(browser, callback);
  return 0;
}

int TCustomRequestHandler::OnQuotaRequest(cef_browser_t* browser, const cef_string_t*, int64,
                                          cef_request_callback_t* callback) {
  auto held = Adopt(browser, callback);
  return 0;
}

int TCustomRequestHandler::OnCertificateError(cef_browser_t* browser, cef_errorcode_t,
                                              const cef_string_t*, cef_sslinfo_t* sslInfo,
                                              cef_request_callback_t* callback) {
  auto held = Adopt(browser, sslInfo, callback);
  return 0;
}

int TCustomRequestHandler::OnSelectClientCertificate(
    cef_browser_t* browser, int, const cef_string_t*, int, size_t certificatesCount,
    cef_x509certificate_t* const* certificates, cef_select_client_certificate_callback_t* callback) {
  auto held = Adopt(browser, callback);
  std::vector<CefRef<cef_x509certificate_t>> heldCertificates;
  for (size_t i = 0; certificates && i < certificatesCount; ++i)
    heldCertificates.push_back(CefAdopt(certificates[i]));
  return 0;
}

void TCustomRequestHandler::OnPluginCrashed(cef_browser_t* browser, const cef_string_t*) {
  auto held = Adopt(browser);
}

void TCustomRequestHandler::OnRenderViewReady(cef_browser_t* browser) { auto held = Adopt(browser); }

void TCustomRequestHandler::OnRenderProcessTerminated(cef_browser_t* browser,
                                                      cef_termination_status_t) {
  auto held = Adopt(browser);
}

void TCustomRequestHandler::OnDocumentAvailableInMainFrame(cef_browser_t* browser) {
  auto held = Adopt(browser);
}

// --- Load. ---

TCustomLoadHandler::TCustomLoadHandler(IChromiumEvents* events) : TChromiumEventsReference(events) {
  using T = TCustomLoadHandler;
  Bind<&T::OnLoadingStateChange>(cef()->on_loading_state_change);
  Bind<&T::OnLoadStart>(cef()->on_load_start);
  Bind<&T::OnLoadEnd>(cef()->on_load_end);
  Bind<&T::OnLoadError>(cef()->on_load_error);
}

void TCustomLoadHandler::OnLoadingStateChange(cef_browser_t* browser, int isLoading,
                                              int canGoBack, int canGoForward) {
  auto held = Adopt(browser);
  if (IChromiumEvents* events = Events())
    events->doOnLoadingStateChange(browser, isLoading != 0, canGoBack != 0, canGoForward != 0);
}

void TCustomLoadHandler::OnLoadStart(cef_browser_t* browser, cef_frame_t* frame,
                                     cef_transition_type_t) {
  auto held = Adopt(browser, frame);
}

void TCustomLoadHandler::OnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode) {
  auto held = Adopt(browser, frame);
  if (IChromiumEvents* events = Events()) events->doOnLoadEnd(browser, frame, httpStatusCode);
}

void TCustomLoadHandler::OnLoadError(cef_browser_t* browser, cef_frame_t* frame, cef_errorcode_t,
                                     const cef_string_t*, const cef_string_t*) {
  auto held = Adopt(browser, frame);
}

// --- Display. ---

TCustomDisplayHandler::TCustomDisplayHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomDisplayHandler;
  Bind<&T::OnAddressChange>(cef()->on_address_change);
  Bind<&T::OnTitleChange>(cef()->on_title_change);
  Bind<&T::OnFaviconUrlChange>(cef()->on_favicon_urlchange);
  Bind<&T::OnFullscreenModeChange>(cef()->on_fullscreen_mode_change);
  Bind<&T::OnTooltip>(cef()->on_tooltip);
  Bind<&T::OnStatusMessage>(cef()->on_status_message);
  Bind<&T::OnConsoleMessage>(cef()->on_console_message);
  Bind<&T::OnAutoResize>(cef()->on_auto_resize);
  Bind<&T::OnLoadingProgressChange>(cef()->on_loading_progress_change);
  Bind<&T::OnCursorChange>(cef()->on_cursor_change);
}

void TCustomDisplayHandler::OnAddressChange(cef_browser_t* browser, cef_frame_t* frame,
                                            const cef_string_t*) {
  auto held = Adopt(browser, frame);
}

void TCustomDisplayHandler::OnTitleChange(cef_browser_t* browser, const cef_string_t* title) {
  auto held = Adopt(browser);
  if (IChromiumEvents* events = Events()) events->doOnTitleChange(browser, CefToWString(title));
}

void TCustomDisplayHandler::OnFaviconUrlChange(cef_browser_t* browser, cef_string_list_t) {
  auto held = Adopt(browser);
}

void TCustomDisplayHandler::OnFullscreenModeChange(cef_browser_t* browser, int) {
  auto held = Adopt(browser);
}

int TCustomDisplayHandler::OnTooltip(cef_browser_t* browser, cef_string_t*) {
  auto held = Adopt(browser);
  return 0;
}

void TCustomDisplayHandler::OnStatusMessage(cef_browser_t* browser, const cef_string_t*) {
  auto held = Adopt(browser);
}

int TCustomDisplayHandler::OnConsoleMessage(cef_browser_t* browser, cef_log_severity_t,
                                            const cef_string_t*, const cef_string_t*, int) {
  auto held = Adopt(browser);
  return 0;
}

int TCustomDisplayHandler::OnAutoResize(cef_browser_t* browser, const cef_size_t*) {
  auto held = Adopt(browser);
  return 0;
}

void TCustomDisplayHandler::OnLoadingProgressChange(cef_browser_t* browser, double progress) {
  auto held = Adopt(browser);
  if (IChromiumEvents* events = Events()) events->doOnLoadingProgressChange(browser, progress);
}

int TCustomDisplayHandler::OnCursorChange(cef_browser_t* browser, cef_cursor_handle_t,
                                          cef_cursor_type_t, const cef_cursor_info_t*) {
  auto held = Adopt(browser);
  return 0;
}

// --- Context menu. ---

TCustomContextMenuHandler::TCustomContextMenuHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomContextMenuHandler;
  Bind<&T::OnBeforeContextMenu>(cef()->on_before_context_menu);
  Bind<&T::RunContextMenu>(cef()->run_context_menu);
  Bind<&T::OnContextMenuCommand>(cef()->on_context_menu_command);
  Bind<&T::OnContextMenuDismissed>(cef()->on_context_menu_dismissed);
}

void TCustomContextMenuHandler::OnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                                                    cef_context_menu_params_t* params,
                                                    cef_menu_model_t* model) {
  auto held = Adopt(browser, frame, params, model);
  if (IChromiumEvents* events = Events())
    events->doOnBeforeContextMenu(browser, frame, params, model);
}

int TCustomContextMenuHandler::RunContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                                              cef_context_menu_params_t* params,
                                              cef_menu_model_t* model,
                                              cef_run_context_menu_callback_t* callback) {
  auto held = Adopt(browser, frame, params, model, callback);
  return 0;
}

int TCustomContextMenuHandler::OnContextMenuCommand(cef_browser_t* browser, cef_frame_t* frame,
                                                    cef_context_menu_params_t* params, int,
                                                    cef_event_flags_t) {
  auto held = Adopt(browser, frame, params);
  return 0;
}

void TCustomContextMenuHandler::OnContextMenuDismissed(cef_browser_t* browser, cef_frame_t* frame) {
  auto held = Adopt(browser, frame);
}

// --- Download. ---

TCustomDownloadHandler::TCustomDownloadHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomDownloadHandler;
  Bind<&T::OnBeforeDownload>(cef()->on_before_download);
  Bind<&T::OnDownloadUpdated>(cef()->on_download_updated);
}

void TCustomDownloadHandler::OnBeforeDownload(cef_browser_t* browser,
                                              cef_download_item_t* downloadItem,
                                              const cef_string_t* suggestedName,
                                              cef_before_download_callback_t* callback) {
  auto held = Adopt(browser, downloadItem, callback);
  if (IChromiumEvents* events = Events())
    events->doOnBeforeDownload(browser, downloadItem, CefToWString(suggestedName), callback);
}

void TCustomDownloadHandler::OnDownloadUpdated(cef_browser_t* browser,
                                               cef_download_item_t* downloadItem,
                                               cef_download_item_callback_t* callback) {
  auto held = Adopt(browser, downloadItem, callback);
}

}  // namespace quirel
