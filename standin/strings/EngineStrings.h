// Strings the engine hands out: buffers it allocates are freed by the dtor it
// puts beside them (or by cef_string_userfree_*_free for userfree strings).
#pragma once

#include <string>
#include <string_view>

#include "engine/capi/cef_types.h"

namespace quirel::standin {

// The text of a string the program passed; null and empty give "".
std::wstring ToWString(const cef_string_t* string);

// Replaces what `out` holds with a copy of `text` owned by the engine.
void SetString(cef_string_t* out, std::wstring_view text);
void SetString(cef_string_wide_t* out, std::wstring_view text);
void SetString(cef_string_utf8_t* out, std::string_view text);

// Frees what the string holds through its own dtor and empties it.
void ClearString(cef_string_t* string);
void ClearString(cef_string_wide_t* string);
void ClearString(cef_string_utf8_t* string);

// A userfree string holding a copy of `text`, for the program to free.
cef_string_userfree_t NewUserFreeString(std::wstring_view text);

}  // namespace quirel::standin
