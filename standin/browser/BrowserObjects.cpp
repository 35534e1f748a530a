#include "standin/browser/BrowserObjects.h"

#include "standin/browser/Browser.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {
// Every method line names the browser it belongs to.

// --- cef_browser_t ----------------------------------------------------------

BrowserObject::BrowserObject(std::shared_ptr<Browser> browser)
    : browser_(std::move(browser)), object_(trace::NextObjectId()) {
  cef_browser_t* s = cef();
  Bind<&BrowserObject::GetHost>(s->get_host);
  Bind<&BrowserObject::CanGoBack>(s->can_go_back);
  Bind<&BrowserObject::GoBack>(s->go_back);
  Bind<&BrowserObject::CanGoForward>(s->can_go_forward);
  Bind<&BrowserObject::GoForward>(s->go_forward);
  Bind<&BrowserObject::IsLoading>(s->is_loading);
  Bind<&BrowserObject::Reload>(s->reload);
  Bind<&BrowserObject::ReloadIgnoreCache>(s->reload_ignore_cache);
  Bind<&BrowserObject::StopLoad>(s->stop_load);
  Bind<&BrowserObject::GetIdentifier>(s->get_identifier);
  Bind<&BrowserObject::IsSame>(s->is_same);
  Bind<&BrowserObject::IsPopup>(s->is_popup);
  Bind<&BrowserObject::HasDocument>(s->has_document);
  Bind<&BrowserObject::GetMainFrame>(s->get_main_frame);
  Bind<&BrowserObject::GetFocusedFrame>(s->get_focused_frame);
  Bind<&BrowserObject::GetFrameByident>(s->get_frame_byident);
  Bind<&BrowserObject::GetFrame>(s->get_frame);
  Bind<&BrowserObject::GetFrameCount>(s->get_frame_count);
  Bind<&BrowserObject::GetFrameIdentifiers>(s->get_frame_identifiers);
  Bind<&BrowserObject::GetFrameNames>(s->get_frame_names);
}

cef_browser_host_t* BrowserObject::GetHost() {
  trace::Method("browser.get_host", object_).Int("browser", browser_->identifier());
  return browser_->HostObject().Detach();
}

int BrowserObject::CanGoBack() {
  trace::Method("browser.can_go_back", object_).Int("browser", browser_->identifier());
  return browser_->CanGoBack();
}

void BrowserObject::GoBack() {
  trace::Method("browser.go_back", object_).Int("browser", browser_->identifier());
  browser_->GoBack();
}

int BrowserObject::CanGoForward() {
  trace::Method("browser.can_go_forward", object_).Int("browser", browser_->identifier());
  return browser_->CanGoForward();
}

void BrowserObject::GoForward() {
  trace::Method("browser.go_forward", object_).Int("browser", browser_->identifier());
  browser_->GoForward();
}

int BrowserObject::IsLoading() {
  trace::Method("browser.is_loading", object_).Int("browser", browser_->identifier());
  return browser_->IsLoading();
}

void BrowserObject::Reload() {
  trace::Method("browser.reload", object_).Int("browser", browser_->identifier());
  browser_->Reload();
}

// Nothing is cached here, so both reloads are the same.
void BrowserObject::ReloadIgnoreCache() {
  trace::Method("browser.reload_ignore_cache", object_).Int("browser", browser_->identifier());
  browser_->Reload();
}

void BrowserObject::StopLoad() {
  trace::Method("browser.stop_load", object_).Int("browser", browser_->identifier());
  browser_->StopLoad();
}

int BrowserObject::GetIdentifier() {
  trace::Method("browser.get_identifier", object_).Int("browser", browser_->identifier());
  return browser_->identifier();
}

int BrowserObject::IsSame(cef_browser_t* that) {
  CefRef<cef_browser_t> other = CefAdopt(that);
  trace::Method("browser.is_same", object_).Int("browser", browser_->identifier()).Bool("that", that != nullptr);
  return that == cef();
}

int BrowserObject::IsPopup() {
  trace::Method("browser.is_popup", object_).Int("browser", browser_->identifier());
  return browser_->popup();
}

