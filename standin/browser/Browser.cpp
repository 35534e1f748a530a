// A browser's life: creation, the handles the program reads and the close
// handshake. Navigation is in BrowserNavigation.cpp, drawing in PageView.
#include "standin/browser/Browser.h"

#include <atomic>

#include "engine/capi/CefObject.h"
#include "standin/browser/BrowserObjects.h"
#include "standin/browser/BrowserRegistry.h"
#include "standin/browser/BrowserWindow.h"
#include "standin/browser/PageView.h"
#include "standin/browser/RequestContext.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

int64 NextFrameIdentifier() {
  static std::atomic<int64> next{0};
  return ++next;
}

}  // namespace

Browser::Browser(int identifier, BrowserParams params)
    : identifier_(identifier),
      frame_identifier_(NextFrameIdentifier()),
      popup_(params.popup),
      opener_(params.opener),
      requested_(std::move(params.window)),
      initial_url_(std::move(params.url)),
      settings_(params.settings),
      request_context_(std::move(params.request_context)) {
  handlers_.client = std::move(params.client);
}

Browser::~Browser() = default;

std::shared_ptr<Browser> Browser::Create(BrowserParams params) {
  auto browser = std::make_shared<Browser>(NextBrowserIdentifier(), std::move(params));
  const HWND window = CreateBrowserWindow(browser->requested_);
  if (!window) {
    trace::Event("browser.create_failed")
        .Int("browser", browser->identifier_)
        .Int("error", static_cast<long long>(GetLastError()))
        .Object("window_info", browser->requested_.ToJson());
    browser->handlers_.Release();
    return nullptr;
  }
  {
    std::lock_guard lock(browser->mutex_);
    browser->window_ = window;
    browser->browser_object_ = CefNew<quirel::standin::BrowserObject>(browser);
    browser->host_object_ = CefNew<quirel::standin::HostObject>(browser);
    browser->frame_object_ = CefNew<quirel::standin::FrameObject>(browser);
  }
  RegisterBrowser(browser);
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  MapWindowPoints(window, GetParent(window), &origin, 1);
  trace::Event("browser.created")
      .Int("browser", browser->identifier_)
      .Int("window", HandleNumber(window))
      .Int("parent", HandleNumber(GetParent(window)))
      .Int("root", HandleNumber(GetAncestor(window, GA_ROOT)))
      .Bool("popup", browser->popup_)
      .Int("opener", HandleNumber(browser->opener_))
      .Text("url", browser->initial_url_)
      .Object("window_info", browser->requested_.ToJson())
      .Object("rect", JsonObject()
                          .Int("x", origin.x)
                          .Int("y", origin.y)
                          .Int("width", client.right)
                          .Int("height", client.bottom));

  browser->handlers_ = ClientHandlers::Ask(std::move(browser->handlers_.client),
                                           browser->identifier_);
  const auto& life_span = browser->handlers_.life_span;
  if (Provides(life_span.get(), &cef_life_span_handler_t::on_after_created)) {
    trace::Callback("life_span_handler.on_after_created").Int("browser", browser->identifier_);
    life_span->on_after_created(life_span.get(), browser->BrowserObject().Detach());
  }
  browser->StartRenderer();
  // The first navigation follows, as a task of its own.
  if (!browser->initial_url_.empty()) browser->LoadUrl(browser->initial_url_);
  return browser;
}

HWND Browser::window() const {
  std::lock_guard lock(mutex_);
  return window_;
}

CefRef<cef_browser_t> Browser::BrowserObject() const {
  std::lock_guard lock(mutex_);
  return browser_object_;
}

CefRef<cef_browser_host_t> Browser::HostObject() const {
  std::lock_guard lock(mutex_);
  return host_object_;
}

CefRef<cef_frame_t> Browser::FrameObject() const {
  std::lock_guard lock(mutex_);
  return frame_object_;
}

CefRef<cef_client_t> Browser::Client() const {
  std::lock_guard lock(mutex_);
  return closed_ ? nullptr : handlers_.client;
}

CefRef<cef_request_context_t> Browser::RequestContext() const {
  {
    std::lock_guard lock(mutex_);
    if (closed_ || request_context_) return request_context_;
  }
  return GlobalRequestContext();
}

bool Browser::Closed() const {
  std::lock_guard lock(mutex_);
  return closed_;
}

void Browser::PostToUi(void (Browser::*method)()) {
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post([self = shared_from_this(), method] { (self.get()->*method)(); });
}

