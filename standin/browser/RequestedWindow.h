// What a cef_window_info_t asks for, copied so it outlives the program's record.
#pragma once

#include <windows.h>

#include <string>

#include "engine/capi/cef_capi.h"
#include "standin/core/Json.h"

namespace quirel::standin {

struct RequestedWindow {
  DWORD ex_style = 0;
  std::wstring window_name;
  DWORD style = 0;
  int x = 0, y = 0, width = 0, height = 0;
  HWND parent = nullptr;
  HMENU menu = nullptr;
  bool windowless = false;

  static RequestedWindow From(const cef_window_info_t& info);
  // Writes the requested into a record the program may change (strings copied for it).
  void To(cef_window_info_t& info) const;
  JsonObject ToJson() const;
};

// A window handle as the trace writes it (a number).
long long HandleNumber(const void* handle);

}  // namespace quirel::standin
