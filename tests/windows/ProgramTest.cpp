// The real program with the stand-in engine and the demo web application: what a user sees
// of the main window and the popup windows, and what the program asked of the engine.
#include <gtest/gtest.h>

#include "ProgramDriver.h"
#include "WindowProbe.h"
#include "engine/capi/cef_capi.h"

namespace quirel::test {
namespace {

const std::string kHome = "https://localhost:47443/Quirel/";

bool IsBrowserWindow(HWND window) { return ClassName(window) == L"QuirelStandinBrowser"; }

POINT CenterOf(HWND window) {
  const SIZE size = ClientSize(window);
  return {size.cx / 2, size.cy / 2};
}

// Browser identifier of the popup created inside `window`, from the trace; 0 when none.
long long PopupBrowserIn(const std::vector<Json>& trace, HWND window) {
  for (const Json& line : Lines(trace, "browser.created")) {
    HWND root = reinterpret_cast<HWND>(static_cast<intptr_t>(line["args"]["root"].Int()));
    if (line["args"]["popup"].boolean && root == window) return line["args"]["browser"].Int();
  }
  return 0;
}

// Position in the trace where the engine reported `browser` closed; -1 when it has not.
int ClosedAt(const std::vector<Json>& trace, long long browser) {
  return IndexWhere(trace, [&](const Json& l) {
    return l["name"].string == "life_span_handler.on_before_close" &&
           l["args"]["browser"].Int() == browser;
  });
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    run_.emplace(env_);
    main_ = run_->MainWindow();
    ASSERT_NE(main_, nullptr);
    home_ = run_->WaitForLoad(kHome, 60000);
    ASSERT_NE(home_, 0) << "the home page loads";
  }
  void TearDown() override { run_.reset(); }

  // Clicks a link of the page on view in browser `browser` (0: any).
  void ClickLink(const std::string& text, long long browser, WPARAM keys = 0,
                 Button button = Button::Left) {
    const std::optional<DrawnLink> link = run_->WaitForLink(text, browser);
    ASSERT_TRUE(link) << "link " << text;
    Click(link->Window, link->Center(), keys, button);
  }
  // Waits for one more visible window of the program than `known`, and returns it.
  HWND WaitForNewWindow(const std::vector<HWND>& known, DWORD timeoutMs = 20000) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
          for (HWND window : OtherVisibleWindows(run_->Pid(), main_))
            if (std::find(known.begin(), known.end(), window) == known.end()) found = window;
          return found != nullptr;
        },
        timeoutMs);
    return found;
  }
  HWND OpenPopup(const std::string& linkText, WPARAM keys = 0) {
    const std::vector<HWND> before = OtherVisibleWindows(run_->Pid(), main_);
    ClickLink(linkText, home_, keys);
    return WaitForNewWindow(before);
  }

  std::vector<std::wstring> env_;
  std::optional<QuirelRun> run_;
  HWND main_ = nullptr;
  long long home_ = 0;
};

TEST_F(ProgramTest, TheHomePageReplacesTheLogoOnceLoaded) {
  EXPECT_EQ(WindowText(main_), L"Quirel");
  const std::vector<Json> trace = run_->Trace();
  const std::vector<Json> created = Lines(trace, "browser.created");
  ASSERT_FALSE(created.empty());
  EXPECT_EQ(created[0]["args"]["url"].string, kHome);
  EXPECT_FALSE(created[0]["args"]["popup"].boolean);
  ASSERT_TRUE(WaitUntil([&] { return IsBrowserWindow(VisibleWindowAt(main_, CenterOf(main_))); },
                        10000))
      << "the page, not the logo, is on view";
  // The browser fills the area above the 30-pixel bar.
  const std::vector<HWND> browsers = BrowserWindowsIn(main_);
  ASSERT_EQ(browsers.size(), 1u);
  const SIZE client = ClientSize(main_);
  const SIZE page = ClientSize(browsers[0]);
  EXPECT_EQ(page.cx, client.cx);
  EXPECT_EQ(page.cy, client.cy - 30);
  Screenshot(L"main-window");
}

