#include "update/MessageForm.h"

#include <commctrl.h>

#include <algorithm>

#include "common/Errors.h"
#include "ui/kit/Dpi.h"
#include "update/TaskDialog.h"

namespace quirel::update {
namespace {

struct CommonButtonInfo {
  uint32_t flag;
  int id;
  const wchar_t* text;
};

const CommonButtonInfo kCommonButtons[] = {
    {cbOK, IDOK, L"OK"},          {cbYes, IDYES, L"S\u00EC"},       {cbNo, IDNO, L"No"},
    {cbRetry, IDRETRY, L"Riprova"}, {cbCancel, IDCANCEL, L"Annulla"}, {cbClose, IDCLOSE, L"Chiudi"},
};

const wchar_t* IconResource(TTaskDialogIcon icon) {
  switch (icon) {
    case TTaskDialogIcon::tiWarning:
      return IDI_WARNING;
    case TTaskDialogIcon::tiQuestion:
      return IDI_QUESTION;
    case TTaskDialogIcon::tiError:
      return IDI_ERROR;
    case TTaskDialogIcon::tiInformation:
      return IDI_INFORMATION;
    case TTaskDialogIcon::tiShield:
      return IDI_SHIELD;
    case TTaskDialogIcon::tiBlank:
      break;
  }
  return nullptr;
}

// Height of `text` drawn in `font` wrapped at `width`.
int TextHeight(HDC dc, HFONT font, const std::wstring& text, int width) {
  if (text.empty()) return 0;
  HGDIOBJ old = SelectObject(dc, font);
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  return rect.bottom;
}

}  // namespace

TAdvMessageForm::TAdvMessageForm(const TAdvTaskDialog& dialog) : dialog_(dialog) {
  for (size_t i = 0; i < dialog.CustomButtons.size(); ++i)
    buttons_.push_back({TAdvTaskDialog::kCustomButtonBase + static_cast<int>(i),
                        dialog.CustomButtons[i],
                        dialog.Options.count(TTaskDialogOption::doCommandLinks) != 0});
  for (const auto& common : kCommonButtons)
    if (dialog.CommonButtons & common.flag) buttons_.push_back({common.id, common.text, false});
  owner_ = dialog.OwnerWindow();
}

TAdvMessageForm::~TAdvMessageForm() {
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
  if (font_) DeleteObject(font_);
  if (instructionFont_) DeleteObject(instructionFont_);
}

bool TAdvMessageForm::CanCancel() const {
  if (dialog_.Options.count(TTaskDialogOption::doAllowDialogCancel)) return true;
  return std::any_of(buttons_.begin(), buttons_.end(),
                     [](const Button& b) { return b.id == IDCANCEL; });
}

void TAdvMessageForm::Finish(int id) {
  result_ = id;
  done_ = true;
}

int TAdvMessageForm::ShowModal() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TAdvMessageForm::StaticWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  wc.lpszClassName = kWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered

  DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  if (CanCancel()) style |= WS_SYSMENU;
  handle_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kWindowClass,
                            dialog_.Title.c_str(), style, 0, 0, 0, 0, owner_, nullptr, instance,
                            this);
  if (!handle_) RaiseLastOSError();
  CreateControls();

  const bool ownerEnabled = owner_ && IsWindowEnabled(owner_);
  if (ownerEnabled) EnableWindow(owner_, FALSE);
  ShowWindow(handle_, SW_SHOW);
  SetForegroundWindow(handle_);
  const int defaultId = dialog_.DefaultButton ? dialog_.DefaultButton
                                              : (buttons_.empty() ? 0 : buttons_.front().id);
  if (HWND focus = GetDlgItem(handle_, defaultId)) SetFocus(focus);
  if (dialog_.AutoClose) SetTimer(handle_, kAutoCloseTimer, TAdvTaskDialog::kTimerStepMs, nullptr);

  MSG msg;
  bool quit = false;
  while (!done_) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      quit = true;
      break;
    }
    if (IsDialogMessageW(handle_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // Enable the owner before the window goes, so that activation returns to it.
  if (ownerEnabled) EnableWindow(owner_, TRUE);
  ShowWindow(handle_, SW_HIDE);
  if (quit) {
    PostQuitMessage(static_cast<int>(msg.wParam));
    return 0;
  }
  return result_;
}

void TAdvMessageForm::CreateControls() {
  const UINT dpi = kit::WindowDpi(owner_ ? owner_ : handle_);
  auto px = [dpi](int pixels96) { return kit::Scale(pixels96, dpi); };
  font_ = kit::CreateMessageFont(dpi);
  instructionFont_ = kit::CreateMessageFont(dpi, FW_NORMAL, 12);

  const int margin = px(12);
  const int width = std::max(px(dialog_.NonNativeMinFormWidth), px(300));
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  if (const wchar_t* resource = IconResource(dialog_.Icon)) icon_ = LoadIconW(nullptr, resource);
  const int iconSize = icon_ ? px(32) : 0;
  const int textLeft = margin + (icon_ ? iconSize + px(10) : 0);
  const int textWidth = width - textLeft - margin;

  HDC dc = GetDC(handle_);
  const int instructionHeight = TextHeight(dc, instructionFont_, dialog_.Instruction, textWidth);
  const int contentHeight = TextHeight(dc, font_, dialog_.Content, textWidth);
  ReleaseDC(handle_, dc);

  int y = margin;
  const RECT iconRect{margin, y, margin + iconSize, y + iconSize};
  const RECT instructionRect{textLeft, y, textLeft + textWidth, y + instructionHeight};
  y += instructionHeight;
  RECT contentRect{};
  if (contentHeight) {
    y += px(8);
    contentRect = {textLeft, y, textLeft + textWidth, y + contentHeight};
    y += contentHeight;
  }
  y = std::max(y, static_cast<int>(iconRect.bottom)) + px(12);

  auto addStatic = [&](int id, const wchar_t* text, DWORD style, const RECT& rect, HFONT font) {
    HWND control = CreateWindowExW(0, WC_STATICW, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                                   rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                   handle_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   instance, nullptr);
    if (font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
  };
  if (icon_) {
    HWND control = addStatic(kIconId, nullptr, SS_ICON | SS_REALSIZECONTROL, iconRect, nullptr);
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  }
  addStatic(kInstructionId, dialog_.Instruction.c_str(), SS_LEFT | SS_NOPREFIX, instructionRect,
            instructionFont_);
  if (contentHeight)
    addStatic(kContentId, dialog_.Content.c_str(), SS_LEFT | SS_NOPREFIX, contentRect, font_);

  const int defaultId = dialog_.DefaultButton;
  // Command links stack under the texts; the other buttons sit in a row at the bottom right.
  for (const Button& button : buttons_) {
    if (!button.commandLink) continue;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                  (button.id == defaultId ? BS_DEFCOMMANDLINK : BS_COMMANDLINK);
    HWND control = CreateWindowExW(0, WC_BUTTONW, button.text.c_str(), style, textLeft, y,
                                   textWidth, px(40), handle_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)),
                                   instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    y += px(44);
  }
  int rowButtons = 0;
  for (const Button& button : buttons_) rowButtons += button.commandLink ? 0 : 1;
  if (rowButtons) {
    const int buttonWidth = px(75), buttonHeight = px(23), gap = px(6);
    int x = width - margin - rowButtons * buttonWidth - (rowButtons - 1) * gap;
    y += px(4);
    for (const Button& button : buttons_) {
      if (button.commandLink) continue;
      DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP |
                    (button.id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      HWND control = CreateWindowExW(0, WC_BUTTONW, button.text.c_str(), style, x, y, buttonWidth,
                                     buttonHeight, handle_,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)),
                                     instance, nullptr);
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
      x += buttonWidth + gap;
    }
    y += buttonHeight;
  }
  const int clientHeight = y + margin;

  RECT frame{0, 0, width, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
  const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
  // Centred on the owner when there is a visible one, else on the screen it is on.
  RECT around{};
  if (owner_ && IsWindowVisible(owner_) && !IsIconic(owner_)) {
    GetWindowRect(owner_, &around);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner_ ? owner_ : handle_, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    around = monitor.rcWork;
  }
  const int left = around.left + (around.right - around.left - frameWidth) / 2;
  const int top = around.top + (around.bottom - around.top - frameHeight) / 2;
  SetWindowPos(handle_, nullptr, left, top, frameWidth, frameHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (defaultId) SendMessageW(handle_, DM_SETDEFID, static_cast<WPARAM>(defaultId), 0);
}

LRESULT CALLBACK TAdvMessageForm::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TAdvMessageForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->handle_ == hwnd) return self->WndProc(message, wParam, lParam);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TAdvMessageForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      // Escape arrives as IDCANCEL: only a dialog that may be cancelled takes it.
      if (id == IDCANCEL && !CanCancel()) return 0;
      const bool known = std::any_of(buttons_.begin(), buttons_.end(),
                                     [id](const Button& b) { return b.id == id; });
      if (known || id == IDCANCEL) Finish(id);
      return 0;
    }
    case DM_GETDEFID:
      if (dialog_.DefaultButton) return MAKELRESULT(dialog_.DefaultButton, DC_HASDEFID);
      break;
    case WM_TIMER:
      if (wParam == kAutoCloseTimer) {
        autoCloseCounter_ += TAdvTaskDialog::kTimerStepMs;
        if (dialog_.AutoCloseTimeOut > 0 && autoCloseCounter_ > dialog_.AutoCloseTimeOut)
          Finish(dialog_.DefaultButton);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (CanCancel()) Finish(IDCANCEL);
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      const bool instruction = reinterpret_cast<HWND>(lParam) == GetDlgItem(handle_, kInstructionId);
      SetTextColor(dc, instruction ? RGB(0x00, 0x33, 0x99) : GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    default:
      break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

}  // namespace quirel::update
