#include "ui/kit/SpeedButton.h"

#include "ui/kit/PixelPaint.h"

namespace quirel::kit {
namespace {

void Fill(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

void Frame(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}

}  // namespace

TSpeedButton::TSpeedButton(TContainer& parent) : TControl(parent) { SetBounds(0, 0, 24, 25); }

void TSpeedButton::SetGlyphResource(std::wstring name) {
  glyph_.SetResource(std::move(name));
  Invalidate();
}

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return TButtonState::Disabled;
  if (pressed_) return TButtonState::Pressed;
  if (hot_ || down_) return TButtonState::Hot;
  return TButtonState::Normal;
}

void TSpeedButton::Paint(HDC dc, const RECT& client) {
  const TButtonState state = State();
  if (state == TButtonState::Pressed) {
    Fill(dc, client, PressedColor);
    Frame(dc, client, HotFrameColor);
  } else if (state == TButtonState::Hot || (!Flat && state != TButtonState::Disabled)) {
    Fill(dc, client, HotColor);
    Frame(dc, client, HotFrameColor);
  }
  if (glyph_.Empty()) return;
  const TPixels& glyph = glyph_.At(Dpi());
  // Pressed glyphs move by a pixel, as a sunk button's do.
  const int shift = state == TButtonState::Pressed ? ScaleValue(1) : 0;
  const int x = (client.right - glyph.Width) / 2 + shift, y = (client.bottom - glyph.Height) / 2 + shift;
  if (state == TButtonState::Disabled) DrawPixels(dc, x, y, Disabled(glyph));
  else DrawPixels(dc, x, y, glyph);
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft) {
    down_ = pressed_ = true;
    Invalidate();
  }
  TControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  (void)shift;
  const bool over = Inside(x, y);
  if (down_ && over != pressed_) {
    pressed_ = over;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const bool click = button == TMouseButton::mbLeft && down_ && Inside(x, y);
  if (button == TMouseButton::mbLeft) {
    down_ = pressed_ = false;
    Invalidate();
  }
  TControl::MouseUp(button, shift, x, y);
  if (click && Enabled()) Click();
}

void TSpeedButton::MouseEnter() {
  hot_ = true;
  Invalidate();
}

void TSpeedButton::MouseLeave() {
  hot_ = false;
  Invalidate();
}

void TSpeedButton::EnabledChanged() {
  hot_ = down_ = pressed_ = false;
  Invalidate();
}

}  // namespace quirel::kit
