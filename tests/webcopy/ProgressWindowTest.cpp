// The real progress window during a transfer: layout, styles, owner, font, animation, and a
// screenshot for people to look at.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <vector>

#include "Screenshot.h"
#include "WebCopyHarness.h"
#include "ui/kit/Application.h"
#include "ui/kit/Dpi.h"

namespace quirel::webcopy::test {
namespace {

struct ControlState {
  bool exists = false;
  std::wstring className;
  bool visible = false;
  RECT rect{};  // in the window's client coordinates
  LONG_PTR style = 0;
  std::wstring text;
};

ControlState ReadControl(TWebCopyProgressForm& form, int id) {
  ControlState s;
  HWND control = form.Control(id);
  if (!control) return s;
  s.exists = true;
  wchar_t name[64] = {};
  GetClassNameW(control, name, 64);
  s.className = name;
  s.visible = IsWindowVisible(control);
  GetWindowRect(control, &s.rect);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&s.rect), 2);
  s.style = GetWindowLongPtrW(control, GWL_STYLE);
  s.text = WindowText(control);
  return s;
}

struct WindowState {
  RECT rect{};
  LONG_PTR style = 0, exStyle = 0;
  HWND owner = nullptr;
  UINT dpi = 96;
  std::map<int, ControlState> controls;
  std::wstring fontFace;
};

WindowState ReadWindow(TWebCopyProgressForm& form) {
  WindowState w;
  HWND window = form.Handle();
  GetWindowRect(window, &w.rect);
  w.style = GetWindowLongPtrW(window, GWL_STYLE);
  w.exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  w.owner = GetWindow(window, GW_OWNER);
  w.dpi = kit::WindowDpi(window);
  for (int id : {idAnim, idProgress, idFileLbl, idSizeLbl, idRateLbl, idTimeLbl, idElapsedTimeLbl, idCancelBtn,
                 idBtnShowFolder, idBtnShowFile})
    w.controls[id] = ReadControl(form, id);
  LOGFONTW font{};
  if (HFONT f = reinterpret_cast<HFONT>(SendMessageW(form.Control(idSizeLbl), WM_GETFONT, 0, 0)))
    GetObjectW(f, sizeof font, &font);
  w.fontFace = font.lfFaceName;
  return w;
}

// Lets pending messages run for a while.
void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// The different pictures a control showed on the display over a second.
size_t DistinctPictures(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  std::set<std::vector<uint32_t>> seen;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  for (int i = 0; i < 10; ++i) {
    Pump(100);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const uint32_t*>(bits);
    seen.emplace(px, px + static_cast<size_t>(width) * height);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return seen.size();
}

void ExpectAt(const ControlState& c, int left, int top, int width, int height, UINT dpi) {
  EXPECT_EQ(c.rect.left, kit::Scale(left, dpi));
  EXPECT_EQ(c.rect.top, kit::Scale(top, dpi));
  if (width >= 0) {
    EXPECT_EQ(c.rect.right - c.rect.left, kit::Scale(width, dpi));
  }
  if (height >= 0) {
    EXPECT_EQ(c.rect.bottom - c.rect.top, kit::Scale(height, dpi));
  }
}

std::wstring MessageFontFace() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics.lfMessageFont.lfFaceName[0] ? metrics.lfMessageFont.lfFaceName : L"Tahoma";
}

std::wstring ScreenshotPath() {
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring dir(exe);
  dir.resize(dir.find_last_of(L'\\'));                // the run folder, build/<preset>/bin
  return dir.substr(0, dir.find_last_of(L'\\')) + L"\\screenshots\\webcopy-progress.png";
}

// Lets the window paint what it was just told, as the display shows it.
void LetItPaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(300);
  GdiFlush();
}

