#include "update/webcopy/ProgressForm.h"

#include <commctrl.h>

#include "ui/kit/Application.h"
#include "ui/kit/Dpi.h"

namespace quirel::webcopy {
namespace {

void Place(HWND control, const TControlRect& r, UINT dpi, bool size = true) {
  if (!control) return;
  SetWindowPos(control, nullptr, kit::Scale(r.Left, dpi), kit::Scale(r.Top, dpi), kit::Scale(r.Width, dpi),
               kit::Scale(r.Height, dpi), SWP_NOZORDER | SWP_NOACTIVATE | (size ? 0 : SWP_NOSIZE));
}

constexpr UINT_PTR kRefreshTimer = 1;

int CaptionHeight(UINT dpi) {
  return MulDiv(GetSystemMetrics(SM_CYCAPTION), static_cast<int>(dpi), static_cast<int>(kit::WindowDpi(nullptr)));
}

}  // namespace

TWebCopyProgressForm::TWebCopyProgressForm(TProgressFormOptions options)
    : kit::TForm(options.Caption), options_(std::move(options)), layout_(LayoutProgressForm(options_.Layout)) {}

TWebCopyProgressForm::~TWebCopyProgressForm() {
  // Before the font goes, which the controls still use.
  if (HandleAllocated()) DestroyWindow(Handle());
}

DWORD TWebCopyProgressForm::Style() const {
  // No WS_CLIPCHILDREN: the transparent animation paints the window's background under it.
  return WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | (options_.ShowCloseBtn ? WS_SYSMENU : 0);
}

DWORD TWebCopyProgressForm::ExStyle() const {
  return WS_EX_DLGMODALFRAME | WS_EX_COMPOSITED | WS_EX_CONTROLPARENT | (options_.AlwaysOnTop ? WS_EX_TOPMOST : 0);
}

HWND TWebCopyProgressForm::OwnerWindow() const {
  // An owned window always stays above its owner: above the main window, it stays above the
  // program's windows in its way.
  if (options_.ShowDialogOnTop && kit::Application) {
    if (kit::TForm* main = kit::Application->MainForm(); main && main->HandleAllocated()) return main->Handle();
    return kit::Application->Handle();
  }
  return kit::TForm::OwnerWindow();
}

HWND TWebCopyProgressForm::AddControl(const wchar_t* className, const std::wstring& text, DWORD style, int id,
                                      bool visible) {
  return CreateWindowExW(0, className, text.c_str(), WS_CHILD | style | (visible ? WS_VISIBLE : 0), 0, 0, 0, 0,
                         Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                         nullptr);
}

void TWebCopyProgressForm::Build() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const HWND window = Handle();
  const TProgressLayoutOptions& show = options_.Layout;
  const DWORD label = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;

  HWND anim = AddControl(ANIMATE_CLASSW, L"", ACS_AUTOPLAY | ACS_TRANSPARENT, idAnim, true);
  HWND progress = AddControl(PROGRESS_CLASSW, L"", 0, idProgress, true);
  SendMessageW(progress, PBM_SETRANGE32, 0, 100);
  AddControl(L"STATIC", options_.FileLabel, SS_LEFT | SS_PATHELLIPSIS | SS_NOPREFIX, idFileLbl, show.ShowFileName);
  AddControl(L"STATIC", options_.ProgressLabel, label, idSizeLbl, true);
  AddControl(L"STATIC", options_.RateLabel, label, idRateLbl, true);
  AddControl(L"STATIC", options_.TimeLabel, label, idTimeLbl, show.ShowTime);
  AddControl(L"STATIC", options_.ElapsedTimeLabel, label, idElapsedTimeLbl, show.ShowElapsedTime);
  AddControl(L"BUTTON", options_.Cancel, button, idCancelBtn, show.ShowCancel);
  AddControl(L"BUTTON", options_.OpenFolder, button | WS_DISABLED, idBtnShowFolder, show.ShowOpenFolder);
  AddControl(L"BUTTON", options_.OpenFile, button | WS_DISABLED, idBtnShowFile, show.ShowOpenFile);

  const UINT dpi = kit::WindowDpi(window);
  ApplyLayout(dpi);
  // The clip plays at its own size; opening it sizes the control to it.
  SendMessageW(anim, ACM_OPENW, reinterpret_cast<WPARAM>(GetModuleHandleW(nullptr)),
               reinterpret_cast<LPARAM>(MAKEINTRESOURCEW(kTransferClipResource)));

  SetTimer(window, kRefreshTimer, kRefreshIntervalMs, nullptr);

