// The controls in a real form under Wine: where the bottom bar's controls land at 96 and
// 144 DPI and after a resize, clicks and the debug gesture, the splitter, the timer, and the
// indicators animating on screen. With QUIREL_KIT_SCREENSHOTS set to a folder, the form's
// client area is saved there as BMP files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "BarForm.h"
#include "MessagePump.h"
#include "TestFiles.h"
#include "ui/kit/Timer.h"

namespace quirel::test {
namespace {

using namespace kit;

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

std::string Text(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

#define EXPECT_RECT(actual, l, t, r, b) \
  EXPECT_TRUE(Same((actual), RECT{l, t, r, b})) << #actual << " is " << Text(actual)

// What the window shows in `area` of its client area, as 0x00RRGGBB values.
std::vector<uint32_t> Capture(HWND window, const RECT& area, int* width = nullptr) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (width) *width = w;
  HDC screen = GetDC(window);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  std::vector<uint32_t> pixels(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + size_t(w) * h);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
  ReleaseDC(window, screen);
  return pixels;
}

int CountNear(const std::vector<uint32_t>& pixels, uint32_t rgb, int tolerance) {
  int count = 0;
  for (uint32_t p : pixels) {
    const int dr = int((p >> 16) & 0xFF) - int((rgb >> 16) & 0xFF);
    const int dg = int((p >> 8) & 0xFF) - int((rgb >> 8) & 0xFF);
    const int db = int(p & 0xFF) - int(rgb & 0xFF);
    count += std::abs(dr) <= tolerance && std::abs(dg) <= tolerance && std::abs(db) <= tolerance;
  }
  return count;
}

void SaveScreenshot(HWND window, const std::wstring& name) {
  const char* folder = std::getenv("QUIREL_KIT_SCREENSHOTS");
  if (!folder || !*folder) return;
  RECT client;
  GetClientRect(window, &client);
  int w = 0;
  const std::vector<uint32_t> pixels = Capture(window, client, &w);
  const int h = client.bottom;
  std::string file = "BM";
  auto put = [&file](uint32_t v, int n) { file.append(reinterpret_cast<const char*>(&v), n); };
  put(uint32_t(54 + pixels.size() * 4), 4), put(0, 4), put(54, 4), put(40, 4), put(uint32_t(w), 4);
  put(uint32_t(-h), 4), put(1, 2), put(32, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (uint32_t p : pixels) put(p | 0xFF000000u, 4);
  std::wstring path(folder, folder + std::strlen(folder));
  WriteBytes(path + L"\\" + name + L".bmp", file);
}

RECT InParent(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

POINT Centre(const TControl& control) {
  const RECT& r = control.BoundsRect();
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = std::make_unique<TBarForm>();
    form_->Show();
    Pump(300);
  }
  HWND Bar() { return form_->paButtom->Handle(); }
  void ClickAt(HWND window, POINT p, WPARAM keys = 0) {
    SendMessageW(window, WM_MOUSEMOVE, keys, At(p.x, p.y));
    SendMessageW(window, WM_LBUTTONDOWN, keys | MK_LBUTTON, At(p.x, p.y));
    SendMessageW(window, WM_LBUTTONUP, keys, At(p.x, p.y));
  }
  std::unique_ptr<TBarForm> form_;
};

TEST_F(FormTest, BottomBarAt96Dpi) {
  ASSERT_EQ(form_->Dpi(), 96u);
  RECT client;
  GetClientRect(form_->Handle(), &client);
  EXPECT_RECT(client, 0, 0, 800, 500);
  // The bar and its window, with the line along its top kept out of the buttons' space.
  EXPECT_RECT(form_->paButtom->BoundsRect(), 0, 470, 800, 500);
  EXPECT_RECT(InParent(Bar()), 0, 470, 800, 500);
  EXPECT_RECT(form_->Bevel2->BoundsRect(), 0, 1, 8, 30);
  EXPECT_RECT(form_->buBack->BoundsRect(), 10, 3, 34, 28);
  EXPECT_RECT(form_->buForward->BoundsRect(), 38, 3, 62, 28);
  EXPECT_RECT(form_->buReload->BoundsRect(), 66, 3, 90, 28);
  EXPECT_RECT(form_->buHome->BoundsRect(), 94, 3, 118, 28);
  // Hidden buttons and panels take no space: the label follows Home.
  EXPECT_RECT(form_->hlVersione->BoundsRect(), 120, 1, 320, 30);
  EXPECT_FALSE(IsWindowVisible(form_->AddressPnl->Handle()));
  EXPECT_FALSE(IsWindowEnabled(form_->AddressPnl->Handle()));
  EXPECT_FALSE(IsWindowVisible(form_->pnlDebug->Handle()));
  EXPECT_RECT(form_->dxActivityIndicator2->BoundsRect(), 765, -2, 800, 33);
  EXPECT_RECT(InParent(form_->dxActivityIndicator2->Handle()), 765, -2, 800, 33);
  // Above the bar: the dots strip, the pane with its splitter, the host and the logo over it.
  EXPECT_RECT(form_->dxActivityIndicator1->BoundsRect(), 0, 0, 783, 10);
  EXPECT_RECT(form_->DevTools->BoundsRect(), 650, 0, 800, 470);
  EXPECT_RECT(form_->SplitterDevTools->BoundsRect(), 645, 0, 650, 470);
  EXPECT_RECT(form_->CEFWindowParent1->BoundsRect(), 0, 0, 645, 470);
  EXPECT_RECT(InParent(form_->CEFWindowParent1->Handle()), 0, 0, 645, 470);
  EXPECT_RECT(form_->pnlLogo->BoundsRect(), 0, 0, 645, 470);
  EXPECT_RECT(form_->LogoImage->BoundsRect(), 0, 0, 645, 470);
  // Later controls lie above earlier ones: the logo over the host, the strip over both.
  HWND top = GetWindow(form_->Handle(), GW_CHILD);
  EXPECT_EQ(top, form_->dxActivityIndicator1->Handle());
  EXPECT_EQ(GetWindow(form_->CEFWindowParent1->Handle(), GW_HWNDPREV), form_->DevTools->Handle());
}

TEST_F(FormTest, ShownPanelsSizeToTheirContentAndTakeTheirPlace) {
  form_->pnlDebug->Show();
  EXPECT_TRUE(IsWindowVisible(form_->pnlDebug->Handle()));
  EXPECT_RECT(form_->pnlDebug->BoundsRect(), 8, 1, 36, 30);
  EXPECT_RECT(form_->buDevTools->BoundsRect(), 2, 2, 26, 27);
  EXPECT_RECT(form_->buBack->BoundsRect(), 38, 3, 62, 28);
  form_->buMenu->Show();
  EXPECT_RECT(form_->buMenu->BoundsRect(), 150, 3, 174, 28);
  EXPECT_RECT(form_->hlVersione->BoundsRect(), 176, 1, 376, 30);
  form_->pnlDebug->Hide();
  form_->buMenu->Hide();
  EXPECT_RECT(form_->buBack->BoundsRect(), 10, 3, 34, 28);
}

TEST_F(FormTest, ResizeFollowsAlignmentAndAnchors) {
  RECT outer;
  GetWindowRect(form_->Handle(), &outer);
  SetWindowPos(form_->Handle(), nullptr, 0, 0, outer.right - outer.left + 200, outer.bottom - outer.top + 100,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_RECT(form_->paButtom->BoundsRect(), 0, 570, 1000, 600);
  EXPECT_RECT(form_->dxActivityIndicator2->BoundsRect(), 965, -2, 1000, 33);
  EXPECT_RECT(InParent(form_->dxActivityIndicator2->Handle()), 965, -2, 1000, 33);
  EXPECT_RECT(form_->dxActivityIndicator1->BoundsRect(), 0, 0, 983, 10);
  EXPECT_RECT(form_->DevTools->BoundsRect(), 850, 0, 1000, 570);
  EXPECT_RECT(form_->buHome->BoundsRect(), 94, 3, 118, 28);
}

TEST_F(FormTest, DpiChangeRescalesBoundsAndFonts) {
  HWND window = form_->Handle();
  RECT outer;
  GetWindowRect(window, &outer);
  RECT wanted{0, 0, 1200, 750};
  AdjustWindowRectEx(&wanted, GetWindowLongW(window, GWL_STYLE), FALSE, GetWindowLongW(window, GWL_EXSTYLE));
  RECT suggested{outer.left, outer.top, outer.left + wanted.right - wanted.left, outer.top + wanted.bottom - wanted.top};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form_->Dpi(), 144u);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_RECT(client, 0, 0, 1200, 750);
  EXPECT_RECT(form_->paButtom->BoundsRect(), 0, 705, 1200, 750);
  // 8 + 2 margin, a 2-pixel line (1.5 rounded), 36 x 37 buttons.
  EXPECT_RECT(form_->buBack->BoundsRect(), 15, 5, 51, 42);
  EXPECT_RECT(form_->hlVersione->BoundsRect(), 180, 2, 480, 45);
  EXPECT_RECT(form_->dxActivityIndicator2->BoundsRect(), 1148, -3, 1200, 50);
  EXPECT_RECT(form_->dxActivityIndicator1->BoundsRect(), 0, 0, 1175, 15);
  EXPECT_RECT(form_->DevTools->BoundsRect(), 975, 0, 1200, 705);
  // Fonts follow: the form's Tahoma 8 pt is -11 at 96 DPI and -17 now, the edit box's too.
  LOGFONTW font{};
  GetObjectW(FontHandle(form_->Font(), form_->Dpi()), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -17);
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");
  LOGFONTW edit{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form_->AddressEdt->Handle(), WM_GETFONT, 0, 0)), sizeof edit, &edit);
  EXPECT_EQ(edit.lfHeight, -17);
  EXPECT_EQ(form_->hlVersione->Font().Height, -11) << "designed sizes stay in 96-DPI pixels";
  Pump(200);
  SaveScreenshot(window, L"kit-bar-144");
}

TEST_F(FormTest, ClicksGestureAndDisabledButtons) {
  int clicks = 0;
  form_->buHome->OnClick = [&] { ++clicks; };
  TMouseButton upButton = TMouseButton::mbLeft;
  TShiftState upShift = 0;
  int ups = 0;
  form_->buHome->OnMouseUp = [&](TMouseButton button, TShiftState shift, int, int) {
    upButton = button, upShift = shift, ++ups;
  };
  const POINT home = Centre(*form_->buHome);
  ClickAt(Bar(), home);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ups, 1);

