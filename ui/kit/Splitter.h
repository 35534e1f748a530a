// A bar between two aligned controls; dragging it resizes the control on its far side (the
// one it is aligned against), live.
#pragma once

#include "ui/kit/Control.h"

namespace quirel::kit {

class TSplitter : public TControl {
 public:
  explicit TSplitter(TContainer& parent);

  // Smallest size, in 96-DPI pixels, the resized control and the rest of the area keep.
  int MinSize = 30;
  TColor Color = clBtnFace;
  TNotifyEvent OnMoved;

  // The control the splitter resizes: the nearest visible sibling with the same alignment
  // that the splitter lies against; null when there is none.
  TControl* ResizedControl() const;

  void Paint(HDC dc, const RECT& client) override;
  HCURSOR Cursor() const override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

 private:
  bool Horizontal() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }

  TControl* dragged_ = nullptr;
  POINT start_{};     // mouse position at the press, in the parent's pixels
  int startSize_ = 0;  // the resized control's size then, in pixels
};

}  // namespace quirel::kit
