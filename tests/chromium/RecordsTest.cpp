// Plain values of the browser component: where a form lands on the desktop, the records the
// engine receives, and the preferences every new browser gets.
#include <gtest/gtest.h>

#include <climits>

#include "engine/ChromiumOptions.h"
#include "engine/ChromiumPreferences.h"
#include "engine/FormPlacement.h"
#include "engine/capi/CefString.h"

namespace quirel {
namespace {

TEST(FormPlacement, EdgeStaysOnTheDesktop) {
  struct Case {
    int requested;
    TDesktopAxis desktop;
    int formExtent;
    int expected;
  } cases[] = {
      {200, {0, 1920}, 400, 200},
      {-500, {-1280, 3200}, 400, 0},     // a desktop starting left of 0 still gives 0
      {-500, {0, 1920}, 400, 0},
      {50, {100, 1920}, 400, 100},       // not before the desktop's start
      {1700, {0, 1920}, 400, 1520},      // beyond the right edge
      {5000, {-1280, 3200}, 400, 1520},  // the far edge is at 1920, not at the extent
      {1800, {-1280, 3200}, 400, 1520},
      {10, {0, 300}, 400, -100},         // both bounds cannot hold: the second wins
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormEdgeOnDesktop(c.requested, c.desktop, c.formExtent), c.expected)
        << "requested " << c.requested << " desktop " << c.desktop.Origin << "+"
        << c.desktop.Extent;
}

TEST(FormPlacement, ClientExtentAtLeast100) {
  struct Case {
    int form, client, requested, expected;
  } cases[] = {
      {816, 800, 50, 116},  // client 100
      {816, 800, 100, 116},
      {816, 800, 640, 656},
      {539, 500, -20, 139},
      {400, 400, 1000, 1000},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FormExtentForClient(c.form, c.client, c.requested), c.expected)
        << c.form << "/" << c.client << " -> " << c.requested;
}

TEST(Records, BrowserSettingsFromOptions) {
  TChromiumOptions options;
  options.BackgroundColor = 0xFF112233;
  options.Javascript = STATE_ENABLED;
  options.Webgl = STATE_DISABLED;
  options.AcceptLanguageList = L"it-IT,it";
  TChromiumFontOptions fonts;
  fonts.StandardFontFamily = L"Tahoma";
  fonts.DefaultFontSize = 13;
  cef_browser_settings_t settings{};
  CefStringSet(settings.serif_font_family, L"left over");
  FillBrowserSettings(options, fonts, L"utf-8", settings);
  EXPECT_EQ(settings.size, sizeof(cef_browser_settings_t));
  EXPECT_EQ(settings.background_color, 0xFF112233u);
  EXPECT_EQ(settings.javascript, STATE_ENABLED);
  EXPECT_EQ(settings.webgl, STATE_DISABLED);
  EXPECT_EQ(settings.image_loading, STATE_DEFAULT);
  EXPECT_EQ(settings.windowless_frame_rate, 30);
  EXPECT_EQ(settings.default_font_size, 13);
  EXPECT_EQ(CefToWString(&settings.standard_font_family), L"Tahoma");
  EXPECT_EQ(CefToWString(&settings.serif_font_family), L"");
  EXPECT_EQ(CefToWString(&settings.default_encoding), L"utf-8");
  EXPECT_EQ(CefToWString(&settings.accept_language_list), L"it-IT,it");
  ClearBrowserSettings(settings);
  EXPECT_EQ(settings.standard_font_family.str, nullptr);
  EXPECT_EQ(settings.size, 0u);
}

TEST(Records, ChildWindowInfo) {
  cef_window_info_t info{};
  info.menu = reinterpret_cast<HMENU>(7);
  info.windowless_rendering_enabled = 1;
  CefStringSet(info.window_name, L"old");
  const HWND parent = reinterpret_cast<HWND>(0x1234);
  FillChildWindowInfo(info, parent, RECT{10, 20, 310, 420}, L"Quirel", 0);
  EXPECT_EQ(info.style, 0x56010000u);
  EXPECT_EQ(info.style, DWORD(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP));
  EXPECT_EQ(info.ex_style, 0u);
  EXPECT_EQ(info.x, 10);
  EXPECT_EQ(info.y, 20);
  EXPECT_EQ(info.width, 300);
  EXPECT_EQ(info.height, 400);
  EXPECT_EQ(info.parent_window, parent);
  EXPECT_EQ(info.menu, nullptr);
  EXPECT_EQ(info.windowless_rendering_enabled, 0);
  EXPECT_EQ(info.window, nullptr);
  EXPECT_EQ(CefToWString(&info.window_name), L"Quirel");
  ClearWindowInfo(info);
  EXPECT_EQ(info.window_name.str, nullptr);
}

TEST(Records, DevToolsPopupWindowInfo) {
  cef_window_info_t info{};
  const HWND owner = reinterpret_cast<HWND>(0x4321);
  FillPopupWindowInfo(info, owner, L"DevTools");
  EXPECT_EQ(info.style, 0x16CF0000u);
  EXPECT_EQ(info.style, DWORD(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE));
  for (int v : {info.x, info.y, info.width, info.height}) EXPECT_EQ(v, int(0x80000000u));
  EXPECT_EQ(info.parent_window, owner);
  EXPECT_EQ(info.ex_style, 0u);
  EXPECT_EQ(CefToWString(&info.window_name), L"DevTools");
  ClearWindowInfo(info);
}

TEST(Preferences, AcceptLanguageListChoice) {
  EXPECT_EQ(ChooseAcceptLanguageList(L"", L"", L""), L"en-US,en");
  EXPECT_EQ(ChooseAcceptLanguageList(L"a", L"b", L"c"), L"a");
  EXPECT_EQ(ChooseAcceptLanguageList(L"", L"b", L"c"), L"b");
  EXPECT_EQ(ChooseAcceptLanguageList(L"", L"", L"c"), L"c");
}

TEST(Preferences, TableInOrderWithValues) {
  using V = decltype(TChromiumPreference::Value);
  const std::vector<std::pair<std::wstring, V>> expected = {
      {L"proxy", TProxyModeValue{L"system"}},
      {L"enable_do_not_track", true},
      {L"enable_referrers", true},
      {L"enable_a_ping", false},  // from the hyperlink-auditing argument below
      {L"plugins.run_all_flash_in_allow_mode", false},
      {L"plugins.allow_outdated", false},
      {L"plugins.always_authorize", false},
      {L"browser.enable_spellchecking", true},
      {L"settings.force_google_safesearch", false},
      {L"settings.force_youtube_restrict", 0},
      {L"printing.enabled", true},
      {L"intl.accept_languages", std::wstring(L"it,en")},
      {L"profile.default_content_setting_values.cookies", 1},
      {L"profile.block_third_party_cookies", false},
      {L"net.network_prediction_options", 1},
      {L"net.quic_allowed", true},
      {L"webkit.webprefs.javascript_enabled", true},
      {L"webkit.webprefs.loads_images_automatically", true},
  };
  const auto table = BrowserPreferences(L"it,en", false);
  ASSERT_EQ(table.size(), expected.size());
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].Name, expected[i].first);
    EXPECT_TRUE(table[i].Value == expected[i].second) << "value of row " << i;
  }
  EXPECT_TRUE(BrowserPreferences(L"x", true)[3].Value == V(true));
}

}  // namespace
}  // namespace quirel
