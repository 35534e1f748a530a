// A browser's navigations. On the UI thread, in the engine's order:
// on_before_browse (1 cancels), on_loading_state_change(1), then once the
// response is in on_load_start, on_address_change, on_loading_progress_change
// up to 1.0, on_title_change, the page's scripts in the renderer, on_load_end
// (any HTTP status) — or on_load_error
// when nothing could be fetched — and on_loading_state_change(0). A newer
// navigation supersedes one in progress, which ends with ERR_ABORTED.
#include "engine/capi/CefObject.h"
#include "standin/browser/Borrowed.h"
#include "standin/browser/Browser.h"
#include "standin/browser/Download.h"
#include "standin/browser/Request.h"
#include "standin/browser/Worker.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

constexpr int kErrAborted = -3;

cef_transition_type_t Transition(int value) { return static_cast<cef_transition_type_t>(value); }

bool IsHtml(const PageResponse& response) {
  return response.mime_type == L"text/html" || response.mime_type == L"application/xhtml+xml" ||
         (response.mime_type.empty() && response.status == 0);
}

}  // namespace

std::wstring Browser::Url() const {
  std::lock_guard lock(mutex_);
  return url_;
}

bool Browser::CanGoBack() const {
  std::lock_guard lock(mutex_);
  return history_.CanGoBack();
}

bool Browser::CanGoForward() const {
  std::lock_guard lock(mutex_);
  return history_.CanGoForward();
}

bool Browser::IsLoading() const {
  std::lock_guard lock(mutex_);
  return loading_;
}

bool Browser::HasDocument() const {
  std::lock_guard lock(mutex_);
  return has_document_;
}

void Browser::LoadUrl(const std::wstring& url) {
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post([self = shared_from_this(), url] {
    self->Navigate(url, History::Move::kNew, TT_EXPLICIT, false);
  });
}

void Browser::GoBack() { PostToUi(&Browser::HistoryBack); }
void Browser::GoForward() { PostToUi(&Browser::HistoryForward); }
void Browser::Reload() { PostToUi(&Browser::HistoryReload); }
void Browser::StopLoad() { PostToUi(&Browser::Abort); }

void Browser::HistoryBack() { HistoryMove(History::Move::kBack); }
void Browser::HistoryForward() { HistoryMove(History::Move::kForward); }
void Browser::HistoryReload() { HistoryMove(History::Move::kReload); }

void Browser::HistoryMove(History::Move move) {
  std::wstring target;
  {
    std::lock_guard lock(mutex_);
    target = history_.Target(move);
  }
  if (target.empty()) return;
  const int transition = move == History::Move::kReload
                             ? TT_RELOAD
                             : TT_EXPLICIT | TT_FORWARD_BACK_FLAG;
  Navigate(target, move, Transition(transition), false);
}

void Browser::Navigate(std::wstring url, History::Move move, cef_transition_type_t transition,
                       bool user_gesture) {
  if (Closed()) return;
  trace::Event("browser.navigation")
      .Int("browser", identifier_)
      .Text("url", url)
      .Int("transition_type", transition);
  const auto& request_handler = handlers_.request;
  if (Provides(request_handler.get(), &cef_request_handler_t::on_before_browse)) {
    const CefRef<cef_request_t> request = CefNew<Request>(url, L"GET", transition, true);
    trace::Callback("request_handler.on_before_browse")
        .Int("browser", identifier_)
        .Text("url", url)
        .Int("user_gesture", user_gesture)
        .Int("is_redirect", 0);
    const int cancel = request_handler->on_before_browse(
        request_handler.get(), BrowserObject().Detach(), FrameObject().Detach(), request.Share(),
        user_gesture, 0);
    trace::Event("request_handler.on_before_browse.returned")
        .Int("browser", identifier_)
        .Int("result", cancel);
    if (cancel) {
      trace::Event("browser.navigation_canceled").Int("browser", identifier_).Text("url", url);
      return;
    }
    if (Closed()) return;
  }

  Navigation navigation{0, std::move(url), move, transition};
  Navigation superseded;
  bool was_loading = false;
  {
    std::lock_guard lock(mutex_);
    was_loading = loading_;
    superseded = pending_;
    navigation.generation = ++generation_;
    pending_ = navigation;
    loading_ = true;
  }
  if (was_loading) {
    LoadError(kErrAborted, L"net::ERR_ABORTED", superseded.url);
  } else {
    LoadingStateChanged();
  }
  const std::weak_ptr<Browser> weak = weak_from_this();
  RunOnWorker([weak, navigation] {
    PageResponse response = LoadPage(navigation.url);
    const auto loop = FindLoop(TID_UI);
    if (!loop) return;
    loop->Post([weak, navigation, response = std::move(response)] {
      if (const auto self = weak.lock()) self->Finish(navigation, response);
    });
  });
}

