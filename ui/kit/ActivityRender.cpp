#include "ui/kit/ActivityRender.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quirel::kit {
namespace {

constexpr int kDots = 5;
constexpr double kDotDelayMs = 160;

// A filled disc with a soft one-pixel edge.
void Disc(TPixels& target, double cx, double cy, double radius, uint32_t rgb) {
  const int x0 = static_cast<int>(std::floor(cx - radius - 1)), x1 = static_cast<int>(std::ceil(cx + radius + 1));
  const int y0 = static_cast<int>(std::floor(cy - radius - 1)), y1 = static_cast<int>(std::ceil(cy + radius + 1));
  for (int y = std::max(0, y0); y < std::min(target.Height, y1); ++y)
    for (int x = std::max(0, x0); x < std::min(target.Width, x1); ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double coverage = std::clamp(radius + 0.5 - d, 0.0, 1.0);
      if (coverage > 0) BlendPixel(target, x, y, Premultiply(rgb, coverage));
    }
}

// 0..1 to 0..1, fast at both ends and slow in the middle.
double Glide(double p) {
  const double u = 2 * p - 1;
  return 0.5 + 0.5 * (0.35 * u + 0.65 * u * u * u);
}

// Smooth start and stop.
double Ease(double p) { return p * p * (3 - 2 * p); }

double Wrap(double degrees) {
  double a = std::fmod(degrees, 360.0);
  return a < 0 ? a + 360 : a;
}

}  // namespace

TPixels RenderHorizontalDots(int width, int height, uint32_t rgb, double scale, double ms) {
  TPixels frame(std::max(0, width), std::max(0, height));
  if (frame.Empty()) return frame;
  const double radius = std::min(height / 2.0, 2.5 * scale);
  const double travel = kDotsCycleMs - kDots * kDotDelayMs - 300;  // time one dot is on view
  const double t = std::fmod(std::max(0.0, ms), kDotsCycleMs);
  for (int i = 0; i < kDots; ++i) {
    // The first dot leads; the others follow at a fixed delay.
    const double p = (t - (kDots - 1 - i) * kDotDelayMs) / travel;
    if (p <= 0 || p >= 1) continue;
    const double x = -radius + Glide(p) * (width + 2 * radius);
    Disc(frame, x, height / 2.0, radius, rgb);
  }
  return frame;
}

TPixels RenderElasticCircle(int width, int height, uint32_t rgb, double thickness, double ms) {
  TPixels frame(std::max(0, width), std::max(0, height));
  if (frame.Empty()) return frame;
  const double cx = width / 2.0, cy = height / 2.0;
  const double half = std::max(0.5, thickness / 2.0);
  const double radius = std::min(width, height) * 0.34;
  const double t = std::max(0.0, ms);
  // The whole arc turns steadily; its head runs ahead in the first half of a cycle and its
  // tail catches up in the second, so it stretches and shrinks.
  const double turn = t / kCircleCycleMs * 140.0;
  const double cycles = std::floor(t / kCircleCycleMs);
  const double phase = t / kCircleCycleMs - cycles;
  const double head = turn + cycles * 250 + 250 * Ease(std::min(1.0, phase * 2));
  const double tail = turn + cycles * 250 + 250 * Ease(std::max(0.0, phase * 2 - 1));
  const double start = Wrap(tail - 10), sweep = std::clamp(head - tail + 20, 20.0, 350.0);
  const double rad = std::numbers::pi / 180;
  const double ex0 = cx + radius * std::cos(start * rad), ey0 = cy + radius * std::sin(start * rad);
  const double ex1 = cx + radius * std::cos((start + sweep) * rad), ey1 = cy + radius * std::sin((start + sweep) * rad);
  for (int y = 0; y < frame.Height; ++y)
    for (int x = 0; x < frame.Width; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double dist = std::hypot(px - cx, py - cy);
      if (std::abs(dist - radius) > half + 1.5) continue;
      const double angle = Wrap(std::atan2(py - cy, px - cx) / rad - start);
      // Distance to the arc: across it inside its span, to its round ends outside.
      const double d = angle <= sweep ? std::abs(dist - radius)
                                      : std::min(std::hypot(px - ex0, py - ey0), std::hypot(px - ex1, py - ey1));
      const double coverage = std::clamp(half + 0.5 - d, 0.0, 1.0);
      if (coverage > 0) BlendPixel(frame, x, y, Premultiply(rgb, coverage));
    }
  return frame;
}

}  // namespace quirel::kit
