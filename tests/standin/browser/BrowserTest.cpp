// Browsers of the stand-in engine, loaded into the test program: creation,
// the load events in the engine's order, history and the close handshake, as
// the program's browser component sees them.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <memory>
#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "BrowserSteps.h"
#include "HttpFixture.h"
#include "TestClient.h"
#include "TestFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

using quirel::test::HttpFixture;

TEST(StandinBrowser, LoadEventsInTheEnginesOrder) {
  HttpFixture server(200, Page("Hello page"), "text/html; charset=utf-8");
  const std::wstring url = server.Url(L"/hello");
  const std::string u = Narrow(url);
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), url);
  ASSERT_TRUE(created.browser);
  const int id = created.browser->get_identifier(created.browser.get());
  EXPECT_GE(id, 1);
  const std::vector<std::string> expected = {
      "after_created:" + std::to_string(id),
      "before_browse:" + u + ":GET:0:0",
      "loading:1:0:0",
      "load_start:1:1",
      "address:" + u,
      "progress:0.30",
      "progress:0.70",
      "progress:1.00",
      "title:Hello page",
      "load_end:200:" + u,
      "loading:0:0:0"};
  EXPECT_EQ(recorder->Events(), expected) << Joined(recorder->Events());
  EXPECT_EQ(server.RequestLines(), std::vector<std::string>{"GET /hello HTTP/1.1"});

  const CefRef<cef_browser_t>& browser = created.browser;
  EXPECT_EQ(FrameUrl(browser), url);
  EXPECT_EQ(browser->is_popup(browser.get()), 0);
  EXPECT_EQ(browser->has_document(browser.get()), 1);
  EXPECT_EQ(browser->is_loading(browser.get()), 0);
  EXPECT_EQ(browser->can_go_back(browser.get()), 0);
  CefRef<cef_frame_t> frame = CefAdopt(browser->get_main_frame(browser.get()));
  EXPECT_EQ(frame->is_main(frame.get()), 1);
  EXPECT_EQ(frame->is_valid(frame.get()), 1);
  EXPECT_EQ(CefUserFreeString(frame->get_name(frame.get())).str(), L"");
  CefRef<cef_browser_t> of_frame = CefAdopt(frame->get_browser(frame.get()));
  EXPECT_EQ(browser->is_same(browser.get(), of_frame.Share()), 1);
  EXPECT_EQ(browser->get_frame(browser.get(), CefStringArg(L"other")), nullptr);
  CefRef<cef_browser_t> of_host = CefAdopt(created.host->get_browser(created.host.get()));
  EXPECT_EQ(of_host.get(), browser.get());
  EXPECT_EQ(created.host->get_opener_window_handle(created.host.get()), nullptr);
  CefRef<cef_request_context_t> context =
      CefAdopt(created.host->get_request_context(created.host.get()));
  ASSERT_TRUE(context);
  EXPECT_EQ(context->is_global(context.get()), 1);
  CefRef<cef_request_context_t> global = CefAdopt(g_cef.cef_request_context_get_global_context());
  EXPECT_EQ(context.get(), global.get());

  // The window: a child of the host control at the rectangle asked for.
  const HWND window = created.window;
  ASSERT_TRUE(IsWindow(window));
  EXPECT_EQ(GetParent(window), host.control());
  EXPECT_EQ(ClassOf(window), L"QuirelStandinBrowser");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetWindowThreadProcessId(window, nullptr), GetCurrentThreadId());
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, host.control(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 10);
  EXPECT_EQ(rect.top, 20);
  EXPECT_EQ(rect.right, 330);
  EXPECT_EQ(rect.bottom, 260);

  bool traced = false;
  for (const Json& line : EngineTrace()) {
    if (line["name"].string == "browser.created" && line["args"]["browser"].Int() == id) {
      traced = true;
      EXPECT_EQ(line["args"]["window"].Int(), reinterpret_cast<intptr_t>(window));
      EXPECT_EQ(line["args"]["parent"].Int(), reinterpret_cast<intptr_t>(host.control()));
      EXPECT_EQ(line["args"]["rect"]["width"].Int(), 320);
    }
  }
  EXPECT_TRUE(traced);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:" + std::to_string(id)));
}