int BrowserObject::HasDocument() {
  trace::Method("browser.has_document", object_).Int("browser", browser_->identifier());
  return browser_->HasDocument();
}

cef_frame_t* BrowserObject::GetMainFrame() {
  trace::Method("browser.get_main_frame", object_).Int("browser", browser_->identifier());
  return browser_->FrameObject().Detach();
}

cef_frame_t* BrowserObject::GetFocusedFrame() {
  trace::Method("browser.get_focused_frame", object_).Int("browser", browser_->identifier());
  return browser_->FrameObject().Detach();
}

cef_frame_t* BrowserObject::GetFrameByident(int64 identifier) {
  trace::Method("browser.get_frame_byident", object_).Int("browser", browser_->identifier()).Int("identifier", identifier);
  return identifier == browser_->frame_identifier() ? browser_->FrameObject().Detach() : nullptr;
}

// The page has only its main frame, whose name is empty.
cef_frame_t* BrowserObject::GetFrame(const cef_string_t* name) {
  trace::Method("browser.get_frame", object_).Int("browser", browser_->identifier()).Text("name", name);
  return ToWString(name).empty() ? browser_->FrameObject().Detach() : nullptr;
}

size_t BrowserObject::GetFrameCount() {
  trace::Method("browser.get_frame_count", object_).Int("browser", browser_->identifier());
  return browser_->Closed() ? 0 : 1;
}

void BrowserObject::GetFrameIdentifiers(size_t* count, int64* identifiers) {
  trace::Method("browser.get_frame_identifiers", object_).Int("browser", browser_->identifier());
  if (!count) return;
  if (*count >= 1 && identifiers && !browser_->Closed()) {
    identifiers[0] = browser_->frame_identifier();
    *count = 1;
  } else {
    *count = 0;
  }
}

void BrowserObject::GetFrameNames(cef_string_list_t names) {
  trace::Method("browser.get_frame_names", object_).Int("browser", browser_->identifier());
  if (names && !browser_->Closed()) AppendToList(names, L"");
}

// --- cef_browser_host_t -----------------------------------------------------

HostObject::HostObject(std::shared_ptr<Browser> browser)
    : browser_(std::move(browser)), object_(trace::NextObjectId()) {
  cef_browser_host_t* s = cef();
  Bind<&HostObject::GetBrowser>(s->get_browser);
  Bind<&HostObject::CloseBrowser>(s->close_browser);
  Bind<&HostObject::TryCloseBrowser>(s->try_close_browser);
  Bind<&HostObject::SetFocus>(s->set_focus);
  Bind<&HostObject::GetWindowHandle>(s->get_window_handle);
  Bind<&HostObject::GetOpenerWindowHandle>(s->get_opener_window_handle);
  Bind<&HostObject::HasView>(s->has_view);
  Bind<&HostObject::GetClient>(s->get_client);
  Bind<&HostObject::GetRequestContext>(s->get_request_context);
  Bind<&HostObject::GetZoomLevel>(s->get_zoom_level);
  Bind<&HostObject::SetZoomLevel>(s->set_zoom_level);
  Bind<&HostObject::IsWindowRenderingDisabled>(s->is_window_rendering_disabled);
  Bind<&HostObject::WasResized>(s->was_resized);
  Bind<&HostObject::WasHidden>(s->was_hidden);
  Bind<&HostObject::NotifyScreenInfoChanged>(s->notify_screen_info_changed);
  Bind<&HostObject::NotifyMoveOrResizeStarted>(s->notify_move_or_resize_started);
  Bind<&HostObject::SetFocusEvent>(s->send_focus_event);
  Bind<&HostObject::ShowDevTools>(s->show_dev_tools);
  Bind<&HostObject::CloseDevTools>(s->close_dev_tools);
  Bind<&HostObject::HasDevTools>(s->has_dev_tools);
  Bind<&HostObject::IsBackgroundHost>(s->is_background_host);
  Bind<&HostObject::SetAudioMuted>(s->set_audio_muted);
  Bind<&HostObject::IsAudioMuted>(s->is_audio_muted);
}

