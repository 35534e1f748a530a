// The context menu: on_before_context_menu with the default items, then the
// program's own menu (run_context_menu answering 1) or the engine's native
// one; the chosen command goes to on_context_menu_command, and what the
// program leaves unhandled the engine runs itself. An empty model shows
// nothing.
#include <atomic>
#include <memory>

#include "engine/capi/CefObject.h"
#include "standin/browser/Borrowed.h"
#include "standin/browser/Browser.h"
#include "standin/browser/ContextMenuParams.h"
#include "standin/browser/MenuModel.h"
#include "standin/core/Leftovers.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

void AddDefaultItems(cef_menu_model_t* model, bool back, bool forward) {
  const struct {
    int id;
    const wchar_t* label;
    bool enabled;
  } items[] = {{MENU_ID_BACK, L"&Back", back},
               {MENU_ID_FORWARD, L"&Forward", forward},
               {MENU_ID_RELOAD, L"&Reload", true},
               {0, nullptr, true},
               {MENU_ID_PRINT, L"&Print...", true},
               {MENU_ID_VIEW_SOURCE, L"View s&ource", true}};
  for (const auto& item : items) {
    if (!item.label) {
      model->add_separator(model);
      continue;
    }
    const std::wstring label = item.label;
    const cef_string_t text = Borrowed(label);
    model->add_item(model, item.id, &text);
    model->set_enabled(model, item.id, item.enabled);
  }
}

// What the program calls when it ran the menu itself.
class RunMenuCallback : public CefObject<RunMenuCallback, cef_run_context_menu_callback_t> {
  leftovers::Counted counted_{"run_context_menu_callback"};

 public:
  RunMenuCallback(std::weak_ptr<Browser> browser, CefRef<cef_context_menu_params_t> params)
      : browser_(std::move(browser)), params_(std::move(params)) {
    Bind<&RunMenuCallback::Cont>(cef()->cont);
    Bind<&RunMenuCallback::Cancel>(cef()->cancel);
  }

 private:
  void Cont(int command_id, cef_event_flags_t flags) {
    trace::Callback("run_context_menu_callback.cont").Int("command_id", command_id);
    Finish(command_id, flags);
  }
  void Cancel() {
    trace::Callback("run_context_menu_callback.cancel");
    Finish(0, EVENTFLAG_NONE);
  }
  // Only the first answer counts.
  void Finish(int command_id, cef_event_flags_t flags) {
    if (answered_.exchange(true)) return;
    const auto loop = FindLoop(TID_UI);
    if (!loop) return;
    loop->Post([browser = browser_, params = params_, command_id, flags] {
      if (const auto self = browser.lock()) self->FinishContextMenu(params, command_id, flags);
    });
  }

  const std::weak_ptr<Browser> browser_;
  const CefRef<cef_context_menu_params_t> params_;
  std::atomic<bool> answered_{false};
};

}  // namespace

void Browser::ContextMenu(POINT point) {
  ContextMenuFacts facts;
  HWND window = nullptr;
  bool back = false, forward = false;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    window = window_;
    facts.x = point.x;
    facts.y = point.y;
    facts.page_url = url_;
    facts.title = title_;
    back = history_.CanGoBack();
    forward = history_.CanGoForward();
    const int link = LinkAt(layout_, point);
    if (link >= 0 && link < static_cast<int>(page_.links.size())) {
      facts.type_flags |= CM_TYPEFLAG_LINK;
      facts.link_url = page_.links[link].url;
    }
  }
  const CefRef<cef_context_menu_params_t> params = NewContextMenuParams(facts);
  const CefRef<cef_menu_model_t> model = NewMenuModel();
  AddDefaultItems(model.get(), back, forward);
  const auto& handler = handlers_.context_menu;
  if (Provides(handler.get(), &cef_context_menu_handler_t::on_before_context_menu)) {
    trace::Callback("context_menu_handler.on_before_context_menu")
        .Int("browser", identifier_)
        .Int("x", facts.x)
        .Int("y", facts.y)
        .Int("type_flags", facts.type_flags)
        .Text("link_url", facts.link_url)
        .Text("page_url", facts.page_url)
        .Array("items", MenuItemsJson(model.get()));
    handler->on_before_context_menu(handler.get(), BrowserObject().Detach(),
                                    FrameObject().Detach(), params.Share(), model.Share());
  }
  const int count = MenuItemCount(model.get());
  trace::Event("browser.context_menu")
      .Int("browser", identifier_)
      .Int("count", count)
      .Array("items", MenuItemsJson(model.get()));
  if (count == 0 || Closed()) return;

  if (Provides(handler.get(), &cef_context_menu_handler_t::run_context_menu)) {
    const CefRef<cef_run_context_menu_callback_t> callback =
        CefNew<RunMenuCallback>(weak_from_this(), params);
    trace::Callback("context_menu_handler.run_context_menu").Int("browser", identifier_);
    const int handled = handler->run_context_menu(handler.get(), BrowserObject().Detach(),
                                                  FrameObject().Detach(), params.Share(),
                                                  model.Share(), callback.Share());
    trace::Event("context_menu_handler.run_context_menu.returned")
        .Int("browser", identifier_)
        .Int("result", handled);
    if (handled) return;
  }

  const HMENU menu = BuildNativeMenu(model.get());
  POINT screen = point;
  ClientToScreen(window, &screen);
  trace::Event("browser.context_menu_shown")
      .Int("browser", identifier_)
      .Int("x", screen.x)
      .Int("y", screen.y);
  const int command = static_cast<int>(TrackPopupMenuEx(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, window, nullptr));
  DestroyMenu(menu);
  trace::Event("browser.context_menu_closed")
      .Int("browser", identifier_)
      .Int("command_id", command);
  FinishContextMenu(params, command, EVENTFLAG_NONE);
}

void Browser::FinishContextMenu(const CefRef<cef_context_menu_params_t>& params, int command_id,
                                cef_event_flags_t flags) {
  if (Closed()) return;
  const auto& handler = handlers_.context_menu;
  if (command_id != 0) {
    int handled = 0;
    if (Provides(handler.get(), &cef_context_menu_handler_t::on_context_menu_command)) {
      trace::Callback("context_menu_handler.on_context_menu_command")
          .Int("browser", identifier_)
          .Int("command_id", command_id);
      handled = handler->on_context_menu_command(handler.get(), BrowserObject().Detach(),
                                                 FrameObject().Detach(), params.Share(),
                                                 command_id, flags);
    }
    if (!handled) RunMenuCommand(command_id);
  }
  if (Provides(handler.get(), &cef_context_menu_handler_t::on_context_menu_dismissed)) {
    trace::Callback("context_menu_handler.on_context_menu_dismissed").Int("browser", identifier_);
    handler->on_context_menu_dismissed(handler.get(), BrowserObject().Detach(),
                                       FrameObject().Detach());
  }
}

// The engine's own commands; the rest (print, view source) do nothing here.
void Browser::RunMenuCommand(int command_id) {
  trace::Event("browser.menu_command").Int("browser", identifier_).Int("command_id", command_id);
  switch (command_id) {
    case MENU_ID_BACK:
      HistoryMove(History::Move::kBack);
      break;
    case MENU_ID_FORWARD:
      HistoryMove(History::Move::kForward);
      break;
    case MENU_ID_RELOAD:
    case MENU_ID_RELOAD_NOCACHE:
      HistoryMove(History::Move::kReload);
      break;
    case MENU_ID_STOPLOAD:
      Abort();
      break;
    default:
      break;
  }
}

}  // namespace quirel::standin
