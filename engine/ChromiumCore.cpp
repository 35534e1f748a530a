#include "engine/ChromiumCore.h"

#include <algorithm>
#include <climits>

#include "engine/CefApplicationCore.h"
#include "engine/ChromiumPreferences.h"
#include "engine/ClientHandler.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefObject.h"
#include "engine/capi/CefString.h"

namespace quirel {
namespace {

// History and reload run on the engine's UI thread; the task holds the browser meanwhile.
class TCefBrowserNavigationTask : public CefObject<TCefBrowserNavigationTask, cef_task_t> {
 public:
  TCefBrowserNavigationTask(CefRef<cef_browser_t> browser, TCefBrowserNavigation navigation)
      : FBrowser(std::move(browser)), FNavigation(navigation) {
    Bind<&TCefBrowserNavigationTask::Execute>(cef()->execute);
  }

 private:
  void Execute() {
    CefGuarded([&] {
      cef_browser_t* b = FBrowser.get();
      switch (FNavigation) {
        case bnBack: b->go_back(b); break;
        case bnForward: b->go_forward(b); break;
        case bnReload: b->reload(b); break;
        case bnReloadIgnoreCache: b->reload_ignore_cache(b); break;
        case bnStopLoad: b->stop_load(b); break;
      }
    });
  }