cef_browser_t* HostObject::GetBrowser() {
  trace::Method("browser_host.get_browser", object_).Int("browser", browser_->identifier());
  return browser_->BrowserObject().Detach();
}

void HostObject::CloseBrowser(int force_close) {
  trace::Method("browser_host.close_browser", object_).Int("browser", browser_->identifier()).Int("force_close", force_close);
  browser_->Close(force_close != 0);
}

int HostObject::TryCloseBrowser() {
  trace::Method("browser_host.try_close_browser", object_).Int("browser", browser_->identifier());
  return browser_->TryClose();
}

void HostObject::SetFocus(int focus) {
  trace::Method("browser_host.set_focus", object_).Int("browser", browser_->identifier()).Int("focus", focus);
  browser_->SetFocus(focus != 0);
}

cef_window_handle_t HostObject::GetWindowHandle() {
  trace::Method("browser_host.get_window_handle", object_).Int("browser", browser_->identifier());
  return browser_->window();
}

cef_window_handle_t HostObject::GetOpenerWindowHandle() {
  trace::Method("browser_host.get_opener_window_handle", object_).Int("browser", browser_->identifier());
  return browser_->opener();
}

int HostObject::HasView() {
  trace::Method("browser_host.has_view", object_).Int("browser", browser_->identifier());
  return 0;
}

cef_client_t* HostObject::GetClient() {
  trace::Method("browser_host.get_client", object_).Int("browser", browser_->identifier());
  return browser_->Client().Detach();
}

cef_request_context_t* HostObject::GetRequestContext() {
  trace::Method("browser_host.get_request_context", object_).Int("browser", browser_->identifier());
  return browser_->RequestContext().Detach();
}

double HostObject::GetZoomLevel() {
  trace::Method("browser_host.get_zoom_level", object_).Int("browser", browser_->identifier());
  return zoom_;
}

// Remembered for get_zoom_level; the page is drawn at one size.
void HostObject::SetZoomLevel(double level) {
  trace::Method("browser_host.set_zoom_level", object_).Int("browser", browser_->identifier());
  zoom_ = level;
}

int HostObject::IsWindowRenderingDisabled() {
  trace::Method("browser_host.is_window_rendering_disabled", object_).Int("browser", browser_->identifier());
  return 0;
}

// The window's own WM_SIZE already lays the page out again.
void HostObject::WasResized() { trace::Method("browser_host.was_resized", object_).Int("browser", browser_->identifier()); }

void HostObject::WasHidden(int hidden) {
  trace::Method("browser_host.was_hidden", object_).Int("browser", browser_->identifier()).Int("hidden", hidden);
}

void HostObject::NotifyScreenInfoChanged() {
  trace::Method("browser_host.notify_screen_info_changed", object_).Int("browser", browser_->identifier());
}

// No menus or popups of the engine stay open to be dismissed.
void HostObject::NotifyMoveOrResizeStarted() {
  trace::Method("browser_host.notify_move_or_resize_started", object_).Int("browser", browser_->identifier());
}

void HostObject::SetFocusEvent(int focus) {
  trace::Method("browser_host.send_focus_event", object_).Int("browser", browser_->identifier()).Int("focus", focus);
  browser_->SetFocus(focus != 0);
}

void HostObject::ShowDevTools(const cef_window_info_t* window_info, cef_client_t* client,
                              const cef_browser_settings_t* settings,
                              const cef_point_t* inspect_at) {
  CefRef<cef_client_t> held = CefAdopt(client);
  const POINT point{inspect_at ? inspect_at->x : 0, inspect_at ? inspect_at->y : 0};
  trace::Line line = trace::Method("browser_host.show_dev_tools", object_);
  line.Int("browser", browser_->identifier())
      .Bool("client", bool(held))
      .Bool("settings", settings != nullptr)
      .Bool("inspect_element_at", inspect_at != nullptr)
      .Object("point", JsonObject().Int("x", point.x).Int("y", point.y));
  if (!window_info) return;  // the engine needs to know where
  const RequestedWindow requested = RequestedWindow::From(*window_info);
  line.Object("window_info", requested.ToJson());
  browser_->ShowDevTools(requested, std::move(held), point);
}

