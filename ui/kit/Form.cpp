#include "ui/kit/Form.h"

#include "ui/kit/Application.h"

#include "common/Errors.h"
#include "ui/kit/Dpi.h"
#include "ui/kit/WinControl.h"

namespace quirel::kit {
namespace {

constexpr wchar_t kFormClass[] = L"QuirelForm";

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterFormClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = LoadIconW(Instance(), L"MAINICON");
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

}  // namespace

TForm::TForm(std::wstring caption) : caption_(std::move(caption)) {}

TForm::~TForm() {
  // The controls' windows go before the form's.
  DestroyControls();
  if (handle_) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

HWND TForm::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

HWND TForm::OwnerWindow() const {
  if (!Application) return nullptr;
  if (Application->MainFormOnTaskBar) {
    TForm* main = Application->MainForm();
    return main == this || !main ? nullptr : main->handle_;
  }
  return Application->Handle();
}

void TForm::CreateHandle() {
  RegisterFormClass(&TForm::StaticWndProc);
  HWND hwnd = CreateWindowExW(ExStyle(), kFormClass, caption_.c_str(), Style(), CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, OwnerWindow(), nullptr,
                              Instance(), this);
  if (!hwnd) RaiseLastOSError();
  dpi_ = WindowDpi(hwnd);
  if (designClient_) {
    RECT outer{0, 0, Scale(designClient_->cx, dpi_), Scale(designClient_->cy, dpi_)};
    AdjustWindowRectEx(&outer, Style(), FALSE, ExStyle());
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CreateChildHandles();
}

void TForm::SetColor(TColor color) {
  color_ = color;
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TForm::SetFont(const TFont& font) {
  font_ = font;
  if (handle_) NotifyDpiChanged();  // every control that takes the form's font redraws
}

void TForm::SetDesignClientSize(int width, int height) {
  designClient_ = SIZE{width, height};
  SetDesignSize96(*designClient_);
}

void TForm::ApplyDpi(UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  if (suggested) {
    SetWindowPos(handle_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  NotifyDpiChanged();
  InvalidateRect(handle_, nullptr, TRUE);
}

void TForm::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextW(handle_, caption_.c_str());
}

void TForm::Show(int showCommand) {
  ShowWindow(Handle(), showCommand);
  if (showCommand != SW_SHOWMINNOACTIVE && showCommand != SW_HIDE) UpdateWindow(handle_);
}

void TForm::Hide() {
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

void TForm::CenterOnScreen() {
  HWND hwnd = Handle();
  RECT window{};
  GetWindowRect(hwnd, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left, height = window.bottom - window.top;
  SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TForm::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TForm::Close() {
  if (handle_) HandleClose();
}

void TForm::HandleClose() {
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == TCloseAction::caHide) {
    Hide();
  } else if (action == TCloseAction::caMinimize) {
    ShowWindow(handle_, SW_MINIMIZE);
  } else if (Application) {
    Application->Release(this);
  }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      Realign();
      break;
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_PAINT:
    case WM_ERASEBKGND:
      if (!PaintsItself()) break;
      [[fallthrough]];
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
    case WM_SETCURSOR:
    case WM_COMMAND: {
      LRESULT result = 0;
      if (ContainerMessage(message, wParam, lParam, result)) return result;
      break;
    }
    case WM_CLOSE:
      HandleClose();
      return 0;
    case WM_NCDESTROY:
      handle_ = nullptr;
      break;
  }
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->handle_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
  // An exception must not unwind through the system's window code.
  try {
    return form->WndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
    return 0;
  }
}

}  // namespace quirel::kit
