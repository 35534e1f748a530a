// The engine objects of a browser: cef_browser_t, cef_browser_host_t and the
// main frame's cef_frame_t. Each keeps its browser alive; the browser holds
// one reference to each until it closes.
#pragma once

#include <memory>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Leftovers.h"

namespace quirel::standin {

class Browser;

class BrowserObject : public CefObject<BrowserObject, cef_browser_t> {
  leftovers::Counted counted_{"browser"};

 public:
  explicit BrowserObject(std::shared_ptr<Browser> browser);

 private:
  cef_browser_host_t* GetHost();
  int CanGoBack();
  void GoBack();
  int CanGoForward();
  void GoForward();
  int IsLoading();
  void Reload();
  void ReloadIgnoreCache();
  void StopLoad();
  int GetIdentifier();
  int IsSame(cef_browser_t* that);
  int IsPopup();
  int HasDocument();
  cef_frame_t* GetMainFrame();
  cef_frame_t* GetFocusedFrame();
  cef_frame_t* GetFrameByident(int64 identifier);
  cef_frame_t* GetFrame(const cef_string_t* name);
  size_t GetFrameCount();
  void GetFrameIdentifiers(size_t* count, int64* identifiers);
  void GetFrameNames(cef_string_list_t names);

  const std::shared_ptr<Browser> browser_;
  const long long object_;
};

class HostObject : public CefObject<HostObject, cef_browser_host_t> {
  leftovers::Counted counted_{"browser_host"};

 public:
  explicit HostObject(std::shared_ptr<Browser> browser);

 private:
  cef_browser_t* GetBrowser();
  void CloseBrowser(int force_close);
  int TryCloseBrowser();
  void SetFocus(int focus);
  cef_window_handle_t GetWindowHandle();
  cef_window_handle_t GetOpenerWindowHandle();
  int HasView();
  cef_client_t* GetClient();
  cef_request_context_t* GetRequestContext();
  double GetZoomLevel();
  void SetZoomLevel(double level);
  int IsWindowRenderingDisabled();
  void WasResized();
  void WasHidden(int hidden);
  void NotifyScreenInfoChanged();
  void NotifyMoveOrResizeStarted();
  void SetFocusEvent(int focus);
  void ShowDevTools(const cef_window_info_t* window_info, cef_client_t* client,
                    const cef_browser_settings_t* settings, const cef_point_t* inspect_at);
  void CloseDevTools();
  int HasDevTools();
  int IsBackgroundHost();
  void SetAudioMuted(int mute);
  int IsAudioMuted();

  const std::shared_ptr<Browser> browser_;
  const long long object_;
  double zoom_ = 0;
  bool muted_ = false;
};

class FrameObject : public CefObject<FrameObject, cef_frame_t> {
  leftovers::Counted counted_{"frame"};

 public:
  explicit FrameObject(std::shared_ptr<Browser> browser);

 private:
  int IsValid();
  void LoadUrl(const cef_string_t* url);
  void LoadRequest(cef_request_t* request);
  int IsMain();
  int IsFocused();
  cef_string_userfree_t GetName();
  int64 GetIdentifier();
  cef_frame_t* GetParent();
  cef_string_userfree_t GetUrl();
  cef_browser_t* GetBrowser();

  const std::shared_ptr<Browser> browser_;
  const long long object_;
};

}  // namespace quirel::standin