void HostObject::CloseDevTools() {
  trace::Method("browser_host.close_dev_tools", object_).Int("browser", browser_->identifier());
  browser_->CloseDevTools();
}

int HostObject::HasDevTools() {
  trace::Method("browser_host.has_dev_tools", object_).Int("browser", browser_->identifier());
  return browser_->HasDevTools();
}

int HostObject::IsBackgroundHost() {
  trace::Method("browser_host.is_background_host", object_).Int("browser", browser_->identifier());
  return 0;
}

void HostObject::SetAudioMuted(int mute) {
  trace::Method("browser_host.set_audio_muted", object_).Int("browser", browser_->identifier()).Int("mute", mute);
  muted_ = mute != 0;
}

int HostObject::IsAudioMuted() {
  trace::Method("browser_host.is_audio_muted", object_).Int("browser", browser_->identifier());
  return muted_;
}

// --- cef_frame_t ------------------------------------------------------------

FrameObject::FrameObject(std::shared_ptr<Browser> browser)
    : browser_(std::move(browser)), object_(trace::NextObjectId()) {
  cef_frame_t* s = cef();
  Bind<&FrameObject::IsValid>(s->is_valid);
  Bind<&FrameObject::LoadUrl>(s->load_url);
  Bind<&FrameObject::LoadRequest>(s->load_request);
  Bind<&FrameObject::IsMain>(s->is_main);
  Bind<&FrameObject::IsFocused>(s->is_focused);
  Bind<&FrameObject::GetName>(s->get_name);
  Bind<&FrameObject::GetIdentifier>(s->get_identifier);
  Bind<&FrameObject::GetParent>(s->get_parent);
  Bind<&FrameObject::GetUrl>(s->get_url);
  Bind<&FrameObject::GetBrowser>(s->get_browser);
}

int FrameObject::IsValid() {
  trace::Method("frame.is_valid", object_).Int("browser", browser_->identifier());
  return !browser_->Closed();
}

void FrameObject::LoadUrl(const cef_string_t* url) {
  trace::Method("frame.load_url", object_).Int("browser", browser_->identifier()).Text("url", url);
  browser_->LoadUrl(ToWString(url));
}

void FrameObject::LoadRequest(cef_request_t* request) {
  CefRef<cef_request_t> held = CefAdopt(request);
  trace::Method("frame.load_request", object_).Int("browser", browser_->identifier()).Bool("request", request != nullptr);
  if (!held || !held->get_url) return;
  cef_string_userfree_t url = held->get_url(held.get());
  const std::wstring text = ToWString(url);
  if (url) cef_string_userfree_utf16_free(url);
  browser_->LoadUrl(text);
}

int FrameObject::IsMain() {
  trace::Method("frame.is_main", object_).Int("browser", browser_->identifier());
  return 1;
}

int FrameObject::IsFocused() {
  trace::Method("frame.is_focused", object_).Int("browser", browser_->identifier());
  return 1;
}

cef_string_userfree_t FrameObject::GetName() {
  trace::Method("frame.get_name", object_).Int("browser", browser_->identifier());
  return NewUserFreeString(L"");
}

int64 FrameObject::GetIdentifier() {
  trace::Method("frame.get_identifier", object_).Int("browser", browser_->identifier());
  return browser_->frame_identifier();
}

cef_frame_t* FrameObject::GetParent() {
  trace::Method("frame.get_parent", object_).Int("browser", browser_->identifier());
  return nullptr;
}

cef_string_userfree_t FrameObject::GetUrl() {
  trace::Method("frame.get_url", object_).Int("browser", browser_->identifier());
  return NewUserFreeString(browser_->Url());
}

cef_browser_t* FrameObject::GetBrowser() {
  trace::Method("frame.get_browser", object_).Int("browser", browser_->identifier());
  return browser_->BrowserObject().Detach();
}

}  // namespace quirel::standin
