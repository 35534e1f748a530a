// A browser's renderer: started when the browser is made, shown every loaded
// document, and heard on the UI thread. on_load_end waits (bounded) for the
// renderer's "done", so the page's scripts have run — and their title, popups
// and console lines have arrived — by the time the program sees the load end.
// Without a renderer the page loads without scripts.
#include "engine/capi/CefObject.h"
#include "standin/browser/Borrowed.h"
#include "standin/browser/Browser.h"
#include "standin/browser/RendererLaunch.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

// How long a page's scripts may take before the load ends without them, and
// how long a page may wait for a renderer that is still starting.
constexpr long long kScriptsTimeoutMs = 10000;
constexpr long long kQueuedTimeoutMs = 30000;

cef_log_severity_t SeverityOf(const std::wstring& level) {
  if (level == L"debug") return LOGSEVERITY_DEBUG;
  if (level == L"warn") return LOGSEVERITY_WARNING;
  if (level == L"error") return LOGSEVERITY_ERROR;
  return LOGSEVERITY_INFO;  // log, info
}

const wchar_t* TypeName(RendererMessage::Type type) {
  switch (type) {
    case RendererMessage::Type::kTitle:
      return L"title";
    case RendererMessage::Type::kOpen:
      return L"open";
    case RendererMessage::Type::kClose:
      return L"close";
    case RendererMessage::Type::kNavigate:
      return L"navigate";
    case RendererMessage::Type::kLog:
      return L"log";
    case RendererMessage::Type::kDone:
      return L"done";
  }
  return L"?";
}

template <typename Work>
void PostToBrowser(const std::weak_ptr<Browser>& weak, Work work, long long delay_ms = 0) {
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post(
      [weak, work = std::move(work)] {
        if (const auto self = weak.lock()) work(*self);
      },
      delay_ms);
}

}  // namespace

void Browser::StartRenderer() {
  const std::optional<RendererCommand> command = PrepareRendererLaunch();
  if (!command) return;  // pages load without scripts
  const std::weak_ptr<Browser> weak = weak_from_this();
  RendererHost::Callbacks callbacks;
  callbacks.message = [weak](const RendererMessage& message, long long page) {
    PostToBrowser(weak, [message, page](Browser& self) {
      self.RendererMessageArrived(message, page);
    });
  };
  callbacks.page_sent = [weak](long long page, bool sent) {
    PostToBrowser(weak, [page, sent](Browser& self) { self.PageSent(page, sent); });
  };
  renderer_ = std::make_unique<RendererHost>(identifier_, command->executable, command->arguments,
                                             std::move(callbacks));
}

bool Browser::SendPageToRenderer(const Navigation& navigation, int status) {
  if (!renderer_) return false;
  PageMessage message;
  message.browser = identifier_;
  {
    std::lock_guard lock(mutex_);
    message.url = url_;
    message.title = page_.title;
    message.scripts = page_.scripts;
  }
  const size_t scripts = message.scripts.size();
  const std::wstring url = message.url;
  script_wait_ = {renderer_->SendPage(std::move(message)), navigation.generation, status};
  trace::Event("renderer.page_queued")
      .Int("browser", identifier_)
      .Int("page", script_wait_.page)
      .Text("url", url)
      .Int("scripts", static_cast<long long>(scripts));
  const long long page = script_wait_.page;
  PostToBrowser(
      weak_from_this(), [page](Browser& self) { self.ScriptsTimedOut(page); }, kQueuedTimeoutMs);
  return true;
}

void Browser::PageSent(long long page, bool sent) {
  trace::Event(sent ? "renderer.page_sent" : "renderer.page_not_shown")
      .Int("browser", identifier_)
      .Int("page", page);
  if (page != script_wait_.page) return;
  if (!sent) {
    EndScriptWait(page);
    return;
  }
  PostToBrowser(
      weak_from_this(), [page](Browser& self) { self.ScriptsTimedOut(page); }, kScriptsTimeoutMs);
}