  // Pressed on the button, released elsewhere: no click.
  SendMessageW(Bar(), WM_LBUTTONDOWN, MK_LBUTTON, At(home.x, home.y));
  EXPECT_EQ(form_->buHome->State(), TButtonState::Pressed);
  SendMessageW(Bar(), WM_MOUSEMOVE, MK_LBUTTON, At(home.x + 100, home.y));
  EXPECT_EQ(form_->buHome->State(), TButtonState::Hot);
  SendMessageW(Bar(), WM_LBUTTONUP, 0, At(home.x + 100, home.y));
  EXPECT_EQ(clicks, 1);

  // The debug gesture: right button with Ctrl and Shift held.
  SendMessageW(Bar(), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL | MK_SHIFT, At(home.x, home.y));
  SendMessageW(Bar(), WM_RBUTTONUP, MK_CONTROL | MK_SHIFT, At(home.x, home.y));
  EXPECT_EQ(upButton, TMouseButton::mbRight);
  EXPECT_EQ(upShift & (ssCtrl | ssShift), ssCtrl | ssShift);
  EXPECT_EQ(clicks, 1) << "a right click is no click";

  // Another button does not answer for Home; a disabled one does not click.
  ClickAt(Bar(), Centre(*form_->buBack));
  EXPECT_EQ(clicks, 1);
  form_->buHome->SetEnabled(false);
  EXPECT_EQ(form_->buHome->State(), TButtonState::Disabled);
  ClickAt(Bar(), home);
  EXPECT_EQ(clicks, 1);
  form_->buHome->SetEnabled(true);
  ClickAt(Bar(), home);
  EXPECT_EQ(clicks, 2);
}

