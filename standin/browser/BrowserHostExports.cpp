// Browser creation. The stand-in hosts no browsers yet: requests are refused
// (0 / null) and their arguments released; the trace shows what was asked.
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"

using namespace quirel::standin;

namespace {

JsonObject WindowInfoJson(const cef_window_info_t* info) {
  if (!info) return JsonObject();
  return JsonObject()
      .Int("ex_style", info->ex_style)
      .Text("window_name", info->window_name.str
                               ? std::wstring_view(info->window_name.str, info->window_name.length)
                               : std::wstring_view())
      .Int("style", info->style)
      .Int("x", info->x)
      .Int("y", info->y)
      .Int("width", info->width)
      .Int("height", info->height)
      .Bool("parent_window", info->parent_window != nullptr)
      .Int("windowless_rendering_enabled", info->windowless_rendering_enabled);
}

void TraceCreate(const char* name, const cef_window_info_t* window_info, const cef_string_t* url,
                 bool client) {
  trace::Call(name)
      .Object("window_info", WindowInfoJson(window_info))
      .Text("url", url)
      .Bool("client", client);
}

}  // namespace

extern "C" {

int cef_browser_host_create_browser(const cef_window_info_t* windowInfo, cef_client_t* client,
                                    const cef_string_t* url, const cef_browser_settings_t*,
                                    cef_dictionary_value_t* extra_info,
                                    cef_request_context_t* request_context) {
  TraceCreate("cef_browser_host_create_browser", windowInfo, url, client != nullptr);
  ReleaseArguments(client, extra_info, request_context);
  return 0;
}

cef_browser_t* cef_browser_host_create_browser_sync(const cef_window_info_t* windowInfo,
                                                    cef_client_t* client, const cef_string_t* url,
                                                    const cef_browser_settings_t*,
                                                    cef_dictionary_value_t* extra_info,
                                                    cef_request_context_t* request_context) {
  TraceCreate("cef_browser_host_create_browser_sync", windowInfo, url, client != nullptr);
  ReleaseArguments(client, extra_info, request_context);
  return nullptr;
}

}  // extern "C"
