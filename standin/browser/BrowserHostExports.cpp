// Browser creation. The engine checks the records it is given, then makes the
// browser on its UI thread: later for cef_browser_host_create_browser (1 when
// accepted), at once for _sync, which the engine allows only on that thread.
#include "standin/browser/Browser.h"
#include "standin/core/LoopRegistry.h"
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"
#include "standin/strings/EngineStrings.h"

using namespace quirel::standin;

namespace {

// Why the engine refuses a request, or null when it is acceptable.
const wchar_t* Refusal(const cef_window_info_t* window_info,
                       const cef_browser_settings_t* settings) {
  if (!window_info) return L"missing window info";
  if (!settings) return L"missing settings";
  if (settings->size != sizeof(cef_browser_settings_t)) return L"invalid settings size";
  if (window_info->windowless_rendering_enabled) return L"windowless rendering not offered";
  if (!FindLoop(TID_UI)) return L"engine not running";
  return nullptr;
}

void TraceCreate(const char* name, const cef_window_info_t* window_info, const cef_string_t* url,
                 const cef_browser_settings_t* settings, bool client, bool request_context) {
  trace::Line line = trace::Call(name);
  if (window_info) line.Object("window_info", RequestedWindow::From(*window_info).ToJson());
  line.Text("url", url)
      .Bool("client", client)
      .Bool("settings", settings != nullptr)
      .Bool("request_context", request_context);
  if (settings) line.Int("settings_size", static_cast<long long>(settings->size));
}

BrowserParams Params(const cef_window_info_t& window_info, cef_client_t* client,
                     const cef_string_t* url, const cef_browser_settings_t& settings,
                     cef_request_context_t* request_context) {
  BrowserParams params;
  params.settings = BrowserSettings(settings);
  params.window = RequestedWindow::From(window_info);
  params.client = CefAdopt(client);
  params.url = ToWString(url);
  params.request_context = CefAdopt(request_context);
  return params;
}

}  // namespace

extern "C" {

int cef_browser_host_create_browser(const cef_window_info_t* windowInfo, cef_client_t* client,
                                    const cef_string_t* url,
                                    const cef_browser_settings_t* settings,
                                    cef_dictionary_value_t* extra_info,
                                    cef_request_context_t* request_context) {
  TraceCreate("cef_browser_host_create_browser", windowInfo, url, settings, client != nullptr,
              request_context != nullptr);
  ReleaseArguments(extra_info);  // no renderer gets it
  if (const wchar_t* reason = Refusal(windowInfo, settings)) {
    ReleaseArguments(client, request_context);
    trace::Event("cef_browser_host_create_browser.returned").Int("result", 0).Text("reason", reason);
    return 0;
  }
  BrowserParams params = Params(*windowInfo, client, url, *settings, request_context);
  const bool posted = FindLoop(TID_UI)->Post(
      [params = std::move(params)]() mutable { Browser::Create(std::move(params)); });
  trace::Event("cef_browser_host_create_browser.returned").Int("result", posted ? 1 : 0);
  return posted ? 1 : 0;
}

cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* windowInfo,
                                                    cef_client_t* client, const cef_string_t* url,
                                                    const cef_browser_settings_t* settings,
                                                    cef_dictionary_value_t* extra_info,
                                                    cef_request_context_t* request_context) {
  TraceCreate("cef_browser_host_create_browser_sync", windowInfo, url, settings,
              client != nullptr, request_context != nullptr);
  ReleaseArguments(extra_info);
  const wchar_t* reason = Refusal(windowInfo, settings);
  if (!reason && CurrentNamedThread() != TID_UI) reason = L"not on the UI thread";
  if (reason) {
    ReleaseArguments(client, request_context);
    trace::Event("cef_browser_host_create_browser_sync.returned")
        .Bool("browser", false)
        .Text("reason", reason);
    return nullptr;
  }
  const auto browser = Browser::Create(Params(*windowInfo, client, url, *settings, request_context));
  trace::Event("cef_browser_host_create_browser_sync.returned").Bool("browser", bool(browser));
  return browser ? browser->BrowserObject().Detach() : nullptr;
}

}  // extern "C"
