#include "standin/browser/ClientHandlers.h"

#include <string>
#include <type_traits>

#include "standin/core/Leftovers.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {
namespace {

template <class Getter>
auto AskFor(cef_client_t* client, Getter cef_client_t::*getter, const char* name, int browser) {
  using Handler = std::remove_pointer_t<std::invoke_result_t<Getter, cef_client_t*>>;
  if (!Provides(client, getter)) return CefRef<Handler>();
  const std::string full = std::string("client.") + name;
  trace::Callback(full).Int("browser", browser);
  CefRef<Handler> handler = CefAdopt((client->*getter)(client));
  leftovers::Watch(name + 4, handler.get());  // the kind: "life_span_handler", ...
  trace::Event(full + ".returned").Int("browser", browser).Bool("handler", bool(handler));
  return handler;
}

}  // namespace

ClientHandlers ClientHandlers::Ask(CefRef<cef_client_t> client, int browser) {
  ClientHandlers handlers;
  cef_client_t* c = client.get();
  leftovers::Watch("client", c);
  handlers.life_span = AskFor(c, &cef_client_t::get_life_span_handler, "get_life_span_handler", browser);
  handlers.load = AskFor(c, &cef_client_t::get_load_handler, "get_load_handler", browser);
  handlers.display = AskFor(c, &cef_client_t::get_display_handler, "get_display_handler", browser);
  handlers.request = AskFor(c, &cef_client_t::get_request_handler, "get_request_handler", browser);
  handlers.context_menu =
      AskFor(c, &cef_client_t::get_context_menu_handler, "get_context_menu_handler", browser);
  handlers.download = AskFor(c, &cef_client_t::get_download_handler, "get_download_handler", browser);
  handlers.client = std::move(client);
  return handlers;
}

void ClientHandlers::Release() {
  life_span.Reset();
  load.Reset();
  display.Reset();
  request.Reset();
  context_menu.Reset();
  download.Reset();
  client.Reset();
}

}  // namespace quirel::standin
