// An animated "busy" indicator on its parent's background: running dots or an elastic
// arc. It animates while Active and visible, and shows nothing while inactive.
#pragma once

#include <cstdint>

#include "ui/kit/Timer.h"
#include "ui/kit/WinControl.h"

namespace quirel::kit {

enum class TdxActivityIndicatorStyle { HorizontalDots, ElasticCircle };

class TdxActivityIndicator : public TWinControl {
 public:
  explicit TdxActivityIndicator(TContainer& parent,
                                TdxActivityIndicatorStyle style = TdxActivityIndicatorStyle::HorizontalDots);

  TdxActivityIndicatorStyle Style() const { return style_; }
  void SetStyle(TdxActivityIndicatorStyle style);
  // Colour of the dots or the arc, 0xRRGGBB.
  uint32_t Color() const { return color_; }
  void SetColor(uint32_t rgb);
  // Arc thickness in 96-DPI pixels.
  int ArcThickness() const { return arcThickness_; }
  void SetArcThickness(int pixels96);
  bool Active() const { return active_; }
  void SetActive(bool active);
  // Animating now: active and on view.
  bool Animating() const { return animationTimer_.Enabled(); }
  // Frames drawn so far.
  uint64_t FramesDrawn() const { return frames_; }

 protected:
  void HandleCreated() override;
  void PaintContent(HDC dc, const RECT& area) override;
  void VisibleChanged() override;

 private:
  void UpdateAnimation();

  TdxActivityIndicatorStyle style_;
  uint32_t color_ = 0x0079BA;
  int arcThickness_ = 1;
  bool active_ = false;
  ULONGLONG startedAt_ = 0;
  uint64_t frames_ = 0;
  TTimer animationTimer_;
};

}  // namespace quirel::kit
