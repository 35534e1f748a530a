// The browser component's events and the interface through which its client handler reports
// the engine's callbacks. Everything here is raised on the engine's UI thread.
#pragma once

#include <functional>
#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel {

using TCefWindowInfo = cef_window_info_t;
using TCefPopupFeatures = cef_popup_features_t;
using TCefBrowserSettings = cef_browser_settings_t;

enum TCefCloseBrowserAction { cbaClose, cbaDelay, cbaCancel };

class TChromiumCore;

// An unassigned (empty) handler is skipped.
using TOnAfterCreated = std::function<void(TChromiumCore& Sender, cef_browser_t* browser)>;
// windowInfo and settings are the engine's own records: set their strings with CefStringSet.
using TOnBeforePopup = std::function<void(
    TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame, const std::wstring& targetUrl,
    const std::wstring& targetFrameName, cef_window_open_disposition_t targetDisposition,
    bool userGesture, const TCefPopupFeatures& popupFeatures, TCefWindowInfo& windowInfo,
    CefRef<cef_client_t>& client, TCefBrowserSettings& settings,
    CefRef<cef_dictionary_value_t>& extra_info, bool& noJavascriptAccess, bool& Result)>;
using TOnBeforeBrowse =
    std::function<void(TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame,
                       cef_request_t* request, bool user_gesture, bool isRedirect, bool& Result)>;
using TOnLoadEnd = std::function<void(TChromiumCore& Sender, cef_browser_t* browser,
                                      cef_frame_t* frame, int httpStatusCode)>;
using TOnLoadingProgressChange =
    std::function<void(TChromiumCore& Sender, cef_browser_t* browser, double progress)>;
using TOnLoadingStateChange = std::function<void(TChromiumCore& Sender, cef_browser_t* browser,
                                                 bool isLoading, bool canGoBack, bool canGoForward)>;
using TOnTitleChange =
    std::function<void(TChromiumCore& Sender, cef_browser_t* browser, const std::wstring& title)>;
using TOnBeforeContextMenu =
    std::function<void(TChromiumCore& Sender, cef_browser_t* browser, cef_frame_t* frame,
                       cef_context_menu_params_t* params, cef_menu_model_t* model)>;
using TOnBeforeDownload = std::function<void(
    TChromiumCore& Sender, cef_browser_t* browser, cef_download_item_t* downloadItem,
    const std::wstring& suggestedName, cef_before_download_callback_t* callback)>;
using TOnClose = std::function<void(TChromiumCore& Sender, cef_browser_t* browser,
                                    TCefCloseBrowserAction& aAction)>;
using TOnBeforeClose = std::function<void(TChromiumCore& Sender, cef_browser_t* browser)>;

// What the client handler and its handler objects call. The Must* answers decide, when the
// client handler is made, which optional groups of callbacks it carries.
class IChromiumEvents {
 public:
  virtual ~IChromiumEvents() = default;

  virtual bool MustCreateLoadHandler() const = 0;
  virtual bool MustCreateDisplayHandler() const = 0;
  virtual bool MustCreateContextMenuHandler() const = 0;
  virtual bool MustCreateDownloadHandler() const = 0;

  // Life span. doOnBeforePopup and doOnClose give the engine's answer (true = 1).
  virtual bool doOnBeforePopup(cef_browser_t* browser, cef_frame_t* frame,
                               const std::wstring& targetUrl, const std::wstring& targetFrameName,
                               cef_window_open_disposition_t targetDisposition, bool userGesture,
                               const TCefPopupFeatures& popupFeatures, TCefWindowInfo& windowInfo,
                               CefRef<cef_client_t>& client, TCefBrowserSettings& settings,
                               CefRef<cef_dictionary_value_t>& extraInfo,
                               bool& noJavascriptAccess) = 0;
  virtual void doOnAfterCreated(cef_browser_t* browser) = 0;
  virtual bool doOnClose(cef_browser_t* browser) = 0;
  virtual void doOnBeforeClose(cef_browser_t* browser) = 0;
  // Request: true cancels the navigation.
  virtual bool doOnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request,
                                bool userGesture, bool isRedirect) = 0;
  // Load.
  virtual void doOnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode) = 0;
  virtual void doOnLoadingStateChange(cef_browser_t* browser, bool isLoading, bool canGoBack,
                                      bool canGoForward) = 0;
  // Display.
  virtual void doOnTitleChange(cef_browser_t* browser, const std::wstring& title) = 0;
  virtual void doOnLoadingProgressChange(cef_browser_t* browser, double progress) = 0;
  // Context menu.
  virtual void doOnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                                     cef_context_menu_params_t* params,
                                     cef_menu_model_t* model) = 0;
  // Download.
  virtual void doOnBeforeDownload(cef_browser_t* browser, cef_download_item_t* downloadItem,
                                  const std::wstring& suggestedName,
                                  cef_before_download_callback_t* callback) = 0;
};

}  // namespace quirel