TEST(StandinBrowser, RefusesWhatTheEngineRefuses) {
  HostForm host;
  struct Case {
    const char* what;
    bool window_info;
    bool settings;
    size_t settings_size;
  } cases[] = {
      {"no window info", false, true, sizeof(cef_browser_settings_t)},
      {"no settings", true, false, 0},
      {"settings of another size", true, true, sizeof(cef_browser_settings_t) - 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto recorder = std::make_shared<Recorder>();
    auto alive = std::make_shared<bool>();
    ClientOptions options;
    options.alive = alive;
    CefRef<cef_client_t> client = NewClient(recorder, options);
    cef_window_info_t info = ChildWindowInfo(host.control(), {0, 0, 100, 100});
    cef_browser_settings_t settings = BrowserSettings();
    settings.size = c.settings_size;
    EXPECT_EQ(g_cef.cef_browser_host_create_browser(c.window_info ? &info : nullptr,
                                                    client.Share(), CefStringArg(L"about:blank"),
                                                    c.settings ? &settings : nullptr, nullptr,
                                                    nullptr),
              0);
    EXPECT_EQ(g_cef.cef_browser_host_create_browser_sync(
                  c.window_info ? &info : nullptr, client.Share(), CefStringArg(L"about:blank"),
                  c.settings ? &settings : nullptr, nullptr, nullptr),
              nullptr);
    client.Reset();
    EXPECT_FALSE(*alive) << "the engine kept the client";
  }
  // _sync only works on the engine's UI thread.
  auto recorder = std::make_shared<Recorder>();
  cef_window_info_t info = ChildWindowInfo(host.control(), {0, 0, 100, 100});
  const cef_browser_settings_t settings = BrowserSettings();
  EXPECT_EQ(g_cef.cef_browser_host_create_browser_sync(&info, NewClient(recorder).Detach(),
                                                       CefStringArg(L"about:blank"), &settings,
                                                       nullptr, nullptr),
            nullptr);
  PumpFor(200);
  EXPECT_TRUE(recorder->Events().empty()) << Joined(recorder->Events());
}

TEST(StandinBrowser, BeforeBrowseCancels) {
  HttpFixture server(200, Page("Allowed"), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  ClientOptions options;
  options.cancel = [](const std::wstring& url) { return url.find(L"blocked") != std::wstring::npos; };
  const Created created = Create(recorder, host.control(), server.Url(L"/allowed"), options);
  ASSERT_TRUE(created.browser);
  const size_t from = recorder->Count();
  const std::wstring blocked = server.Url(L"/blocked");
  LoadUrl(created.browser, blocked);
  ASSERT_TRUE(recorder->WaitFor("before_browse:" + Narrow(blocked) + ":GET:0:0", from));
  PumpFor(500);
  EXPECT_EQ(recorder->Since(from).size(), 1u) << Joined(recorder->Since(from));
  EXPECT_EQ(FrameUrl(created.browser), server.Url(L"/allowed"));
  EXPECT_EQ(server.RequestLines().size(), 1u);
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinBrowser, HistoryBackForwardReload) {
  HttpFixture a(200, Page("Page A"), "text/html");
  HttpFixture b(200, Page("Page B"), "text/html");
  HttpFixture c(200, Page("Page C"), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), a.Url(L"/a"));
  ASSERT_TRUE(created.browser);
  cef_browser_t* browser = created.browser.get();
  enum Step { kLoadB, kLoadC, kBack, kForward, kReload };
  struct Case {
    Step step;
    std::string title;
    std::string loading;     // the last on_loading_state_change
    unsigned transition;
  } steps[] = {
      {kLoadB, "Page B", "loading:0:1:0", TT_EXPLICIT},
      {kLoadC, "Page C", "loading:0:1:0", TT_EXPLICIT},
      {kBack, "Page B", "loading:0:1:1", TT_EXPLICIT | TT_FORWARD_BACK_FLAG},
      {kBack, "Page A", "loading:0:0:1", TT_EXPLICIT | TT_FORWARD_BACK_FLAG},
      {kForward, "Page B", "loading:0:1:1", TT_EXPLICIT | TT_FORWARD_BACK_FLAG},
      {kReload, "Page B", "loading:0:1:1", TT_RELOAD},
      // A new navigation after going back drops the entries ahead.
      {kLoadC, "Page C", "loading:0:1:0", TT_EXPLICIT},
      {kBack, "Page B", "loading:0:1:1", TT_EXPLICIT | TT_FORWARD_BACK_FLAG},
      {kBack, "Page A", "loading:0:0:1", TT_EXPLICIT | TT_FORWARD_BACK_FLAG},
  };
  int index = 0;
  for (const Case& step : steps) {
    SCOPED_TRACE(testing::Message() << "step " << index++);
    const size_t from = recorder->Count();
    switch (step.step) {
      case kLoadB: LoadUrl(created.browser, b.Url(L"/b")); break;
      case kLoadC: LoadUrl(created.browser, c.Url(L"/c")); break;
      case kBack: browser->go_back(browser); break;
      case kForward: browser->go_forward(browser); break;
      case kReload: browser->reload(browser); break;
    }
    ASSERT_TRUE(recorder->WaitFor("loading:0*", from)) << Joined(recorder->Since(from));
    const std::vector<std::string> events = recorder->Since(from);
    EXPECT_EQ(events.back(), step.loading) << Joined(events);
    EXPECT_NE(std::find(events.begin(), events.end(), "title:" + step.title), events.end())
        << Joined(events);
    EXPECT_NE(std::find(events.begin(), events.end(),
                        "load_start:" + std::to_string(step.transition) + ":1"),
              events.end())
        << Joined(events);
  }
  EXPECT_EQ(browser->can_go_back(browser), 0);
  EXPECT_EQ(browser->can_go_forward(browser), 1);
  // Nothing behind the first page: going back does nothing.
  const size_t from = recorder->Count();
  browser->go_back(browser);
  PumpFor(300);
  EXPECT_TRUE(recorder->Since(from).empty()) << Joined(recorder->Since(from));
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

TEST(StandinBrowser, StatusesErrorsAndSchemes) {
  HttpFixture missing(404, Page("Not here"), "text/html");
  quirel::test::ScratchDir folder;
  quirel::test::WriteBytes(folder / L"page.html", Page("From a file"));
  wchar_t file_url[2048] = {};
  DWORD size = 2048;
  ASSERT_EQ(UrlCreateFromPathW((folder / L"page.html").c_str(), file_url, &size, 0), S_OK);
  const std::wstring refused = L"http://127.0.0.1:" +
                               std::to_wstring(quirel::test::ClosedPort()) + L"/gone";
  struct Case {
    std::wstring url;
    std::vector<std::string> last;  // the events that end the load
  } cases[] = {
      {missing.Url(L"/missing"),
       {"title:Not here", "load_end:404:" + Narrow(missing.Url(L"/missing")), "loading:0:0:0"}},
      {file_url, {"title:From a file", "load_end:200:" + Narrow(file_url), "loading:0:0:0"}},
      {L"about:blank", {"title:about:blank", "load_end:0:about:blank", "loading:0:0:0"}},
      {refused,
       {"loading:1:0:0", "load_error:-102:net::ERR_CONNECTION_REFUSED:" + Narrow(refused),
        "loading:0:0:0"}},
      {L"file:///C:/no/such/file.html",
       {"loading:1:0:0", "load_error:-6:net::ERR_FILE_NOT_FOUND:file:///C:/no/such/file.html",
        "loading:0:0:0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.url));
    HostForm host;
    auto recorder = std::make_shared<Recorder>();
    const Created created = Create(recorder, host.control(), c.url);
    ASSERT_TRUE(created.browser);
    const std::vector<std::string> events = recorder->Events();
    ASSERT_GE(events.size(), c.last.size());
    EXPECT_EQ(std::vector<std::string>(events.end() - static_cast<std::ptrdiff_t>(c.last.size()),
                                       events.end()),
              c.last)
        << Joined(events);
    host.DestroyControl();
    EXPECT_TRUE(recorder->WaitFor("before_close:*"));
  }
}

// How the program closes: do_close answers 1 and the program destroys its host
// control; or do_close answers 0 and the engine closes the top-level window.
TEST(StandinBrowser, CloseHandshake) {
  HttpFixture server(200, Page("Closing"), "text/html");
  struct Case {
    const char* what;
    int do_close;
    bool close_browser;  // false: the parent goes without close_browser
  } cases[] = {
      {"the program destroys the host", 1, true},
      {"the engine closes the form", 0, true},
      {"the parent is destroyed", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HostForm host;
    auto recorder = std::make_shared<Recorder>();
    auto alive = std::make_shared<bool>();
    ClientOptions options;
    options.do_close = c.do_close;
    options.alive = alive;
    Created created = Create(recorder, host.control(), server.Url(L"/"), options);
    ASSERT_TRUE(created.browser);
    const std::string closed = "before_close:" +
                               std::to_string(created.browser->get_identifier(created.browser.get()));
    const size_t from = recorder->Count();
    if (c.close_browser) {
      created.host->close_browser(created.host.get(), 0);
      ASSERT_TRUE(recorder->WaitFor("do_close", from));
    }
    if (c.do_close == 1 || !c.close_browser) {
      PumpFor(300);
      EXPECT_TRUE(IsWindow(created.window));
      EXPECT_TRUE(IsWindow(host.form()));
      EXPECT_FALSE(recorder->WaitFor(closed, from, 0));
      host.DestroyControl();
    }
    ASSERT_TRUE(recorder->WaitFor(closed, from)) << Joined(recorder->Since(from));
    EXPECT_FALSE(IsWindow(created.window));
    EXPECT_EQ(IsWindow(host.form()) != 0, c.do_close == 1 || !c.close_browser);
    PumpFor(300);
    const std::vector<std::string> events = recorder->Since(from);
    EXPECT_EQ(events.back(), closed) << "nothing after on_before_close:" << Joined(events);
    EXPECT_EQ(created.browser->get_host(created.browser.get()), nullptr);
    CefRef<cef_frame_t> frame = CefAdopt(created.browser->get_main_frame(created.browser.get()));
    EXPECT_FALSE(frame);
    EXPECT_FALSE(*alive) << "the engine still holds the client";
    EXPECT_EQ(created.host->try_close_browser(created.host.get()), 1);
  }
}

TEST(StandinBrowser, DevToolsOpenInTheParentAndClose) {
  HttpFixture server(200, Page("Inspected"), "text/html");
  HostForm host;
  auto recorder = std::make_shared<Recorder>();
  const Created created = Create(recorder, host.control(), server.Url(L"/inspected"));
  ASSERT_TRUE(created.browser);
  cef_browser_host_t* h = created.host.get();
  EXPECT_EQ(h->has_dev_tools(h), 0);
  cef_window_info_t info = ChildWindowInfo(host.control(), {340, 10, 670, 450});
  const cef_browser_settings_t settings = BrowserSettings();
  const cef_point_t at{15, 25};
  auto alive = std::make_shared<bool>();
  ClientOptions options;
  options.alive = alive;
  h->show_dev_tools(h, &info, NewClient(std::make_shared<Recorder>(), options).Detach(), &settings,
                    &at);
  ASSERT_TRUE(PumpUntil([&] { return h->has_dev_tools(h) == 1; }, 10000));
  const HWND devtools = FindWindowExW(host.control(), nullptr, L"QuirelStandinDevTools", nullptr);
  ASSERT_TRUE(devtools);
  EXPECT_TRUE(IsWindowVisible(devtools));
  RECT rect{};
  GetWindowRect(devtools, &rect);
  MapWindowPoints(nullptr, host.control(), reinterpret_cast<POINT*>(&rect), 2);
  EXPECT_EQ(rect.left, 340);
  EXPECT_EQ(rect.top, 10);
  EXPECT_EQ(rect.right, 670);
  EXPECT_EQ(rect.bottom, 450);
  bool traced = false;
  for (const Json& line : EngineTrace()) {
    if (line["name"].string != "browser.devtools_opened") continue;
    if (line["args"]["window"].Int() != reinterpret_cast<intptr_t>(devtools)) continue;
    traced = true;
    EXPECT_EQ(line["args"]["inspect_element_at"]["x"].Int(), 15);
    EXPECT_EQ(line["args"]["inspect_element_at"]["y"].Int(), 25);
    EXPECT_EQ(line["args"]["url"].string, Narrow(server.Url(L"/inspected")));
  }
  EXPECT_TRUE(traced);
  // Asked again, the same window comes forward.
  h->show_dev_tools(h, &info, nullptr, &settings, &at);
  PumpFor(300);
  EXPECT_EQ(FindWindowExW(host.control(), devtools, L"QuirelStandinDevTools", nullptr), nullptr);
  h->close_dev_tools(h);
  ASSERT_TRUE(PumpUntil([&] { return h->has_dev_tools(h) == 0; }, 10000));
  EXPECT_FALSE(IsWindow(devtools));
  EXPECT_FALSE(*alive) << "the dev tools' client is released when they close";
  EXPECT_TRUE(IsWindow(created.window));
  host.DestroyControl();
  EXPECT_TRUE(recorder->WaitFor("before_close:*"));
}

}  // namespace
}  // namespace standin_test
