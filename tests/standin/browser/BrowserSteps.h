// Steps the browser tests share: a page, a browser made and loaded, its
// address, a navigation, events for a failure message, a link clicked.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "TestClient.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/cef_capi.h"

namespace standin_test {

std::string Page(const std::string& title, const std::string& body = "<p>Some text</p>");

struct Created {
  CefRef<cef_browser_t> browser;
  CefRef<cef_browser_host_t> host;
  HWND window = nullptr;
};

// Creates a browser in `parent` and waits until its first load is over.
Created Create(const std::shared_ptr<Recorder>& recorder, HWND parent, const std::wstring& url,
               ClientOptions options = {}, RECT rect = {10, 20, 330, 260});

std::wstring FrameUrl(const CefRef<cef_browser_t>& browser);
void LoadUrl(const CefRef<cef_browser_t>& browser, const std::wstring& url);
std::string Joined(const std::vector<std::string>& events);

// The rectangle of the link to `url` in the browser's last traced layout
// (waits for one); empty when none came.
RECT LinkRect(int browser, const std::wstring& url, DWORD timeout_ms = 10000);
// Clicks the middle of a link as the mouse would: button down and up with
// `keys` (MK_*), the left button or the middle one.
bool ClickLink(HWND window, int browser, const std::wstring& url, WPARAM keys = 0,
               bool middle = false);

}  // namespace standin_test
