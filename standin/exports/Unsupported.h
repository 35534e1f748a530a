// The engine's exports that the program never calls answer as the engine does
// for something it does not offer: null, 0 or nothing. Arguments that carry a
// reference for the engine are still released.
#pragma once

#include "engine/capi/CefRef.h"

namespace quirel::standin {

template <CefRefCounted... T>
void ReleaseArguments(T*... objects) {
  (CefAdopt(objects).Reset(), ...);
}

}  // namespace quirel::standin
