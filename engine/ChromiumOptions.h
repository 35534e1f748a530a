// The browser component's options and the engine records made from them: the per-browser
// settings and the window information of a browser's (or the developer tools') native window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/capi/cef_capi.h"

namespace quirel {

struct TChromiumOptions {
  int WindowlessFrameRate = 30;
  cef_state_t Javascript = STATE_DEFAULT;
  cef_state_t JavascriptCloseWindows = STATE_DEFAULT;
  cef_state_t JavascriptAccessClipboard = STATE_DEFAULT;
  cef_state_t JavascriptDomPaste = STATE_DEFAULT;
  cef_state_t Plugins = STATE_DEFAULT;
  cef_state_t UniversalAccessFromFileUrls = STATE_DEFAULT;
  cef_state_t FileAccessFromFileUrls = STATE_DEFAULT;
  cef_state_t WebSecurity = STATE_DEFAULT;
  cef_state_t ImageLoading = STATE_DEFAULT;
  cef_state_t ImageShrinkStandaloneToFit = STATE_DEFAULT;
  cef_state_t TextAreaResize = STATE_DEFAULT;
  cef_state_t TabToLinks = STATE_DEFAULT;
  cef_state_t LocalStorage = STATE_DEFAULT;
  cef_state_t Databases = STATE_DEFAULT;
  cef_state_t ApplicationCache = STATE_DEFAULT;
  cef_state_t Webgl = STATE_DEFAULT;
  // ARGB: alpha in the top byte, then red, green, blue.
  uint32_t BackgroundColor = 0;
  std::wstring AcceptLanguageList;
};

struct TChromiumFontOptions {
  std::wstring StandardFontFamily;
  std::wstring FixedFontFamily;
  std::wstring SerifFontFamily;
  std::wstring SansSerifFontFamily;
  std::wstring CursiveFontFamily;
  std::wstring FantasyFontFamily;
  int DefaultFontSize = 0;
  int DefaultFixedFontSize = 0;
  int MinimumFontSize = 0;
  int MinimumLogicalFontSize = 0;
  cef_state_t RemoteFonts = STATE_DEFAULT;
};

// WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP
inline constexpr DWORD kBrowserChildStyle = 0x56010000;
// WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE
inline constexpr DWORD kDevToolsPopupStyle = 0x16CF0000;

// Replaces `settings` (freeing the strings it held) with what the options say.
void FillBrowserSettings(const TChromiumOptions& options, const TChromiumFontOptions& fonts,
                         const std::wstring& defaultEncoding, cef_browser_settings_t& settings);
void ClearBrowserSettings(cef_browser_settings_t& settings) noexcept;

// A visible child window of `parent` covering `rect`; every other field 0.
void FillChildWindowInfo(cef_window_info_t& info, HWND parent, const RECT& rect,
                         const std::wstring& windowName, DWORD exStyle);
// A top-level window of the default size and place, owned by `parent`.
void FillPopupWindowInfo(cef_window_info_t& info, HWND parent, const std::wstring& windowName);
void ClearWindowInfo(cef_window_info_t& info) noexcept;

}  // namespace quirel
