// The window messages the browser windows post to themselves and to each other. All are
// posted with wParam 0 and lParam 0, so work decided on the engine's UI thread happens on
// the windows' own thread.
#pragma once

#include <windows.h>

namespace quirel {

constexpr UINT UM_BROWSER_CREATED = WM_APP + 0xA03;
constexpr UINT UM_DESTROY_BROWSER_HOST = WM_APP + 0xA06;
constexpr UINT UM_SHOW_PREPARED_POPUP = WM_APP + 0xA50;
constexpr UINT UM_POPUP_DESTROYED = WM_APP + 0xA51;

static_assert(UM_BROWSER_CREATED == 0x8A03 && UM_DESTROY_BROWSER_HOST == 0x8A06 &&
              UM_SHOW_PREPARED_POPUP == 0x8A50 && UM_POPUP_DESTROYED == 0x8A51);

// Private to a window: state the engine's UI thread decided, to be shown on the window's thread.
constexpr UINT UM_SHOW_LOADING = WM_APP + 0xA60;  // wParam: the indicators to show (bits)
constexpr UINT UM_LOAD_ENDED = WM_APP + 0xA61;
constexpr UINT UM_TITLE_CHANGED = WM_APP + 0xA62;

}  // namespace quirel
