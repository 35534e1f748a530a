// Colours as the forms give them: an RGB value, or a system colour (high byte 0x80 and the
// GetSysColor index), resolved when drawn.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quirel::kit {

using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMaroon = 0x000080;  // RGB 80 00 00
constexpr TColor clBtnFace = 0x80000000u | COLOR_BTNFACE;
constexpr TColor clBtnShadow = 0x80000000u | COLOR_BTNSHADOW;
constexpr TColor clWindowText = 0x80000000u | COLOR_WINDOWTEXT;
constexpr TColor clGrayText = 0x80000000u | COLOR_GRAYTEXT;

inline COLORREF ColorToRGB(TColor color) {
  return (color & 0x80000000u) ? GetSysColor(static_cast<int>(color & 0xFF))
                               : static_cast<COLORREF>(color & 0xFFFFFF);
}

}  // namespace quirel::kit
