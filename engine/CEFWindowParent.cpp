#include "engine/CEFWindowParent.h"

namespace quirel {

TCEFWinControl::TCEFWinControl(kit::TContainer& parent, std::wstring name)
    : kit::TWinControl(parent), FName(std::move(name)) {}

HWND TCEFWinControl::ChildWindowHandle() const {
  HWND window = ContainerHandle();
  return window ? GetWindow(window, GW_CHILD) : nullptr;
}

void TCEFWinControl::UpdateSize() {
  HWND child = ChildWindowHandle();
  if (!child) return;
  RECT client{};
  GetClientRect(ContainerHandle(), &client);
  SetWindowPos(child, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOZORDER);
}

bool TCEFWinControl::DestroyChildWindow() {
  HWND child = ChildWindowHandle();
  return child && DestroyWindow(child);
}

void TCEFWinControl::InvalidateChildren() {
  if (HWND window = ContainerHandle())
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

TCEFWindowParent::TCEFWindowParent(kit::TContainer& parent, std::wstring name)
    : TCEFWinControl(parent, std::move(name)) {}

bool TCEFWindowParent::WantsSpecialKey(WPARAM virtualKey) const {
  switch (virtualKey) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return false;
    default:
      return true;
  }
}

LRESULT TCEFWindowParent::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETFOCUS:
      if (HWND child = ChildWindowHandle()) PostMessageW(child, WM_SETFOCUS, wParam, 0);
      break;
    case WM_ERASEBKGND:
      // The browser paints all of it; erasing first would flicker.
      if (ChildWindowHandle()) return 1;
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE: {
      const LRESULT result = TCEFWinControl::WndProc(message, wParam, lParam);
      UpdateSize();
      return result;
    }
    default:
      break;
  }
  return TCEFWinControl::WndProc(message, wParam, lParam);
}

}  // namespace quirel