TEST_F(ProgramTest, PopupsOpenInWindowsOfTheirOwnWithThePageTitle) {
  HWND sized = OpenPopup("Apri una finestra popup 640 x 420");
  ASSERT_NE(sized, nullptr);
  EXPECT_EQ(GetWindow(sized, GW_OWNER), main_);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(sized) == L"Dettaglio pratica"; }, 20000))
      << "caption " << Narrow(WindowText(sized));
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return PopupBrowserIn(t, sized) != 0; }));
  EXPECT_TRUE(IsZoomed(sized)) << "opens maximised; the features give its normal place";
  Screenshot(L"popup-window");
  // Wine reads another process's window placement from its current rectangle, so the normal
  // place is seen where the user sees it: once the window is restored.
  ShowWindow(sized, SW_RESTORE);
  RECT restored{};
  EXPECT_TRUE(WaitUntil([&] { return !IsZoomed(sized) && GetWindowRect(sized, &restored) &&
                                     restored.left == 120 && restored.top == 80; },
                        10000))
      << "restored at " << restored.left << "," << restored.top;

  // Ctrl+click: a background tab, which opens in the next prepared window.
  HWND second = OpenPopup("Apri la scheda in una finestra", MK_CONTROL);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, sized);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return PopupBrowserIn(t, second) != 0; }));
  const std::vector<Json> trace = run_->Trace();
  const std::vector<Json> asked = Lines(trace, "life_span_handler.on_before_popup");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0]["args"]["target_disposition"].Int(), WOD_NEW_POPUP);
  EXPECT_EQ(asked[1]["args"]["target_disposition"].Int(), WOD_NEW_BACKGROUND_TAB);
}

TEST_F(ProgramTest, APopupsHomeButtonClosesOnlyThatPopup) {
  HWND popup = OpenPopup("Apri una finestra popup 640 x 420");
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return PopupBrowserIn(t, popup) != 0; }));
  const long long browser = PopupBrowserIn(run_->Trace(), popup);
  // Home is the first button of the bar: 8 pixels in, 2-pixel margins, 24 x 25.
  const SIZE client = SettledClientSize(popup);
  const POINT home{8 + 2 + 12, client.cy - 15};
  ASSERT_TRUE(
      WaitUntil([&] { return ClassName(VisibleWindowAt(popup, home)) == L"QuirelControl"; }, 5000))
      << "the bar is laid out under the page";
  ClickAt(popup, home);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, 5000)) << "hidden at once";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }, 20000)) << "then destroyed";
  const std::vector<Json> trace = run_->Trace();
  EXPECT_GE(ClosedAt(trace, browser), 0);
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_EQ(IndexWhere(trace, [&](const Json& l) {
              return l["name"].string == "life_span_handler.do_close" &&
                     l["args"]["browser"].Int() == home_;
            }),
            -1)
      << "the main browser stays";
}

TEST_F(ProgramTest, ClosingTheMainWindowClosesThePopupsThenTheBrowserThenEnds) {
  HWND one = OpenPopup("Apri una finestra popup 640 x 420");
  HWND two = OpenPopup("Apri la scheda in una finestra", MK_SHIFT);
  ASSERT_NE(one, nullptr);
  ASSERT_NE(two, nullptr);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) {
    return PopupBrowserIn(t, one) != 0 && PopupBrowserIn(t, two) != 0;
  }));
  const std::vector<Json> before = run_->Trace();
  const long long first = PopupBrowserIn(before, one), second = PopupBrowserIn(before, two);

  PostMessageW(main_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 5000)) << "hidden at once";
  ASSERT_TRUE(run_->WaitForExit(60000)) << "the program ends";
  EXPECT_EQ(run_->ExitCode(), 0u);

  const std::vector<Json> trace = run_->Trace();
  auto closed = [&](long long browser) { return ClosedAt(trace, browser); };
  const int mainAsked = IndexWhere(trace, [&](const Json& l) {
    return l["name"].string == "life_span_handler.do_close" && l["args"]["browser"].Int() == home_;
  });
  ASSERT_GE(closed(first), 0);
  ASSERT_GE(closed(second), 0);
  ASSERT_GE(mainAsked, 0);
  EXPECT_LT(closed(first), mainAsked) << "popups first";
  EXPECT_LT(closed(second), mainAsked);
  EXPECT_GT(closed(home_), mainAsked) << "then the main browser";
  EXPECT_LT(closed(home_), IndexWhere(trace, [](const Json& l) {
              return l["name"].string == "cef_shutdown";
            })) << "before the engine shuts down";
  std::string left;
  EXPECT_TRUE(NothingLeftAtShutdown(trace, left)) << left;
}

