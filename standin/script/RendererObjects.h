// The renderer's engine objects around a page's script context: the context
// itself (cef_v8context_t), and minimal browser and frame objects (a
// renderer's browser has no host; its one frame is the main frame).
#pragma once

#include <memory>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"
#include "standin/script/ScriptContext.h"

namespace quirel::standin::script {

// What the browser objects of one browser id share: the page shown now.
struct BrowserState {
  int id = 0;
  std::weak_ptr<ScriptContext> page;
};

CefRef<cef_v8context_t> NewContextObject(const std::shared_ptr<ScriptContext>& context);
CefRef<cef_browser_t> NewBrowserObject(std::shared_ptr<BrowserState> state);
CefRef<cef_frame_t> NewFrameObject(const std::shared_ptr<BrowserState>& state,
                                   const std::shared_ptr<ScriptContext>& page);

}  // namespace quirel::standin::script
