// Conversions between UTF-16 text and byte encodings (UTF-8, the system's ANSI code page).
#pragma once

#include <string>
#include <string_view>

namespace quirel {

std::wstring Utf8ToWide(std::string_view bytes);
std::string WideToUtf8(std::wstring_view text);

// The system's ANSI code page (CP_ACP); characters it lacks become its default character.
std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);

// Lower-cases with the system's rules (CharLowerBuffW).
std::wstring LowerCase(std::wstring_view text);

}  // namespace quirel
