// Link clicks and the popups they ask for. A plain click navigates the
// browser itself; target=_blank opens a foreground tab, Ctrl or the middle
// button a background tab, Shift a new window, and a link with
// data-popup-features stands for the page's window.open(url, '', features).
// The program sees on_before_popup with what the engine pre-fills and makes
// the popup what it leaves there.
#include <cwchar>
#include <memory>

#include "engine/capi/CefRef.h"
#include "standin/browser/Borrowed.h"
#include "standin/browser/Browser.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

cef_window_open_disposition_t DispositionOf(const PageLink& link, WPARAM keys, bool middle) {
  if (link.has_features) return WOD_NEW_POPUP;
  if (middle || (keys & MK_CONTROL)) return WOD_NEW_BACKGROUND_TAB;
  if (keys & MK_SHIFT) return WOD_NEW_WINDOW;
  const std::wstring& target = link.target;
  if (!target.empty() && target != L"_self" && target != L"_top" && target != L"_parent")
    return WOD_NEW_FOREGROUND_TAB;
  return WOD_CURRENT_TAB;
}

cef_popup_features_t FeaturesOf(const PageLink& link) {
  cef_popup_features_t features{};
  features.x = link.x;
  features.xSet = link.x_set;
  features.y = link.y;
  features.ySet = link.y_set;
  features.width = link.width;
  features.widthSet = link.width_set;
  features.height = link.height;
  features.heightSet = link.height_set;
  // A window.open with features hides the bars it does not name.
  const int bars = link.has_features ? 0 : 1;
  features.menuBarVisible = bars;
  features.statusBarVisible = bars;
  features.toolBarVisible = bars;
  features.scrollbarsVisible = 1;
  return features;
}

// Test control: QUIREL_STANDIN_POPUP_DELAY_MS makes a popup's browser that much later, as a
// busy engine may, so the program's window for it waits on view without a browser.
DWORD PopupDelayMs() {
  wchar_t text[16] = {};
  if (!GetEnvironmentVariableW(L"QUIREL_STANDIN_POPUP_DELAY_MS", text, 16)) return 0;
  return static_cast<DWORD>(std::wcstoul(text, nullptr, 10));
}

JsonObject FeaturesJson(const cef_popup_features_t& f) {
  return JsonObject()
      .Int("x", f.x)
      .Int("xSet", f.xSet)
      .Int("y", f.y)
      .Int("ySet", f.ySet)
      .Int("width", f.width)
      .Int("widthSet", f.widthSet)
      .Int("height", f.height)
      .Int("heightSet", f.heightSet);
}

}  // namespace

void Browser::Click(POINT point, WPARAM keys, bool middle_button) {
  PageLink link;
  {
    std::lock_guard lock(mutex_);
    if (closed_) return;
    const int index = LinkAt(layout_, point);
    if (index < 0 || index >= static_cast<int>(page_.links.size())) return;
    link = page_.links[index];
  }
  const cef_window_open_disposition_t disposition = DispositionOf(link, keys, middle_button);
  trace::Event("browser.link_clicked")
      .Int("browser", identifier_)
      .Text("url", link.url)
      .Int("x", point.x)
      .Int("y", point.y)
      .Int("keys", static_cast<long long>(keys))
      .Bool("middle_button", middle_button)
      .Int("disposition", disposition);
  if (disposition == WOD_CURRENT_TAB) {
    Navigate(link.url, History::Move::kNew, TT_LINK, true);
    return;
  }
  // Named targets keep their name; _blank and the rest have none.
  const std::wstring frame_name =
      link.target.empty() || link.target.front() == L'_' ? L"" : link.target;
  OpenPopup(link.url, frame_name, disposition, FeaturesOf(link), true);
}

void Browser::OpenPopup(const std::wstring& url, const std::wstring& frame_name,
                        cef_window_open_disposition_t disposition,
                        const cef_popup_features_t& features, bool user_gesture) {
  RequestedWindow prefilled;
  prefilled.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE;
  prefilled.x = features.xSet ? features.x : CW_USEDEFAULT;
  prefilled.y = features.ySet ? features.y : CW_USEDEFAULT;
  prefilled.width = features.widthSet ? features.width : CW_USEDEFAULT;
  prefilled.height = features.heightSet ? features.height : CW_USEDEFAULT;
  const HWND opener = window();
  prefilled.parent = opener ? GetAncestor(opener, GA_ROOT) : nullptr;
  cef_window_info_t window_info{};
  prefilled.To(window_info);
  BrowserSettings settings = settings_;
  int no_javascript_access = 0;
  // What the popup is made with: the opener's client unless the program says otherwise.
  CefRef<cef_client_t> popup_client = handlers_.client;

  int cancel = 0;
  const auto& life_span = handlers_.life_span;
  if (Provides(life_span.get(), &cef_life_span_handler_t::on_before_popup)) {
    const cef_string_t target_url = Borrowed(url);
    const cef_string_t target_frame_name = Borrowed(frame_name);
    trace::Callback("life_span_handler.on_before_popup")
        .Int("browser", identifier_)
        .Text("target_url", url)
        .Text("target_frame_name", frame_name)
        .Int("target_disposition", disposition)
        .Int("user_gesture", user_gesture)
        .Object("popup_features", FeaturesJson(features))
        .Object("window_info", prefilled.ToJson());
    // The in/out slots carry a reference for the program, which releases it whatever it does;
    // afterwards the engine takes one over only of a changed pointer and otherwise goes on with
    // its own (a null client: the popup has none).
    cef_client_t* const entry_client = popup_client.Share();
    cef_client_t* client = entry_client;
    cef_dictionary_value_t* const entry_extra_info = nullptr;
    cef_dictionary_value_t* extra_info = entry_extra_info;
    cancel = life_span->on_before_popup(life_span.get(), BrowserObject().Detach(),
                                        FrameObject().Detach(), &target_url, &target_frame_name,
                                        disposition, user_gesture ? 1 : 0, &features,
                                        &window_info, &client,
                                        settings.get(), &extra_info, &no_javascript_access);
    if (client != entry_client) popup_client = CefAdopt(client);
    if (extra_info != entry_extra_info) CefAdopt(extra_info).Reset();  // no renderer gets it
  }
  const RequestedWindow chosen = RequestedWindow::From(window_info);
  ClearString(&window_info.window_name);
  trace::Event("life_span_handler.on_before_popup.returned")
      .Int("browser", identifier_)
      .Int("result", cancel)
      .Object("window_info", chosen.ToJson())
      .Bool("client", bool(popup_client))
      .Bool("same_client", popup_client == handlers_.client)
      .Int("no_javascript_access", no_javascript_access);
  if (cancel || Closed()) return;

  BrowserParams params;
  params.window = chosen;
  params.client = std::move(popup_client);
  params.url = url;
  params.settings = BrowserSettings(settings.record());
  params.request_context = request_context_;
  params.popup = true;
  params.opener = opener;
  if (const DWORD delay = PopupDelayMs()) {
    if (const auto loop = FindLoop(TID_UI)) {
      auto later = std::make_shared<BrowserParams>(std::move(params));
      loop->Post([later] { Create(std::move(*later)); }, delay);
      return;
    }
  }
  Create(std::move(params));
}

}  // namespace quirel::standin
