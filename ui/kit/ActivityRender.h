// Frames of the two activity animations, drawn with their own anti-aliasing into
// premultiplied pixels: a pure function of size, colour and time, so frames are tested as
// values and look the same on every system.
#pragma once

#include <cstdint>

#include "ui/kit/Pixels.h"

namespace quirel::kit {

// Dots that run across the strip, slowing down in the middle, one after another.
// `scale` is the density over 96; `ms` the time since the animation started.
TPixels RenderHorizontalDots(int width, int height, uint32_t rgb, double scale, double ms);

// An arc that turns and stretches and shrinks as it turns. `thickness` in pixels.
TPixels RenderElasticCircle(int width, int height, uint32_t rgb, double thickness, double ms);

// Lengths of one cycle, in milliseconds.
inline constexpr double kDotsCycleMs = 2800;
inline constexpr double kCircleCycleMs = 1500;

}  // namespace quirel::kit
