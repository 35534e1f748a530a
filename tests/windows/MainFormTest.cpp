// The main window and the popup windows in this process, with no engine running: the
// component's events are raised from a thread of the test's own, as the engine's UI thread
// raises them, and the windows are watched as a user would see them.
#include <gtest/gtest.h>

#include <thread>

#include "EngineStrings.h"
#include "MessagePump.h"
#include "WindowProbe.h"
#include "common/Globals.h"
#include "ui/ChildForm.h"
#include "ui/MainForm.h"
#include "ui/WindowMessages.h"
#include "ui/kit/Application.h"

namespace quirel::test {
namespace {

using namespace kit;

// Runs `work` on another thread, as the engine's UI thread would, and waits for it.
template <typename F>
void OnEngineThread(F&& work) {
  std::thread thread(std::forward<F>(work));
  thread.join();
}

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// The client size of a window's normal (restored) placement.
SIZE NormalClientSize(HWND window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(window, &placement);
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  const RECT& r = placement.rcNormalPosition;
  return {(r.right - r.left) - (frame.right - frame.left),
          (r.bottom - r.top) - (frame.bottom - frame.top)};
}

struct PopupRequest {
  cef_window_open_disposition_t disposition = WOD_NEW_POPUP;
  TCefPopupFeatures features{};
  TCefWindowInfo windowInfo{};
  CefRef<cef_client_t> client;
  bool result = false;
};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadEngineStrings();
    CreateApplication();
    Application->Initialize();
    form = Application->CreateForm<TfrmMain>();
    form->Show();
    Pump(200);
  }
  void TearDown() override {
    Application->DestroyForms();
    DestroyApplication();
  }

  HWND Window() { return form->Handle(); }
  TChromium& Chromium() { return *form->ChromiumQuirel; }

  // A page asks for a new window; the answer as the engine would get it.
  void RequestPopup(PopupRequest& request, const std::wstring& url = L"https://x/popup") {
    OnEngineThread([&] {
      CefRef<cef_dictionary_value_t> extra;
      TCefBrowserSettings settings{};
      bool noJavascriptAccess = false;
      bool result = false;
      Chromium().OnBeforePopup(Chromium(), nullptr, nullptr, url, L"", request.disposition, true,
                               request.features, request.windowInfo, request.client, settings,
                               extra, noJavascriptAccess, result);
      request.result = result;
    });
  }
  void AnnounceBrowser() {
    OnEngineThread([&] { Chromium().OnAfterCreated(Chromium(), nullptr); });
    Pump(100);
  }
  void Progress(double value) {
    OnEngineThread([&] { Chromium().OnLoadingProgressChange(Chromium(), nullptr, value); });
    Pump(50);
  }
  void Navigate(const std::wstring& url) {
    OnEngineThread([&] {
      TestRequest request(url);
      bool cancel = true;
      Chromium().OnBeforeBrowse(Chromium(), nullptr, nullptr, request.get(), true, false, cancel);
      EXPECT_FALSE(cancel) << "a navigation is never cancelled";
    });
  }
  std::vector<TfrmChildForm*> ShownPopups() {
    std::vector<TfrmChildForm*> shown;
    for (TfrmChildForm* popup : TfrmChildForm::Instances())
      if (popup->Visible()) shown.push_back(popup);
    return shown;
  }

  TfrmMain* form = nullptr;
};

TEST_F(MainFormTest, ShowsTheDisplayVersionAndTheFullVersion) {
  // This test program carries the product's version resource, 2.1.0.0.
  EXPECT_EQ(form->hlVersione->Caption(), L"Versione: 1.1");
  EXPECT_EQ(AppFullVersion, L"2.1.0.0");
  EXPECT_EQ(WindowText(Window()), L"Quirel");
}

