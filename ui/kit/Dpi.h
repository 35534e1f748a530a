// Pixel density of windows and screens: layouts are written in 96-DPI pixels and scaled.
#pragma once

#include <windows.h>

namespace quirel::kit {

// The window's DPI where the system tells it per window (Windows 10 1607 on), else the
// screen's; 96 when neither answers.
UINT WindowDpi(HWND window);

// A length in 96-DPI pixels at `dpi`, rounded to the nearest pixel.
inline int Scale(int pixels96, UINT dpi) { return MulDiv(pixels96, static_cast<int>(dpi), 96); }

// The message font (or Tahoma 8 pt when the system gives none) at `dpi`; the caller owns it.
HFONT CreateMessageFont(UINT dpi, int weight = FW_NORMAL, int pointSize = 0);

}  // namespace quirel::kit
