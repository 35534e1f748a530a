// cef_string_*: setting, clearing, comparing and converting the engine's
// strings, and the userfree strings it hands out.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "standin/core/Trace.h"
#include "standin/core/Utf.h"
#include "standin/exports/Exports.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

template <class Char>
std::basic_string_view<Char> View(const Char* src, size_t length) {
  return src ? std::basic_string_view<Char>(src, length) : std::basic_string_view<Char>();
}

// Borrowing (copy == 0) keeps the caller's pointer, whatever it is.
template <class String, class Char>
int SetFrom(const Char* src, size_t src_len, String* output, int copy) {
  if (!output) return 0;
  if (copy) {
    SetString(output, View(src, src_len));
  } else {
    ClearString(output);
    output->str = const_cast<Char*>(src);
    output->length = src_len;
  }
  return 1;
}

// Unsigned comparison of code units; the wide and UTF-8 flavours stop at a
// NUL as wcsncmp and strncmp do.
template <class String, class Unit>
int Compare(const String* a, const String* b, bool stop_at_nul) {
  const size_t a_length = a ? a->length : 0;
  const size_t b_length = b ? b->length : 0;
  if (a_length == 0 && b_length == 0) return 0;
  const size_t n = std::min(a_length, b_length);
  for (size_t i = 0; i < n; ++i) {
    const Unit x = static_cast<Unit>(a->str[i]);
    const Unit y = static_cast<Unit>(b->str[i]);
    if (x != y) return x < y ? -1 : 1;
    if (stop_at_nul && x == 0) return 0;
  }
  if (a_length == b_length) return 0;
  return a_length > b_length ? 1 : -1;
}

int SetUtf8(std::wstring_view text, cef_string_utf8_t* output) {
  std::string utf8;
  const bool valid = Utf16ToUtf8(text, utf8);
  SetString(output, utf8);
  return valid;
}

template <class String>
int SetUtf16(std::string_view text, String* output) {
  std::wstring utf16;
  const bool valid = Utf8ToUtf16(text, utf16);
  SetString(output, utf16);
  return valid;
}

template <class String>
int SetAscii(const char* src, size_t src_len, String* output) {
  std::wstring wide;
  for (char c : View(src, src_len)) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  SetString(output, wide);
  return 1;
}

int MapCase(const char16* src, size_t src_len, cef_string_utf16_t* output, DWORD flags) {
  std::wstring text(View(src, src_len));
  if (!text.empty()) {
    LCMapStringW(LOCALE_INVARIANT, flags, text.data(), static_cast<int>(text.size()), text.data(),
                 static_cast<int>(text.size()));
  }
  SetString(output, text);
  return 1;
}

template <class String>
String* NewUserFree() {
  return std::make_unique<String>().release();
}

template <class String>
void FreeUserFree(String* string) {
  std::unique_ptr<String> owned(string);
  ClearString(string);
}

}  // namespace
}  // namespace quirel::standin

using namespace quirel::standin;