TEST_F(MainFormTest, StartsAt1265By825AndCannotBeMadeSmallerThan1038By735) {
  SIZE size = WindowSize(Window());
  EXPECT_EQ(size.cx, 1265);
  EXPECT_EQ(size.cy, 825);
  SetWindowPos(Window(), nullptr, 0, 0, 600, 400, SWP_NOMOVE | SWP_NOZORDER);
  Pump(100);
  size = WindowSize(Window());
  EXPECT_EQ(size.cx, 1038);
  EXPECT_EQ(size.cy, 735);
  SetWindowPos(Window(), nullptr, 0, 0, 1100, 800, SWP_NOMOVE | SWP_NOZORDER);
  Pump(100);
  size = WindowSize(Window());
  EXPECT_EQ(size.cx, 1100) << "larger sizes are the user's";
}

TEST_F(MainFormTest, TheLogoCoversTheBrowserUntilALoadEndsAndHomeBringsItBack) {
  EXPECT_TRUE(form->pnlLogo->Visible());
  OnEngineThread([&] { Chromium().OnLoadEnd(Chromium(), nullptr, nullptr, 200); });
  Pump(100);
  EXPECT_FALSE(form->pnlLogo->Visible());
  form->buHome->Click();
  EXPECT_TRUE(form->pnlLogo->Visible());
  OnEngineThread([&] { Chromium().OnLoadEnd(Chromium(), nullptr, nullptr, 404); });
  Pump(100);
  EXPECT_FALSE(form->pnlLogo->Visible()) << "the end of any load, whatever its status";
}

TEST_F(MainFormTest, IndicatorsFollowTheProgressAndHideTheTopOneForAdministrationPages) {
  struct Case {
    const wchar_t* url;
    double progress;
    bool top, bar;
  } cases[] = {
      {L"https://localhost/Quirel/", 0.3, true, true},
      {L"https://localhost/Quirel/WP-Admin/edit.php", 0.3, false, true},
      {L"https://localhost/wp-admin", 0.99, false, true},
      {L"https://localhost/Quirel/pratiche", 0.5, true, true},
      {L"https://localhost/Quirel/pratiche", 1.0, false, false},
      {L"https://localhost/wp-ADMIN/", 1.0, false, false},
  };
  for (const Case& c : cases) {
    Navigate(c.url);
    Progress(c.progress);
    SCOPED_TRACE(testing::Message() << "url " << std::string(c.url, c.url + wcslen(c.url))
                                    << " progress " << c.progress);
    EXPECT_EQ(form->dxActivityIndicator1->Visible(), c.top);
    EXPECT_EQ(form->dxActivityIndicator1->Active(), c.top);
    EXPECT_EQ(form->dxActivityIndicator2->Visible(), c.bar);
    EXPECT_EQ(form->dxActivityIndicator2->Active(), c.bar);
  }
  // Home shows the top indicator again even after an administration page.
  Navigate(L"https://localhost/Quirel/wp-admin/");
  form->buHome->Click();
  Progress(0.2);
  EXPECT_TRUE(form->dxActivityIndicator1->Visible());
}

TEST_F(MainFormTest, APopupBeforeTheBrowserIsAnnouncedIsCancelled) {
  PopupRequest request;
  RequestPopup(request);
  EXPECT_TRUE(request.result) << "no prepared window yet";
  EXPECT_FALSE(request.client);
  Pump(100);
  EXPECT_TRUE(ShownPopups().empty());
}

