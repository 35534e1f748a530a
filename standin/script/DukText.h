// Text between the engine's UTF-16 and Duktape's strings (CESU-8: every
// UTF-16 code unit encoded on its own, so lengths and surrogates stay as
// scripts see them).
#pragma once

#include <string>
#include <string_view>

#include "duktape.h"

namespace quirel::standin::script {

std::string ToDuk(std::wstring_view text);
std::wstring FromDuk(std::string_view text);

void PushText(duk_context* duk, std::wstring_view text);
// The string at `index`; "" for anything that is not a string.
std::wstring TextAt(duk_context* duk, duk_idx_t index);

}  // namespace quirel::standin::script
