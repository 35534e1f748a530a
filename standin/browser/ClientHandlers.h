// The handlers a browser's client gives, asked for once when the browser is
// made. A missing handler (null, or a client without the getter) means the
// engine's default behaviour for its group of callbacks.
#pragma once

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

struct ClientHandlers {
  CefRef<cef_client_t> client;
  CefRef<cef_life_span_handler_t> life_span;
  CefRef<cef_load_handler_t> load;
  CefRef<cef_display_handler_t> display;
  CefRef<cef_request_handler_t> request;
  CefRef<cef_context_menu_handler_t> context_menu;
  CefRef<cef_download_handler_t> download;

  // Traces each getter (`client.get_life_span_handler`, ... with `browser`)
  // and what it gave (`client.get_..._handler.returned`, `handler`).
  static ClientHandlers Ask(CefRef<cef_client_t> client, int browser);
  // The handlers first, the client last.
  void Release();
};

}  // namespace quirel::standin
