// Scaling the layout's 96-DPI values for a display: dpi / 96, rounded half
// away from zero, in both directions of the sign.
#include "support/dpi_scale.h"

#include <gtest/gtest.h>

namespace {

TEST(DpiScale, ScalesAndRoundsHalfAwayFromZero) {
  struct Case {
    int value;
    unsigned dpi;
    int scaled;
  } cases[] = {
      // The windows: main window, splash, its corner ellipse.
      {1000, 144, 1500},
      {640, 144, 960},
      {1000, 192, 2000},
      {640, 192, 1280},
      {270, 144, 405},
      {119, 144, 179},  // 178.5
      {23, 144, 35},    // 34.5
      {119, 192, 238},
      // Font heights are negative: -19.5 is -20, not -19.
      {-13, 144, -20},
      {-12, 144, -18},
      {-22, 144, -33},
      // Exact halves either side of zero, and the positions off the page.
      {1, 144, 2},
      {-1, 144, -2},
      {3, 144, 5},
      {-3, 144, -5},
      {-8, 144, -12},
      {-100, 144, -150},
      // Below a half and above it (125 %, 175 %).
      {5, 120, 6},       // 6.25
      {3, 120, 4},       // 3.75
      {-3, 120, -4},     // -3.75
      {7, 168, 12},      // 12.25
      {999, 120, 1249},  // 1248.75
      // 96 DPI and an unknown resolution change nothing.
      {0, 144, 0},
      {101, 96, 101},
      {-7, 96, -7},
      {640, 0, 640},
      // The largest layout values do not overflow at 400 %.
      {32767, 384, 131068},
      {-32768, 384, -131072},
  };
  for (const Case& c : cases) EXPECT_EQ(ql::ScaleForDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

TEST(DpiScale, FractionalValuesScaleExactlyAndStayAtNinetySix) {
  struct Case {
    float value;
    unsigned dpi;
    float scaled;
  } cases[] = {{1.6f, 96, 1.6f}, {0.5f, 96, 0.5f}, {1.6f, 144, 2.4f}, {44.0f, 192, 88.0f}, {-30.0f, 144, -45.0f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(ql::ScaleForDpi(c.value, c.dpi), c.scaled) << c.value;
  // At 96 the painters' coordinates are the very same numbers.
  EXPECT_EQ(ql::ScaleForDpi(10.4f, 96), 10.4f);
}

}  // namespace
