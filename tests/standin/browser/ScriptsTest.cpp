// Page scripts: every browser has a renderer sub-process (script_renderer_host,
// as the settings name it) that runs each loaded page's inline scripts before
// the load ends; what the scripts do comes back as the engine's callbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "BrowserSteps.h"
#include "EngineFiles.h"
#include "HttpFixture.h"
#include "TestClient.h"
#include "engine/capi/CefObject.h"

namespace standin_test {
namespace {

using quirel::test::HttpFixture;

int Identifier(const CefRef<cef_browser_t>& browser) {
  return browser->get_identifier(browser.get());
}

std::string Script(const std::string& code) { return "<script>" + code + "</script>"; }

// The index of the first event equal to `event` (or starting with it, with a
// trailing '*'); -1 when there is none.
long Index(const std::vector<std::string>& events, const std::string& event) {
  for (size_t i = 0; i < events.size(); ++i) {
    const bool match = event.back() == '*'
                           ? events[i].rfind(event.substr(0, event.size() - 1), 0) == 0
                           : events[i] == event;
    if (match) return static_cast<long>(i);
  }
  return -1;
}

// The engine's trace line about the renderer of `browser` with that name.
Json RendererEvent(int browser, const std::string& name, DWORD timeout_ms = 20000) {
  Json found;
  PumpUntil(
      [&] {
        for (const Json& line : EngineTrace()) {
          if (line["name"].string == name && line["args"]["browser"].Int() == browser) {
            found = line;
            return true;
          }
        }
        return false;
      },
      timeout_ms);
  return found;
}

TEST(StandinScripts, RunBeforeTheLoadEnds) {
  const int launches = ChildLaunches();
  HttpFixture server(
      200,
      Page("Scripted", "<p>Text</p>" +
                           Script("document.title = 'From script';"
                                  "console.log('hello', 42);"
                                  "console.warn('careful');") +
                           "<script src=\"/ignored.js\">document.title = 'not run';</script>" +
                           Script("window.open('/one', 'named', 'width=300,height=200');"
                                  "window.open('two');"
                                  "console.error('bad ' + document.title);")),
      "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const std::wstring url = server.Url(L"/dir/page");
  const std::string page = Narrow(url);
  const Created created = Create(recorder, host.control(), url);
  ASSERT_TRUE(created.browser);
  const std::vector<std::string> events = recorder->Events();
  const long load_end = Index(events, "load_end:200:*");
  ASSERT_GE(load_end, 0) << Joined(events);
  // In the page's order, all before the load ends.
  const std::vector<std::string> expected = {
      "title:Scripted",
      "title:From script",
      "console:2:hello 42:" + page,
      "console:3:careful:" + page,
      "before_popup:" + Narrow(server.Url(L"/one")) + ":named:5:0:0,0,0,0,1,300,1,200",
      "before_popup:" + Narrow(server.Url(L"/dir/two")) + "::3:0:none",
      "console:4:bad From script:" + page,
  };
  long previous = -1;
  for (const std::string& event : expected) {
    const long at = Index(events, event);
    EXPECT_GT(at, previous) << event << Joined(events);
    EXPECT_LT(at, load_end) << event << Joined(events);
    previous = std::max(previous, at);
  }
  EXPECT_EQ(Index(events, "title:not run"), -1);
  EXPECT_EQ(Index(events, "popup_prefilled:0"), -1) << Joined(events);

  // The renderer was launched as the program left its command line.
  EXPECT_EQ(ChildLaunches(), launches + 1);
  const Json started = RendererEvent(Identifier(created.browser), "renderer.started");
  ASSERT_EQ(started.type, Json::Type::kObject);
  const std::string arguments = started["args"]["arguments"].string;
  EXPECT_EQ(arguments.rfind("--type=renderer", 0), 0u) << arguments;
  EXPECT_NE(arguments.find("--quirel-test-launch=marked"), std::string::npos) << arguments;
  EXPECT_EQ(started["args"]["executable"].string,
            Narrow(FromRunFolder(L"script_renderer_host.exe")));
  // The renderer showed the page: its extension ran in a context of its own.
  const DWORD pid = static_cast<DWORD>(started["args"]["pid"].Int());
  bool shown = false;
  for (const Json& line : ProcessTrace(pid))
    shown |= line["name"].string == "renderer.page_done" && line["args"]["url"].string == page;
  EXPECT_TRUE(shown);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinScripts, ErrorsDoNotStopTheNextScriptOrPage) {
  HttpFixture first(200,
                    Page("First", Script("throw new Error('first fails');") +
                                      Script("this is not javascript") +
                                      Script("document.title = 'still runs';")),
                    "text/html");
  HttpFixture second(200, Page("Second", Script("document.title = 'second ran';")), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), first.Url(L"/"));
  ASSERT_TRUE(created.browser);
  std::vector<std::string> events = recorder->Events();
  const long load_end = Index(events, "load_end:200:*");
  const long thrown = Index(events, "console:4:Uncaught Error: first fails*");
  EXPECT_GE(thrown, 0) << Joined(events);
  EXPECT_LT(thrown, load_end) << Joined(events);
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const std::string& e) { return e.rfind("console:4:Uncaught", 0) == 0; }),
            2)
      << Joined(events);
  const long still = Index(events, "title:still runs");
  EXPECT_GT(still, thrown) << Joined(events);
  EXPECT_LT(still, load_end) << Joined(events);

  const size_t from = recorder->Count();
  LoadUrl(created.browser, second.Url(L"/"));
  ASSERT_TRUE(recorder->WaitFor("loading:0*", from)) << Joined(recorder->Since(from));
  events = recorder->Since(from);
  const long ran = Index(events, "title:second ran");
  EXPECT_GE(ran, 0) << Joined(events);
  EXPECT_LT(ran, Index(events, "load_end:200:*")) << Joined(events);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinScripts, LocationNavigates) {
  HttpFixture target(200, Page("Target"), "text/html");
  HttpFixture start(
      200, Page("Start", Script("location.href = '" + Narrow(target.Url(L"/there")) + "';")),
      "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), start.Url(L"/"));
  ASSERT_TRUE(created.browser);
  const std::string there = Narrow(target.Url(L"/there"));
  ASSERT_TRUE(recorder->WaitFor("load_end:200:" + there)) << Joined(recorder->Events());
  const std::vector<std::string> events = recorder->Events();
  // Not a click: no user gesture.
  EXPECT_GE(Index(events, "before_browse:" + there + ":GET:0:0"), 0) << Joined(events);
  EXPECT_EQ(FrameUrl(created.browser), target.Url(L"/there"));
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

// window.open makes a popup the program takes; the popup's window.close
// closes it through do_close, and its renderer ends with it.
TEST(StandinScripts, PopupClosesItselfAndItsRendererEnds) {
  HttpFixture popup_page(200, Page("Popup", Script("window.close();")), "text/html");
  HttpFixture opener(
      200,
      Page("Opener",
           Script("window.open('" + Narrow(popup_page.Url(L"/p")) + "', '', 'width=220,height=160');")),
      "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  auto popup_recorder = std::make_shared<Recorder>();
  ClientOptions options;
  options.popup = [&](cef_window_info_t*, cef_client_t** client) {
    *client = NewClient(popup_recorder).Detach();
    return 0;  // the engine's pre-filled top-level window
  };
  const Created created = Create(recorder, host.control(), opener.Url(L"/"), options);
  ASSERT_TRUE(created.browser);
  ASSERT_TRUE(popup_recorder->WaitFor("before_close:*")) << Joined(popup_recorder->Events());
  const std::vector<std::string> events = popup_recorder->Events();
  EXPECT_GE(Index(events, "do_close"), 0) << Joined(events);
  EXPECT_LT(Index(events, "do_close"), Index(events, "before_close:*")) << Joined(events);
  const CefRef<cef_browser_t> popup = popup_recorder->Browser();
  ASSERT_TRUE(popup);
  EXPECT_EQ(popup->is_popup(popup.get()), 1);

  const int popup_id = Identifier(popup);
  const Json started = RendererEvent(popup_id, "renderer.started");
  ASSERT_EQ(started.type, Json::Type::kObject);
  const Json stopped = RendererEvent(popup_id, "renderer.stopped");
  ASSERT_EQ(stopped.type, Json::Type::kObject) << "the popup's renderer was not ended";
  EXPECT_EQ(stopped["args"]["exit_code"].Int(), 0);
  EXPECT_FALSE(stopped["args"]["terminated"].boolean);
  bool told = false;
  for (const Json& line : ProcessTrace(static_cast<DWORD>(started["args"]["pid"].Int())))
    told |= line["name"].string == "renderer.ended" && line["args"]["reason"].string == "told to end";
  EXPECT_TRUE(told);
  // The opener and its renderer go on.
  EXPECT_NE(RendererEvent(Identifier(created.browser), "renderer.stopped", 0).type, Json::Type::kObject);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

// A renderer that cannot start (the program's on_before_child_process_launch
// pointed it elsewhere): the page loads at once, without its scripts.
TEST(StandinScripts, WithoutARendererPagesLoadWithoutScripts) {
  HttpFixture server(200, Page("Plain", Script("document.title = 'never';")), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  LaunchMissingRendererNext();
  const ULONGLONG start = GetTickCount64();
  const Created created = Create(recorder, host.control(), server.Url(L"/"));
  ASSERT_TRUE(created.browser);
  EXPECT_LT(GetTickCount64() - start, 5000u) << "the load waited for a renderer";
  const std::vector<std::string> events = recorder->Events();
  EXPECT_GE(Index(events, "load_end:200:*"), 0) << Joined(events);
  EXPECT_EQ(Index(events, "title:never"), -1) << Joined(events);
  const Json unavailable = RendererEvent(Identifier(created.browser), "renderer.unavailable");
  ASSERT_EQ(unavailable.type, Json::Type::kObject);
  EXPECT_EQ(unavailable["args"]["reason"].string, "cannot start");
  EXPECT_EQ(unavailable["args"]["executable"].string, Narrow(kMissingRenderer));
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

}  // namespace
}  // namespace standin_test
