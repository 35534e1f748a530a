#include "ui/kit/Dpi.h"

namespace quirel::kit {

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(
                        reinterpret_cast<void (*)()>(GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  if (window && getDpiForWindow) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

HFONT CreateMessageFont(UINT dpi, int weight, int pointSize) {
  LOGFONTW font{};
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    font = metrics.lfMessageFont;
    // The system metrics are at the screen's DPI; bring them to the window's.
    const UINT screenDpi = WindowDpi(nullptr);
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(screenDpi));
  } else {
    wcscpy_s(font.lfFaceName, L"Tahoma");
    font.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
  }
  if (pointSize > 0) font.lfHeight = -MulDiv(pointSize, static_cast<int>(dpi), 72);
  font.lfWeight = weight;
  font.lfQuality = CLEARTYPE_QUALITY;
  return CreateFontIndirectW(&font);
}

}  // namespace quirel::kit