void Browser::ScriptsTimedOut(long long page) {
  if (page != script_wait_.page) return;
  trace::Event("renderer.page_timeout").Int("browser", identifier_).Int("page", page);
  EndScriptWait(page);
}

void Browser::EndScriptWait(long long page) {
  if (page == 0 || page != script_wait_.page) return;
  const ScriptWait wait = script_wait_;
  script_wait_ = {};
  FinishLoad(wait.generation, wait.status);
}

// The end of a document's load: dropped when a newer navigation took over
// (that one reported this load aborted) or the browser is gone.
void Browser::FinishLoad(long long generation, int status) {
  {
    std::lock_guard lock(mutex_);
    if (closed_ || generation != generation_) return;
  }
  const auto& load = handlers_.load;
  if (Provides(load.get(), &cef_load_handler_t::on_load_end)) {
    trace::Callback("load_handler.on_load_end")
        .Int("browser", identifier_)
        .Int("http_status_code", status);
    load->on_load_end(load.get(), BrowserObject().Detach(), FrameObject().Detach(), status);
  }
  {
    std::lock_guard lock(mutex_);
    if (closed_ || generation != generation_) return;
    loading_ = false;
  }
  LoadingStateChanged();
}

void Browser::RendererMessageArrived(const RendererMessage& message, long long page) {
  if (message.browser != identifier_) {
    trace::Event("renderer.message_ignored")
        .Int("browser", identifier_)
        .Int("for_browser", message.browser)
        .Text("type", TypeName(message.type));
    return;
  }
  if (message.type == RendererMessage::Type::kDone) {
    EndScriptWait(page);
    return;
  }
  if (Closed()) return;
  switch (message.type) {
    case RendererMessage::Type::kTitle:
      ScriptTitle(message.title);
      break;
    case RendererMessage::Type::kOpen: {
      const std::wstring url =
          message.url.empty() ? std::wstring(L"about:blank") : ResolveUrl(Url(), message.url);
      // A script's window.open is not a click.
      const std::wstring& name = message.name;
      OpenPopup(url, name.empty() || name.front() == L'_' ? L"" : name, message.disposition,
                message.features, false);
      break;
    }
    case RendererMessage::Type::kClose:
      // window.close: the engine closes the browser itself, as close_browser(0).
      CloseNow(false);
      break;
    case RendererMessage::Type::kNavigate:
      Navigate(ResolveUrl(Url(), message.url), History::Move::kNew, TT_LINK, false);
      break;
    case RendererMessage::Type::kLog:
      ScriptConsole(message.level, message.text);
      break;
    case RendererMessage::Type::kDone:
      break;
  }
}

void Browser::ScriptTitle(const std::wstring& title) {
  {
    std::lock_guard lock(mutex_);
    title_ = title;
  }
  if (const HWND window = this->window()) InvalidateRect(window, nullptr, FALSE);
  const auto& display = handlers_.display;
  if (!Provides(display.get(), &cef_display_handler_t::on_title_change)) return;
  const cef_string_t string = Borrowed(title);
  trace::Callback("display_handler.on_title_change")
      .Int("browser", identifier_)
      .Text("title", title);
  display->on_title_change(display.get(), BrowserObject().Detach(), &string);
}

void Browser::ScriptConsole(const std::wstring& level, const std::wstring& text) {
  const auto& display = handlers_.display;
  if (!Provides(display.get(), &cef_display_handler_t::on_console_message)) return;
  const std::wstring source = Url();
  const cef_log_severity_t severity = SeverityOf(level);
  const cef_string_t message = Borrowed(text);
  const cef_string_t source_string = Borrowed(source);
  trace::Callback("display_handler.on_console_message")
      .Int("browser", identifier_)
      .Int("level", severity)
      .Text("message", text)
      .Text("source", source)
      .Int("line", 0);
  const int handled = display->on_console_message(display.get(), BrowserObject().Detach(),
                                                  severity, &message, &source_string, 0);
  trace::Event("display_handler.on_console_message.returned")
      .Int("browser", identifier_)
      .Int("result", handled);
}

}  // namespace quirel::standin
