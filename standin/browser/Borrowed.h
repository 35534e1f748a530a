// A cef_string_t lent to the program for the length of one callback.
#pragma once

#include <string>

#include "engine/capi/cef_types.h"

namespace quirel::standin {

inline cef_string_t Borrowed(const std::wstring& text) {
  return cef_string_t{const_cast<char16*>(text.c_str()), text.size(), nullptr};
}

}  // namespace quirel::standin
