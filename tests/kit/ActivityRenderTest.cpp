// Frames of the activity animations: drawn in the given colour with soft edges, moving with
// time, inside their box.
#include <gtest/gtest.h>

#include "ui/kit/ActivityRender.h"

namespace quirel::kit {
namespace {

struct Stats {
  int solid = 0, soft = 0, minX = 1 << 20, maxX = -1;
};

Stats Measure(const TPixels& p) {
  Stats s;
  for (int y = 0; y < p.Height; ++y)
    for (int x = 0; x < p.Width; ++x) {
      const uint32_t a = p.At(x, y) >> 24;
      if (a == 255) ++s.solid;
      else if (a > 0) ++s.soft;
      if (a > 0) s.minX = std::min(s.minX, x), s.maxX = std::max(s.maxX, x);
    }
  return s;
}

TEST(ActivityRender, DotsRunAcrossTheStrip) {
  const Stats early = Measure(RenderHorizontalDots(783, 10, 0x0079BA, 1.0, 900));
  const Stats later = Measure(RenderHorizontalDots(783, 10, 0x0079BA, 1.0, 1400));
  EXPECT_GT(early.solid, 0);
  EXPECT_GT(early.soft, 0) << "edges are anti-aliased";
  EXPECT_GT(later.maxX, early.maxX) << "the dots move to the right";
  EXPECT_NE(RenderHorizontalDots(783, 10, 0x0079BA, 1.0, 900).Data,
            RenderHorizontalDots(783, 10, 0x0079BA, 1.0, 933).Data);
  // Every opaque pixel is the colour asked for.
  const TPixels frame = RenderHorizontalDots(200, 10, 0x0079BA, 1.0, 1200);
  for (uint32_t p : frame.Data)
    if ((p >> 24) == 255) {
      ASSERT_EQ(p, 0xFF0079BAu);
    }
}

TEST(ActivityRender, DotsRepeatEveryCycle) {
  EXPECT_EQ(RenderHorizontalDots(300, 10, 0x0079BA, 1.5, 1000).Data,
            RenderHorizontalDots(300, 10, 0x0079BA, 1.5, 1000 + kDotsCycleMs).Data);
}

TEST(ActivityRender, ElasticArcTurnsAndChangesLength) {
  const TPixels a = RenderElasticCircle(35, 35, 0x0079BA, 1.0, 0);
  const TPixels b = RenderElasticCircle(35, 35, 0x0079BA, 1.0, kCircleCycleMs / 2);
  const Stats sa = Measure(a), sb = Measure(b);
  EXPECT_GT(sa.soft, 0);
  EXPECT_GT(sb.solid + sb.soft, 2 * (sa.solid + sa.soft)) << "stretched at half cycle";
  EXPECT_NE(RenderElasticCircle(35, 35, 0x0079BA, 1.0, 100).Data,
            RenderElasticCircle(35, 35, 0x0079BA, 1.0, 116).Data);
  // Inside the box with room to spare, so a box cut to the bar's height shows it whole.
  EXPECT_GE(sb.minX, 4);
  EXPECT_LE(sb.maxX, 30);
}

TEST(ActivityRender, ThickerArcsCoverMore) {
  const int thin = Measure(RenderElasticCircle(53, 53, 0x0079BA, 1.5, 700)).solid;
  const int thick = Measure(RenderElasticCircle(53, 53, 0x0079BA, 4.0, 700)).solid;
  EXPECT_GT(thick, 2 * thin);
}

TEST(ActivityRender, EmptyBoxesGiveEmptyFrames) {
  EXPECT_TRUE(RenderHorizontalDots(0, 10, 0, 1, 0).Empty());
  EXPECT_TRUE(RenderElasticCircle(35, 0, 0, 1, 0).Empty());
}

}  // namespace
}  // namespace quirel::kit
