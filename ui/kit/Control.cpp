#include "ui/kit/Control.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/kit/Dpi.h"
#include "ui/kit/WinControl.h"

namespace quirel::kit {

TShiftState ShiftStateOf(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

// ---- TControl ----

TControl::TControl(TContainer& parent) : parent_(parent) {}

TControl::~TControl() = default;

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  RequestAlign();
}

void TControl::SetMargins(const TMargins& margins) {
  margins_ = margins;
  RequestAlign();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(0, width);
  height_ = std::max(0, height);
  RequestAlign();
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  VisibleChanged();
}

void TControl::VisibleChanged() {
  // The old place must be repainted as well as the new one.
  InvalidateRect(parent_.ContainerHandle(), &rect_, FALSE);
  RequestAlign();
  Invalidate();
}

bool TControl::Showing() const { return visible_ && parent_.ContainerShowing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
}

UINT TControl::Dpi() const { return parent_.ContainerDpi(); }

int TControl::ScaleValue(int pixels96) const { return Scale(pixels96, Dpi()); }

const TFont& TControl::Font() const { return font_ ? *font_ : parent_.ContainerFont(); }

void TControl::SetFont(const TFont& font) {
  font_ = font;
  FontChanged();
}

void TControl::Invalidate() {
  if (HWND window = parent_.ContainerHandle(); window && !Windowed())
    InvalidateRect(window, &rect_, FALSE);
}

void TControl::BringToFront() {
  auto& list = parent_.controls_;
  auto it = std::find_if(list.begin(), list.end(), [this](const auto& c) { return c.get() == this; });
  if (it != list.end()) std::rotate(it, it + 1, list.end());
  Invalidate();
}

void TControl::RequestAlign() { parent_.Realign(); }

void TControl::Place(const RECT& rect) {
  if (EqualRect(&rect, &rect_)) return;
  Invalidate();
  rect_ = rect;
  Invalidate();
  BoundsChanged();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick();
}

// ---- TContainer ----

TContainer::~TContainer() { DestroyControls(); }

void TContainer::DestroyControls() {
  captured_ = hover_ = nullptr;
  // Newest first, as they were stacked.
  while (!controls_.empty()) {
    std::unique_ptr<TControl> doomed = std::move(controls_.back());
    controls_.pop_back();
  }
}

void TContainer::InsertControl(std::unique_ptr<TControl> control) {
  TControl* raw = control.get();
  controls_.push_back(std::move(control));
  if (ContainerHandle() && raw->Windowed()) static_cast<TWinControl*>(raw)->Handle();
  Realign();
}

void TContainer::FreeControl(TControl* control) {
  auto it = std::find_if(controls_.begin(), controls_.end(),
                         [control](const auto& owned) { return owned.get() == control; });
  if (it == controls_.end()) return;
  if (captured_ == control) captured_ = nullptr;
  if (hover_ == control) hover_ = nullptr;
  std::unique_ptr<TControl> doomed = std::move(*it);
  controls_.erase(it);
  doomed.reset();
  Realign();
}

RECT TContainer::ContentRect() const {
  RECT client{};
  if (HWND window = ContainerHandle()) GetClientRect(window, &client);
  return client;
}

SIZE TContainer::DefaultDesignSize96() const {
  RECT client{};
  if (HWND window = ContainerHandle()) GetClientRect(window, &client);
  const UINT dpi = ContainerDpi();
  return SIZE{Unscale(client.right, dpi), Unscale(client.bottom, dpi)};
}

void TContainer::Realign() {
  HWND window = ContainerHandle();
  if (!window || alignLock_ > 0) return;
  ++alignLock_;  // controls placed below must not start layouts of this container
  // Unaligned bounds refer to the first size seen unless a design size was given.
  if (!designSize_) designSize_ = DesignSize96();
  std::vector<LayoutItem> items;
  items.reserve(controls_.size());
  for (const auto& control : controls_) {
    LayoutItem item;
    item.Align = control->align_;
    item.Anchors = control->anchors_;
    item.Visible = control->visible_;
    if (auto extent = control->AutoSizeExtent()) {
      control->width_ = extent->cx;
      control->height_ = extent->cy;
    }
    item.Left = control->left_;
    item.Top = control->top_;
    item.Width = control->width_;
    item.Height = control->height_;
    item.Margins = control->margins_;
    items.push_back(item);
  }
  LayoutFrame frame;
  GetClientRect(window, &frame.Client);
  frame.Content = ContentRect();
  frame.Design96 = *designSize_;
  frame.Dpi = ContainerDpi();
  const std::vector<RECT> rects = AlignControls(items, frame);
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i]->Place(rects[i]);
  --alignLock_;
}

