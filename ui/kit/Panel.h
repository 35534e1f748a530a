// A plain container window: a colour, no caption, an optional 1-pixel line along its top
// (a bevel's line, kept out of the children's space), and sizing to its content.
#pragma once

#include "ui/kit/WinControl.h"

namespace quirel::kit {

class TPanel : public TWinControl {
 public:
  explicit TPanel(TContainer& parent) : TWinControl(parent) {}

  bool TopLine() const { return topLine_; }
  void SetTopLine(bool value);
  TColor TopLineColor() const { return topLineColor_; }
  void SetTopLineColor(TColor color);
  // Takes the size its visible controls need (the extent along the parent's alignment).
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);

  RECT ContentRect() const override;
  std::optional<SIZE> AutoSizeExtent() const override;

 protected:
  void PaintContent(HDC dc, const RECT& area) override;

 private:
  bool topLine_ = false;
  TColor topLineColor_ = 0xDCDCDC;
  bool autoSize_ = false;
};

// Bevel shapes: an empty spacer, or a line along the top.
enum class TBevelShape { bsSpacer, bsTopLine };

class TBevel : public TControl {
 public:
  explicit TBevel(TContainer& parent, TBevelShape shape = TBevelShape::bsSpacer)
      : TControl(parent), shape_(shape) {}
  TBevelShape Shape() const { return shape_; }
  TColor LineColor = 0xDCDCDC;
  void Paint(HDC dc, const RECT& client) override;

 private:
  TBevelShape shape_;
};

}  // namespace quirel::kit