TEST_F(MainFormTest, PopupsOpenInTheirOwnPreparedWindows) {
  AnnounceBrowser();
  ASSERT_EQ(TfrmChildForm::Instances().size(), 1u) << "one window prepared";
  TfrmChildForm* first = TfrmChildForm::Instances()[0];
  EXPECT_FALSE(first->Visible());
  EXPECT_EQ(form->PopupChildCount(), 0) << "the prepared window does not count";

  PopupRequest one, early;
  RequestPopup(one);
  ASSERT_FALSE(one.result) << "handed over";
  EXPECT_TRUE(one.client) << "the prepared window's component is the client";
  EXPECT_EQ(one.windowInfo.parent_window, first->CEFWindowParent1->Handle());
  EXPECT_EQ(one.windowInfo.style, 0x56010000u);
  RequestPopup(early);
  EXPECT_TRUE(early.result) << "a second request before the first window is shown is cancelled";

  Pump(200);
  ASSERT_EQ(ShownPopups().size(), 1u);
  EXPECT_EQ(ShownPopups()[0], first);
  EXPECT_TRUE(IsZoomed(first->Handle())) << "a popup window opens maximised";
  EXPECT_EQ(WindowText(first->Handle()), L"Popup");
  EXPECT_EQ(GetWindow(first->Handle(), GW_OWNER), Window());
  EXPECT_EQ(form->PopupChildCount(), 1);

  PopupRequest two;
  two.disposition = WOD_NEW_WINDOW;
  RequestPopup(two);
  ASSERT_FALSE(two.result);
  Pump(200);
  auto shown = ShownPopups();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NE(two.windowInfo.parent_window, one.windowInfo.parent_window);
  EXPECT_EQ(form->PopupChildCount(), 2);
  EXPECT_EQ(TfrmChildForm::Instances().size(), 3u) << "and the next one prepared";
}

TEST_F(MainFormTest, DispositionsDecideWhatHappensToAPopupRequest) {
  AnnounceBrowser();
  struct Case {
    cef_window_open_disposition_t disposition;
    bool cancelled, handedOver;
  } cases[] = {
      {WOD_CURRENT_TAB, false, false},  {WOD_SAVE_TO_DISK, false, false},
      {WOD_UNKNOWN, false, false},      {WOD_NEW_BACKGROUND_TAB, false, true},
  };
  for (const Case& c : cases) {
    PopupRequest request;
    request.disposition = c.disposition;
    RequestPopup(request);
    SCOPED_TRACE(testing::Message() << "disposition " << c.disposition);
    EXPECT_EQ(request.result, c.cancelled);
    EXPECT_EQ(static_cast<bool>(request.client), c.handedOver);
    Pump(100);
  }
}

TEST_F(MainFormTest, PopupSizesHaveAMinimumAndPositionsStayOnTheDesktop) {
  AnnounceBrowser();
  PopupRequest small;
  small.features.width = 50;
  small.features.widthSet = 1;
  small.features.height = 40;
  small.features.heightSet = 1;
  RequestPopup(small);
  ASSERT_FALSE(small.result);
  EXPECT_EQ(small.windowInfo.width, 100);
  EXPECT_EQ(small.windowInfo.height, 100);
  Pump(200);
  ASSERT_EQ(ShownPopups().size(), 1u);
  HWND popup = ShownPopups()[0]->Handle();
  const SIZE client = NormalClientSize(popup);
  EXPECT_EQ(client.cx, 100);
  EXPECT_EQ(client.cy, 100);

  PopupRequest offscreen;
  offscreen.features.x = GetSystemMetrics(SM_CXVIRTUALSCREEN) + 500;
  offscreen.features.xSet = 1;
  offscreen.features.y = -300;
  offscreen.features.ySet = 1;
  RequestPopup(offscreen);
  ASSERT_FALSE(offscreen.result);
  Pump(200);
  ASSERT_EQ(ShownPopups().size(), 2u);
  HWND moved = ShownPopups()[1]->Handle();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  GetWindowPlacement(moved, &placement);
  EXPECT_EQ(placement.rcNormalPosition.right, GetSystemMetrics(SM_CXVIRTUALSCREEN))
      << "moved back so that its right edge lies at the desktop's width";
  EXPECT_EQ(placement.rcNormalPosition.top, 0) << "and its top on the desktop";

  PopupRequest unsized;
  RequestPopup(unsized);
  ASSERT_FALSE(unsized.result);
  TfrmChildForm* host = nullptr;
  for (TfrmChildForm* f : TfrmChildForm::Instances())
    if (f->CEFWindowParent1 && f->CEFWindowParent1->Handle() == unsized.windowInfo.parent_window)
      host = f;
  ASSERT_NE(host, nullptr);
  RECT hostClient{};
  GetClientRect(unsized.windowInfo.parent_window, &hostClient);
  EXPECT_EQ(unsized.windowInfo.width, hostClient.right);
  EXPECT_EQ(unsized.windowInfo.height, hostClient.bottom);
  EXPECT_GT(hostClient.right, 100);
}