  CefRef<cef_browser_t> FBrowser;
  TCefBrowserNavigation FNavigation;
};

// A reference for the engine to an object our caller only lends us.
template <typename T>
T* LendToEngine(T* object) {
  return CefRef<T>::Retain(object).Detach();
}

bool MultiThreadedEngine() { return !GlobalCEFApp || GlobalCEFApp->MultiThreadedMessageLoop; }

}  // namespace

TChromiumCore::TChromiumCore() = default;

TChromiumCore::~TChromiumCore() {
  ReleaseHandlers();
  ClearWindowInfo(FWindowInfo);
  ClearWindowInfo(FDevWindowInfo);
  ClearBrowserSettings(FBrowserSettings);
  ClearBrowserSettings(FDevBrowserSettings);
}

// --- Browser list. ---

const TBrowserInfo* TChromiumCore::CurrentEntryLocked() const {
  if (FBrowserId == 0) return nullptr;
  auto it = std::find_if(FBrowsers.begin(), FBrowsers.end(),
                         [&](const TBrowserInfo& info) { return info.ID == FBrowserId; });
  return it == FBrowsers.end() ? nullptr : &*it;
}

bool TChromiumCore::InitializedLocked() const {
  const TBrowserInfo* entry = CurrentEntryLocked();
  return entry && !entry->BrowserIsClosing;
}

bool TChromiumCore::Initialized() const {
  std::lock_guard lock(FBrowsersCS);
  return InitializedLocked();
}

int TChromiumCore::BrowserId() const {
  std::lock_guard lock(FBrowsersCS);
  return FBrowserId;
}

CefRef<cef_browser_t> TChromiumCore::LiveBrowser() const {
  std::lock_guard lock(FBrowsersCS);
  return InitializedLocked() ? CurrentEntryLocked()->Browser : CefRef<cef_browser_t>();
}

CefRef<cef_browser_host_t> TChromiumCore::LiveHost() const {
  CefRef<cef_browser_t> browser = LiveBrowser();
  return browser ? CefAdopt(browser->get_host(browser.get())) : CefRef<cef_browser_host_t>();
}

// --- Client handler. ---

bool TChromiumCore::CreateClientHandler(CefRef<cef_client_t>& aClient, bool aIsOSR) {
  return CefGuarded(false, [&] {
    std::lock_guard lock(FHandlerCS);
    if (FHandler) return false;
    FIsOSR = aIsOSR;
    FHandler = CefNew<TCustomClientHandler>(this);
    aClient = FHandler;
    return true;
  });
}

void TChromiumCore::ReleaseHandlers() {
  std::lock_guard lock(FHandlerCS);
  if (!FHandler) return;
  TCustomClientHandler::FromSelf(FHandler.get())->RemoveReferences();
  FHandler.Reset();
}

bool TChromiumCore::MustCreateLoadHandler() const {
  return OnLoadEnd || OnLoadingStateChange;
}
bool TChromiumCore::MustCreateDisplayHandler() const {
  return OnTitleChange || OnLoadingProgressChange;
}
bool TChromiumCore::MustCreateContextMenuHandler() const { return bool(OnBeforeContextMenu); }
bool TChromiumCore::MustCreateDownloadHandler() const { return bool(OnBeforeDownload); }

// --- Creating a browser. ---

bool TChromiumCore::CreateBrowser(HWND parent, const RECT& rect, const std::wstring& aWindowName,
                                  cef_request_context_t* aContext,
                                  cef_dictionary_value_t* aExtraInfo) {
  return CefGuarded(false, [&] {
    if (BrowserId() != 0) return false;
    if (!GlobalCEFApp || !GlobalCEFApp->GlobalContextInitialized()) return false;
    CefRef<cef_client_t> client;
    if (!CreateClientHandler(client, parent == nullptr)) return false;
    // A refused request leaves nothing behind, so that the caller's retry can succeed.
    bool accepted = false;
    try {
      FillBrowserSettings(FOptions, FFontOptions, DefaultEncoding, FBrowserSettings);
      FillChildWindowInfo(FWindowInfo, parent, rect, aWindowName, FDefaultWindowInfoExStyle);
      CefStringArg url(FDefaultUrl);
      if (MultiThreadedEngine()) {
        accepted = g_cef.cef_browser_host_create_browser(
                       &FWindowInfo, client.Share(), url, &FBrowserSettings,
                       LendToEngine(aExtraInfo), LendToEngine(aContext)) != 0;
      } else {
        CefRef<cef_browser_t> browser = CefAdopt(g_cef.cef_browser_host_create_browser_sync(
            &FWindowInfo, client.Share(), url, &FBrowserSettings, LendToEngine(aExtraInfo),
            LendToEngine(aContext)));
        if (browser) {
          std::lock_guard lock(FBrowsersCS);
          const int id = browser->get_identifier(browser.get());
          FBrowsers.push_back({browser, id, false});
          if (FBrowserId == 0) FBrowserId = id;
          accepted = true;
        }
      }
    } catch (...) {
      ReleaseHandlers();
      throw;
    }
    if (!accepted) ReleaseHandlers();
    return accepted;
  });
}

// --- Commands. ---

void TChromiumCore::LoadURL(const std::wstring& aURL, const std::wstring& aFrameName) {
  CefGuarded([&] {
    CefRef<cef_browser_t> browser = LiveBrowser();
    if (!browser) return;
    CefRef<cef_frame_t> frame =
        aFrameName.empty()
            ? CefAdopt(browser->get_main_frame(browser.get()))
            : CefAdopt(browser->get_frame(browser.get(), CefStringArg(aFrameName)));
    if (frame && frame->is_valid(frame.get())) frame->load_url(frame.get(), CefStringArg(aURL));
  });
}

void TChromiumCore::Navigate(TCefBrowserNavigation navigation) {
  CefGuarded([&] {
    CefRef<cef_browser_t> browser = LiveBrowser();
    if (!browser) return;
    CefRef<cef_task_t> task = CefNew<TCefBrowserNavigationTask>(browser, navigation);
    g_cef.cef_post_task(TID_UI, task.Share());
  });
}

void TChromiumCore::CloseBrowser(bool aForceClose) {
  CefGuarded([&] {
    if (CefRef<cef_browser_host_t> host = LiveHost())
      host->close_browser(host.get(), aForceClose ? 1 : 0);
  });
}

void TChromiumCore::NotifyMoveOrResizeStarted() {
  CefGuarded([&] {
    if (CefRef<cef_browser_host_t> host = LiveHost())
      host->notify_move_or_resize_started(host.get());
  });
}

void TChromiumCore::ShowDevToolsWith(const POINT& inspectElementAt) {
  CefGuarded([&] {
    CefRef<cef_browser_host_t> host = LiveHost();
    if (!host) return;
    FillBrowserSettings(FOptions, FFontOptions, DefaultEncoding, FDevBrowserSettings);
    // The tools' browser reports nothing to this component.
    CefRef<cef_client_t> client = CefNew<TCustomClientHandler>(nullptr);
    const cef_point_t at{inspectElementAt.x, inspectElementAt.y};
    const bool noElement = inspectElementAt.x == INT_MIN || inspectElementAt.y == INT_MIN;
    host->show_dev_tools(host.get(), &FDevWindowInfo, client.Share(), &FDevBrowserSettings,
                         noElement ? nullptr : &at);
  });
}

void TChromiumCore::CloseDevToolsNow() {
  CefGuarded([&] {
    if (CefRef<cef_browser_host_t> host = LiveHost()) host->close_dev_tools(host.get());
  });
}

// --- Engine callbacks. ---

namespace {

template <typename Event, typename... Args>
void Raise(const Event& event, TChromiumCore& sender, Args&&... args) {
  if (event) CefGuarded([&] { event(sender, std::forward<Args>(args)...); });
}

}  // namespace

bool TChromiumCore::doOnBeforePopup(cef_browser_t* browser, cef_frame_t* frame,
                                    const std::wstring& targetUrl,
                                    const std::wstring& targetFrameName,
                                    cef_window_open_disposition_t targetDisposition,
                                    bool userGesture, const TCefPopupFeatures& popupFeatures,
                                    TCefWindowInfo& windowInfo, CefRef<cef_client_t>& client,
                                    TCefBrowserSettings& settings,
                                    CefRef<cef_dictionary_value_t>& extraInfo,
                                    bool& noJavascriptAccess) {
  bool result = false;
  Raise(OnBeforePopup, *this, browser, frame, targetUrl, targetFrameName, targetDisposition,
        userGesture, popupFeatures, windowInfo, client, settings, extraInfo, noJavascriptAccess,
        result);
  return result;
}

void TChromiumCore::doOnAfterCreated(cef_browser_t* browser) {
  CefGuarded([&] {
    if (MultiThreadedEngine() || FMultiBrowserMode) {
      const int id = browser->get_identifier(browser);
      std::lock_guard lock(FBrowsersCS);
      if (FMultiBrowserMode || FBrowsers.empty()) {
        FBrowsers.push_back({CefRef<cef_browser_t>::Retain(browser), id, false});
        if (FBrowserId == 0) FBrowserId = id;
      }
    }
    ApplyBrowserPreferences(browser);
  });
  Raise(OnAfterCreated, *this, browser);
}

void TChromiumCore::ApplyBrowserPreferences(cef_browser_t* browser) {
  CefRef<cef_browser_host_t> host = CefAdopt(browser->get_host(browser));
  if (!host) return;
  CefRef<cef_request_context_t> context = CefAdopt(host->get_request_context(host.get()));
  const std::wstring languages = ChooseAcceptLanguageList(
      AcceptLanguageList, FOptions.AcceptLanguageList,
      GlobalCEFApp ? GlobalCEFApp->AcceptLanguageList : std::wstring());
  const bool hyperlinkAuditing = GlobalCEFApp ? GlobalCEFApp->HyperlinkAuditing : true;
  ApplyPreferences(context.get(), BrowserPreferences(languages, hyperlinkAuditing));
}

bool TChromiumCore::doOnClose(cef_browser_t* browser) {
  TCefCloseBrowserAction action = cbaClose;
  Raise(OnClose, *this, browser, action);
  if (action == cbaCancel) return true;
  CefGuarded([&] {
    const int id = browser->get_identifier(browser);
    std::lock_guard lock(FBrowsersCS);
    for (TBrowserInfo& info : FBrowsers)
      if (info.ID == id) info.BrowserIsClosing = true;
  });
  return action == cbaDelay;
}

void TChromiumCore::doOnBeforeClose(cef_browser_t* browser) {
  bool noneLeft = false;
  CefGuarded([&] {
    const int id = browser->get_identifier(browser);
    std::lock_guard lock(FBrowsersCS);
    std::erase_if(FBrowsers, [&](const TBrowserInfo& info) { return info.ID == id; });
    if (FBrowserId == id) FBrowserId = FBrowsers.empty() ? 0 : FBrowsers.front().ID;
    noneLeft = FBrowsers.empty();
  });
  if (noneLeft) ReleaseHandlers();
  Raise(OnBeforeClose, *this, browser);
}

bool TChromiumCore::doOnBeforeBrowse(cef_browser_t* browser, cef_frame_t* frame,
                                     cef_request_t* request, bool userGesture, bool isRedirect) {
  bool result = false;
  Raise(OnBeforeBrowse, *this, browser, frame, request, userGesture, isRedirect, result);
  return result;
}

void TChromiumCore::doOnLoadEnd(cef_browser_t* browser, cef_frame_t* frame, int httpStatusCode) {
  Raise(OnLoadEnd, *this, browser, frame, httpStatusCode);
}

void TChromiumCore::doOnLoadingStateChange(cef_browser_t* browser, bool isLoading,
                                           bool canGoBack, bool canGoForward) {
  Raise(OnLoadingStateChange, *this, browser, isLoading, canGoBack, canGoForward);
}

void TChromiumCore::doOnTitleChange(cef_browser_t* browser, const std::wstring& title) {
  Raise(OnTitleChange, *this, browser, title);
}

void TChromiumCore::doOnLoadingProgressChange(cef_browser_t* browser, double progress) {
  Raise(OnLoadingProgressChange, *this, browser, progress);
}

void TChromiumCore::doOnBeforeContextMenu(cef_browser_t* browser, cef_frame_t* frame,
                                          cef_context_menu_params_t* params,
                                          cef_menu_model_t* model) {
  Raise(OnBeforeContextMenu, *this, browser, frame, params, model);
}

void TChromiumCore::doOnBeforeDownload(cef_browser_t* browser, cef_download_item_t* downloadItem,
                                       const std::wstring& suggestedName,
                                       cef_before_download_callback_t* callback) {
  Raise(OnBeforeDownload, *this, browser, downloadItem, suggestedName, callback);
}

}  // namespace quirel