extern "C" {

int cef_string_wide_set(const wchar_t* src, size_t src_len, cef_string_wide_t* output, int copy) {
  trace::Call("cef_string_wide_set")
      .Int("length", static_cast<long long>(src_len))
      .Int("copy", copy);
  return SetFrom(src, src_len, output, copy);
}

int cef_string_utf8_set(const char* src, size_t src_len, cef_string_utf8_t* output, int copy) {
  trace::Call("cef_string_utf8_set")
      .Int("length", static_cast<long long>(src_len))
      .Int("copy", copy);
  return SetFrom(src, src_len, output, copy);
}

int cef_string_utf16_set(const char16* src, size_t src_len, cef_string_utf16_t* output, int copy) {
  trace::Call("cef_string_utf16_set").Text("text", View(src, src_len)).Int("copy", copy);
  return SetFrom(src, src_len, output, copy);
}

void cef_string_wide_clear(cef_string_wide_t* str) {
  trace::Call("cef_string_wide_clear");
  ClearString(str);
}

void cef_string_utf8_clear(cef_string_utf8_t* str) {
  trace::Call("cef_string_utf8_clear");
  ClearString(str);
}

void cef_string_utf16_clear(cef_string_utf16_t* str) {
  trace::Call("cef_string_utf16_clear");
  ClearString(str);
}

int cef_string_wide_cmp(const cef_string_wide_t* str1, const cef_string_wide_t* str2) {
  trace::Call("cef_string_wide_cmp");
  return Compare<cef_string_wide_t, unsigned short>(str1, str2, true);
}

int cef_string_utf8_cmp(const cef_string_utf8_t* str1, const cef_string_utf8_t* str2) {
  trace::Call("cef_string_utf8_cmp");
  return Compare<cef_string_utf8_t, unsigned char>(str1, str2, true);
}

int cef_string_utf16_cmp(const cef_string_utf16_t* str1, const cef_string_utf16_t* str2) {
  trace::Call("cef_string_utf16_cmp");
  return Compare<cef_string_utf16_t, unsigned short>(str1, str2, false);
}

int cef_string_wide_to_utf8(const wchar_t* src, size_t src_len, cef_string_utf8_t* output) {
  trace::Call("cef_string_wide_to_utf8").Int("length", static_cast<long long>(src_len));
  return SetUtf8(View(src, src_len), output);
}

int cef_string_utf8_to_wide(const char* src, size_t src_len, cef_string_wide_t* output) {
  trace::Call("cef_string_utf8_to_wide").Int("length", static_cast<long long>(src_len));
  return SetUtf16(View(src, src_len), output);
}

// wchar_t is UTF-16 on Windows: wide and UTF-16 strings convert by copying.
int cef_string_wide_to_utf16(const wchar_t* src, size_t src_len, cef_string_utf16_t* output) {
  trace::Call("cef_string_wide_to_utf16").Int("length", static_cast<long long>(src_len));
  SetString(output, View(src, src_len));
  return 1;
}

int cef_string_utf16_to_wide(const char16* src, size_t src_len, cef_string_wide_t* output) {
  trace::Call("cef_string_utf16_to_wide").Int("length", static_cast<long long>(src_len));
  SetString(output, View(src, src_len));
  return 1;
}

int cef_string_utf8_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output) {
  trace::Call("cef_string_utf8_to_utf16").Int("length", static_cast<long long>(src_len));
  return SetUtf16(View(src, src_len), output);
}

int cef_string_utf16_to_utf8(const char16* src, size_t src_len, cef_string_utf8_t* output) {
  trace::Call("cef_string_utf16_to_utf8").Int("length", static_cast<long long>(src_len));
  return SetUtf8(View(src, src_len), output);
}

int cef_string_ascii_to_wide(const char* src, size_t src_len, cef_string_wide_t* output) {
  trace::Call("cef_string_ascii_to_wide").Int("length", static_cast<long long>(src_len));
  return SetAscii(src, src_len, output);
}

int cef_string_ascii_to_utf16(const char* src, size_t src_len, cef_string_utf16_t* output) {
  trace::Call("cef_string_ascii_to_utf16").Int("length", static_cast<long long>(src_len));
  return SetAscii(src, src_len, output);
}

cef_string_userfree_wide_t cef_string_userfree_wide_alloc() {
  trace::Call("cef_string_userfree_wide_alloc");
  return NewUserFree<cef_string_wide_t>();
}

cef_string_userfree_utf8_t cef_string_userfree_utf8_alloc() {
  trace::Call("cef_string_userfree_utf8_alloc");
  return NewUserFree<cef_string_utf8_t>();
}

cef_string_userfree_utf16_t cef_string_userfree_utf16_alloc() {
  trace::Call("cef_string_userfree_utf16_alloc");
  return NewUserFree<cef_string_utf16_t>();
}

void cef_string_userfree_wide_free(cef_string_userfree_wide_t str) {
  trace::Call("cef_string_userfree_wide_free");
  FreeUserFree(str);
}

void cef_string_userfree_utf8_free(cef_string_userfree_utf8_t str) {
  trace::Call("cef_string_userfree_utf8_free");
  FreeUserFree(str);
}

void cef_string_userfree_utf16_free(cef_string_userfree_utf16_t str) {
  trace::Call("cef_string_userfree_utf16_free");
  FreeUserFree(str);
}

int cef_string_utf16_to_lower(const char16* src, size_t src_len, cef_string_utf16_t* output) {
  trace::Call("cef_string_utf16_to_lower").Text("text", View(src, src_len));
  return MapCase(src, src_len, output, LCMAP_LOWERCASE);
}

int cef_string_utf16_to_upper(const char16* src, size_t src_len, cef_string_utf16_t* output) {
  trace::Call("cef_string_utf16_to_upper").Text("text", View(src, src_len));
  return MapCase(src, src_len, output, LCMAP_UPPERCASE);
}

}  // extern "C"
