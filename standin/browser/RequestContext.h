// The engine's global request context: the one every browser of the program
// uses. It keeps the preferences the program sets (any non-empty dotted name
// is one the engine knows) and traces each as JSON.
#pragma once

#include <string>

#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace quirel::standin {

// The same object every time, while the browser process runs; null otherwise.
CefRef<cef_request_context_t> GlobalRequestContext();

// Whether a preference name has the engine's form ("intl.accept_languages").
bool IsPreferenceName(const std::wstring& name);

}  // namespace quirel::standin
