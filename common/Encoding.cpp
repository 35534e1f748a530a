#include "common/Encoding.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace quirel {
namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  if (bytes.size() > INT_MAX) throw std::length_error("text too long");
  const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  if (n > 0)
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) throw std::length_error("text too long");
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view bytes) { return ToWide(CP_UTF8, bytes); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::wstring AnsiToWide(std::string_view bytes) { return ToWide(CP_ACP, bytes); }
std::string WideToAnsi(std::wstring_view text) { return FromWide(CP_ACP, text); }

std::wstring LowerCase(std::wstring_view text) {
  std::wstring out(text);
  if (!out.empty() && out.size() <= UINT_MAX) CharLowerBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace quirel
