// The browsers that are open, by identifier and by window.
#pragma once

#include <windows.h>

#include <memory>

namespace quirel::standin {

class Browser;

// Identifiers start at 1, as the engine's do.
int NextBrowserIdentifier();
void RegisterBrowser(std::shared_ptr<Browser> browser);
void UnregisterBrowser(int identifier);
// The browser whose window `window` is; null for any other window.
std::shared_ptr<Browser> FindBrowserByWindow(HWND window);

}  // namespace quirel::standin
