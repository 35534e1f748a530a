#include "engine/capi/CefString.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Frees the strings CefStringSet allocates, with the allocator that made them.
void CEF_CDECL FreeOwnedString(char16* str) { delete[] str; }

}  // namespace

std::wstring CefToWString(const cef_string_t* string) {
  if (!string || !string->str || string->length == 0) return {};
  return std::wstring(string->str, string->length);
}

CefStringArg::CefStringArg(std::wstring text) : text_(std::move(text)) {
  string_.str = text_.data();
  string_.length = text_.size();
  string_.dtor = nullptr;
}

void CefStringSet(cef_string_t& field, std::wstring_view text) {
  // Copy first: `text` may be the field's own contents.
  auto buffer = std::make_unique<char16[]>(text.size() + 1);
  std::copy(text.begin(), text.end(), buffer.get());
  buffer[text.size()] = L'\0';
  CefStringClear(field);
  field.str = buffer.release();
  field.length = text.size();
  field.dtor = &FreeOwnedString;
}

void CefStringClear(cef_string_t& field) noexcept {
  if (field.dtor && field.str) field.dtor(field.str);
  field.str = nullptr;
  field.length = 0;
  field.dtor = nullptr;
}

CefUserFreeString::CefUserFreeString(CefUserFreeString&& other) noexcept
    : string_(std::exchange(other.string_, nullptr)), free_(other.free_) {}

CefUserFreeString& CefUserFreeString::operator=(CefUserFreeString&& other) noexcept {
  if (this != &other) {
    CefUserFreeString old(std::move(*this));
    string_ = std::exchange(other.string_, nullptr);
    free_ = other.free_;
  }
  return *this;
}

CefUserFreeString::~CefUserFreeString() {
  // Without the library's free function the string can only be leaked: our
  // heap is not the one it came from.
  if (string_ && free_) free_(string_);
}
