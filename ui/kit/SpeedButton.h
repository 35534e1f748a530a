// A flat picture button drawn by its parent: hot under the mouse, sunk while pressed, faded
// when disabled. A click is a left press and release over the button.
#pragma once

#include <string>

#include "ui/kit/Image.h"

namespace quirel::kit {

enum class TButtonState { Normal, Hot, Pressed, Disabled };

class TSpeedButton : public TControl {
 public:
  explicit TSpeedButton(TContainer& parent);

  TPictureSource& Glyph() { return glyph_; }
  void SetGlyphResource(std::wstring name);
  bool Flat = true;
  TColor HotColor = 0xF7E8D9;       // light tint of the product blue (BGR)
  TColor HotFrameColor = 0xE0B47A;
  TColor PressedColor = 0xEBCFAE;
  TButtonState State() const;

  void Paint(HDC dc, const RECT& client) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 protected:
  void EnabledChanged() override;

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < ClientWidth() && y < ClientHeight(); }

  TPictureSource glyph_;
  bool hot_ = false;
  bool down_ = false;     // left button pressed on the button
  bool pressed_ = false;  // ... and the mouse is over it
};

}  // namespace quirel::kit