void Browser::Close(bool force) {
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post([self = shared_from_this(), force] { self->CloseNow(force); });
}

int Browser::TryClose() {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return 1;
  }
  Close(false);
  return 0;
}

void Browser::SetFocus(bool focus) {
  if (!focus) return;
  PostToUi(&Browser::FocusWindow);
}

void Browser::FocusWindow() {
  if (const HWND window = this->window()) ::SetFocus(window);
}

// The engine asks do_close; without a handler that takes the close over, it
// closes the top-level window the browser lives in, whose destruction takes
// the browser's window with it. Either way the browser is gone once its
// window is.
void Browser::CloseNow(bool force) {
  HWND window = nullptr;
  {
    std::lock_guard lock(mutex_);
    if (closed_ || closing_) return;
    closing_ = true;
    window = window_;
  }
  trace::Event("browser.closing").Int("browser", identifier_).Bool("force", force);
  int handled = 0;
  const auto& life_span = handlers_.life_span;
  if (Provides(life_span.get(), &cef_life_span_handler_t::do_close)) {
    trace::Callback("life_span_handler.do_close").Int("browser", identifier_);
    handled = life_span->do_close(life_span.get(), BrowserObject().Detach());
    trace::Event("life_span_handler.do_close.returned")
        .Int("browser", identifier_)
        .Int("result", handled);
  }
  if (handled || !window) return;
  const HWND root = GetAncestor(window, GA_ROOT);
  trace::Event("browser.close_root_window")
      .Int("browser", identifier_)
      .Int("window", HandleNumber(root));
  PostMessageW(root, WM_CLOSE, 0, 0);
}

void Browser::WindowDestroyed() {
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    closed_ = true;
    window_ = nullptr;
    ++generation_;  // what is still loading is dropped
    loading_ = false;
  }
  trace::Event("browser.window_destroyed").Int("browser", identifier_);
  DestroyDevTools();  // they go with the browser they inspect
  PostToUi(&Browser::BeforeClose);
}

// The last callback of a browser; then the engine lets go of everything the
// program gave it.
void Browser::BeforeClose() {
  const auto& life_span = handlers_.life_span;
  if (Provides(life_span.get(), &cef_life_span_handler_t::on_before_close)) {
    trace::Callback("life_span_handler.on_before_close").Int("browser", identifier_);
    life_span->on_before_close(life_span.get(), BrowserObject().Detach());
  }
  ClientHandlers handlers;
  CefRef<cef_browser_t> browser_object;
  CefRef<cef_browser_host_t> host_object;
  CefRef<cef_frame_t> frame_object;
  CefRef<cef_request_context_t> request_context;
  {
    std::lock_guard lock(mutex_);
    handlers = std::move(handlers_);
    browser_object = std::move(browser_object_);
    host_object = std::move(host_object_);
    frame_object = std::move(frame_object_);
    request_context = std::move(request_context_);
  }
  handlers.Release();
  renderer_.reset();  // told to end; it finishes on its own thread
  UnregisterBrowser(identifier_);
  trace::Event("browser.released").Int("browser", identifier_);
}

void Browser::Paint(HDC dc) {
  std::wstring title, url;
  HtmlPage page;
  {
    std::lock_guard lock(mutex_);
    title = title_;
    url = url_;
    page = page_;
  }
  const HWND window = this->window();
  if (!window) return;
  RECT client{};
  GetClientRect(window, &client);
  const PageLayout layout = PaintPage(dc, client, title, url, page);
  {
    std::lock_guard lock(mutex_);
    if (laid_out_ && layout == layout_ && url == laid_out_url_) return;
    layout_ = layout;
    laid_out_ = true;
    laid_out_url_ = url;
  }
  JsonArray links;
  for (const LinkBox& box : layout.links) {
    const PageLink& link = page.links[box.link];
    links.Object(JsonObject()
                     .Int("index", box.link)
                     .Text("url", link.url)
                     .Text("text", link.text)
                     .Text("target", link.target)
                     .Int("left", box.rect.left)
                     .Int("top", box.rect.top)
                     .Int("right", box.rect.right)
                     .Int("bottom", box.rect.bottom));
  }
  // Where each link is, in the window's client coordinates, so that a test
  // in another process can click it.
  trace::Event("browser.layout")
      .Int("browser", identifier_)
      .Int("window", HandleNumber(window))
      .Text("url", url)
      .Array("links", links);
}

}  // namespace quirel::standin