TEST_F(TransferTest, WindowAsTheUpdateModuleShowsIt) {
  server_.Route("/dl/Setup_2.2.exe", Reply(PatternBody(100000)).WithPace(4096, 20));
  AddItem("/dl/Setup_2.2.exe", L"Setup_2.2.exe");
  std::wstring titleAtShow;
  copy_.OnBeforeDialogShow = [&](TWebCopy&, TWebCopyProgressForm& dialog) { titleAtShow = WindowText(dialog.Handle()); };
  WindowState w;
  bool saved = false;
  size_t pictures = 0;
  log_.OnBlock = [&](TWebCopy& sender, const Block&) {
    if (log_.Blocks.size() != 10) return;
    w = ReadWindow(*sender.ProgressForm());
    LetItPaint(sender.ProgressForm()->Handle());
    saved = quirel::test::SaveWindowScreenshot(sender.ProgressForm()->Handle(), ScreenshotPath());
    pictures = DistinctPictures(sender.ProgressForm()->Control(idAnim));
  };

  copy_.Execute();

  EXPECT_EQ(titleAtShow, L"Aggiornamento Quirel ...");
  const UINT dpi = w.dpi;
  const int caption = MulDiv(GetSystemMetrics(SM_CYCAPTION), static_cast<int>(dpi), static_cast<int>(kit::WindowDpi(nullptr)));
  EXPECT_EQ(w.rect.right - w.rect.left, kit::Scale(300, dpi));
  EXPECT_EQ(w.rect.bottom - w.rect.top, caption + kit::Scale(188, dpi));
  // centred on the screen
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR(w.rect.left, (screenW - (w.rect.right - w.rect.left)) / 2, 1);
  EXPECT_NEAR(w.rect.top, (screenH - (w.rect.bottom - w.rect.top)) / 2, 1);
  // dialog border with a caption; no border icons, no resizing, drawn double-buffered
  EXPECT_EQ(w.style & WS_CAPTION, WS_CAPTION);
  EXPECT_FALSE(w.style & WS_SYSMENU);
  EXPECT_FALSE(w.style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(w.exStyle & WS_EX_DLGMODALFRAME);
  EXPECT_TRUE(w.exStyle & WS_EX_COMPOSITED);
  EXPECT_FALSE(w.exStyle & WS_EX_TOPMOST);

  const ControlState& anim = w.controls[idAnim];
  EXPECT_EQ(anim.className, L"SysAnimate32");
  EXPECT_TRUE(anim.visible);
  EXPECT_EQ(anim.style & (ACS_AUTOPLAY | ACS_TRANSPARENT), ACS_AUTOPLAY | ACS_TRANSPARENT);
  // the control takes the size of the clip it opened: resource 257 is there and plays
  EXPECT_EQ(anim.rect.left, kit::Scale(10, dpi));
  EXPECT_EQ(anim.rect.top, 0);
  EXPECT_EQ(anim.rect.right - anim.rect.left, 272);
  EXPECT_EQ(anim.rect.bottom - anim.rect.top, 60);
  EXPECT_GE(pictures, 5u) << "the clip plays";

  const ControlState& bar = w.controls[idProgress];
  EXPECT_EQ(bar.className, L"msctls_progress32");
  ExpectAt(bar, 10, 60, 280, 12, dpi);
  EXPECT_FALSE(bar.style & PBS_MARQUEE);

  const ControlState& file = w.controls[idFileLbl];
  EXPECT_EQ(file.className, L"Static");
  EXPECT_TRUE(file.visible);
  ExpectAt(file, 10, 80, 280, -1, dpi);
  EXPECT_EQ(file.style & SS_ELLIPSISMASK, SS_PATHELLIPSIS);
  EXPECT_EQ(file.text, L"File: Setup_2.2.exe da " + server_.Host());

  ExpectAt(w.controls[idSizeLbl], 10, 100, -1, -1, dpi);
  EXPECT_TRUE(w.controls[idSizeLbl].visible);
  EXPECT_TRUE(w.controls[idSizeLbl].text.starts_with(L"Avanzamento: ")) << w.controls[idSizeLbl].text;
  EXPECT_TRUE(w.controls[idSizeLbl].text.ends_with(L" di 100,00 Kb")) << w.controls[idSizeLbl].text;
  ExpectAt(w.controls[idRateLbl], 10, 120, -1, -1, dpi);
  EXPECT_TRUE(w.controls[idRateLbl].visible);
  EXPECT_TRUE(w.controls[idRateLbl].text.starts_with(L"Velocità di trasferimento: "));
  EXPECT_FALSE(w.controls[idTimeLbl].visible);
  EXPECT_FALSE(w.controls[idElapsedTimeLbl].visible);

  const ControlState& cancel = w.controls[idCancelBtn];
  EXPECT_EQ(cancel.className, L"Button");
  EXPECT_TRUE(cancel.visible);
  EXPECT_EQ(cancel.text, L"Annulla");
  ExpectAt(cancel, 300 - 75 - 10, 140, 75, 25, dpi);
  EXPECT_FALSE(w.controls[idBtnShowFolder].visible);
  EXPECT_FALSE(w.controls[idBtnShowFile].visible);

  EXPECT_EQ(w.fontFace, MessageFontFace());
  EXPECT_TRUE(saved) << "screenshot " << std::string(ScreenshotPath().begin(), ScreenshotPath().end());
  EXPECT_TRUE(copy_.Items[0].Success());
}

TEST_F(TransferTest, WindowWithTheOtherLines) {
  server_.Route("/x.bin", Reply(PatternBody(30000)).WithoutLength());
  AddItem("/x.bin");
  copy_.ShowFileName = false;
  copy_.ShowTime = true;
  copy_.ShowElapsedTime = true;
  copy_.DlgShowCancel = false;
  copy_.AlwaysOnTop = true;
  WindowState w;
  std::wstring timeLeft, elapsed;
  log_.OnBlock = [&](TWebCopy& sender, const Block&) {
    if (log_.Blocks.size() != 3) return;
    LetTheWindowCatchUp();
    w = ReadWindow(*sender.ProgressForm());
    timeLeft = sender.TimeLeftStr();
    elapsed = sender.ElapsedTimeStr();
  };

  copy_.Execute();

  const UINT dpi = w.dpi;
  const int caption = MulDiv(GetSystemMetrics(SM_CYCAPTION), static_cast<int>(dpi), static_cast<int>(kit::WindowDpi(nullptr)));
  EXPECT_EQ(w.rect.bottom - w.rect.top, caption + kit::Scale(40 + 188 - 20, dpi));
  EXPECT_TRUE(w.exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(w.controls[idProgress].style & PBS_MARQUEE) << "no length announced";
  EXPECT_FALSE(w.controls[idFileLbl].visible);
  EXPECT_FALSE(w.controls[idCancelBtn].visible);
  ExpectAt(w.controls[idSizeLbl], 10, 80, -1, -1, dpi);
  EXPECT_EQ(w.controls[idSizeLbl].text, L"Avanzamento: 12,29 Kb");
  ExpectAt(w.controls[idRateLbl], 10, 100, -1, -1, dpi);
  ExpectAt(w.controls[idTimeLbl], 10, 120, -1, -1, dpi);
  EXPECT_TRUE(w.controls[idTimeLbl].visible);
  EXPECT_TRUE(w.controls[idTimeLbl].text.starts_with(L"Tempo stimato alla fine: ")) << w.controls[idTimeLbl].text;
  EXPECT_TRUE(w.controls[idTimeLbl].text.ends_with(L" sec.")) << w.controls[idTimeLbl].text;
  ExpectAt(w.controls[idElapsedTimeLbl], 10, 140, -1, -1, dpi);
  EXPECT_TRUE(w.controls[idElapsedTimeLbl].visible);
  EXPECT_TRUE(w.controls[idElapsedTimeLbl].text.starts_with(L"Rimane ancora: "));
  EXPECT_EQ(w.controls[idTimeLbl].text, L"Tempo stimato alla fine: " + timeLeft);
  EXPECT_EQ(w.controls[idElapsedTimeLbl].text, L"Rimane ancora: " + elapsed);
  EXPECT_TRUE(copy_.Items[0].Success());
}

TEST_F(TransferTest, WindowOwnerKeepsItAboveTheProgram) {
  server_.Route("/o.bin", Reply(PatternBody(9000)));
  AddItem("/o.bin");
  HWND owner = reinterpret_cast<HWND>(1);
  log_.OnBlock = [&](TWebCopy& sender, const Block&) { owner = GetWindow(sender.ProgressForm()->Handle(), GW_OWNER); };

  // No UI application: a window of its own.
  copy_.Execute();
  EXPECT_EQ(owner, nullptr);

  kit::CreateApplication();
  struct AppGuard {
    ~AppGuard() { kit::DestroyApplication(); }
  } guard;
  copy_.Execute();
  EXPECT_EQ(owner, kit::Application->Handle()) << "no main window yet: the application's";

  kit::TForm* main = kit::Application->CreateForm<kit::TForm>(L"Main");
  main->Show();
  copy_.Execute();
  EXPECT_EQ(owner, main->Handle()) << "above the main window";

  copy_.ShowDialogOnTop = false;
  copy_.Execute();
  EXPECT_EQ(owner, kit::Application->Handle());
  EXPECT_TRUE(copy_.Items[0].Success());
}

TEST_F(TransferTest, WithoutDialogNothingIsShown) {
  server_.Route("/q.bin", Reply(PatternBody(9000)));
  AddItem("/q.bin");
  copy_.ShowDialog = false;
  bool visible = true;
  log_.OnBlock = [&](TWebCopy& sender, const Block&) { visible = IsWindowVisible(sender.ProgressForm()->Handle()); };
  copy_.Execute();
  EXPECT_FALSE(visible);
  EXPECT_FALSE(log_.Has(L"BeforeDialogShow"));
  EXPECT_TRUE(copy_.Items[0].Success());
}

}  // namespace
}  // namespace quirel::webcopy::test
