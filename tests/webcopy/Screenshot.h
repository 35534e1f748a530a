// Pictures of what is on the screen, saved as PNG files for people to look at.
#pragma once

#include <windows.h>

#include <string>

namespace quirel::test {

// Saves the window as a PNG file, making its folder first: the client area as the display shows
// it, inside a dialog frame and caption drawn by the system (a display without a window manager
// draws no frames). False when nothing could be read or written.
bool SaveWindowScreenshot(HWND window, const std::wstring& path);

}  // namespace quirel::test
