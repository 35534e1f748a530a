#include "standin/browser/UiCallbacks.h"

#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Trace.h"

namespace quirel::standin {

void CompleteOnUiThread(CefRef<cef_completion_callback_t> callback) {
  if (!callback) return;
  const auto loop = FindLoop(TID_UI);
  if (!loop) return;
  loop->Post([callback] {
    if (!Provides(callback.get(), &cef_completion_callback_t::on_complete)) return;
    trace::Callback("completion_callback.on_complete");
    callback->on_complete(callback.get());
  });
}

}  // namespace quirel::standin
