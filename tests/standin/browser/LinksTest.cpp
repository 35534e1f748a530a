// Links on a page: where they are drawn, what a click does, and the popups
// the engine offers the program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "BrowserSteps.h"
#include "HttpFixture.h"
#include "TestClient.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

using quirel::test::HttpFixture;

const std::string kLinks = Page(
    "Links",
    "<p>Pick one &amp; go.</p>"
    "<a href=\"/same\">Same tab</a>"
    "<a href=\"/blank\" target=\"_blank\">Blank</a>"
    "<a href=\"/popup\" data-popup-features=\"x=50,y=60,width=400,height=300\">Popup</a>"
    "<a href='/partial' data-popup-features='width=250'>Partial</a>");

int Identifier(const CefRef<cef_browser_t>& browser) {
  return browser->get_identifier(browser.get());
}

TEST(StandinLinks, LayoutTracedAndPlainClickNavigates) {
  HttpFixture server(200, kLinks, "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), server.Url(L"/"));
  ASSERT_TRUE(created.browser);
  const int id = Identifier(created.browser);
  RECT previous{};
  for (const wchar_t* path : {L"/same", L"/blank", L"/popup", L"/partial"}) {
    const RECT rect = LinkRect(id, server.Url(path));
    ASSERT_FALSE(IsRectEmpty(&rect)) << "no rectangle for " << Narrow(path);
    EXPECT_GT(rect.top, previous.top) << "one link per line";
    EXPECT_LE(rect.right, 320);
    previous = rect;
  }
  const size_t from = recorder->Count();
  const std::string same = Narrow(server.Url(L"/same"));
  ASSERT_TRUE(ClickLink(created.window, id, server.Url(L"/same")));
  ASSERT_TRUE(recorder->WaitFor("loading:0*", from)) << Joined(recorder->Since(from));
  const std::vector<std::string> events = recorder->Since(from);
  ASSERT_GE(events.size(), 3u);
  EXPECT_EQ(events[0], "before_browse:" + same + ":GET:1:0");
  EXPECT_EQ(events[2], "load_start:0:1") << "a link's transition";
  EXPECT_EQ(FrameUrl(created.browser), server.Url(L"/same"));
  EXPECT_EQ(created.browser->can_go_back(created.browser.get()), 1);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinLinks, ClicksAskForPopupsWithDispositionAndFeatures) {
  HttpFixture server(200, kLinks, "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), server.Url(L"/"));
  ASSERT_TRUE(created.browser);
  const int id = Identifier(created.browser);
  struct Case {
    const wchar_t* path;
    WPARAM keys;
    bool middle;
    int disposition;
    std::string features;
  } cases[] = {
      {L"/blank", 0, false, WOD_NEW_FOREGROUND_TAB, "none"},
      {L"/same", MK_CONTROL, false, WOD_NEW_BACKGROUND_TAB, "none"},
      {L"/same", 0, true, WOD_NEW_BACKGROUND_TAB, "none"},
      {L"/blank", MK_SHIFT, false, WOD_NEW_WINDOW, "none"},
      {L"/popup", 0, false, WOD_NEW_POPUP, "1,50,1,60,1,400,1,300"},
      {L"/partial", 0, false, WOD_NEW_POPUP, "0,0,0,0,1,250,0,0"},
  };
  for (const Case& c : cases) {
    const std::string url = Narrow(server.Url(c.path));
    SCOPED_TRACE(url + " keys " + std::to_string(c.keys));
    const size_t from = recorder->Count();
    ASSERT_TRUE(ClickLink(created.window, id, server.Url(c.path), c.keys, c.middle));
    const std::string expected = "before_popup:" + url + "::" + std::to_string(c.disposition) +
                                 ":1:" + c.features;
    EXPECT_TRUE(recorder->WaitFor(expected, from)) << Joined(recorder->Since(from));
    EXPECT_TRUE(recorder->WaitFor("popup_prefilled:1", from)) << Joined(recorder->Since(from));
  }
  // Every answer was 1: no popup was made, the page stayed.
  PumpFor(300);
  EXPECT_EQ(recorder->Browsers().size(), 1u);
  EXPECT_EQ(FrameUrl(created.browser), server.Url(L"/"));
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinLinks, PopupMadeAsTheProgramSays) {
  HttpFixture server(200, kLinks, "text/html");
  HttpFixture popup_page(200, Page("The popup"), "text/html");
  HostForm host;
  HostForm popup_host;
  auto recorder = std::make_shared<Recorder>();
  auto popup_recorder = std::make_shared<Recorder>();
  auto popup_alive = std::make_shared<bool>();
  ClientOptions options;
  const HWND popup_parent = popup_host.control();
  options.popup = [&](cef_window_info_t* info, cef_client_t** client) {
    info->style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    info->parent_window = popup_parent;
    info->x = 5;
    info->y = 6;
    info->width = 200;
    info->height = 150;
    ClientOptions popup_options;
    popup_options.alive = popup_alive;
    *client = NewClient(popup_recorder, popup_options).Detach();
    return 0;
  };
  // The popup link points at the second server.
  const std::string page =
      Page("Opener", "<a href=\"" + Narrow(popup_page.Url(L"/p")) + "\" target=\"_blank\">Open</a>");
  HttpFixture opener_server(200, page, "text/html");
  const Created created = Create(recorder, host.control(), opener_server.Url(L"/"), options);
  ASSERT_TRUE(created.browser);
  ASSERT_TRUE(ClickLink(created.window, Identifier(created.browser), popup_page.Url(L"/p")));
  ASSERT_TRUE(popup_recorder->WaitFor("load_end:200:*")) << Joined(popup_recorder->Events());
  const CefRef<cef_browser_t> popup = popup_recorder->Browser();
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->is_popup(popup.get()), 1);
  EXPECT_EQ(popup->is_same(popup.get(), created.browser.Share()), 0);
  EXPECT_TRUE(popup_recorder->WaitFor("title:The popup"));
  // Its events went to the popup's client only.
  for (const std::string& event : recorder->Events()) EXPECT_NE(event, "title:The popup");
  CefRef<cef_browser_host_t> popup_host_object = CefAdopt(popup->get_host(popup.get()));
  const HWND window = popup_host_object->get_window_handle(popup_host_object.get());
  EXPECT_EQ(GetParent(window), popup_parent);
  EXPECT_EQ(popup_host_object->get_opener_window_handle(popup_host_object.get()),
            created.window);
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, popup_parent, reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 5);
  EXPECT_EQ(rect.top, 6);
  EXPECT_EQ(rect.right - rect.left, 200);
  popup_host.DestroyControl();
  EXPECT_TRUE(popup_recorder->WaitFor("before_close:*"));
  PumpFor(200);
  EXPECT_FALSE(*popup_alive) << "the engine still holds the popup's client";
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

// The client slot of on_before_popup: the program releases what it found there whatever it
// answers; the engine takes over a reference only of a changed pointer, goes on with its own
// when it is unchanged and makes the popup without a client when it became null. A wrong
// count frees the opener's client while its browser still uses it, or never frees it.
TEST(StandinLinks, PopupClientSlotTakenOverOnlyWhenChanged) {
  enum class Answer { kKeep, kReplace, kClear };
  for (const Answer answer : {Answer::kKeep, Answer::kReplace, Answer::kClear}) {
    SCOPED_TRACE(static_cast<int>(answer));
    HttpFixture popup_page(200, Page("The popup"), "text/html");
    const std::string page = Page(
        "Opener", "<a href=\"" + Narrow(popup_page.Url(L"/p")) + "\" target=\"_blank\">Open</a>");
    HttpFixture opener_server(200, page, "text/html");
    HostForm host;
    HostForm popup_host;
    auto recorder = std::make_shared<Recorder>();
    auto popup_recorder = std::make_shared<Recorder>();
    auto opener_alive = std::make_shared<bool>();
    auto popup_alive = std::make_shared<bool>();
    ClientOptions options;
    options.alive = opener_alive;
    const HWND popup_parent = popup_host.control();
    options.popup = [&](cef_window_info_t* info, cef_client_t** client) {
      info->style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
      info->parent_window = popup_parent;
      info->width = 200;
      info->height = 150;
      if (answer == Answer::kReplace) {
        ClientOptions popup_options;
        popup_options.alive = popup_alive;
        *client = NewClient(popup_recorder, popup_options).Detach();
      } else if (answer == Answer::kClear) {
        *client = nullptr;
      }
      return 0;
    };
    const Created created = Create(recorder, host.control(), opener_server.Url(L"/"), options);
    ASSERT_TRUE(created.browser);
    const size_t from = recorder->Count();
    ASSERT_TRUE(ClickLink(created.window, Identifier(created.browser), popup_page.Url(L"/p")));
    ASSERT_TRUE(PumpUntil([&] { return GetWindow(popup_parent, GW_CHILD) != nullptr; }, 20000));
    switch (answer) {
      case Answer::kKeep:  // the opener's client serves the popup too
        EXPECT_TRUE(recorder->WaitFor("after_created:*", from)) << Joined(recorder->Since(from));
        break;
      case Answer::kReplace:
        EXPECT_TRUE(popup_recorder->WaitFor("after_created:*")) << Joined(popup_recorder->Events());
        break;
      case Answer::kClear:
        PumpFor(300);
        EXPECT_EQ(recorder->Browsers().size(), 1u) << "a popup without a client reports nothing";
        break;
    }
    PumpFor(300);
    popup_host.DestroyControl();
    PumpUntil([&] { return answer != Answer::kReplace || !*popup_alive; }, 10000);
    PumpFor(300);
    EXPECT_TRUE(*opener_alive) << "the opener's client was freed while its browser uses it";
    EXPECT_FALSE(*popup_alive) << "the engine still holds the popup's client";
    host.DestroyControl();
    EXPECT_TRUE(recorder->WaitFor("before_close:" + std::to_string(Identifier(created.browser))));
    PumpFor(300);
    EXPECT_FALSE(*opener_alive) << "the opener's client was never freed";
  }
}

}  // namespace
}  // namespace standin_test
