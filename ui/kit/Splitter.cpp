#include "ui/kit/Splitter.h"

#include <algorithm>

namespace quirel::kit {

TSplitter::TSplitter(TContainer& parent) : TControl(parent) {
  SetAlign(TAlign::alLeft);
  SetBounds(0, 0, 5, 5);
}

TControl* TSplitter::ResizedControl() const {
  const RECT& me = BoundsRect();
  for (const auto& control : Parent().Controls()) {
    if (control.get() == this || !control->Visible() || control->Align() != Align()) continue;
    const RECT& r = control->BoundsRect();
    const bool touches = (Align() == TAlign::alLeft && r.right == me.left) ||
                         (Align() == TAlign::alRight && r.left == me.right) ||
                         (Align() == TAlign::alTop && r.bottom == me.top) ||
                         (Align() == TAlign::alBottom && r.top == me.bottom);
    if (touches) return control.get();
  }
  return nullptr;
}

void TSplitter::Paint(HDC dc, const RECT& client) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
}

HCURSOR TSplitter::Cursor() const {
  return LoadCursorW(nullptr, Horizontal() ? IDC_SIZEWE : IDC_SIZENS);
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  dragged_ = ResizedControl();
  if (!dragged_) return;
  start_ = POINT{BoundsRect().left + x, BoundsRect().top + y};
  startSize_ = Horizontal() ? dragged_->ClientWidth() : dragged_->ClientHeight();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
  (void)shift;
  if (!dragged_) return;
  const POINT now{BoundsRect().left + x, BoundsRect().top + y};
  int delta = Horizontal() ? now.x - start_.x : now.y - start_.y;
  // Moving towards the resized control makes it smaller.
  if (Align() == TAlign::alRight || Align() == TAlign::alBottom) delta = -delta;
  // What is left for the client area beside both must stay at least MinSize as well.
  int free = 0;
  for (const auto& control : Parent().Controls())
    if (control->Align() == TAlign::alClient && control->Visible())
      free = std::max<int>(free, Horizontal() ? control->ClientWidth() : control->ClientHeight());
  const int current = Horizontal() ? dragged_->ClientWidth() : dragged_->ClientHeight();
  const int minimum = ScaleValue(MinSize);
  const int largest = std::max(minimum, current + free - minimum);
  const int size = std::clamp(startSize_ + delta, minimum, largest);
  const int size96 = Unscale(size, Dpi());
  if (Horizontal()) dragged_->SetWidth(size96);
  else dragged_->SetHeight(size96);
  if (OnMoved) OnMoved();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) dragged_ = nullptr;
  TControl::MouseUp(button, shift, x, y);
}

}  // namespace quirel::kit
