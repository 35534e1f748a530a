#include "standin/browser/BrowserWindow.h"

#include <windowsx.h>

#include "standin/browser/Browser.h"
#include "standin/browser/BrowserRegistry.h"

namespace quirel::standin {
namespace {

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&CreateBrowserWindow), &module);
  return module;
}

LRESULT CALLBACK BrowserWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers the whole client area
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (const auto browser = FindBrowserByWindow(window)) browser->Paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetFocus(window);
      break;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      if (const auto browser = FindBrowserByWindow(window)) {
        browser->Click(POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)}, wparam,
                       message == WM_MBUTTONUP);
      }
      return 0;
    case WM_CONTEXTMENU:
      if (const auto browser = FindBrowserByWindow(window)) {
        POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        if (point.x == -1 && point.y == -1) {
          point = POINT{0, 0};  // from the keyboard
        } else {
          ScreenToClient(window, &point);
        }
        browser->ContextMenu(point);
      }
      return 0;
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      // The last message: under Wine a parent on another thread may send
      // WM_DESTROY well before this thread frees the window.
      if (const auto browser = FindBrowserByWindow(window)) browser->WindowDestroyed();
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClassOnce() {
  static const ATOM atom = RegisterEngineWindowClass(kBrowserWindowClass, &BrowserWindowProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  (void)atom;
}

}  // namespace

ATOM RegisterEngineWindowClass(const wchar_t* name, WNDPROC procedure, UINT style) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = ThisModule();
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = name;
  return RegisterClassExW(&window_class);
}

HWND CreateBrowserWindow(const RequestedWindow& requested) {
  RegisterClassOnce();
  const bool child = (requested.style & WS_CHILD) != 0;
  // The program's host control is on another thread: no WM_PARENTNOTIFY is
  // sent to it synchronously from here.
  const DWORD ex_style = requested.ex_style | (child ? WS_EX_NOPARENTNOTIFY : 0);
  return CreateWindowExW(ex_style, kBrowserWindowClass, requested.window_name.c_str(),
                         requested.style, requested.x, requested.y, requested.width,
                         requested.height, requested.parent, requested.menu, ThisModule(), nullptr);
}

}  // namespace quirel::standin
