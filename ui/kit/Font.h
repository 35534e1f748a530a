// Fonts as the forms give them (face, height in 96-DPI pixels, bold, colour) and the GDI
// fonts made of them, shared per density for the life of the process (main thread only).
#pragma once

#include <windows.h>

#include <string>

#include "ui/kit/Color.h"

namespace quirel::kit {

struct TFont {
  std::wstring Name = L"Tahoma";
  int Height = -11;  // 8 pt at 96 DPI; negative: character height, as LOGFONT takes it
  bool Bold = false;
  TColor Color = clWindowText;

  bool operator==(const TFont&) const = default;
};

// The font at `dpi`; owned by the cache, valid until the process ends.
HFONT FontHandle(const TFont& font, UINT dpi);

// LOGFONT height of `font` at `dpi`.
inline int FontHeightAt(const TFont& font, UINT dpi) {
  return MulDiv(font.Height, static_cast<int>(dpi), 96);
}

}  // namespace quirel::kit
