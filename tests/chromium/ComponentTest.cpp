// The browser component against the in-test engine: creation and its refusals, the client
// handler's groups, the announcement with the preferences, commands, the close handshake,
// popups and the developer tools. The engine's side runs on the fake's UI thread.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "FakeEngine.h"
#include "engine/CefApplicationCore.h"
#include "engine/Chromium.h"
#include "engine/capi/CefString.h"

namespace quirel {
namespace {

using fakecef::Browser;

class ComponentBase : public ::testing::Test {
 protected:
  void TearDown() override {
    chromium.reset();
    engine.Ui().Run([] {});
    engine.creates.clear();
    engine.syncBrowser.Reset();
    EXPECT_EQ(fakecef::LiveObjects(), 0) << "fake engine objects kept alive";
  }

  bool Create(TChromiumCore& core) { return core.CreateBrowser(kParent, kRect, L"Quirel"); }
  bool Create() { return Create(*chromium); }
  cef_client_t* Client() { return engine.creates.back().client.get(); }
  // Creates a browser and lets the engine announce it.
  CefRef<cef_browser_t> CreateAndAnnounce(int id = 7) {
    EXPECT_TRUE(Create());
    CefRef<cef_browser_t> browser = engine.NewBrowser(id);
    engine.AfterCreated(Client(), browser);
    return browser;
  }
  static Browser& Fake(const CefRef<cef_browser_t>& b) { return *Browser::FromSelf(b.get()); }