TEST_F(FormTest, RealMouseClickThroughTheSystem) {
  int clicks = 0;
  form_->buReload->OnClick = [&] { ++clicks; };
  SetForegroundWindow(form_->Handle());
  POINT p = Centre(*form_->buReload);
  ClientToScreen(Bar(), &p);
  SetCursorPos(p.x, p.y);
  Pump(100);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
  for (int i = 0; i < 20 && clicks == 0; ++i) Pump(50);
  EXPECT_EQ(clicks, 1);
}

TEST_F(FormTest, GoButtonIsASystemButtonThatClicks) {
  int clicks = 0;
  form_->GoBtn->OnClick = [&] { ++clicks; };
  form_->AddressPnl->SetEnabled(true);
  form_->AddressPnl->Show();
  EXPECT_TRUE(IsWindowVisible(form_->GoBtn->Handle()));
  EXPECT_RECT(form_->AddressPnl->BoundsRect(), 320, 1, 620, 30);
  EXPECT_RECT(form_->GoBtn->BoundsRect(), 260, 0, 300, 29);
  SendMessageW(form_->GoBtn->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form_->AddressEdt->Text(), L"https://localhost/Quirel/");
  form_->AddressEdt->SetText(L"https://localhost/Quirel/altro");
  wchar_t text[64] = {};
  GetWindowTextW(form_->AddressEdt->Handle(), text, 64);
  EXPECT_STREQ(text, L"https://localhost/Quirel/altro");
}

TEST_F(FormTest, SplitterDragResizesThePane) {
  const POINT grip = Centre(*form_->SplitterDevTools);
  HWND window = form_->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(grip.x, grip.y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(grip.x - 60, grip.y));
  SendMessageW(window, WM_LBUTTONUP, 0, At(grip.x - 60, grip.y));
  EXPECT_RECT(form_->DevTools->BoundsRect(), 590, 0, 800, 470);
  EXPECT_EQ(form_->DevTools->Width(), 210);
  EXPECT_RECT(form_->SplitterDevTools->BoundsRect(), 585, 0, 590, 470);
  EXPECT_RECT(form_->CEFWindowParent1->BoundsRect(), 0, 0, 585, 470);
  // Never smaller than the splitter's minimum, however far it is dragged.
  const POINT again = Centre(*form_->SplitterDevTools);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(again.x, again.y));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(again.x + 500, again.y));
  SendMessageW(window, WM_LBUTTONUP, 0, At(again.x + 500, again.y));
  EXPECT_EQ(form_->DevTools->Width(), 30);
}

