#include "standin/strings/EngineStrings.h"

#include <algorithm>
#include <memory>

namespace quirel::standin {
namespace {

template <class Char>
void CEF_CDECL FreeBuffer(Char* str) {
  std::unique_ptr<Char[]> owned(str);
}

template <class String, class Char>
void Clear(String* string) {
  if (!string) return;
  if (string->str && string->dtor) string->dtor(string->str);
  string->str = nullptr;
  string->length = 0;
  string->dtor = nullptr;
}

template <class String, class Char>
void Set(String* out, std::basic_string_view<Char> text) {
  if (!out) return;
  // Copy first: `text` may be what `out` holds.
  std::unique_ptr<Char[]> buffer;
  if (!text.empty()) {
    buffer = std::make_unique<Char[]>(text.size() + 1);
    std::copy(text.begin(), text.end(), buffer.get());
    buffer[text.size()] = Char();
  }
  Clear<String, Char>(out);
  if (buffer) {
    out->str = buffer.release();
    out->length = text.size();
    out->dtor = &FreeBuffer<Char>;
  }
}

}  // namespace

std::wstring ToWString(const cef_string_t* string) {
  if (!string || !string->str || string->length == 0) return {};
  return std::wstring(string->str, string->length);
}

void SetString(cef_string_t* out, std::wstring_view text) { Set<cef_string_t, char16>(out, text); }
void SetString(cef_string_wide_t* out, std::wstring_view text) {
  Set<cef_string_wide_t, wchar_t>(out, text);
}
void SetString(cef_string_utf8_t* out, std::string_view text) {
  Set<cef_string_utf8_t, char>(out, text);
}

void ClearString(cef_string_t* string) { Clear<cef_string_t, char16>(string); }
void ClearString(cef_string_wide_t* string) { Clear<cef_string_wide_t, wchar_t>(string); }
void ClearString(cef_string_utf8_t* string) { Clear<cef_string_utf8_t, char>(string); }

cef_string_userfree_t NewUserFreeString(std::wstring_view text) {
  auto string = std::make_unique<cef_string_t>();
  SetString(string.get(), text);
  return string.release();
}

}  // namespace quirel::standin