  static inline const HWND kParent = reinterpret_cast<HWND>(0x1234);
  static constexpr RECT kRect{10, 20, 310, 220};
  fakecef::Engine engine;
  TCefApplicationCore app;
  std::unique_ptr<TChromium> chromium = std::make_unique<TChromium>(nullptr);
};

class Component : public ComponentBase {
 protected:
  void SetUp() override { app.Internal_OnContextInitialized(); }
};

// --- Creating. ---

TEST_F(ComponentBase, CreateBrowserWaitsForTheGlobalContext) {
  EXPECT_FALSE(Create());
  EXPECT_TRUE(engine.creates.empty());
  app.Internal_OnContextInitialized();
  // No client handler was left behind by the refusal.
  EXPECT_TRUE(Create());
  EXPECT_EQ(engine.creates.size(), 1u);
}

TEST_F(ComponentBase, CreateBrowserRefusedWithoutApplication) {
  app.Internal_OnContextInitialized();
  TCefApplicationCore* saved = GlobalCEFApp;
  GlobalCEFApp = nullptr;
  const bool created = Create();
  GlobalCEFApp = saved;
  EXPECT_FALSE(created);
  EXPECT_TRUE(engine.creates.empty());
}

TEST_F(Component, SecondCreateBrowserRefused) {
  ASSERT_TRUE(Create());
  // Requested, not yet announced: the client handler exists.
  EXPECT_FALSE(Create());
  CefRef<cef_browser_t> browser = engine.NewBrowser(7);
  engine.AfterCreated(Client(), browser);
  EXPECT_EQ(chromium->BrowserId(), 7);
  EXPECT_FALSE(Create());
  EXPECT_EQ(engine.creates.size(), 1u);
}

TEST_F(Component, RefusedRequestLeavesNoClientHandler) {
  engine.createAnswer = 0;
  EXPECT_FALSE(Create());
  engine.createAnswer = 1;
  EXPECT_TRUE(Create());
  EXPECT_EQ(engine.creates.size(), 2u);
  CefRef<cef_client_t> client;
  EXPECT_FALSE(chromium->CreateClientHandler(client, false));
}

TEST_F(Component, RequestCarriesWindowInfoSettingsAndAddress) {
  chromium->SetDefaultUrl(L"http://localhost:47080/");
  chromium->Options().BackgroundColor = 0xFFFFFFFF;
  CefRef<cef_dictionary_value_t> extra = CefAdopt(g_cef.cef_dictionary_value_create());
  ASSERT_TRUE(chromium->TChromiumCore::CreateBrowser(kParent, kRect, L"Quirel", nullptr, extra.get()));
  const fakecef::CreateCall& call = engine.creates.back();
  EXPECT_EQ(call.info.style, 0x56010000u);
  EXPECT_EQ(call.info.ex_style, 0u);
  EXPECT_EQ(call.info.x, 10);
  EXPECT_EQ(call.info.y, 20);
  EXPECT_EQ(call.info.width, 300);
  EXPECT_EQ(call.info.height, 200);
  EXPECT_EQ(call.info.parent_window, kParent);
  EXPECT_EQ(call.info.windowless_rendering_enabled, 0);
  EXPECT_EQ(call.windowName, L"Quirel");
  EXPECT_EQ(call.url, L"http://localhost:47080/");
  EXPECT_EQ(call.settingsSize, sizeof(cef_browser_settings_t));
  EXPECT_EQ(call.background, 0xFFFFFFFFu);
  EXPECT_FALSE(call.sync);
  EXPECT_EQ(call.context.get(), nullptr);  // the global context
  EXPECT_EQ(call.extraInfo.get(), extra.get());
  EXPECT_NE(call.client.get(), nullptr);
  EXPECT_FALSE(chromium->IsOSR());
}

TEST_F(Component, DefaultAddressAndNoParentMeansOffScreen) {
  EXPECT_EQ(chromium->DefaultUrl(), L"about:blank");
  ASSERT_TRUE(chromium->TChromiumCore::CreateBrowser(nullptr, RECT{}, L""));
  EXPECT_EQ(engine.creates.back().url, L"about:blank");
  EXPECT_EQ(engine.creates.back().info.parent_window, nullptr);
  EXPECT_TRUE(chromium->IsOSR());
}

TEST_F(Component, SingleThreadedEngineCreatesAtOnce) {
  app.MultiThreadedMessageLoop = false;
  engine.syncBrowser = engine.NewBrowser(11);
  ASSERT_TRUE(Create());
  EXPECT_TRUE(engine.creates.back().sync);
  EXPECT_TRUE(chromium->Initialized());
  EXPECT_EQ(chromium->BrowserId(), 11);
  // The announcement that follows does not list it twice.
  engine.AfterCreated(Client(), engine.syncBrowser);
  EXPECT_EQ(engine.DoClose(Client(), engine.syncBrowser), 0);
  engine.BeforeClose(Client(), engine.syncBrowser);
  EXPECT_EQ(chromium->BrowserId(), 0);
}

TEST_F(Component, CreateClientHandlerOnlyOnce) {
  CefRef<cef_client_t> first, second;
  EXPECT_TRUE(chromium->CreateClientHandler(first, false));
  EXPECT_NE(first.get(), nullptr);
  EXPECT_FALSE(chromium->CreateClientHandler(second, false));
  EXPECT_EQ(second.get(), nullptr);
  // A component that hosts a popup browser too.
  CefRef<cef_browser_t> popup = engine.NewBrowser(9);
  engine.AfterCreated(first.get(), popup);
  EXPECT_TRUE(chromium->Initialized());
  EXPECT_FALSE(chromium->CreateClientHandler(second, false));
  EXPECT_FALSE(Create());
}

// --- Handler groups. ---

TEST_F(Component, OptionalGroupsOnlyForAssignedEvents) {
  struct Case {
    const char* name;
    std::function<void(TChromiumCore&)> assign;
    bool load, display, contextMenu, download;
  } cases[] = {
      {"none", [](TChromiumCore&) {}, false, false, false, false},
      {"OnLoadEnd", [](TChromiumCore& c) { c.OnLoadEnd = [](auto&&...) {}; }, true, false, false, false},
      {"OnLoadingStateChange", [](TChromiumCore& c) { c.OnLoadingStateChange = [](auto&&...) {}; },
       true, false, false, false},
      {"OnTitleChange", [](TChromiumCore& c) { c.OnTitleChange = [](auto&&...) {}; }, false, true,
       false, false},
      {"OnLoadingProgressChange",
       [](TChromiumCore& c) { c.OnLoadingProgressChange = [](auto&&...) {}; }, false, true, false,
       false},
      {"OnBeforeContextMenu", [](TChromiumCore& c) { c.OnBeforeContextMenu = [](auto&&...) {}; },
       false, false, true, false},
      {"OnBeforeDownload", [](TChromiumCore& c) { c.OnBeforeDownload = [](auto&&...) {}; }, false,
       false, false, true},
      {"life span and request events only",
       [](TChromiumCore& c) {
         c.OnClose = [](auto&&...) {};
         c.OnBeforePopup = [](auto&&...) {};
         c.OnBeforeBrowse = [](auto&&...) {};
       },
       false, false, false, false},
  };
  for (const Case& c : cases) {
    TChromiumCore core;
    c.assign(core);
    CefRef<cef_client_t> client;
    ASSERT_TRUE(core.CreateClientHandler(client, false));
    cef_client_t* cl = client.get();
    EXPECT_TRUE(fakecef::LifeSpan(cl)) << c.name;
    EXPECT_TRUE(fakecef::Request(cl)) << c.name;
    EXPECT_EQ(bool(fakecef::Load(cl)), c.load) << c.name;
    EXPECT_EQ(bool(fakecef::Display(cl)), c.display) << c.name;
    EXPECT_EQ(bool(fakecef::ContextMenu(cl)), c.contextMenu) << c.name;
    EXPECT_EQ(bool(fakecef::Download(cl)), c.download) << c.name;
    EXPECT_EQ(cl->get_audio_handler(cl), nullptr);
    EXPECT_EQ(cl->get_dialog_handler(cl), nullptr);
    EXPECT_EQ(cl->get_keyboard_handler(cl), nullptr);
    EXPECT_EQ(cl->get_focus_handler(cl), nullptr);
    EXPECT_EQ(cl->get_render_handler(cl), nullptr);
  }
}

// --- Announcement. ---

TEST_F(Component, AnnouncementListsBrowserSetsPreferencesThenRaisesOnAfterCreated) {
  struct Seen {
    bool raised = false;
    bool initialized = false;
    size_t preferencesSet = 0;
    DWORD thread = 0;
    cef_browser_t* browser = nullptr;
  } seen;
  std::set<std::wstring> refused = {L"enable_a_ping", L"net.quic_allowed"};
  CefRef<cef_browser_t> browser = engine.NewBrowser(7);
  Fake(browser).TheHost().Context().refused = refused;
  chromium->OnAfterCreated = [&](TChromiumCore& sender, cef_browser_t* b) {
    seen.raised = true;
    seen.initialized = sender.Initialized();
    seen.preferencesSet = Fake(browser).TheHost().Context().set.size();
    seen.thread = GetCurrentThreadId();
    seen.browser = b;
  };
  ASSERT_TRUE(Create());
  EXPECT_FALSE(chromium->Initialized());
  engine.AfterCreated(Client(), browser);
  EXPECT_TRUE(chromium->Initialized());
  EXPECT_EQ(chromium->BrowserId(), 7);
  ASSERT_TRUE(seen.raised);
  EXPECT_TRUE(seen.initialized);
  EXPECT_EQ(seen.thread, engine.Ui().Id());
  EXPECT_EQ(seen.browser, browser.get());

  const auto& set = Fake(browser).TheHost().Context().set;
  EXPECT_EQ(seen.preferencesSet, set.size());  // all set before the event
  const auto expected = BrowserPreferences(L"en-US,en", true);
  ASSERT_EQ(set.size(), expected.size() - refused.size());
  size_t at = 0;
  for (const TChromiumPreference& preference : expected) {
    if (refused.count(preference.Name)) continue;
    EXPECT_EQ(set[at].first, preference.Name);
    ++at;
  }
  auto value = [&](const std::wstring& name) {
    for (const auto& [key, content] : set)
      if (key == name) return content;
    return fakecef::Value::Content{};
  };
  EXPECT_TRUE(value(L"proxy") == fakecef::Value::Content(TProxyModeValue{L"system"}));
  EXPECT_TRUE(value(L"intl.accept_languages") == fakecef::Value::Content(std::wstring(L"en-US,en")));
  EXPECT_TRUE(value(L"settings.force_youtube_restrict") == fakecef::Value::Content(0));
  EXPECT_TRUE(value(L"enable_do_not_track") == fakecef::Value::Content(true));
  EXPECT_TRUE(value(L"plugins.allow_outdated") == fakecef::Value::Content(false));
}

TEST_F(Component, AcceptLanguagesFromTheFirstListGiven) {
  app.AcceptLanguageList = L"fr";
  chromium->Options().AcceptLanguageList = L"de";
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  const auto& set = Fake(browser).TheHost().Context().set;
  bool found = false;
  for (const auto& [key, content] : set)
    if (key == L"intl.accept_languages") {
      found = true;
      EXPECT_TRUE(content == fakecef::Value::Content(std::wstring(L"de")));
    }
  EXPECT_TRUE(found);
}

// --- Commands. ---

TEST_F(Component, LoadURLOnlyOnceTheBrowserExists) {
  ASSERT_TRUE(Create());
  chromium->LoadURL(L"http://early/");
  CefRef<cef_browser_t> browser = engine.NewBrowser(7);
  engine.AfterCreated(Client(), browser);
  EXPECT_TRUE(Fake(browser).Main().Loads().empty());  // dropped, not kept
  chromium->LoadURL(L"http://main/");
  chromium->LoadURL(L"http://child/", L"child");
  chromium->LoadURL(L"http://nowhere/", L"missing");
  EXPECT_EQ(Fake(browser).Main().Loads(), std::vector<std::wstring>{L"http://main/"});
  EXPECT_EQ(Fake(browser).Child().Loads(), std::vector<std::wstring>{L"http://child/"});
}

TEST_F(Component, NavigationIsPostedToTheUiThread) {
  chromium->GoBack();
  chromium->Reload();
  EXPECT_EQ(engine.tasksPosted.load(), 0);
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  engine.Ui().Post([] { Sleep(50); });  // the engine is busy: the calls must not wait
  chromium->GoBack();
  chromium->GoForward();
  chromium->Reload();
  EXPECT_EQ(engine.tasksPosted.load(), 3);
  EXPECT_TRUE(Fake(browser).Navigations().empty());
  engine.Ui().Run([] {});
  const auto navigations = Fake(browser).Navigations();
  ASSERT_EQ(navigations.size(), 3u);
  const char* order[] = {"back", "forward", "reload"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(navigations[i].what, order[i]);
    EXPECT_EQ(navigations[i].thread, engine.Ui().Id());
  }
}

TEST_F(Component, CloseAndMoveReachTheHost) {
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  chromium->CloseBrowser(true);
  chromium->CloseBrowser(false);
  chromium->NotifyMoveOrResizeStarted();
  EXPECT_EQ(Fake(browser).TheHost().closeCalls, (std::vector<int>{1, 0}));
  EXPECT_EQ(Fake(browser).TheHost().moveStarted.load(), 1);
}

// --- Closing. ---

TEST_F(Component, DelayedCloseStopsCommandsAtOnceAndReleasesOnBeforeClose) {
  int beforeCloseRaised = 0;
  bool initializedAtBeforeClose = true;
  chromium->OnClose = [](TChromiumCore&, cef_browser_t*, TCefCloseBrowserAction& action) {
    EXPECT_EQ(action, cbaClose);
    action = cbaDelay;
  };
  chromium->OnBeforeClose = [&](TChromiumCore& sender, cef_browser_t*) {
    ++beforeCloseRaised;
    initializedAtBeforeClose = sender.Initialized();
  };
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  CefRef<cef_client_t> client = engine.creates.back().client;
  CefRef<cef_life_span_handler_t> lifeSpan = fakecef::LifeSpan(client.get());

  EXPECT_EQ(engine.DoClose(client.get(), browser), 1);
  EXPECT_FALSE(chromium->Initialized());
  EXPECT_EQ(chromium->BrowserId(), 7);
  chromium->LoadURL(L"http://late/");
  chromium->CloseBrowser(true);
  chromium->ShowDevTools(POINT{1, 1}, nullptr);
  chromium->GoBack();
  chromium->NotifyMoveOrResizeStarted();
  EXPECT_TRUE(Fake(browser).Main().Loads().empty());
  EXPECT_TRUE(Fake(browser).TheHost().closeCalls.empty());
  EXPECT_TRUE(Fake(browser).TheHost().devTools.empty());
  EXPECT_EQ(Fake(browser).TheHost().moveStarted.load(), 0);
  EXPECT_EQ(engine.tasksPosted.load(), 0);
  EXPECT_EQ(beforeCloseRaised, 0);

  engine.BeforeClose(client.get(), browser);
  EXPECT_EQ(beforeCloseRaised, 1);
  EXPECT_FALSE(initializedAtBeforeClose);
  EXPECT_EQ(chromium->BrowserId(), 0);
  // The handlers are gone: the old client hands out nothing, late callbacks do nothing.
  EXPECT_EQ(client->get_life_span_handler(client.get()), nullptr);
  EXPECT_EQ(client->get_request_handler(client.get()), nullptr);
  bool raised = false;
  chromium->OnAfterCreated = [&](auto&&...) { raised = true; };
  lifeSpan->on_after_created(lifeSpan.get(), engine.NewBrowser(8).Detach());
  EXPECT_FALSE(raised);
  EXPECT_EQ(chromium->BrowserId(), 0);
  // Both ways of getting a new client handler work again.
  CefRef<cef_client_t> again;
  EXPECT_TRUE(chromium->CreateClientHandler(again, false));
}

TEST_F(Component, CloseActions) {
  struct Case {
    TCefCloseBrowserAction action;
    int answer;
    bool initializedAfter;
  } cases[] = {{cbaClose, 0, false}, {cbaDelay, 1, false}, {cbaCancel, 1, true}};
  for (const Case& c : cases) {
    TChromium core(nullptr);
    core.OnClose = [&](TChromiumCore&, cef_browser_t*, TCefCloseBrowserAction& action) {
      action = c.action;
    };
    ASSERT_TRUE(Create(core));
    CefRef<cef_browser_t> browser = engine.NewBrowser(3);
    engine.AfterCreated(Client(), browser);
    EXPECT_EQ(engine.DoClose(Client(), browser), c.answer) << c.action;
    EXPECT_EQ(core.Initialized(), c.initializedAfter) << c.action;
    core.CloseBrowser(false);
    EXPECT_EQ(Fake(browser).TheHost().closeCalls.size(), c.initializedAfter ? 1u : 0u);
  }
}

TEST_F(Component, CloseWithoutHandlerClosesTheDefaultWay) {
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  EXPECT_EQ(engine.DoClose(Client(), browser), 0);
  EXPECT_FALSE(chromium->Initialized());
  engine.BeforeClose(Client(), browser);
  CefRef<cef_client_t> again;
  EXPECT_TRUE(chromium->CreateClientHandler(again, false));
}

// --- Events of the other groups. ---

TEST_F(Component, EventsReachTheWindowWithTheirArguments) {
  std::vector<std::wstring> seen;
  chromium->OnBeforeBrowse = [&](TChromiumCore&, cef_browser_t*, cef_frame_t*, cef_request_t*,
                                 bool gesture, bool redirect, bool& result) {
    seen.push_back(L"browse " + std::to_wstring(gesture) + std::to_wstring(redirect));
    result = redirect;
  };
  chromium->OnLoadEnd = [&](TChromiumCore&, cef_browser_t*, cef_frame_t*, int status) {
    seen.push_back(L"end " + std::to_wstring(status));
  };
  chromium->OnLoadingStateChange = [&](TChromiumCore&, cef_browser_t*, bool l, bool b, bool f) {
    seen.push_back(L"state " + std::to_wstring(l) + std::to_wstring(b) + std::to_wstring(f));
  };
  chromium->OnTitleChange = [&](TChromiumCore&, cef_browser_t*, const std::wstring& title) {
    seen.push_back(L"title " + title);
  };
  chromium->OnLoadingProgressChange = [&](TChromiumCore&, cef_browser_t*, double progress) {
    seen.push_back(L"progress " + std::to_wstring(int(progress * 100)));
  };
  chromium->OnBeforeDownload = [&](TChromiumCore&, cef_browser_t*, cef_download_item_t*,
                                   const std::wstring& name, cef_before_download_callback_t*) {
    seen.push_back(L"download " + name);
  };
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  cef_client_t* client = Client();
  int browseAnswers[2] = {-1, -1};
  engine.Ui().Run([&] {
    auto request = fakecef::Request(client);
    auto frame = Fake(browser).mainFrame;
    browseAnswers[0] = request->on_before_browse(request.get(), browser.Share(), frame.Share(), nullptr, 1, 0);
    browseAnswers[1] = request->on_before_browse(request.get(), browser.Share(), frame.Share(), nullptr, 0, 1);
    auto load = fakecef::Load(client);
    load->on_loading_state_change(load.get(), browser.Share(), 1, 0, 1);
    load->on_load_end(load.get(), browser.Share(), frame.Share(), 200);
    auto display = fakecef::Display(client);
    display->on_title_change(display.get(), browser.Share(), CefStringArg(L"Quirel"));
    display->on_loading_progress_change(display.get(), browser.Share(), 0.5);
    auto download = fakecef::Download(client);
    download->on_before_download(download.get(), browser.Share(), nullptr, CefStringArg(L"a.zip"), nullptr);
  });
  EXPECT_EQ(browseAnswers[0], 0);
  EXPECT_EQ(browseAnswers[1], 1);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"browse 10", L"browse 01", L"state 101", L"end 200",
                                             L"title Quirel", L"progress 50", L"download a.zip"}));
}