  const int width = kit::Scale(layout_.Width, dpi);
  const int height = CaptionHeight(dpi) + kit::Scale(layout_.BodyHeight, dpi);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  HWND owner = GetWindow(window, GW_OWNER);
  GetMonitorInfoW(MonitorFromWindow(owner ? owner : window, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& screen = monitor.rcMonitor;
  SetWindowPos(window, nullptr, screen.left + (screen.right - screen.left - width) / 2,
               screen.top + (screen.bottom - screen.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWebCopyProgressForm::ApplyLayout(UINT dpi) {
  font_.reset(kit::CreateMessageFont(dpi));
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
  Place(Control(idAnim), layout_.Anim, dpi, false);
  Place(Control(idProgress), layout_.Progress, dpi);
  Place(Control(idFileLbl), layout_.FileLbl, dpi);
  Place(Control(idSizeLbl), layout_.SizeLbl, dpi);
  Place(Control(idRateLbl), layout_.RateLbl, dpi);
  Place(Control(idTimeLbl), layout_.TimeLbl, dpi);
  Place(Control(idElapsedTimeLbl), layout_.ElapsedTimeLbl, dpi);
  Place(Control(idCancelBtn), layout_.CancelBtn, dpi);
  Place(Control(idBtnShowFolder), layout_.ShowFolderBtn, dpi);
  Place(Control(idBtnShowFile), layout_.ShowFileBtn, dpi);
}

HWND TWebCopyProgressForm::Control(int id) const {
  if (!HandleAllocated()) return nullptr;
  return GetDlgItem(const_cast<TWebCopyProgressForm*>(this)->Handle(), id);
}

void TWebCopyProgressForm::SetControlText(int id, const std::wstring& text) {
  HWND control = Control(id);
  if (!control) return;
  // Unchanged lines are not repainted, which would flicker at every block.
  const int length = GetWindowTextLengthW(control);
  std::wstring current(static_cast<size_t>(length) + 1, L'\0');
  current.resize(static_cast<size_t>(GetWindowTextW(control, current.data(), length + 1)));
  if (current != text) SetWindowTextW(control, text.c_str());
}

void TWebCopyProgressForm::SetFileLine(const std::wstring& text) { SetControlText(idFileLbl, text); }

void TWebCopyProgressForm::SetMarquee(bool marquee) {
  HWND progress = Control(idProgress);
  if (!progress) return;
  marquee_ = marquee;
  const LONG_PTR style = GetWindowLongPtrW(progress, GWL_STYLE);
  if (marquee) {
    SetWindowLongPtrW(progress, GWL_STYLE, style | PBS_MARQUEE);
    SendMessageW(progress, PBM_SETMARQUEE, TRUE, 30);
  } else {
    SendMessageW(progress, PBM_SETMARQUEE, FALSE, 0);
    SetWindowLongPtrW(progress, GWL_STYLE, style & ~static_cast<LONG_PTR>(PBS_MARQUEE));
    SendMessageW(progress, PBM_SETPOS, 0, 0);
  }
}

void TWebCopyProgressForm::ShowProgress(const TProgressView& view) {
  if (!HandleAllocated()) return;
  if (!marquee_) SendMessageW(Control(idProgress), PBM_SETPOS, static_cast<WPARAM>(view.Position), 0);
  SetControlText(idSizeLbl, view.SizeLine);
  SetControlText(idRateLbl, view.RateLine);
  SetControlText(idTimeLbl, view.TimeLine);
  SetControlText(idElapsedTimeLbl, view.ElapsedLine);
  if (!view.Title.empty() && view.Title != Caption()) SetCaption(view.Title);
}

void TWebCopyProgressForm::ShowEnd(const std::wstring& closeCaption, bool enableOpenButtons) {
  if (!HandleAllocated()) return;
  SetControlText(idCancelBtn, closeCaption);
  closeAllowed_ = true;
  KillTimer(Handle(), kRefreshTimer);
  SendMessageW(Control(idAnim), ACM_STOP, 0, 0);
  EnableWindow(Control(idBtnShowFile), enableOpenButtons);
  EnableWindow(Control(idBtnShowFolder), enableOpenButtons);
}

bool TWebCopyProgressForm::CloseQuery() { return closeAllowed_ || options_.ShowCloseBtn; }

void TWebCopyProgressForm::DoClose(kit::TCloseAction& action) {
  // The window goes at once; its owner drops this object when it next looks.
  action = kit::TCloseAction::caNone;
  DestroyWindow(Handle());
}

LRESULT TWebCopyProgressForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        const std::function<void()>* handler = nullptr;
        switch (LOWORD(wParam)) {
          case idCancelBtn:
            handler = &OnCancelClick;
            break;
          case idBtnShowFile:
            handler = &OnOpenFileClick;
            break;
          case idBtnShowFolder:
            handler = &OnOpenFolderClick;
            break;
        }
        if (handler && *handler) (*handler)();
        return 0;
      }
      break;
    case WM_TIMER:
      if (wParam == kRefreshTimer) {
        if (OnRefresh) OnRefresh();
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_CTLCOLORSTATIC: {
      // Labels and the transparent animation take the dialog face, not the class's white.
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_DPICHANGED: {
      ApplyLayout(HIWORD(wParam));
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
  }
  return kit::TForm::WndProc(message, wParam, lParam);
}

}  // namespace quirel::webcopy
