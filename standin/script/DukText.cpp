#include "standin/script/DukText.h"

namespace quirel::standin::script {

std::string ToDuk(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t unit : text) {
    const auto c = static_cast<unsigned>(static_cast<char16_t>(unit));
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::wstring FromDuk(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    unsigned code = extra == 0 ? lead : extra == 1 ? (lead & 0x1F) : extra == 2 ? (lead & 0x0F) : (lead & 0x07);
    if (i + static_cast<size_t>(extra) >= text.size()) {  // cut short
      out += L'\xFFFD';
      break;
    }
    for (int k = 1; k <= extra; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += static_cast<size_t>(extra) + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (code >> 10));
      out += static_cast<wchar_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<wchar_t>(code);
    }
  }
  return out;
}

void PushText(duk_context* duk, std::wstring_view text) {
  const std::string bytes = ToDuk(text);
  duk_push_lstring(duk, bytes.data(), bytes.size());
}

std::wstring TextAt(duk_context* duk, duk_idx_t index) {
  if (!duk_is_string(duk, index)) return L"";
  duk_size_t length = 0;
  const char* bytes = duk_get_lstring(duk, index, &length);
  return FromDuk(std::string_view(bytes, length));
}

}  // namespace quirel::standin::script
