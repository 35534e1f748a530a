// A browser's dev tools window (class "QuirelStandinDevTools"), made as the
// program's window info says — a child filling the given rectangle of its
// parent, or a window of its own — and painted with "DevTools" and the
// address of the page it inspects. UI thread only.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "standin/browser/RequestedWindow.h"

namespace quirel::standin {

inline constexpr wchar_t kDevToolsWindowClass[] = L"QuirelStandinDevTools";

// Null when the window cannot be made. `gone` runs once the window is
// destroyed, whoever destroys it.
HWND CreateDevToolsWindow(const RequestedWindow& requested, const std::wstring& inspected_url,
                          std::function<void()> gone);
// Shows another inspected address in an open dev tools window.
void SetInspectedUrl(HWND window, const std::wstring& url);

}  // namespace quirel::standin