bool MenuShownBy(DWORD pid) {
  for (HWND window : VisibleTopLevelWindows(pid))
    if (ClassName(window) == L"#32768") return true;
  return false;
}

TEST_F(ProgramTest, PopupRequestsInQuickSuccessionNeverHoldTheProgram) {
  // The second request reaches the program while the first popup is being shown: it gets a
  // window or is cancelled, and the program goes on either way.
  const std::optional<DrawnLink> first = run_->WaitForLink("Apri una finestra popup 640 x 420", home_);
  const std::optional<DrawnLink> second = run_->WaitForLink("Apri la scheda in una finestra", home_);
  ASSERT_TRUE(first && second);
  Click(first->Window, first->Center());
  ASSERT_TRUE(WaitUntil([&] { return !OtherVisibleWindows(run_->Pid(), main_).empty(); }, 20000));
  Click(second->Window, second->Center(), MK_SHIFT);
  Sleep(1500);
  const DWORD_PTR timeout = 5000;
  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &answer), 0)
      << "the main window answers";
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run_->WaitForExit(60000)) << "the program ends";
  EXPECT_EQ(run_->ExitCode(), 0u);
}

TEST_F(ProgramTest, TheMainWindowShowsNoContextMenuAPopupTheEnginesOwn) {
  const std::vector<HWND> browsers = BrowserWindowsIn(main_);
  ASSERT_EQ(browsers.size(), 1u);
  const SIZE page = ClientSize(browsers[0]);
  Click(browsers[0], {page.cx - 40, page.cy - 40}, 0, Button::Right);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return !Lines(t, "browser.context_menu").empty(); }));
  const Json asked = Lines(run_->Trace(), "browser.context_menu")[0];
  EXPECT_EQ(asked["args"]["browser"].Int(), home_);
  EXPECT_EQ(asked["args"]["count"].Int(), 0) << "the main window empties the menu";
  Sleep(1000);
  EXPECT_FALSE(MenuShownBy(run_->Pid()));
  EXPECT_TRUE(Lines(run_->Trace(), "browser.context_menu_shown").empty());

  HWND popup = OpenPopup("Apri una finestra popup 640 x 420");
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return PopupBrowserIn(t, popup) != 0; }));
  const long long browser = PopupBrowserIn(run_->Trace(), popup);
  ASSERT_TRUE(run_->WaitForLoad("/Quirel/popup.html"));
  const std::vector<HWND> inPopup = BrowserWindowsIn(popup);
  ASSERT_EQ(inPopup.size(), 1u);
  const SIZE popupPage = ClientSize(inPopup[0]);
  Click(inPopup[0], {popupPage.cx / 2, popupPage.cy - 40}, 0, Button::Right);
  EXPECT_TRUE(WaitUntil([&] { return MenuShownBy(run_->Pid()); }, 10000))
      << "a popup window keeps the engine's menu";
  const std::vector<Json> shown = Lines(run_->Trace(), "browser.context_menu_shown");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0]["args"]["browser"].Int(), browser);
  PostMessageW(inPopup[0], WM_CANCELMODE, 0, 0);
  for (HWND window : VisibleTopLevelWindows(run_->Pid()))
    if (ClassName(window) == L"#32768") PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !MenuShownBy(run_->Pid()); }, 10000));
}

