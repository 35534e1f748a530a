// The placement rules as tables: alignment order, hidden controls, margins, anchors when the
// parent grows, and scaling from 96 to 144 DPI.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/kit/Layout.h"

// RECT lives in the global namespace, so its operators must too.
static bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

[[maybe_unused]] static std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace quirel::kit {

namespace {

LayoutItem Aligned(TAlign align, int extent, bool visible = true, TMargins margins = {}) {
  LayoutItem item;
  item.Align = align;
  item.Width = item.Height = extent;
  item.Visible = visible;
  item.Margins = margins;
  return item;
}

LayoutItem Free(int left, int top, int width, int height, TAnchors anchors) {
  LayoutItem item;
  item.Left = left, item.Top = top, item.Width = width, item.Height = height;
  item.Anchors = anchors;
  return item;
}

LayoutFrame Frame(int width, int height, UINT dpi = 96, SIZE design = {0, 0}) {
  LayoutFrame frame;
  frame.Client = frame.Content = RECT{0, 0, width, height};
  frame.Design96 = design.cx ? design : SIZE{width, height};
  frame.Dpi = dpi;
  return frame;
}

struct Case {
  std::string name;
  std::vector<LayoutItem> items;
  LayoutFrame frame;
  std::vector<RECT> expected;
};

class AlignTable : public ::testing::TestWithParam<Case> {};

TEST_P(AlignTable, PlacesEachControl) {
  const Case& c = GetParam();
  const std::vector<RECT> got = AlignControls(c.items, c.frame);
  ASSERT_EQ(got.size(), c.expected.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.expected[i]) << "item " << i;
}

const TMargins kTwo{2, 2, 2, 2};

INSTANTIATE_TEST_SUITE_P(
    Layout, AlignTable,
    ::testing::Values(
        // Created client first, then right, left, bottom, top: still placed top, bottom,
        // left, right, and the client takes what remains.
        Case{"DelphiOrder",
             {Aligned(TAlign::alClient, 0), Aligned(TAlign::alRight, 50), Aligned(TAlign::alLeft, 40),
              Aligned(TAlign::alBottom, 30), Aligned(TAlign::alTop, 20)},
             Frame(400, 300),
             {{40, 20, 350, 270}, {350, 20, 400, 270}, {0, 20, 40, 270}, {0, 270, 400, 300}, {0, 0, 400, 20}}},
        // Several of one kind: in their order, each after the one before.
        Case{"SameKindInOrder",
             {Aligned(TAlign::alLeft, 8), Aligned(TAlign::alLeft, 24), Aligned(TAlign::alLeft, 24),
              Aligned(TAlign::alRight, 10), Aligned(TAlign::alRight, 5)},
             Frame(200, 30),
             {{0, 0, 8, 30}, {8, 0, 32, 30}, {32, 0, 56, 30}, {190, 0, 200, 30}, {185, 0, 190, 30}}},
        // A hidden control leaves no gap; two client controls overlap on the same area.
        Case{"HiddenTakeNoSpace",
             {Aligned(TAlign::alLeft, 8), Aligned(TAlign::alLeft, 30, false), Aligned(TAlign::alLeft, 24),
              Aligned(TAlign::alClient, 0), Aligned(TAlign::alClient, 0), Aligned(TAlign::alRight, 0, false)},
             Frame(200, 30),
             {{0, 0, 8, 30}, {0, 0, 0, 0}, {8, 0, 32, 30}, {32, 0, 200, 30}, {32, 0, 200, 30}, {0, 0, 0, 0}}},
        // Speed buttons with 2-pixel margins in a bar whose first pixel row is its line.
        Case{"MarginsInBar",
             {Aligned(TAlign::alLeft, 8), Aligned(TAlign::alLeft, 24, true, kTwo),
              Aligned(TAlign::alLeft, 24, true, kTwo)},
             [] {
               LayoutFrame f = Frame(300, 30);
               f.Content.top = 1;
               return f;
             }(),
             {{0, 1, 8, 30}, {10, 3, 34, 28}, {38, 3, 62, 28}}},
        // More asked for than there is: clipped to the area, never negative.
        Case{"Overflow",
             {Aligned(TAlign::alTop, 80), Aligned(TAlign::alBottom, 80), Aligned(TAlign::alClient, 0)},
             Frame(100, 100),
             {{0, 0, 100, 80}, {0, 80, 100, 100}, {0, 80, 100, 80}}},
        // The same layout at 144 DPI: every length times 1.5.
        Case{"Scaled144",
             {Aligned(TAlign::alBottom, 30), Aligned(TAlign::alLeft, 24, true, kTwo), Aligned(TAlign::alClient, 0)},
             Frame(1200, 750, 144, SIZE{800, 500}),
             {{0, 705, 1200, 750}, {3, 3, 39, 702}, {42, 0, 1200, 705}}}),
    [](const auto& info) { return info.param.name; });

struct AnchorCase {
  std::string name;
  TAnchors anchors;
  RECT expected;  // in a parent grown from 400 x 300 to 600 x 400
};

class AnchorTable : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(AnchorTable, FollowsTheAnchoredEdges) {
  const AnchorCase& c = GetParam();
  const auto got = AlignControls({Free(100, 50, 40, 20, c.anchors)}, Frame(600, 400, 96, SIZE{400, 300}));
  EXPECT_EQ(got[0], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, AnchorTable,
    ::testing::Values(AnchorCase{"LeftTop", akLeft | akTop, {100, 50, 140, 70}},
                      AnchorCase{"RightBottom", akRight | akBottom, {300, 150, 340, 170}},
                      AnchorCase{"LeftTopRight", akLeft | akTop | akRight, {100, 50, 340, 70}},
                      AnchorCase{"AllFour", akLeft | akTop | akRight | akBottom, {100, 50, 340, 170}},
                      // Neither side: the centre keeps its relative place (120 of 400 -> 180 of 600).
                      AnchorCase{"NoHorizontal", akTop, {160, 50, 200, 70}}),
    [](const auto& info) { return info.param.name; });

TEST(Layout, UnalignedControlsScaleWithTheDensity) {
  // The indicator at the right end of a bar designed 800 wide, at 144 DPI in a 1200-wide bar
  // (unchanged in design units) and in a wider one.
  const LayoutItem indicator = Free(765, -2, 35, 35, akRight | akBottom);
  EXPECT_EQ(AlignControls({indicator}, Frame(1200, 45, 144, SIZE{800, 30}))[0], (RECT{1148, -3, 1200, 50}));
  EXPECT_EQ(AlignControls({indicator}, Frame(1500, 45, 144, SIZE{800, 30}))[0], (RECT{1448, -3, 1500, 50}));
}

TEST(Layout, HiddenUnalignedControlsStillFollowTheirAnchors) {
  LayoutItem strip = Free(0, 0, 783, 10, akLeft | akTop | akRight);
  strip.Visible = false;
  EXPECT_EQ(AlignControls({strip}, Frame(1000, 500, 96, SIZE{800, 500}))[0], (RECT{0, 0, 983, 10}));
}

TEST(Layout, ClientOffsetMovesEverything) {
  LayoutFrame frame = Frame(100, 50);
  OffsetRect(&frame.Client, 10, 20);
  frame.Content = frame.Client;
  const auto got = AlignControls({Aligned(TAlign::alTop, 5), Free(1, 2, 3, 4, akLeft | akTop)}, frame);
  EXPECT_EQ(got[0], (RECT{10, 20, 110, 25}));
  EXPECT_EQ(got[1], (RECT{11, 22, 14, 26}));
}

}  // namespace
}  // namespace quirel::kit
