// The engine's strings (cef_string_t, UTF-16) and std::wstring. wchar_t is
// UTF-16 on Windows, so text passes unchanged, surrogate pairs included.
#pragma once

#include <string>
#include <string_view>

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_types.h"

// The text of a string the engine passes or filled; null and empty give "".
std::wstring CefToWString(const cef_string_t* string);

// A std::wstring lent to the engine as a const cef_string_t* argument (no
// dtor: the engine only reads it during the call).
//   g_cef.cef_get_mime_type(CefStringArg(L"png"))
class CefStringArg {
 public:
  explicit CefStringArg(std::wstring text);
  CefStringArg(const CefStringArg&) = delete;
  CefStringArg& operator=(const CefStringArg&) = delete;

  const cef_string_t* get() const noexcept { return &string_; }
  operator const cef_string_t*() const noexcept { return &string_; }

 private:
  std::wstring text_;
  cef_string_t string_{};
};

// Sets a string field of a record we hand to the engine (settings, window
// info). The copy belongs to the program: the field's dtor is ours and frees it.
void CefStringSet(cef_string_t& field, std::wstring_view text);

// Frees what the field holds through its own dtor, whoever supplied it, and
// leaves the field empty. Safe on empty and borrowed strings.
void CefStringClear(cef_string_t& field) noexcept;

// A string the engine fills in for us (a cef_string_t* out-parameter); the
// dtor the engine put in frees it when this goes out of scope.
class CefStringOut {
 public:
  CefStringOut() noexcept = default;
  CefStringOut(const CefStringOut&) = delete;
  CefStringOut& operator=(const CefStringOut&) = delete;
  ~CefStringOut() { CefStringClear(string_); }

  cef_string_t* get() noexcept { return &string_; }
  std::wstring str() const { return CefToWString(&string_); }

 private:
  cef_string_t string_{};
};

// A cef_string_userfree_t result. The library allocated it, so only the
// library's cef_string_userfree_utf16_free may release it.
class CefUserFreeString {
 public:
  explicit CefUserFreeString(
      cef_string_userfree_t string,
      cef_string_userfree_utf16_free_fn free = g_cef.cef_string_userfree_utf16_free) noexcept
      : string_(string), free_(free) {}
  CefUserFreeString(CefUserFreeString&& other) noexcept;
  CefUserFreeString& operator=(CefUserFreeString&& other) noexcept;
  ~CefUserFreeString();

  cef_string_userfree_t get() const noexcept { return string_; }
  std::wstring str() const { return CefToWString(string_); }

 private:
  cef_string_userfree_t string_;
  cef_string_userfree_utf16_free_fn free_;
};
