// Whether an object the program implements has a callback: its struct is
// long enough (base.size) and the member is set. The engine checks both
// before calling.
#pragma once

#include <cstddef>

#include "engine/capi/CefRef.h"

namespace quirel::standin {

template <CefRefCounted T, class Member>
bool Provides(T* object, Member T::*member) {
  if (!object) return false;
  const auto* start = reinterpret_cast<const char*>(object);
  const auto* field = reinterpret_cast<const char*>(&(object->*member));
  const size_t end = static_cast<size_t>(field - start) + sizeof(Member);
  return end <= CefBaseOf(object)->size && object->*member != nullptr;
}

}  // namespace quirel::standin