// --- Popups. ---

// The in/out slots (client, extra_info): whatever the engine put there carries a reference the
// component releases whatever it answers, even when it is gone; the engine takes over a reference
// only of a changed pointer.
TEST_F(Component, PopupClientReplacementKeepsReferencesRight) {
  enum Choice { keep, replace, clear, gone };
  for (Choice choice : {keep, replace, clear, gone}) {
    SCOPED_TRACE(choice);
    auto opener = std::make_unique<TChromium>(nullptr);
    auto popup = std::make_unique<TChromium>(nullptr);
    bool asked = false;
    opener->OnBeforePopup = [&](TChromiumCore&, cef_browser_t*, cef_frame_t*,
                                const std::wstring& url, const std::wstring& frameName,
                                cef_window_open_disposition_t disposition, bool gesture,
                                const TCefPopupFeatures& features, TCefWindowInfo& info,
                                CefRef<cef_client_t>& client, TCefBrowserSettings&,
                                CefRef<cef_dictionary_value_t>& extraInfo, bool& noJavascript,
                                bool& result) {
      asked = true;
      EXPECT_EQ(url, L"http://popup/");
      EXPECT_EQ(frameName, L"win");
      EXPECT_EQ(disposition, WOD_NEW_POPUP);
      EXPECT_TRUE(gesture);
      EXPECT_EQ(features.width, 640);
      EXPECT_EQ(features.widthSet, 1);
      EXPECT_EQ(CefToWString(&info.window_name), L"engine");
      if (choice == replace) {
        CefRef<cef_client_t> handed;
        ASSERT_TRUE(popup->CreateClientHandler(handed, false));
        client = handed;
        extraInfo = CefAdopt(g_cef.cef_dictionary_value_create());
        CefStringSet(info.window_name, L"popup");
      } else if (choice == clear) {
        client = nullptr;
        extraInfo = nullptr;
      }
      noJavascript = true;
      result = choice == clear;
    };
    CefRef<cef_client_t> openerClient;
    ASSERT_TRUE(opener->CreateClientHandler(openerClient, false));
    // The engine's pre-filled slots each hold a reference for the callee.
    cef_client_t* const entryClient = openerClient.Share();
    cef_client_t* slot = entryClient;
    const CefRef<cef_dictionary_value_t> engineExtra = CefAdopt(g_cef.cef_dictionary_value_create());
    cef_dictionary_value_t* extra = engineExtra.Share();
    cef_window_info_t info{};
    CefStringSet(info.window_name, L"engine");
    cef_browser_settings_t settings{};
    cef_popup_features_t features{};
    features.width = 640;
    features.widthSet = 1;
    int noJavascript = 0;
    int answer = -1;
    CefRef<cef_browser_t> browser = engine.NewBrowser(5);
    CefRef<cef_life_span_handler_t> lifeSpan;
    engine.Ui().Run([&] { lifeSpan = fakecef::LifeSpan(openerClient.get()); });
    ASSERT_TRUE(lifeSpan);
    if (choice == gone) opener.reset();  // a late popup request for a component that went
    engine.Ui().Run([&] {
      answer = lifeSpan->on_before_popup(lifeSpan.get(), browser.Share(), nullptr,
                                         CefStringArg(L"http://popup/"), CefStringArg(L"win"),
                                         WOD_NEW_POPUP, 1, &features, &info, &slot, &settings,
                                         &extra, &noJavascript);
    });
    lifeSpan.Reset();
    EXPECT_EQ(asked, choice != gone);
    EXPECT_EQ(answer, choice == clear ? 1 : 0);
    EXPECT_EQ(noJavascript, choice == gone ? 0 : 1);
    EXPECT_EQ(CefToWString(&info.window_name), choice == replace ? L"popup" : L"engine");
    EXPECT_EQ(slot == entryClient, choice == keep || choice == gone);
    EXPECT_EQ(slot == nullptr, choice == clear);
    EXPECT_EQ(extra == engineExtra.get(), choice == keep || choice == gone);
    EXPECT_EQ(extra == nullptr, choice == clear);
    // The engine takes over a reference only of what changed.
    cef_client_t* const takenClient = slot != entryClient ? slot : nullptr;
    cef_dictionary_value_t* const takenExtra = extra != engineExtra.get() ? extra : nullptr;
    // The entries' references were released: the test's own are the last.
    opener.reset();
    EXPECT_TRUE(fakecef::HasOneRef(openerClient.get()));
    EXPECT_TRUE(fakecef::HasOneRef(engineExtra.get()));
    if (choice == replace) {
      // The popup's client: the popup component's reference and the engine's.
      EXPECT_FALSE(fakecef::HasOneRef(takenClient));
      popup.reset();
      EXPECT_TRUE(fakecef::HasOneRef(takenClient));
      EXPECT_TRUE(fakecef::HasOneRef(takenExtra));  // the engine's only
    }
    if (takenClient) CefRelease(takenClient);
    if (takenExtra) CefRelease(takenExtra);
    CefStringClear(info.window_name);
  }
}

