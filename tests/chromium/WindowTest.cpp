// The host control and the window side of the component in real windows under Wine: the
// child kept at the control's size, focus passed on, the dialog answers, the browser and the
// developer tools placed in host controls, and the owning form placed on the desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "FakeEngine.h"
#include "MessagePump.h"
#include "engine/CEFWindowParent.h"
#include "engine/CefApplicationCore.h"
#include "engine/Chromium.h"

namespace quirel {
namespace {

using test::Pump;
using test::PumpUntil;

// A stand-in for the browser's native window: records the focus messages it gets.
struct ChildLog {
  int setFocus = 0;
  WPARAM wParam = 0;
  LPARAM lParam = -1;
};
ChildLog g_childLog;

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    ++g_childLog.setFocus;
    g_childLog.wParam = wParam;
    g_childLog.lParam = lParam;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeChild(HWND parent) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ChildProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuirelFakeBrowserWindow";
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"QuirelFakeBrowserWindow", L"", WS_CHILD | WS_VISIBLE, 3, 4, 10, 10,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

RECT RectIn(HWND window, HWND parent) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ResizeForm(HWND form, int width, int height) {
  SetWindowPos(form, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
}

// Sized freely: the system's minimum tracking size of a captioned window would otherwise
// hide what the component asked for.
class TestForm : public kit::TForm {
 public:
  TestForm() : kit::TForm(L"Quirel host test") {}

 protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_GETMINMAXINFO) {
      kit::TForm::WndProc(message, wParam, lParam);
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
      return 0;
    }
    return kit::TForm::WndProc(message, wParam, lParam);
  }
};

// One form per suite (showing and destroying a window costs Wine a second or two); each
// test gets fresh host controls in it.
class HostWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    form = std::make_unique<TestForm>();
    form->SetDesignClientSize(400, 300);
    form->Show();
    Pump();
  }
  static void TearDownTestSuite() { form.reset(); }

  void SetUp() override {
    ShowWindow(form->Handle(), SW_RESTORE);
    SetWindowPos(form->Handle(), nullptr, 40, 40, 480, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    host = kit::Make<TCEFWindowParent>(*form);
    host->SetAlign(kit::TAlign::alClient);
    host->CreateHandle();
    Pump();
  }
  void TearDown() override { form->FreeControl(host); }

  static inline std::unique_ptr<TestForm> form;
  TCEFWindowParent* host = nullptr;
};

TEST_F(HostWindow, ChildFollowsTheControlsClientSize) {
  ASSERT_TRUE(host->HandleAllocated());
  EXPECT_EQ(host->ChildWindowHandle(), nullptr);
  ResizeForm(form->Handle(), 500, 400);  // no child: nothing to do
  EXPECT_EQ(host->ChildWindowHandle(), nullptr);

  HWND child = MakeChild(host->Handle());
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(host->ChildWindowHandle(), child);
  for (SIZE size : {SIZE{640, 480}, SIZE{300, 250}}) {
    ResizeForm(form->Handle(), size.cx, size.cy);
    const RECT client = ClientOf(host->Handle());
    const RECT placed = RectIn(child, host->Handle());
    EXPECT_EQ(placed.left, 0);
    EXPECT_EQ(placed.top, 0);
    EXPECT_EQ(placed.right, client.right) << size.cx;
    EXPECT_EQ(placed.bottom, client.bottom) << size.cy;
    EXPECT_GT(client.right, 100);
  }
  // The z-order among several children is left alone: only the first is sized.
  HWND second = MakeChild(host->Handle());
  ResizeForm(form->Handle(), 420, 330);
  EXPECT_EQ(host->ChildWindowHandle(), GetWindow(host->Handle(), GW_CHILD));
  EXPECT_TRUE(host->DestroyChildWindow());
  DestroyWindow(second);
  DestroyWindow(child);
  EXPECT_EQ(host->ChildWindowHandle(), nullptr);
  EXPECT_FALSE(host->DestroyChildWindow());
}

