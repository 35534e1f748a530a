#include "BrowserSteps.h"

#include <gtest/gtest.h>

#include "BrowserEnvironment.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace standin_test {

std::string Page(const std::string& title, const std::string& body) {
  return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

Created Create(const std::shared_ptr<Recorder>& recorder, HWND parent, const std::wstring& url,
               ClientOptions options, RECT rect) {
  const size_t from = recorder->Count();
  cef_window_info_t info = ChildWindowInfo(parent, rect);
  const cef_browser_settings_t settings = BrowserSettings();
  const CefRef<cef_client_t> client = NewClient(recorder, std::move(options));
  EXPECT_EQ(g_cef.cef_browser_host_create_browser(&info, client.Share(), CefStringArg(url),
                                                  &settings, nullptr, nullptr),
            1);
  EXPECT_TRUE(recorder->WaitFor("after_created:*", from));
  Created created;
  const std::vector<CefRef<cef_browser_t>> browsers = recorder->Browsers();
  if (browsers.empty()) return created;
  created.browser = browsers.back();
  created.host = CefAdopt(created.browser->get_host(created.browser.get()));
  created.window = created.host->get_window_handle(created.host.get());
  if (!url.empty()) {
    EXPECT_TRUE(recorder->WaitFor("loading:0*", from));
  }
  return created;
}

std::wstring FrameUrl(const CefRef<cef_browser_t>& browser) {
  CefRef<cef_frame_t> frame = CefAdopt(browser->get_main_frame(browser.get()));
  return CefUserFreeString(frame->get_url(frame.get())).str();
}

void LoadUrl(const CefRef<cef_browser_t>& browser, const std::wstring& url) {
  CefRef<cef_frame_t> frame = CefAdopt(browser->get_main_frame(browser.get()));
  frame->load_url(frame.get(), CefStringArg(url));
}

std::string Joined(const std::vector<std::string>& events) {
  std::string out;
  for (const std::string& event : events) out += "\n  " + event;
  return out;
}

RECT LinkRect(int browser, const std::wstring& url, DWORD timeout_ms) {
  RECT found{};
  const std::string wanted = Narrow(url);
  PumpUntil(
      [&] {
        const std::vector<Json> lines = EngineTrace();
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
          if ((*line)["name"].string != "browser.layout" ||
              (*line)["args"]["browser"].Int() != browser)
            continue;
          for (const Json& link : (*line)["args"]["links"].array) {
            if (link["url"].string != wanted) continue;
            found = RECT{static_cast<LONG>(link["left"].Int()), static_cast<LONG>(link["top"].Int()),
                         static_cast<LONG>(link["right"].Int()),
                         static_cast<LONG>(link["bottom"].Int())};
            return true;
          }
          return false;
        }
        return false;
      },
      timeout_ms);
  return found;
}

bool ClickLink(HWND window, int browser, const std::wstring& url, WPARAM keys, bool middle) {
  const RECT rect = LinkRect(browser, url);
  if (IsRectEmpty(&rect)) return false;
  const LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(window, middle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN,
               keys | (middle ? MK_MBUTTON : MK_LBUTTON), at);
  PostMessageW(window, middle ? WM_MBUTTONUP : WM_LBUTTONUP, keys, at);
  return true;
}

}  // namespace standin_test