// --- Developer tools. ---

TEST_F(Component, DevToolsInTheirOwnWindowWithOrWithoutAnElement) {
  chromium->Options().BackgroundColor = 0xFF00FF00;
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  chromium->ShowDevTools(POINT{INT_MIN, INT_MIN}, nullptr);
  chromium->ShowDevTools(POINT{5, 6}, nullptr);
  chromium->ShowDevTools(POINT{5, INT_MIN}, nullptr);
  const auto& calls = Fake(browser).TheHost().devTools;
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_FALSE(calls[0].point.has_value());
  ASSERT_TRUE(calls[1].point.has_value());
  EXPECT_EQ(calls[1].point->x, 5);
  EXPECT_EQ(calls[1].point->y, 6);
  EXPECT_FALSE(calls[2].point.has_value());
  const fakecef::DevToolsCall& call = calls[0];
  EXPECT_EQ(call.info.style, 0x16CF0000u);
  EXPECT_EQ(call.info.x, CW_USEDEFAULT);
  EXPECT_EQ(call.info.width, CW_USEDEFAULT);
  EXPECT_EQ(call.info.parent_window, Fake(browser).TheHost().window);
  EXPECT_EQ(call.windowName, L"DevTools");
  EXPECT_EQ(call.settingsSize, sizeof(cef_browser_settings_t));
  EXPECT_EQ(call.background, 0xFF00FF00u);
  // A client of their own, which reports nothing to the component.
  ASSERT_NE(call.client.get(), nullptr);
  EXPECT_NE(call.client.get(), Client());
  EXPECT_NE(calls[1].client.get(), call.client.get());
  EXPECT_EQ(call.client->get_life_span_handler(call.client.get()), nullptr);
  EXPECT_EQ(call.client->get_request_handler(call.client.get()), nullptr);
  chromium->CloseDevTools(nullptr);
  EXPECT_EQ(Fake(browser).TheHost().devToolsClosed.load(), 1);
}

TEST_F(Component, NothingBeforeTheBrowserExists) {
  chromium->ShowDevTools(POINT{1, 1}, nullptr);
  chromium->CloseDevTools(nullptr);
  chromium->CloseBrowser(true);
  chromium->NotifyMoveOrResizeStarted();
  chromium->LoadURL(L"http://x/");
  chromium->GoForward();
  EXPECT_EQ(engine.tasksPosted.load(), 0);
  EXPECT_FALSE(chromium->Initialized());
  // And with no owner form the placement does nothing.
  chromium->SetFormLeftTo(10);
  chromium->ResizeFormWidthTo(10);
}

// --- Exceptions. ---

TEST_F(Component, HandlerErrorsAreCaught) {
  chromium->OnAfterCreated = [](auto&&...) { throw std::runtime_error("handler"); };
  CefRef<cef_browser_t> browser = CreateAndAnnounce();
  EXPECT_TRUE(chromium->Initialized());
}

}  // namespace
}  // namespace quirel
