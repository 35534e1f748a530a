#include "engine/ChromiumOptions.h"

#include "engine/capi/CefString.h"

namespace quirel {

void ClearBrowserSettings(cef_browser_settings_t& settings) noexcept {
  for (cef_string_t* field :
       {&settings.standard_font_family, &settings.fixed_font_family, &settings.serif_font_family,
        &settings.sans_serif_font_family, &settings.cursive_font_family,
        &settings.fantasy_font_family, &settings.default_encoding,
        &settings.accept_language_list})
    CefStringClear(*field);
  settings = cef_browser_settings_t{};
}

void FillBrowserSettings(const TChromiumOptions& options, const TChromiumFontOptions& fonts,
                         const std::wstring& defaultEncoding, cef_browser_settings_t& settings) {
  ClearBrowserSettings(settings);
  settings.size = sizeof(cef_browser_settings_t);
  settings.windowless_frame_rate = options.WindowlessFrameRate;
  CefStringSet(settings.standard_font_family, fonts.StandardFontFamily);
  CefStringSet(settings.fixed_font_family, fonts.FixedFontFamily);
  CefStringSet(settings.serif_font_family, fonts.SerifFontFamily);
  CefStringSet(settings.sans_serif_font_family, fonts.SansSerifFontFamily);
  CefStringSet(settings.cursive_font_family, fonts.CursiveFontFamily);
  CefStringSet(settings.fantasy_font_family, fonts.FantasyFontFamily);
  settings.default_font_size = fonts.DefaultFontSize;
  settings.default_fixed_font_size = fonts.DefaultFixedFontSize;
  settings.minimum_font_size = fonts.MinimumFontSize;
  settings.minimum_logical_font_size = fonts.MinimumLogicalFontSize;
  CefStringSet(settings.default_encoding, defaultEncoding);
  settings.remote_fonts = fonts.RemoteFonts;
  settings.javascript = options.Javascript;
  settings.javascript_close_windows = options.JavascriptCloseWindows;
  settings.javascript_access_clipboard = options.JavascriptAccessClipboard;
  settings.javascript_dom_paste = options.JavascriptDomPaste;
  settings.plugins = options.Plugins;
  settings.universal_access_from_file_urls = options.UniversalAccessFromFileUrls;
  settings.file_access_from_file_urls = options.FileAccessFromFileUrls;
  settings.web_security = options.WebSecurity;
  settings.image_loading = options.ImageLoading;
  settings.image_shrink_standalone_to_fit = options.ImageShrinkStandaloneToFit;
  settings.text_area_resize = options.TextAreaResize;
  settings.tab_to_links = options.TabToLinks;
  settings.local_storage = options.LocalStorage;
  settings.databases = options.Databases;
  settings.application_cache = options.ApplicationCache;
  settings.webgl = options.Webgl;
  settings.background_color = options.BackgroundColor;
  CefStringSet(settings.accept_language_list, options.AcceptLanguageList);
}

void ClearWindowInfo(cef_window_info_t& info) noexcept {
  CefStringClear(info.window_name);
  info = cef_window_info_t{};
}

void FillChildWindowInfo(cef_window_info_t& info, HWND parent, const RECT& rect,
                         const std::wstring& windowName, DWORD exStyle) {
  ClearWindowInfo(info);
  info.ex_style = exStyle;
  CefStringSet(info.window_name, windowName);
  info.style = kBrowserChildStyle;
  info.x = rect.left;
  info.y = rect.top;
  info.width = rect.right - rect.left;
  info.height = rect.bottom - rect.top;
  info.parent_window = parent;
}

void FillPopupWindowInfo(cef_window_info_t& info, HWND parent, const std::wstring& windowName) {
  ClearWindowInfo(info);
  CefStringSet(info.window_name, windowName);
  info.style = kDevToolsPopupStyle;
  info.x = info.y = info.width = info.height = CW_USEDEFAULT;
  info.parent_window = parent;
}

}  // namespace quirel
