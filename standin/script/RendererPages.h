// The pages a renderer shows, one per browser: each page the browser process
// sends gets a fresh script context, in which the extensions' code runs, then
// on_context_created, then the page's scripts. A browser's next page
// replaces its previous one (on_context_released first). Renderer thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/MessageLoop.h"
#include "standin/script/RendererMessages.h"

namespace quirel::standin::script {

struct BrowserState;

class RendererPages {
 public:
  using Send = std::function<void(const RendererMessage&)>;

  RendererPages(CefRef<cef_render_process_handler_t> handler, Send send,
                std::shared_ptr<MessageLoop> loop);
  RendererPages(const RendererPages&) = delete;
  RendererPages& operator=(const RendererPages&) = delete;
  // Releases every page.
  ~RendererPages();

  void Load(const PageMessage& message);

  class Page;

 private:
  void Release(int browser);

  CefRef<cef_render_process_handler_t> handler_;
  Send send_;
  std::shared_ptr<MessageLoop> loop_;
  std::map<int, std::shared_ptr<Page>> pages_;
  std::map<int, std::shared_ptr<BrowserState>> browsers_;
};

}  // namespace quirel::standin::script
