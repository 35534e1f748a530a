// Completion callbacks the engine runs later on its UI thread.
#pragma once

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

// Calls on_complete on the UI thread; without a UI thread the callback is
// only released.
void CompleteOnUiThread(CefRef<cef_completion_callback_t> callback);

}  // namespace quirel::standin
