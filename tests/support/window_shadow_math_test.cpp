// The shadow's arithmetic: ring strengths, colours, placement, outline, slices.
#include "support/window_shadow_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace ql {
namespace {

std::vector<int> Alphas(int size) {
  std::vector<int> a;
  for (int i = 1; i <= size; ++i) a.push_back(ShadowRingAlpha(size, i));
  return a;
}

TEST(ShadowMath, RingAlphaSteps) {
  EXPECT_EQ(Alphas(5), (std::vector<int>{20, 40, 60, 80, 100}));
  EXPECT_EQ(Alphas(8), (std::vector<int>{12, 24, 36, 48, 60, 72, 84, 96}));
  EXPECT_EQ(ShadowRingStep(9), 16);  // above 8 the step comes from 150
  EXPECT_EQ(Alphas(9).back(), 144);
  EXPECT_EQ(ShadowRingStep(20), 7);
  EXPECT_EQ(Alphas(20).back(), 140);
  EXPECT_EQ(ShadowRingStep(0), 0);
  EXPECT_EQ(ShadowRingStep(200), 1);          // a very wide shadow stays visible
  EXPECT_EQ(ShadowRingAlpha(300, 300), 255);  // and never wraps past a byte
}

TEST(ShadowMath, ColourRefBecomesArgb) {
  EXPECT_EQ(ColorRefToArgb(0x0000FF, 0x60), 0x60FF0000u);
  EXPECT_EQ(ColorRefToArgb(0xFF8800, 12), 0x0C0088FFu);
  EXPECT_EQ(ColorRefToArgb(0x123456, 0), 0x00563412u);
}

TEST(ShadowMath, OnlyTheTwoBlackDefaultsUseImages) {
  EXPECT_EQ(ShadowPaintFor(0, 5), ShadowPaint::SmallImage);
  EXPECT_EQ(ShadowPaintFor(0, 10), ShadowPaint::LargeImage);
  EXPECT_EQ(ShadowPaintFor(1, 5), ShadowPaint::Rings);
  EXPECT_EQ(ShadowPaintFor(0, 8), ShadowPaint::Rings);
}

TEST(ShadowMath, ShadowWindowAndRingRectangles) {
  EXPECT_EQ(ShadowWindowRect(100, 100, 600, 400, 8), (IntRect{92, 92, 616, 416}));
  // Ring 1 touches the bitmap's edge; ring s ends one pixel short of the target.
  EXPECT_EQ(ShadowRingRect(616, 416, 1), (IntRect{0, 0, 615, 415}));
  EXPECT_EQ(ShadowRingRect(616, 416, 8), (IntRect{7, 7, 601, 401}));
}

TEST(ShadowMath, RoundedOutline) {
  RoundedOutline o = RoundedRectOutline(1, 2, 100, 50, 4);
  ASSERT_FALSE(o.plain);
  EXPECT_EQ(o.arcs[0].box, (FloatRect{1, 2, 8, 8}));
  EXPECT_EQ(o.arcs[1].box, (FloatRect{93, 2, 8, 8}));
  EXPECT_EQ(o.arcs[2].box, (FloatRect{93, 44, 8, 8}));
  EXPECT_EQ(o.arcs[3].box, (FloatRect{1, 44, 8, 8}));
  EXPECT_EQ(o.arcs[0].startAngle, 180);
  EXPECT_EQ(o.arcs[1].startAngle, 270);
  EXPECT_EQ(o.arcs[2].startAngle, 0);
  EXPECT_EQ(o.arcs[3].startAngle, 90);
  EXPECT_TRUE(RoundedRectOutline(0, 0, 10, 10, 0).plain);
  EXPECT_EQ(RoundedRectOutline(0, 0, 500, 500, 250).arcs[0].box.width, 200);  // clamped to 100
  EXPECT_EQ(RoundedRectOutline(0, 0, 10, 10, 0.25f).arcs[0].box.width, 2);    // and to 1
}

TEST(ShadowMath, NineSliceBorderRule) {
  EXPECT_EQ(NineSliceBorder(100, 100), 20);
  EXPECT_EQ(NineSliceBorder(81, 81), 20);
  EXPECT_EQ(NineSliceBorder(80, 100), 10);  // both must exceed 80
  EXPECT_EQ(NineSliceBorder(51, 200), 10);
  EXPECT_EQ(NineSliceBorder(50, 200), 5);
}

TEST(ShadowMath, NineSlicesTileTheTarget) {
  auto s = NineSlices(100, 100, 0, 0, 1016, 656);
  // Corners unscaled.
  EXPECT_EQ(s[0].source, (IntRect{0, 0, 20, 20}));
  EXPECT_EQ(s[0].target, (IntRect{0, 0, 20, 20}));
  EXPECT_EQ(s[8].source, (IntRect{80, 80, 20, 20}));
  EXPECT_EQ(s[8].target, (IntRect{996, 636, 20, 20}));
  // Top edge stretched in width only, left edge in height only, centre both.
  EXPECT_EQ(s[1].target, (IntRect{20, 0, 976, 20}));
  EXPECT_EQ(s[3].target, (IntRect{0, 20, 20, 616}));
  EXPECT_EQ(s[4].source, (IntRect{20, 20, 60, 60}));
  EXPECT_EQ(s[4].target, (IntRect{20, 20, 976, 616}));
  long area = 0;
  for (auto& p : s) area += long(p.target.width) * p.target.height;
  EXPECT_EQ(area, 1016L * 656);
}

}  // namespace
}  // namespace ql