TEST_F(FormTest, IndicatorsAnimateOnScreenAndStopWhenInactive) {
  auto* circle = form_->dxActivityIndicator2;
  auto* dots = form_->dxActivityIndicator1;
  EXPECT_FALSE(circle->Animating());
  const RECT circleArea{0, 0, circle->ClientWidth(), circle->ClientHeight()};
  const RECT dotsArea{0, 0, dots->ClientWidth(), dots->ClientHeight()};
  EXPECT_EQ(CountNear(Capture(circle->Handle(), circleArea), 0x0079BA, 40), 0) << "inactive: nothing drawn";

  circle->SetActive(true);
  dots->SetActive(true);
  EXPECT_TRUE(circle->Animating());
  Pump(900);
  const uint64_t frames = circle->FramesDrawn();
  EXPECT_GT(frames, 10u);
  const auto circle1 = Capture(circle->Handle(), circleArea), dots1 = Capture(dots->Handle(), dotsArea);
  SaveScreenshot(form_->Handle(), L"kit-bar-96");
  Pump(250);
  const auto circle2 = Capture(circle->Handle(), circleArea), dots2 = Capture(dots->Handle(), dotsArea);
  EXPECT_GT(CountNear(circle1, 0x0079BA, 40), 3) << "the arc in the product blue";
  EXPECT_GT(CountNear(dots1, 0x0079BA, 40), 3);
  EXPECT_NE(circle1, circle2) << "the arc moves";
  EXPECT_NE(dots1, dots2) << "the dots move";
  // Transparent: the corners show the bar's white, not a colour of the indicator's own.
  EXPECT_EQ(circle1[size_t(circleArea.right) * (circleArea.bottom / 2)], 0xFFFFFFu);

  // Hidden: no timer. Inactive: no timer, nothing drawn, the picture stands still.
  dots->Hide();
  EXPECT_FALSE(dots->Animating());
  EXPECT_FALSE(IsWindowVisible(dots->Handle()));
  circle->SetActive(false);
  EXPECT_FALSE(circle->Animating());
  Pump(150);
  const uint64_t stopped = circle->FramesDrawn();
  const auto still1 = Capture(circle->Handle(), circleArea);
  Pump(250);
  EXPECT_EQ(circle->FramesDrawn(), stopped);
  EXPECT_EQ(still1, Capture(circle->Handle(), circleArea));
  EXPECT_EQ(CountNear(still1, 0x0079BA, 40), 0);
  dots->Show();
  EXPECT_TRUE(dots->Animating());
}

TEST_F(FormTest, PicturesAndLabelAreOnScreen) {
  Pump(100);
  // The logo's blue in the middle of the logo panel, the glyphs' blue on the buttons, and
  // maroon text in the label.
  const RECT& logo = form_->pnlLogo->BoundsRect();
  const RECT middle{(logo.right / 2) - 100, (logo.bottom / 2) - 30, (logo.right / 2) + 100, (logo.bottom / 2) + 30};
  EXPECT_GT(CountNear(Capture(form_->pnlLogo->Handle(), middle), 0x0079BA, 10), 300);
  EXPECT_GT(CountNear(Capture(Bar(), form_->buBack->BoundsRect()), 0x0079BA, 10), 15);
  EXPECT_GT(CountNear(Capture(Bar(), form_->hlVersione->BoundsRect()), 0x800000, 60), 10);
  SaveScreenshot(form_->Handle(), L"kit-bar-96-idle");
}

TEST(Timer, FiresWhileEnabledAndStops) {
  TTimer timer;
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  timer.SetInterval(50);
  Pump(200);
  EXPECT_EQ(ticks, 0) << "disabled until enabled";
  timer.SetEnabled(true);
  Pump(500);
  EXPECT_GE(ticks, 4);
  EXPECT_LE(ticks, 12);
  timer.SetEnabled(false);
  const int at = ticks;
  Pump(250);
  EXPECT_EQ(ticks, at);
}

TEST(Timer, GoesWithItsOwner) {
  int ticks = 0;
  {
    TTimer timer;
    timer.OnTimer = [&] { ++ticks; };
    timer.SetInterval(20);
    timer.SetEnabled(true);
    Pump(100);
  }
  const int at = ticks;
  EXPECT_GT(at, 0);
  Pump(150);
  EXPECT_EQ(ticks, at);
}

}  // namespace
}  // namespace quirel::test
