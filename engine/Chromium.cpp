#include "engine/Chromium.h"

#include "engine/CEFWindowParent.h"
#include "engine/CefApplicationCore.h"
#include "engine/FormPlacement.h"

namespace quirel {
namespace {

// The form's outer rectangle and client size: the normal ones while it is maximised or
// minimised, where a move or resize must land.
struct TFormFrame {
  HWND Window = nullptr;
  RECT Outer{};
  RECT Current{};  // the window as it is now, which fixes the frame around the client area
  RECT Client{};
  bool Placed = false;  // through the window placement
};

bool ReadFrame(kit::TForm* form, TFormFrame& frame) {
  if (!form) return false;
  frame.Window = form->Handle();
  if (!frame.Window) return false;
  if (!GetClientRect(frame.Window, &frame.Client) || !GetWindowRect(frame.Window, &frame.Current))
    return false;
  frame.Outer = frame.Current;
  frame.Placed = IsZoomed(frame.Window) || IsIconic(frame.Window);
  if (!frame.Placed) return true;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(frame.Window, &placement)) return false;
  frame.Outer = frame.Current = placement.rcNormalPosition;
  // Neither a minimised nor a maximised window shows its normal client area: the frame of
  // its style gives it.
  RECT border{};
  AdjustWindowRectEx(&border, static_cast<DWORD>(GetWindowLongPtrW(frame.Window, GWL_STYLE)),
                     GetMenu(frame.Window) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(frame.Window, GWL_EXSTYLE)));
  frame.Client = RECT{0, 0, (frame.Outer.right - frame.Outer.left) - (border.right - border.left),
                      (frame.Outer.bottom - frame.Outer.top) - (border.bottom - border.top)};
  return true;
}

void WriteFrame(const TFormFrame& frame, const RECT& outer) {
  if (!frame.Placed) {
    SetWindowPos(frame.Window, nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(frame.Window, &placement)) return;
  placement.rcNormalPosition = outer;
  SetWindowPlacement(frame.Window, &placement);
}

TDesktopAxis DesktopAxis(bool horizontal) {
  return horizontal ? TDesktopAxis{GetSystemMetrics(SM_XVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CXVIRTUALSCREEN)}
                    : TDesktopAxis{GetSystemMetrics(SM_YVIRTUALSCREEN),
                                   GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

int Extent(const RECT& r, bool horizontal) {
  return horizontal ? r.right - r.left : r.bottom - r.top;
}

}  // namespace

TChromium::TChromium(kit::TForm* owner) : FOwner(owner) {}

bool TChromium::CreateBrowser(kit::TWinControl* aBrowserParent, const std::wstring& aWindowName,
                              cef_request_context_t* aContext,
                              cef_dictionary_value_t* aExtraInfo) {
  return CefGuarded(false, [&] {
    HWND parent = nullptr;
    RECT rect{};
    if (aBrowserParent) {
      parent = aBrowserParent->Handle();
      GetClientRect(parent, &rect);
    }
    return TChromiumCore::CreateBrowser(parent, rect, aWindowName, aContext, aExtraInfo);
  });
}

void TChromium::ShowDevTools(POINT inspectElementAt, kit::TWinControl* aDevTools) {
  CefGuarded([&] {
    if (!Initialized()) return;
    if (aDevTools) {
      HWND parent = aDevTools->Handle();
      RECT rect{};
      GetClientRect(parent, &rect);
      auto* host = dynamic_cast<TCEFWinControl*>(aDevTools);
      FillChildWindowInfo(FDevWindowInfo, parent, rect, host ? host->Name() : std::wstring(), 0);
    } else {
      CefRef<cef_browser_host_t> host = LiveHost();
      if (!host) return;
      FillPopupWindowInfo(FDevWindowInfo, host->get_window_handle(host.get()), L"DevTools");
    }
    ShowDevToolsWith(inspectElementAt);
  });
}

void TChromium::CloseDevTools(kit::TWinControl* aDevTools) {
  CefGuarded([&] {
    if (!Initialized()) return;
    if (aDevTools && aDevTools->HandleAllocated())
      if (HWND child = GetWindow(aDevTools->Handle(), GW_CHILD)) SetParent(child, nullptr);
    CloseDevToolsNow();
  });
}

void TChromium::SetFormLeftTo(int x) {
  CefGuarded([&] {
    TFormFrame frame;
    if (!ReadFrame(FOwner, frame)) return;
    RECT outer = frame.Outer;
    const int left = FormEdgeOnDesktop(x, DesktopAxis(true), Extent(outer, true));
    OffsetRect(&outer, left - outer.left, 0);
    WriteFrame(frame, outer);
  });
}

void TChromium::SetFormTopTo(int y) {
  CefGuarded([&] {
    TFormFrame frame;
    if (!ReadFrame(FOwner, frame)) return;
    RECT outer = frame.Outer;
    const int top = FormEdgeOnDesktop(y, DesktopAxis(false), Extent(outer, false));
    OffsetRect(&outer, 0, top - outer.top);
    WriteFrame(frame, outer);
  });
}

void TChromium::ResizeFormWidthTo(int x) {
  CefGuarded([&] {
    TFormFrame frame;
    if (!ReadFrame(FOwner, frame)) return;
    RECT outer = frame.Outer;
    outer.right = outer.left + FormExtentForClient(Extent(frame.Current, true),
                                                   Extent(frame.Client, true), x);
    WriteFrame(frame, outer);
  });
}

void TChromium::ResizeFormHeightTo(int y) {
  CefGuarded([&] {
    TFormFrame frame;
    if (!ReadFrame(FOwner, frame)) return;
    RECT outer = frame.Outer;
    outer.bottom = outer.top + FormExtentForClient(Extent(frame.Current, false),
                                                   Extent(frame.Client, false), y);
    WriteFrame(frame, outer);
  });
}

}  // namespace quirel
