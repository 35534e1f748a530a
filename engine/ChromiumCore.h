// The browser component's core: ties one engine browser to its window, forwards the window's
// commands to it and turns the engine's callbacks into events. Independent of window
// controls (TChromium adds those). Operations run on the window's thread, events on the
// engine's UI thread; every operation on the browser is skipped unless Initialized.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "engine/ChromiumEvents.h"
#include "engine/ChromiumOptions.h"

namespace quirel {

struct TBrowserInfo {
  CefRef<cef_browser_t> Browser;
  int ID = 0;
  bool BrowserIsClosing = false;
};
using TBrowserInfoList = std::vector<TBrowserInfo>;

enum TCefBrowserNavigation { bnBack, bnForward, bnReload, bnReloadIgnoreCache, bnStopLoad };

class TChromiumCore : public IChromiumEvents {
 public:
  TChromiumCore();
  // Does not close its browser (the window does that first); releases the handler objects.
  ~TChromiumCore() override;
  TChromiumCore(const TChromiumCore&) = delete;
  TChromiumCore& operator=(const TChromiumCore&) = delete;

  const std::wstring& DefaultUrl() const { return FDefaultUrl; }
  void SetDefaultUrl(std::wstring url) { FDefaultUrl = std::move(url); }
  TChromiumOptions& Options() { return FOptions; }
  TChromiumFontOptions& FontOptions() { return FFontOptions; }
  // Empty: the options' list, then the application's, then "en-US,en".
  std::wstring AcceptLanguageList;
  std::wstring DefaultEncoding;

  bool Initialized() const;
  int BrowserId() const;
  bool MultiBrowserMode() const { return FMultiBrowserMode; }
  bool IsOSR() const { return FIsOSR; }

  // Creates the client handler (engine UI thread, during a popup request) and hands it out;
  // false when the component has one already.
  bool CreateClientHandler(CefRef<cef_client_t>& aClient, bool aIsOSR);

  // Asks the engine for a browser as a child of `parent` covering `rect` (none: no parent).
  // True means the request was accepted, not that the browser exists.
  bool CreateBrowser(HWND parent, const RECT& rect, const std::wstring& aWindowName = L"",
                     cef_request_context_t* aContext = nullptr,
                     cef_dictionary_value_t* aExtraInfo = nullptr);

  void LoadURL(const std::wstring& aURL, const std::wstring& aFrameName = L"");
  // Posted to the engine's UI thread; return at once.
  void GoBack() { Navigate(bnBack); }
  void GoForward() { Navigate(bnForward); }
  void Reload() { Navigate(bnReload); }
  void CloseBrowser(bool aForceClose);
  void NotifyMoveOrResizeStarted();

  // The records the last CreateBrowser / ShowDevTools handed the engine.
  const TCefWindowInfo& WindowInfo() const { return FWindowInfo; }
  const TCefBrowserSettings& BrowserSettings() const { return FBrowserSettings; }
  const TCefWindowInfo& DevWindowInfo() const { return FDevWindowInfo; }
  const TCefBrowserSettings& DevBrowserSettings() const { return FDevBrowserSettings; }

  // Assign events BEFORE the client handler is created: the handler carries a group of
  // callbacks only when one of its events is assigned then.
  TOnAfterCreated OnAfterCreated;
  TOnBeforePopup OnBeforePopup;
  TOnBeforeBrowse OnBeforeBrowse;
  TOnLoadEnd OnLoadEnd;
  TOnLoadingProgressChange OnLoadingProgressChange;
  TOnLoadingStateChange OnLoadingStateChange;
  TOnTitleChange OnTitleChange;
  TOnBeforeContextMenu OnBeforeContextMenu;
  TOnBeforeDownload OnBeforeDownload;
  TOnClose OnClose;
  TOnBeforeClose OnBeforeClose;

  // --- IChromiumEvents (engine UI thread). ---
  bool MustCreateLoadHandler() const override;
  bool MustCreateDisplayHandler() const override;
  bool MustCreateContextMenuHandler() const override;
  bool MustCreateDownloadHandler() const override;
  bool doOnBeforePopup(cef_browser_t* browser, cef_frame_t* frame, const std::wstring& targetUrl,
                       const std::wstring& targetFrameName,
                       cef_window_open_disposition_t targetDisposition, bool userGesture,
                       const TCefPopupFeatures& popupFeatures, TCefWindowInfo& windowInfo,
                       CefRef<cef_client_t>& client, TCefBrowserSettings& settings,
                       CefRef<cef_dictionary_value_t>& extraInfo,
                       bool& noJavascriptAccess) override;
  void doOnAfterCreated(cef_browser_t* browser) override;
  bool doOnClose(cef_browser_t* browser) override;
  void doOnBeforeClose(cef_browser_t* browser) override;
  bool doOnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame, cef_request_t* request,
                        bool userGesture, bool isRedirect) override;
  void doOnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode) override;
  void doOnLoadingStateChange(cef_browser_t* browser, bool isLoading, bool canGoBack,
                              bool canGoForward) override;
  void doOnTitleChange(cef_browser_t* browser, const std::wstring& title) override;
  void doOnLoadingProgressChange(cef_browser_t* browser, double progress) override;
  void doOnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                             cef_context_menu_params_t* params, cef_menu_model_t* model) override;
  void doOnBeforeDownload(cef_browser_t* browser, cef_download_item_t* downloadItem,
                          const std::wstring& suggestedName,
                          cef_before_download_callback_t* callback) override;

 protected:
  // The current browser while Initialized; null otherwise.
  CefRef<cef_browser_t> LiveBrowser() const;
  CefRef<cef_browser_host_t> LiveHost() const;
  // Opens the developer tools in the window FDevWindowInfo describes (filled by the caller).
  void ShowDevToolsWith(const POINT& inspectElementAt);
  void CloseDevToolsNow();

  TCefWindowInfo FWindowInfo{};
  TCefWindowInfo FDevWindowInfo{};
  TCefBrowserSettings FBrowserSettings{};
  TCefBrowserSettings FDevBrowserSettings{};
  DWORD FDefaultWindowInfoExStyle = 0;

 private:
  void Navigate(TCefBrowserNavigation navigation);
  void ApplyBrowserPreferences(cef_browser_t* browser);
  void ReleaseHandlers();
  bool InitializedLocked() const;
  const TBrowserInfo* CurrentEntryLocked() const;

  // Guards FHandler: made on either thread, released on the engine's.
  mutable std::mutex FHandlerCS;
  CefRef<cef_client_t> FHandler;
  mutable std::mutex FBrowsersCS;
  TBrowserInfoList FBrowsers;
  int FBrowserId = 0;
  bool FMultiBrowserMode = false;
  bool FIsOSR = false;
  std::wstring FDefaultUrl = L"about:blank";
  TChromiumOptions FOptions;
  TChromiumFontOptions FFontOptions;
};

}  // namespace quirel
