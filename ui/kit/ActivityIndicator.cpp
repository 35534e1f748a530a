#include "ui/kit/ActivityIndicator.h"

#include "ui/kit/ActivityRender.h"
#include "ui/kit/PixelPaint.h"

namespace quirel::kit {
namespace {

constexpr UINT kFrameMs = 16;  // about sixty frames a second

}  // namespace

TdxActivityIndicator::TdxActivityIndicator(TContainer& parent, TdxActivityIndicatorStyle style)
    : TWinControl(parent), style_(style) {
  SetParentBackground(true);
  animationTimer_.SetInterval(kFrameMs);
  animationTimer_.OnTimer = [this] {
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
  };
}

void TdxActivityIndicator::SetStyle(TdxActivityIndicatorStyle style) {
  style_ = style;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxActivityIndicator::SetColor(uint32_t rgb) {
  color_ = rgb & 0xFFFFFF;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxActivityIndicator::SetArcThickness(int pixels96) {
  arcThickness_ = pixels96;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxActivityIndicator::SetActive(bool active) {
  if (active && !active_) startedAt_ = GetTickCount64();
  active_ = active;
  UpdateAnimation();
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TdxActivityIndicator::HandleCreated() { UpdateAnimation(); }

void TdxActivityIndicator::VisibleChanged() {
  TWinControl::VisibleChanged();
  UpdateAnimation();
}

void TdxActivityIndicator::UpdateAnimation() {
  // A hidden indicator costs nothing: no timer runs for it.
  animationTimer_.SetEnabled(active_ && Visible() && HandleAllocated());
}

void TdxActivityIndicator::PaintContent(HDC dc, const RECT& area) {
  (void)area;
  if (!active_) return;
  const double ms = static_cast<double>(GetTickCount64() - startedAt_);
  const int w = ClientWidth(), h = ClientHeight();
  const TPixels frame =
      style_ == TdxActivityIndicatorStyle::HorizontalDots
          ? RenderHorizontalDots(w, h, color_, Dpi() / 96.0, ms)
          : RenderElasticCircle(w, h, color_, arcThickness_ * (Dpi() / 96.0), ms);
  DrawPixels(dc, 0, 0, frame);
  ++frames_;
}

}  // namespace quirel::kit