TEST_F(ProgramTest, ADownloadAsksWhereToSaveAndWritesTheFile) {
  ScratchDir target;
  const std::wstring file = target.path() + L"listino.csv";
  ClickLink("Scarica il listino", home_);
  HWND dialog = WaitForDialog(run_->Pid(), 60000);
  ASSERT_NE(dialog, nullptr) << "the save dialog";
  Screenshot(L"save-dialog");
  HWND name = GetDlgItem(dialog, 1148);  // the file name box
  if (name && ClassName(name) == L"ComboBox") name = FindWindowExW(name, nullptr, L"Edit", nullptr);
  if (!name) name = GetDlgItem(dialog, 1152);
  ASSERT_NE(name, nullptr);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return !Lines(t, "browser.download_finished").empty(); }));
  const std::vector<Json> trace = run_->Trace();
  const Json cont = Lines(trace, "before_download_callback.cont").at(0);
  EXPECT_EQ(cont["args"]["download_path"].string, "") << "the program names no target";
  EXPECT_EQ(cont["args"]["show_dialog"].Int(), 1);
  EXPECT_TRUE(Lines(trace, "browser.download_finished")[0]["args"]["complete"].boolean);
  ASSERT_TRUE(Exists(file));
  EXPECT_EQ(ReadBytes(file),
            "codice;descrizione;prezzo\r\nQ-100;Pratica semplice;120,00\r\nQ-200;Pratica completa;240,00\r\n");
}

TEST_F(ProgramTest, TheDebugGestureGivesTheDeveloperToolsAQuarterOfTheWindow) {
  ASSERT_TRUE(WaitUntil([&] { return IsBrowserWindow(VisibleWindowAt(main_, CenterOf(main_))); },
                        10000));
  const SIZE client = ClientSize(main_);
  // Home is the fourth button of the bar: 8 pixels in, each 24 wide with 2-pixel margins.
  const POINT home{8 + 3 * 28 + 2 + 12, client.cy - 15};
  ClickAt(main_, home, MK_CONTROL | MK_SHIFT, Button::Right);
  Sleep(500);
  const POINT tools{8 + 2 + 12, client.cy - 15};  // the debug button, now first
  ClickAt(main_, tools);
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return !Lines(t, "browser.devtools_opened").empty(); }))
      << "the debug gesture showed the tools button";
  const Json opened = Lines(run_->Trace(), "browser.devtools_opened")[0];
  HWND tool = reinterpret_cast<HWND>(static_cast<intptr_t>(opened["args"]["window"].Int()));
  RECT window{};
  GetWindowRect(main_, &window);
  EXPECT_TRUE(WaitUntil([&] {
    return std::abs(ClientSize(tool).cx - (window.right - window.left) / 4) <= 1;
  }, 5000)) << "tools " << ClientSize(tool).cx << " of " << (window.right - window.left);
  Screenshot(L"devtools");
  ClickAt(main_, tools);
  EXPECT_TRUE(run_->WaitForTrace([&](auto& t) { return !Lines(t, "browser.devtools_closed").empty(); }));
  EXPECT_TRUE(WaitUntil([&] { return ClientSize(BrowserWindowsIn(main_).at(0)).cx == client.cx; }, 5000))
      << "the page has the whole width again";
}

std::string TitleOf(const std::vector<Json>& trace, long long browser, const std::string& prefix) {
  std::string title;
  for (const Json& line : Lines(trace, "display_handler.on_title_change"))
    if (line["args"]["browser"].Int() == browser &&
        line["args"]["title"].string.rfind(prefix, 0) == 0)
      title = line["args"]["title"].string;
  return title;
}

