#include "standin/browser/DevTools.h"

#include <memory>

#include "standin/browser/BrowserWindow.h"

namespace quirel::standin {
namespace {

struct DevToolsState {
  std::wstring inspected_url;
  std::function<void()> gone;
  bool* taken = nullptr;  // set once the window owns the state
};

DevToolsState* StateOf(HWND window) {
  return reinterpret_cast<DevToolsState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&CreateDevToolsWindow), &module);
  return module;
}

void Paint(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  const HBRUSH background = CreateSolidBrush(RGB(36, 36, 36));
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  const HFONT title = CreateFontW(-16, 0, 0, 0, FW_SEMIBOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
  const HFONT text = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 DEFAULT_PITCH | FF_SWISS, L"Segoe UI");
  const HGDIOBJ old = SelectObject(dc, title);
  SetTextColor(dc, RGB(138, 180, 248));
  RECT line{12, 10, client.right - 12, 34};
  DrawTextW(dc, L"DevTools", -1, &line, DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, text);
  SetTextColor(dc, RGB(232, 234, 237));
  line = RECT{12, 38, client.right - 12, client.bottom - 8};
  if (const DevToolsState* state = StateOf(window)) {
    DrawTextW(dc, state->inspected_url.c_str(), static_cast<int>(state->inspected_url.size()),
              &line, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  }
  SelectObject(dc, old);
  DeleteObject(title);
  DeleteObject(text);
}

LRESULT CALLBACK DevToolsWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
      auto* state = static_cast<DevToolsState*>(create->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
      *state->taken = true;
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      Paint(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SIZE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_NCDESTROY: {
      // The window owns its state from WM_NCCREATE on.
      const std::unique_ptr<DevToolsState> state(StateOf(window));
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      if (state && state->gone) state->gone();
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

void RegisterClassOnce() {
  static const ATOM atom = RegisterEngineWindowClass(kDevToolsWindowClass, &DevToolsWindowProc, CS_HREDRAW | CS_VREDRAW);
  (void)atom;
}

}  // namespace

HWND CreateDevToolsWindow(const RequestedWindow& requested, const std::wstring& inspected_url,
                          std::function<void()> gone) {
  RegisterClassOnce();
  bool taken = false;
  auto state =
      std::make_unique<DevToolsState>(DevToolsState{inspected_url, std::move(gone), &taken});
  const bool child = (requested.style & WS_CHILD) != 0;
  const std::wstring name = requested.window_name.empty() ? L"DevTools" : requested.window_name;
  const HWND window = CreateWindowExW(requested.ex_style | (child ? WS_EX_NOPARENTNOTIFY : 0),
                                      kDevToolsWindowClass, name.c_str(), requested.style,
                                      requested.x, requested.y, requested.width, requested.height,
                                      requested.parent, requested.menu, ThisModule(), state.get());
  // From WM_NCCREATE on the window owns the state, even when creation fails later.
  if (taken) state.release();
  return window;
}

void SetInspectedUrl(HWND window, const std::wstring& url) {
  if (DevToolsState* state = StateOf(window)) {
    state->inspected_url = url;
    InvalidateRect(window, nullptr, FALSE);
  }
}

}  // namespace quirel::standin
