// UTF-8 and UTF-16 conversions as the engine does them: every ill-formed
// sequence becomes U+FFFD and the conversion reports that the input was invalid.
#pragma once

#include <string>
#include <string_view>

namespace quirel::standin {

// True when `in` was well-formed; `out` receives the converted text either way.
bool Utf16ToUtf8(std::wstring_view in, std::string& out);
bool Utf8ToUtf16(std::string_view in, std::wstring& out);

// Appends one code point (not a surrogate) encoded as UTF-8.
void AppendUtf8(char32_t code_point, std::string& out);

std::string ToUtf8(std::wstring_view in);
std::wstring ToUtf16(std::string_view in);

// Only A-Z change, as Chromium lower-cases switch names.
std::wstring ToLowerAscii(std::wstring_view in);

}  // namespace quirel::standin