void TContainer::CreateChildHandles() {
  for (const auto& control : controls_)
    if (control->Windowed()) static_cast<TWinControl*>(control.get())->Handle();
  Realign();
}

void TContainer::NotifyDpiChanged() {
  for (const auto& control : controls_) {
    control->DpiChanged();
    if (control->Windowed()) static_cast<TWinControl*>(control.get())->NotifyDpiChanged();
  }
  Realign();
}

void TContainer::PaintBackground(HDC dc, const RECT& area) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(BackgroundColor()));
  FillRect(dc, &area, brush);
  DeleteObject(brush);
}

void TContainer::PaintArea(HDC dc, const RECT& area) {
  PaintBackground(dc, area);
  PaintContent(dc, area);
  for (const auto& control : controls_) {
    if (control->Windowed() || !control->visible_) continue;
    RECT overlap;
    if (!IntersectRect(&overlap, &control->rect_, &area)) continue;
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, overlap.left, overlap.top, overlap.right, overlap.bottom);
    OffsetWindowOrgEx(dc, -control->rect_.left, -control->rect_.top, nullptr);
    const RECT client{0, 0, control->ClientWidth(), control->ClientHeight()};
    control->Paint(dc, client);
    RestoreDC(dc, saved);
  }
}

void TContainer::BufferedPaint(HWND window) {
  PAINTSTRUCT ps;
  HDC target = BeginPaint(window, &ps);
  const RECT area = ps.rcPaint;
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w > 0 && h > 0) {
    // Drawn off screen first, so animations and hover changes do not flicker.
    HDC buffer = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    SetWindowOrgEx(buffer, area.left, area.top, nullptr);
    PaintArea(buffer, area);
    SetWindowOrgEx(buffer, 0, 0, nullptr);
    BitBlt(target, area.left, area.top, w, h, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
  }
  EndPaint(window, &ps);
}

TControl* TContainer::GraphicAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* control = it->get();
    if (control->Windowed() || !control->visible_) continue;
    if (PtInRect(&control->rect_, point)) return control->enabled_ ? control : nullptr;
  }
  return nullptr;
}

bool TContainer::ContainerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND window = ContainerHandle();
  result = 0;
  switch (message) {
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT:
      BufferedPaint(window);
      return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: {
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      TControl* target = captured_ ? captured_ : GraphicAt(point);
      if (!captured_ && target != hover_) {
        if (hover_) hover_->MouseLeave();
        hover_ = target;
        if (hover_) {
          hover_->MouseEnter();
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
          TrackMouseEvent(&track);
        }
      }
      if (!target) return false;
      const int x = point.x - target->rect_.left, y = point.y - target->rect_.top;
      const TShiftState shift = ShiftStateOf(wParam);
      const TMouseButton button = (message >= WM_RBUTTONDOWN && message <= WM_RBUTTONDBLCLK)
                                      ? TMouseButton::mbRight
                                  : (message >= WM_MBUTTONDOWN && message <= WM_MBUTTONDBLCLK)
                                      ? TMouseButton::mbMiddle
                                      : TMouseButton::mbLeft;
      switch (message) {
        case WM_MOUSEMOVE:
          target->MouseMove(shift, x, y);
          break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
          // Capture ends with the last button; the control may close the window meanwhile.
          if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0 && captured_) {
            captured_ = nullptr;
            ReleaseCapture();
          }
          target->MouseUp(button, shift, x, y);
          break;
        default:
          captured_ = target;
          SetCapture(window);
          target->MouseDown(button, shift, x, y);
          break;
      }
      return true;
    }
    case WM_MOUSELEAVE:
      if (hover_ && !captured_) {
        TControl* left = hover_;
        hover_ = nullptr;
        left->MouseLeave();
      }
      return true;
    case WM_CAPTURECHANGED:
      if (captured_ && reinterpret_cast<HWND>(lParam) != window) captured_ = nullptr;
      return false;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window) {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(window, &point);
        TControl* target = captured_ ? captured_ : GraphicAt(point);
        if (HCURSOR cursor = target ? target->Cursor() : nullptr) {
          SetCursor(cursor);
          result = TRUE;
          return true;
        }
      }
      return false;
    case WM_COMMAND:
      if (lParam) {
        if (auto* control = TWinControl::FromHandle(reinterpret_cast<HWND>(lParam))) {
          control->Command(HIWORD(wParam));
          return true;
        }
      }
      return false;
  }
  return false;
}

}  // namespace quirel::kit