void Browser::Finish(const Navigation& navigation, const PageResponse& response) {
  {
    std::lock_guard lock(mutex_);
    if (closed_ || navigation.generation != generation_) return;  // superseded or gone
  }
  if (response.error_code != 0) {
    {
      std::lock_guard lock(mutex_);
      loading_ = false;
    }
    LoadError(response.error_code, response.error_text, navigation.url);
    LoadingStateChanged();
    return;
  }
  if (IsDownload(response)) {
    // Not a page: the browser keeps what it shows and saves the response.
    {
      std::lock_guard lock(mutex_);
      loading_ = false;
    }
    LoadingStateChanged();
    StartDownload(response);
    return;
  }
  ShowPage(navigation, response);
}

void Browser::ShowPage(const Navigation& navigation, const PageResponse& response) {
  const std::wstring text = BodyText(response);
  HtmlPage page = IsHtml(response) ? ParseHtml(text, response.url) : PlainTextPage(text);
  const std::wstring title = page.title.empty() ? response.url : page.title;
  {
    std::lock_guard lock(mutex_);
    history_.Commit(navigation.move, response.url);
    url_ = response.url;
    page_ = std::move(page);
    title_ = title;
    has_document_ = true;
  }
  const auto& load = handlers_.load;
  const auto& display = handlers_.display;
  if (Provides(load.get(), &cef_load_handler_t::on_load_start)) {
    trace::Callback("load_handler.on_load_start")
        .Int("browser", identifier_)
        .Int("transition_type", navigation.transition);
    load->on_load_start(load.get(), BrowserObject().Detach(), FrameObject().Detach(),
                        navigation.transition);
  }
  if (Provides(display.get(), &cef_display_handler_t::on_address_change)) {
    const cef_string_t url = Borrowed(response.url);
    trace::Callback("display_handler.on_address_change")
        .Int("browser", identifier_)
        .Text("url", response.url);
    display->on_address_change(display.get(), BrowserObject().Detach(), FrameObject().Detach(),
                               &url);
  }
  if (Provides(display.get(), &cef_display_handler_t::on_loading_progress_change)) {
    for (const int percent : {30, 70, 100}) {
      trace::Callback("display_handler.on_loading_progress_change")
          .Int("browser", identifier_)
          .Int("progress_percent", percent);
      display->on_loading_progress_change(display.get(), BrowserObject().Detach(),
                                          percent == 100 ? 1.0 : percent / 100.0);
    }
  }
  if (Provides(display.get(), &cef_display_handler_t::on_title_change)) {
    const cef_string_t string = Borrowed(title);
    trace::Callback("display_handler.on_title_change")
        .Int("browser", identifier_)
        .Text("title", title);
    display->on_title_change(display.get(), BrowserObject().Detach(), &string);
  }
  if (const HWND window = this->window()) InvalidateRect(window, nullptr, FALSE);
  if (Closed()) return;
  // The renderer runs the page's scripts first (BrowserRenderer.cpp).
  if (SendPageToRenderer(navigation, response.status)) return;
  FinishLoad(navigation.generation, response.status);
}

// Stops what is loading: the engine reports it as aborted.
void Browser::Abort() {
  std::wstring url;
  {
    std::lock_guard lock(mutex_);
    if (!loading_ || closed_) return;
    ++generation_;
    loading_ = false;
    url = pending_.url;
  }
  LoadError(kErrAborted, L"net::ERR_ABORTED", url);
  LoadingStateChanged();
}

void Browser::LoadError(int code, const std::wstring& text, const std::wstring& url) {
  const auto& load = handlers_.load;
  if (!Provides(load.get(), &cef_load_handler_t::on_load_error)) return;
  trace::Callback("load_handler.on_load_error")
      .Int("browser", identifier_)
      .Int("error_code", code)
      .Text("error_text", text)
      .Text("failed_url", url);
  const cef_string_t error = Borrowed(text);
  const cef_string_t failed = Borrowed(url);
  load->on_load_error(load.get(), BrowserObject().Detach(), FrameObject().Detach(),
                      static_cast<cef_errorcode_t>(code), &error, &failed);
}

void Browser::LoadingStateChanged() {
  bool loading = false, back = false, forward = false;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    loading = loading_;
    back = history_.CanGoBack();
    forward = history_.CanGoForward();
  }
  const auto& load = handlers_.load;
  if (!Provides(load.get(), &cef_load_handler_t::on_loading_state_change)) return;
  trace::Callback("load_handler.on_loading_state_change")
      .Int("browser", identifier_)
      .Int("is_loading", loading)
      .Int("can_go_back", back)
      .Int("can_go_forward", forward);
  load->on_loading_state_change(load.get(), BrowserObject().Detach(), loading, back, forward);
}

}  // namespace quirel::standin
