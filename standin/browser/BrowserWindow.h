// The native window of a browser (class "QuirelStandinBrowser"), made on the
// engine's UI thread as the window info asks: a child of parent_window with
// WS_CHILD, else a top-level window. Its messages go to the browser it
// belongs to.
#pragma once

#include <windows.h>

#include "standin/browser/RequestedWindow.h"

namespace quirel::standin {

inline constexpr wchar_t kBrowserWindowClass[] = L"QuirelStandinBrowser";

// Registers a window class of the engine's module; call it once per class.
ATOM RegisterEngineWindowClass(const wchar_t* name, WNDPROC procedure, UINT style);

// Null when the window cannot be made (GetLastError tells why).
HWND CreateBrowserWindow(const RequestedWindow& requested);

}  // namespace quirel::standin