TEST_F(MainFormTest, APopupWindowRefusesFurtherWindowsAndTakesThePageTitle) {
  AnnounceBrowser();
  PopupRequest request;
  RequestPopup(request);
  ASSERT_FALSE(request.result);
  Pump(200);
  ASSERT_EQ(ShownPopups().size(), 1u);
  TfrmChildForm* popup = ShownPopups()[0];
  TChromium& child = *popup->Chromium1;
  for (auto disposition : {WOD_NEW_FOREGROUND_TAB, WOD_NEW_BACKGROUND_TAB, WOD_NEW_POPUP,
                           WOD_NEW_WINDOW}) {
    bool result = false;
    OnEngineThread([&] {
      TCefWindowInfo info{};
      CefRef<cef_client_t> client;
      TCefBrowserSettings settings{};
      CefRef<cef_dictionary_value_t> extra;
      bool noJs = false;
      child.OnBeforePopup(child, nullptr, nullptr, L"https://x/", L"", disposition, true,
                          TCefPopupFeatures{}, info, client, settings, extra, noJs, result);
    });
    EXPECT_TRUE(result) << "disposition " << disposition;
  }
  OnEngineThread([&] { child.OnTitleChange(child, nullptr, L"Dettaglio pratica"); });
  Pump(100);
  EXPECT_EQ(WindowText(popup->Handle()), L"Dettaglio pratica");
}

TEST_F(MainFormTest, TheDebugGestureOpensTheDeveloperToolsButtonOnlyOnceTheLogoIsGone) {
  form->buHome->MouseUp(TMouseButton::mbRight, ssCtrl | ssShift, 5, 5);
  EXPECT_FALSE(form->pnlDebug->Visible()) << "nothing while the logo is shown";
  OnEngineThread([&] { Chromium().OnLoadEnd(Chromium(), nullptr, nullptr, 200); });
  Pump(100);
  form->buHome->MouseUp(TMouseButton::mbRight, ssCtrl | ssShift | ssAlt, 5, 5);
  form->buHome->MouseUp(TMouseButton::mbLeft, ssCtrl | ssShift, 5, 5);
  form->buHome->MouseUp(TMouseButton::mbRight, ssCtrl, 5, 5);
  EXPECT_FALSE(form->pnlDebug->Visible()) << "another button or other modifiers";
  form->buHome->MouseUp(TMouseButton::mbRight, ssCtrl | ssShift, 5, 5);
  EXPECT_TRUE(form->pnlDebug->Visible());

  form->buDevTools->Click();
  Pump(100);
  EXPECT_TRUE(form->DevTools->Visible());
  EXPECT_TRUE(form->SplitterDevTools->Visible());
  EXPECT_EQ(form->DevTools->ClientWidth(), WindowSize(Window()).cx / 4);
  form->buDevTools->Click();
  Pump(100);
  EXPECT_FALSE(form->DevTools->Visible());
  EXPECT_EQ(form->DevTools->Width(), 0);
}

TEST_F(MainFormTest, ACloseBeforeTheBrowserExistsStillEndsTheProgram) {
  // No engine runs: the browser request is refused and retried.
  EXPECT_TRUE(form->TimerStart.Enabled());
  PostMessageW(Window(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump(300)) << "the main form closed, which ends the message loop";
  EXPECT_FALSE(form->TimerStart.Enabled());
  EXPECT_FALSE(IsWindowVisible(Window()));
}

}  // namespace
}  // namespace quirel::test