TEST_F(HostWindow, FocusIsPostedToTheChild) {
  g_childLog = {};
  // Without a child nothing is posted.
  SendMessageW(host->Handle(), WM_SETFOCUS, 0, 0);
  Pump();
  EXPECT_EQ(g_childLog.setFocus, 0);
  HWND child = MakeChild(host->Handle());
  HWND previous = form->Handle();
  SendMessageW(host->Handle(), WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 99);
  EXPECT_EQ(g_childLog.setFocus, 0);  // posted, not sent
  Pump();
  EXPECT_EQ(g_childLog.setFocus, 1);
  EXPECT_EQ(g_childLog.wParam, reinterpret_cast<WPARAM>(previous));
  EXPECT_EQ(g_childLog.lParam, 0);
  DestroyWindow(child);
}

TEST_F(HostWindow, DialogCodeEraseAndSpecialKeys) {
  EXPECT_EQ(SendMessageW(host->Handle(), WM_GETDLGCODE, 0, 0), 0x81);
  HWND child = MakeChild(host->Handle());
  EXPECT_EQ(SendMessageW(host->Handle(), WM_GETDLGCODE, VK_TAB, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);

  // With a child the background is not painted at all.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SetPixel(memory, 2, 2, RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(host->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
  EXPECT_EQ(GetPixel(memory, 2, 2), RGB(1, 2, 3));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DestroyWindow(child);

  struct Case {
    WPARAM key;
    bool wanted;
  } cases[] = {{VK_RETURN, false}, {VK_ESCAPE, false}, {VK_LEFT, false}, {VK_RIGHT, false},
               {VK_UP, false},     {VK_DOWN, false},   {VK_TAB, true},   {VK_F5, true},
               {'A', true},        {VK_BACK, true},    {VK_NEXT, true}};
  for (const Case& c : cases) EXPECT_EQ(host->WantsSpecialKey(c.key), c.wanted) << c.key;
}

TEST_F(HostWindow, InvalidateChildrenRepaintsTheChild) {
  HWND child = MakeChild(host->Handle());
  Pump();
  ValidateRect(child, nullptr);
  ASSERT_FALSE(GetUpdateRect(child, nullptr, FALSE));
  host->InvalidateChildren();
  EXPECT_TRUE(GetUpdateRect(child, nullptr, FALSE));
  DestroyWindow(child);
}

// --- The component with real host controls (the engine is the in-test fake). ---

class ComponentWindow : public HostWindow {
 protected:
  void SetUp() override {
    HostWindow::SetUp();
    app.Internal_OnContextInitialized();
    devTools = kit::Make<TCEFWindowParent>(*form, L"DevTools");
    devTools->SetAlign(kit::TAlign::alRight);
    devTools->SetWidth(120);
    devTools->CreateHandle();
    Pump();
    chromium = std::make_unique<TChromium>(form.get());
  }
  void TearDown() override {
    chromium.reset();
    engine.Ui().Run([] {});
    engine.creates.clear();
    form->FreeControl(devTools);
    HostWindow::TearDown();
    EXPECT_EQ(fakecef::LiveObjects(), 0);
  }

  fakecef::Engine engine;
  TCefApplicationCore app;
  TCEFWindowParent* devTools = nullptr;
  std::unique_ptr<TChromium> chromium;
};

TEST_F(ComponentWindow, BrowserRequestedInsideTheHostControl) {
  ASSERT_TRUE(chromium->CreateBrowser(host, L""));
  const fakecef::CreateCall& call = engine.creates.back();
  const RECT client = ClientOf(host->Handle());
  EXPECT_EQ(call.info.parent_window, host->Handle());
  EXPECT_EQ(call.info.style, 0x56010000u);
  EXPECT_EQ(call.info.x, 0);
  EXPECT_EQ(call.info.y, 0);
  EXPECT_EQ(call.info.width, client.right);
  EXPECT_EQ(call.info.height, client.bottom);
  EXPECT_GT(call.info.width, 0);
  EXPECT_FALSE(chromium->IsOSR());
}

TEST_F(ComponentWindow, DevToolsInsideTheirHostControlAndDetachedOnClose) {
  ASSERT_TRUE(chromium->CreateBrowser(host));
  CefRef<cef_browser_t> browser = engine.NewBrowser(4);
  engine.AfterCreated(engine.creates.back().client.get(), browser);
  ASSERT_TRUE(chromium->Initialized());

  chromium->ShowDevTools(POINT{INT_MIN, INT_MIN}, devTools);
  fakecef::Host& fakeHost = fakecef::Browser::FromSelf(browser.get())->TheHost();
  ASSERT_EQ(fakeHost.devTools.size(), 1u);
  const fakecef::DevToolsCall& call = fakeHost.devTools[0];
  const RECT client = ClientOf(devTools->Handle());
  EXPECT_EQ(call.info.parent_window, devTools->Handle());
  EXPECT_EQ(call.info.style, 0x56010000u);
  EXPECT_EQ(call.info.ex_style, 0u);
  EXPECT_EQ(call.info.width, client.right);
  EXPECT_EQ(call.info.height, client.bottom);
  EXPECT_EQ(call.windowName, L"DevTools");
  EXPECT_FALSE(call.point.has_value());

  // The tools' window as the engine would make it, then closed.
  HWND tools = MakeChild(devTools->Handle());
  chromium->CloseDevTools(devTools);
  EXPECT_EQ(fakeHost.devToolsClosed.load(), 1);
  EXPECT_EQ(GetAncestor(tools, GA_PARENT), GetDesktopWindow());
  EXPECT_EQ(devTools->ChildWindowHandle(), nullptr);
  DestroyWindow(tools);
  // With no child to detach the tools are still closed.
  chromium->CloseDevTools(devTools);
  EXPECT_EQ(fakeHost.devToolsClosed.load(), 2);
}

TEST_F(ComponentWindow, ClientSizesOfAtLeast100) {
  struct Case {
    int requested, expected;
  } cases[] = {{50, 100}, {100, 100}, {333, 333}, {-7, 100}};
  for (const Case& c : cases) {
    chromium->ResizeFormWidthTo(c.requested);
    chromium->ResizeFormHeightTo(c.requested + 1);
    Pump();
    const RECT client = ClientOf(form->Handle());
    EXPECT_EQ(client.right, c.expected) << c.requested;
    EXPECT_EQ(client.bottom, std::max(c.requested + 1, 100)) << c.requested;
  }
}

TEST_F(ComponentWindow, PositionKeptOnTheDesktop) {
  const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  RECT outer{};
  GetWindowRect(form->Handle(), &outer);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;

  chromium->SetFormLeftTo(-500);
  chromium->SetFormTopTo(37);
  Pump();
  GetWindowRect(form->Handle(), &outer);
  EXPECT_EQ(outer.left, desktopLeft > 0 ? desktopLeft : 0);
  EXPECT_EQ(outer.top, 37);
  EXPECT_EQ(outer.right - outer.left, width);  // moved, not sized

  chromium->SetFormLeftTo(100000);
  chromium->SetFormTopTo(100000);
  Pump();
  GetWindowRect(form->Handle(), &outer);
  EXPECT_EQ(outer.left, desktopLeft + desktopWidth - width);
  EXPECT_EQ(outer.top, desktopTop + desktopHeight - height);
}

TEST_F(ComponentWindow, MaximisedFormGetsItsNormalPlacement) {
  ShowWindow(form->Handle(), SW_MAXIMIZE);
  Pump();
  ASSERT_TRUE(IsZoomed(form->Handle()));
  chromium->SetFormLeftTo(120);
  chromium->ResizeFormWidthTo(250);
  Pump();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  ASSERT_TRUE(GetWindowPlacement(form->Handle(), &placement));
  EXPECT_EQ(placement.rcNormalPosition.left, 120);
  ShowWindow(form->Handle(), SW_RESTORE);
  Pump();
  EXPECT_EQ(ClientOf(form->Handle()).right, 250);
}

}  // namespace
}  // namespace quirel
