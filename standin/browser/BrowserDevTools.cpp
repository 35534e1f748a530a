// A browser's dev tools: one window at a time, made where the program says;
// asking again while it is open brings it forward.
#include "standin/browser/Browser.h"
#include "standin/browser/DevTools.h"
#include "standin/core/Leftovers.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"

namespace quirel::standin {

void Browser::ShowDevTools(RequestedWindow requested, CefRef<cef_client_t> client,
                           POINT inspect_at) {
  leftovers::Watch("client", client.get());
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post(
      [self = shared_from_this(), requested = std::move(requested), client = std::move(client),
       inspect_at]() mutable { self->OpenDevTools(requested, std::move(client), inspect_at); });
}

void Browser::CloseDevTools() { PostToUi(&Browser::DestroyDevTools); }

bool Browser::HasDevTools() const {
  std::lock_guard lock(mutex_);
  return devtools_ != nullptr;
}

void Browser::OpenDevTools(const RequestedWindow& requested, CefRef<cef_client_t> client,
                           POINT inspect_at) {
  HWND open = nullptr;
  std::wstring url;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    open = devtools_;
    url = url_;
  }
  if (open) {
    SetInspectedUrl(open, url);
    SetWindowPos(open, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    trace::Event("browser.devtools_shown_again")
        .Int("browser", identifier_)
        .Int("window", HandleNumber(open));
    return;
  }
  const std::weak_ptr<Browser> weak = weak_from_this();
  // WM_NCDESTROY comes before the handle is freed: the tools count as gone
  // once DestroyWindow is over, so whoever sees has_dev_tools 0 finds no window.
  const HWND window = CreateDevToolsWindow(requested, url, [weak] {
    if (const auto self = weak.lock()) self->PostToUi(&Browser::DevToolsGone);
  });
  if (!window) {
    trace::Event("browser.devtools_failed")
        .Int("browser", identifier_)
        .Int("error", static_cast<long long>(GetLastError()));
    return;
  }
  {
    std::lock_guard lock(mutex_);
    devtools_ = window;
    devtools_client_ = std::move(client);
  }
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  trace::Event("browser.devtools_opened")
      .Int("browser", identifier_)
      .Int("window", HandleNumber(window))
      .Int("parent", HandleNumber(GetParent(window)))
      .Object("window_info", requested.ToJson())
      .Object("rect", JsonObject()
                          .Int("x", rect.left)
                          .Int("y", rect.top)
                          .Int("width", rect.right - rect.left)
                          .Int("height", rect.bottom - rect.top))
      .Object("inspect_element_at", JsonObject().Int("x", inspect_at.x).Int("y", inspect_at.y))
      .Text("url", url);
}

void Browser::DestroyDevTools() {
  HWND window = nullptr;
  {
    std::lock_guard lock(mutex_);
    window = devtools_;
  }
  if (window) DestroyWindow(window);
}

void Browser::DevToolsGone() {
  CefRef<cef_client_t> client;
  {
    std::lock_guard lock(mutex_);
    client = std::move(devtools_client_);
  }
  // Released before has_dev_tools turns 0: whoever sees that finds it let go of.
  client.Reset();
  {
    std::lock_guard lock(mutex_);
    devtools_ = nullptr;
  }
  trace::Event("browser.devtools_closed").Int("browser", identifier_);
}

}  // namespace quirel::standin
