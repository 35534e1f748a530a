#include "ui/kit/WinControl.h"

#include <commctrl.h>

#include "common/Errors.h"
#include "ui/kit/Application.h"

namespace quirel::kit {
namespace {

constexpr wchar_t kControlClass[] = L"QuirelControl";
constexpr wchar_t kControlProp[] = L"QuirelControl";
constexpr UINT_PTR kSubclassId = 0x51524C;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

}  // namespace

TWinControl::TWinControl(TContainer& parent) : TControl(parent) {}

TWinControl::~TWinControl() {
  // Children first: their windows go before ours.
  DestroyControls();
  if (handle_) {
    HWND window = handle_;
    RemovePropW(window, kControlProp);
    if (subclassed_) RemoveWindowSubclass(window, &TWinControl::SubclassProc, kSubclassId);
    else SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    handle_ = nullptr;
    DestroyWindow(window);
  }
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropW(window, kControlProp)) : nullptr;
}

HWND TWinControl::Handle() {
  if (handle_) return handle_;
  HWND parentWindow = Parent().CreateContainerHandle();
  if (handle_) return handle_;  // the parent's creation made ours too
  HWND window = CreateWindowHandle(parentWindow);
  if (!window) RaiseLastOSError();
  if (!handle_) Attach(window);
  // Created later, stacked higher, as the controls' order says.
  SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!Enabled()) EnableWindow(handle_, FALSE);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font(), Dpi())), FALSE);
  HandleCreated();
  CreateChildHandles();
  return handle_;
}

void TWinControl::Attach(HWND window) {
  handle_ = window;
  SetPropW(window, kControlProp, this);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (lstrcmpW(className, kControlClass) != 0) {
    SetWindowSubclass(window, &TWinControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    subclassed_ = true;
  }
}

HWND TWinControl::CreateWindowHandle(HWND parent) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TWinControl::OwnClassProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kControlClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  return CreateWindowExW(0, kControlClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                         parent, nullptr, Instance(), this);
}

LRESULT CALLBACK TWinControl::OwnClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    control->Attach(window);
  }
  auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!control) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    control->handle_ = nullptr;
    RemovePropW(window, kControlProp);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  try {
    return control->WndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
    return 0;
  }
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* control = reinterpret_cast<TWinControl*>(data);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, &TWinControl::SubclassProc, kSubclassId);
    RemovePropW(window, kControlProp);
    control->handle_ = nullptr;
    return DefSubclassProc(window, message, wParam, lParam);
  }
  try {
    return control->WndProc(message, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
    return 0;
  }
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return subclassed_ ? DefSubclassProc(handle_, message, wParam, lParam)
                     : DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) Realign();
  // A wrapped window paints itself; only its notifications and children concern us.
  if (!subclassed_ || message == WM_COMMAND) {
    LRESULT result = 0;
    if (ContainerMessage(message, wParam, lParam, result)) return result;
  }
  return DefaultHandler(message, wParam, lParam);
}

SIZE TWinControl::DefaultDesignSize96() const {
  // The bounds the control was given are what its own controls were placed against.
  if (Width() > 0 && Height() > 0) return SIZE{Width(), Height()};
  return TContainer::DefaultDesignSize96();
}

void TWinControl::SetColor(TColor color) {
  color_ = color;
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::SetParentBackground(bool value) {
  parentBackground_ = value;
  if (handle_) InvalidateRect(handle_, nullptr, FALSE);
}

void TWinControl::PaintBackground(HDC dc, const RECT& area) {
  if (!parentBackground_) return TContainer::PaintBackground(dc, area);
  // The parent's drawing of the same spot, as if this window were not there.
  const RECT& at = BoundsRect();
  const int saved = SaveDC(dc);
  OffsetWindowOrgEx(dc, at.left, at.top, nullptr);
  RECT parentArea = area;
  OffsetRect(&parentArea, at.left, at.top);
  IntersectClipRect(dc, parentArea.left, parentArea.top, parentArea.right, parentArea.bottom);
  Parent().PaintArea(dc, parentArea);
  RestoreDC(dc, saved);
}

void TWinControl::Place(const RECT& rect) {
  const bool moved = !EqualRect(&rect, &BoundsRect());
  SetRect(rect);
  if (handle_) {
    SetWindowPos(handle_, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (Visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    // A transparent window shows what lies under it, which changed with the move.
    if (moved && parentBackground_) InvalidateRect(handle_, nullptr, FALSE);
  }
  if (moved) BoundsChanged();
}

void TWinControl::VisibleChanged() {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
  RequestAlign();
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font(), Dpi())), TRUE);
    InvalidateRect(handle_, nullptr, FALSE);
  }
}

}  // namespace quirel::kit
