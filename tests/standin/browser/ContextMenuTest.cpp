// The context menu a right-click brings: what the program is told, the
// engine's native menu, and the command chosen in it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "BrowserSteps.h"
#include "HttpFixture.h"
#include "TestClient.h"

namespace standin_test {
namespace {

using quirel::test::HttpFixture;

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || ClassOf(window) != L"#32768")
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// A visible popup menu window (#32768) of this process, or null.
HWND MenuWindow() {
  HWND found = nullptr;
  EnumWindows(&FindMenuWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void RightClick(HWND window, POINT at) {
  PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
  PostMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

TEST(StandinContextMenu, WhatTheProgramLeavesIsShown) {
  HttpFixture server(200, Page("Menu", "<p>Text</p><a href=\"/linked\">A link</a>"), "text/html");
  const std::string page = Narrow(server.Url(L"/"));
  const std::string linked = Narrow(server.Url(L"/linked"));
  // Back, Forward, Reload, separator, Print, View source.
  const std::string defaults = "100,101,102,-1,131,132,";
  struct Case {
    const char* what;
    ClientOptions::Menu menu;
    bool on_link;
    bool shown;
  } cases[] = {
      {"handler leaves the items", ClientOptions::Menu::kLeave, true, true},
      {"no handler", ClientOptions::Menu::kNone, false, true},
      {"handler empties the model", ClientOptions::Menu::kEmpty, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostForm host;
    auto recorder = std::make_shared<Recorder>();
    ClientOptions options;
    options.menu = c.menu;
    const Created created = Create(recorder, host.control(), server.Url(L"/"), options);
    ASSERT_TRUE(created.browser);
    const int id = created.browser->get_identifier(created.browser.get());
    POINT at{200, 200};
    if (c.on_link) {
      const RECT link = LinkRect(id, server.Url(L"/linked"));
      ASSERT_FALSE(IsRectEmpty(&link));
      at = POINT{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
    }
    const size_t from = recorder->Count();
    RightClick(created.window, at);
    if (c.menu != ClientOptions::Menu::kNone) {
      const std::string flags = c.on_link ? "5" : "1";  // page, and link
      EXPECT_TRUE(recorder->WaitFor("context_menu:" + flags + ":" + (c.on_link ? linked : "") +
                                        ":" + page + ":" + defaults,
                                    from))
          << Joined(recorder->Since(from));
    }
    HWND menu = nullptr;
    PumpUntil([&] { return (menu = MenuWindow()) != nullptr; }, c.shown ? 10000 : 1000);
    EXPECT_EQ(menu != nullptr, c.shown);
    if (menu) {
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
      EXPECT_TRUE(PumpUntil([] { return MenuWindow() == nullptr; }, 10000));
      if (c.menu != ClientOptions::Menu::kNone) {
        EXPECT_TRUE(recorder->WaitFor("menu_dismissed", from));
      }
    }
    host.DestroyControl();
    EXPECT_TRUE(recorder->WaitFor("before_close:*"));
  }
}

TEST(StandinContextMenu, ChosenCommandRuns) {
  HttpFixture server(200, Page("Menu"), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  ClientOptions options;
  options.menu = ClientOptions::Menu::kOnlyReload;
  const Created created = Create(recorder, host.control(), server.Url(L"/"), options);
  ASSERT_TRUE(created.browser);
  const size_t from = recorder->Count();
  RightClick(created.window, POINT{100, 150});
  HWND menu = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (menu = MenuWindow()) != nullptr; }, 10000));
  PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_TRUE(recorder->WaitFor("menu_command:102", from)) << Joined(recorder->Since(from));
  // Unhandled by the program, the engine reloads.
  EXPECT_TRUE(recorder->WaitFor("load_start:8:1", from)) << Joined(recorder->Since(from));
  EXPECT_TRUE(recorder->WaitFor("menu_dismissed", from));
  EXPECT_EQ(server.RequestLines().size(), 2u);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

}  // namespace
}  // namespace standin_test
