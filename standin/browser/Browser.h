// One browser of the engine: its native window, its page, its history and the
// program's handlers, living on the engine's UI thread. The program reaches
// it through the engine objects (BrowserObjects.h), which may call from any
// thread: what changes the browser is posted to the UI thread, what only
// reads is answered at once.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/browser/BrowserSettings.h"
#include "standin/browser/ClientHandlers.h"
#include "standin/browser/History.h"
#include "standin/browser/HtmlPage.h"
#include "standin/browser/PageLoader.h"
#include "standin/browser/PageView.h"
#include "standin/browser/RendererHost.h"
#include "standin/browser/RequestedWindow.h"

namespace quirel::standin {

struct BrowserParams {
  RequestedWindow window;
  CefRef<cef_client_t> client;
  std::wstring url;
  BrowserSettings settings;
  CefRef<cef_request_context_t> request_context;
  bool popup = false;
  HWND opener = nullptr;
};

struct DownloadState;

class Browser : public std::enable_shared_from_this<Browser> {
 public:
  // UI thread: makes the window and the objects, asks the client for its
  // handlers, raises on_after_created and starts loading the URL. Null when
  // the window cannot be made (the client is released then).
  static std::shared_ptr<Browser> Create(BrowserParams params);

  Browser(int identifier, BrowserParams params);
  Browser(const Browser&) = delete;
  Browser& operator=(const Browser&) = delete;
  ~Browser();

  int identifier() const { return identifier_; }
  bool popup() const { return popup_; }
  HWND opener() const { return opener_; }
  HWND window() const;
  // Null once the browser closed.
  CefRef<cef_browser_t> BrowserObject() const;
  CefRef<cef_browser_host_t> HostObject() const;
  CefRef<cef_frame_t> FrameObject() const;
  CefRef<cef_client_t> Client() const;
  CefRef<cef_request_context_t> RequestContext() const;
  int64 frame_identifier() const { return frame_identifier_; }

  // Any thread.
  std::wstring Url() const;
  bool CanGoBack() const;
  bool CanGoForward() const;
  bool IsLoading() const;
  bool HasDocument() const;
  bool Closed() const;
  void LoadUrl(const std::wstring& url);
  void GoBack();
  void GoForward();
  void Reload();
  void StopLoad();
  void Close(bool force);
  // 1 when the browser is already gone; else the close starts and 0.
  int TryClose();
  void SetFocus(bool focus);
  void ShowDevTools(RequestedWindow requested, CefRef<cef_client_t> client, POINT inspect_at);
  void CloseDevTools();
  bool HasDevTools() const;

  // UI thread, from the window. `keys` are the MK_* flags of the message.
  void Paint(HDC dc);
  void Click(POINT point, WPARAM keys, bool middle_button);
  void ContextMenu(POINT point);
  // After the menu closed (command 0: nothing chosen).
  // UI thread: the target of a download is known (or is to be asked for).
  void ContinueDownload(const std::shared_ptr<DownloadState>& state, const std::wstring& path,
                        bool show_dialog);
  void FinishContextMenu(const CefRef<cef_context_menu_params_t>& params, int command_id,
                         cef_event_flags_t flags);
  void WindowDestroyed();

 private:
  struct Navigation {
    long long generation = 0;
    std::wstring url;
    History::Move move = History::Move::kNew;
    cef_transition_type_t transition = TT_EXPLICIT;
  };

  void PostToUi(void (Browser::*method)());
  void FocusWindow();
  void Navigate(std::wstring url, History::Move move, cef_transition_type_t transition,
                bool user_gesture);
  void HistoryBack();
  void HistoryForward();
  void HistoryReload();
  void HistoryMove(History::Move move);
  void Finish(const Navigation& navigation, const PageResponse& response);
  void ShowPage(const Navigation& navigation, const PageResponse& response);
  void LoadError(int code, const std::wstring& text, const std::wstring& url);
  void LoadingStateChanged();
  void Abort();
  void CloseNow(bool force);
  void RunMenuCommand(int command_id);
  void StartDownload(const PageResponse& response);
  void WriteDownload(const std::shared_ptr<DownloadState>& state, const std::wstring& target);
  void DownloadUpdated(const std::shared_ptr<DownloadState>& state);
  void OpenDevTools(const RequestedWindow& requested, CefRef<cef_client_t> client,
                    POINT inspect_at);
  void DestroyDevTools();
  void DevToolsGone();
  void OpenPopup(const std::wstring& url, const std::wstring& frame_name,
                 cef_window_open_disposition_t disposition, const cef_popup_features_t& features,
                 bool user_gesture);
  void BeforeClose();

  // The renderer (BrowserRenderer.cpp), UI thread.
  void StartRenderer();
  // Hands the page to the renderer; on_load_end follows once its scripts ran.
  // False when there is no renderer to wait for.
  bool SendPageToRenderer(const Navigation& navigation, int status);
  void PageSent(long long page, bool sent);
  void ScriptsTimedOut(long long page);
  void EndScriptWait(long long page);
  void FinishLoad(long long generation, int status);
  void RendererMessageArrived(const RendererMessage& message, long long page);
  void ScriptTitle(const std::wstring& title);
  void ScriptConsole(const std::wstring& level, const std::wstring& text);

  const int identifier_;
  const int64 frame_identifier_;
  const bool popup_;
  const HWND opener_;
  RequestedWindow requested_;
  std::wstring initial_url_;
  const BrowserSettings settings_;
  ClientHandlers handlers_;  // UI thread
  CefRef<cef_request_context_t> request_context_;

  mutable std::mutex mutex_;
  HWND window_ = nullptr;
  CefRef<cef_browser_t> browser_object_;
  CefRef<cef_browser_host_t> host_object_;
  CefRef<cef_frame_t> frame_object_;
  History history_;
  std::wstring url_;
  bool loading_ = false;
  bool has_document_ = false;
  bool closing_ = false;
  bool closed_ = false;
  long long generation_ = 0;
  Navigation pending_;
  std::wstring title_;
  HtmlPage page_;
  PageLayout layout_;
  HWND devtools_ = nullptr;
  CefRef<cef_client_t> devtools_client_;
  bool laid_out_ = false;
  std::wstring laid_out_url_;

  // UI thread.
  std::unique_ptr<RendererHost> renderer_;
  struct ScriptWait {
    long long page = 0;  // 0: none
    long long generation = 0;
    int status = 0;
  } script_wait_;
};

}  // namespace quirel::standin