TEST_F(ProgramTest, TheIdentityPageCountsVisitsAcrossRestarts) {
  const wchar_t* store = L"Software\\Quirel\\identity";
  RegDeleteKeyValueW(HKEY_CURRENT_USER, store, L"visite");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, store, L"prima-visita");
  const std::string prefix = "Identit\xc3\xa0: visita n. ";
  for (const char* expected : {"1", "2"}) {
    ClickLink("La tua identit", home_);
    std::string title;
    ASSERT_TRUE(run_->WaitForTrace([&](auto& t) {
      title = TitleOf(t, home_, prefix);
      return !title.empty();
    })) << "the page's script set its title";
    EXPECT_EQ(title.substr(prefix.size(), 2), std::string(expected) + " ") << title;
    // Again, in a new run of the program.
    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run_->WaitForExit(60000));
    run_.emplace(env_);
    main_ = run_->MainWindow();
    ASSERT_NE(main_, nullptr);
    home_ = run_->WaitForLoad(kHome, 60000);
    ASSERT_NE(home_, 0);
  }
  RegDeleteKeyValueW(HKEY_CURRENT_USER, store, L"visite");
  RegDeleteKeyValueW(HKEY_CURRENT_USER, store, L"prima-visita");
}

// The system's web browser is a recorder here: the handler of https addresses (the machine's
// classes, as Wine does not merge the user's into them) is replaced for the test.
class ShellHandlerTest : public ProgramTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, kHandlerKey, 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
    wchar_t previous[1024] = {};
    DWORD size = sizeof(previous) - sizeof(wchar_t);
    if (RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous),
                         &size) == ERROR_SUCCESS)
      previous_ = previous;
    SetHandler(L"\"" + BinFolder() + L"UrlRecorder.exe\" \"%1\"");
    env_ = {L"QUIREL_URL_RECORD=" + record_.path() + L"opened.txt"};
    ProgramTest::SetUp();
  }
  void TearDown() override {
    ProgramTest::TearDown();
    if (previous_) SetHandler(*previous_);
    else RegDeleteValueW(key_, nullptr);
    RegCloseKey(key_);
  }
  void SetHandler(const std::wstring& command) {
    RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }
  std::string Opened() const {
    const std::wstring file = record_.path() + L"opened.txt";
    return Exists(file) ? ReadBytes(file) : std::string();
  }

  static constexpr wchar_t kHandlerKey[] = L"https\\shell\\open\\command";
  HKEY key_ = nullptr;
  std::optional<std::wstring> previous_;
  ScratchDir record_;
};

TEST_F(ShellHandlerTest, AForegroundTabGoesToTheSystemsBrowserAndOpensNoWindow) {
  ClickLink("Sito pubblico", home_);
  ASSERT_TRUE(WaitUntil([&] { return Opened().find("https://www.example.com/") == 0; }, 30000))
      << "recorded: " << Opened() << "; popup requests: "
      << Lines(run_->Trace(), "life_span_handler.on_before_popup.returned").size();
  Sleep(1000);
  EXPECT_TRUE(OtherVisibleWindows(run_->Pid(), main_).empty()) << "no window of the program";
  const std::vector<Json> created = Lines(run_->Trace(), "browser.created");
  EXPECT_EQ(created.size(), 1u) << "no popup browser";
}

// An engine slow to make a popup's browser: the window it goes in is already on view.
class SlowPopupTest : public ProgramTest {
 protected:
  void SetUp() override {
    env_ = {L"QUIREL_STANDIN_POPUP_DELAY_MS=6000"};
    ProgramTest::SetUp();
  }
};

TEST_F(SlowPopupTest, APopupClosedBeforeItsBrowserExistsClosesOnceItDoes) {
  HWND popup = OpenPopup("Apri una finestra popup 640 x 420");
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(PopupBrowserIn(run_->Trace(), popup), 0) << "no browser yet";
  PostMessageW(popup, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }, 5000)) << "hidden at once";
  ASSERT_TRUE(run_->WaitForTrace([&](auto& t) { return PopupBrowserIn(t, popup) != 0; }));
  const long long browser = PopupBrowserIn(run_->Trace(), popup);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }, 20000)) << "closed with its browser";
  EXPECT_TRUE(run_->WaitForTrace([&](auto& t) { return ClosedAt(t, browser) >= 0; }));
  PostMessageW(main_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(run_->WaitForExit(60000)) << "the program still ends";
  EXPECT_EQ(run_->ExitCode(), 0u);
}

}  // namespace
}  // namespace quirel::test
