// The shadow's pixels: the two frames as decoded, and the properties every
// shadow picture must have: an empty middle, each ring's strength along the
// edges, rounded corners, mirror symmetry, the frames' corners kept.
#include "support/window_shadow_pixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace ql {
namespace {

uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }

struct Picture {
  int width, height;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

Picture Painted(int width, int height, uint32_t colorRef, int size) {
  Picture p{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), 0)};
  PaintShadow({p.pixels.data(), width, width, height}, colorRef, size);
  return p;
}

// The alphas from the outer edge inwards along the middle of each side.
std::vector<uint32_t> Profile(const PngPicture& p, char side, int depth) {
  std::vector<uint32_t> a;
  for (int d = 0; d < depth; ++d) {
    int x = side == 'l' ? d : side == 'r' ? p.width - 1 - d : p.width / 2;
    int y = side == 't' ? d : side == 'b' ? p.height - 1 - d : p.height / 2;
    a.push_back(Alpha(p.At(x, y)));
  }
  return a;
}

TEST(ShadowFrames, DecodeToTheirBlackBands) {
  using V = std::vector<uint32_t>;
  const PngPicture& small = ShadowFrame(false);
  const PngPicture& large = ShadowFrame(true);
  ASSERT_EQ(small.width, 100);
  ASSERT_EQ(small.height, 100);
  ASSERT_EQ(large.width, 100);
  ASSERT_EQ(large.height, 100);
  for (char side : {'l', 't', 'r', 'b'}) EXPECT_EQ(Profile(small, side, 6), (V{15, 31, 53, 79, 111, 0})) << side;
  for (char side : {'l', 't'})
    EXPECT_EQ(Profile(large, side, 11), (V{11, 19, 28, 40, 53, 68, 85, 105, 122, 137, 0})) << side;
  for (char side : {'r', 'b'})
    EXPECT_EQ(Profile(large, side, 11), (V{11, 19, 28, 40, 53, 68, 85, 105, 122, 124, 0})) << side;
  for (const PngPicture* f : {&small, &large}) {
    for (uint32_t c : f->argb) ASSERT_EQ(c & 0xFFFFFF, 0u) << "not black";
    for (int y = 10; y < 90; ++y)
      for (int x = 10; x < 90; ++x) ASSERT_EQ(f->At(x, y), 0u) << "inside at " << x << "," << y;
    // Soft, rounded corners: the corner pixel is fainter than the band's
    // outer line, and the band follows the corner round.
    EXPECT_LT(Alpha(f->At(0, 0)), Alpha(f->At(50, 0)));
    EXPECT_GT(Alpha(f->At(3, 3)), Alpha(f->At(0, 0)));
  }
}

TEST(ShadowPixels, RingPicturesHaveTheirProfileAnEmptyMiddleAndRoundCorners) {
  const struct {
    int width, height;
    uint32_t colorRef;
    int size;
  } cases[] = {{1016, 656, 0xFF8800, 8},  {41, 29, 0xFF8800, 8}, {61, 48, 0x0000FF, 9},
               {1040, 680, 0x123456, 20}, {31, 30, 0x000001, 5}, {12, 13, 0xFFFFFF, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " size " << c.size);
    Picture p = Painted(c.width, c.height, c.colorRef, c.size);
    // Nothing where the target lies.
    for (int y = c.size; y < c.height - c.size; ++y)
      for (int x = c.size; x < c.width - c.size; ++x) ASSERT_EQ(p.At(x, y), 0u) << x << "," << y;
    // Ring i, i = 1 outermost, lies i - 1 pixels in from every edge, in its
    // colour at trunc(step * i), premultiplied.
    for (int ring = 1; ring <= c.size; ++ring) {
      uint32_t want = Premultiply(ColorRefToArgb(c.colorRef, ShadowRingAlpha(c.size, ring)));
      int d = ring - 1, mx = c.width / 2, my = c.height / 2;
      EXPECT_EQ(p.At(mx, d), want) << "top, ring " << ring;
      EXPECT_EQ(p.At(mx, c.height - 1 - d), want) << "bottom, ring " << ring;
      EXPECT_EQ(p.At(d, my), want) << "left, ring " << ring;
      EXPECT_EQ(p.At(c.width - 1 - d, my), want) << "right, ring " << ring;
    }
    // The outermost corner pixels stay clear: the corners are rounded.
    if (c.width > 8 && c.height > 8) {
      EXPECT_EQ(p.At(0, 0), 0u);
      EXPECT_EQ(p.At(c.width - 1, 0), 0u);
      EXPECT_EQ(p.At(0, c.height - 1), 0u);
      EXPECT_EQ(p.At(c.width - 1, c.height - 1), 0u);
    }
  }
}

TEST(ShadowPixels, PicturesAreMirrorSymmetricAwayFromTheCorners) {
  // Rings everywhere but in the corners' boxes (there a pen's pixels depend
  // on the direction it runs); the small frame everywhere but on the first
  // pixel of each stretched band, which the stretch may start a hair before
  // its source and leave clear, as GDI+ does: it holds the band or nothing.
  const struct {
    int width, height;
    uint32_t colorRef;
    int size, corner;
  } cases[] = {{1016, 656, 0xFF8800, 8, 12}, {57, 33, 0x0000FF, 5, 9}, {1010, 650, 0, 5, 0}, {47, 31, 0, 5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " size " << c.size);
    Picture p = Painted(c.width, c.height, c.colorRef, c.size);
    bool frame = c.colorRef == 0;
    auto inCorner = [&](int x, int y) {
      bool nearX = x < c.corner || x >= c.width - c.corner, nearY = y < c.corner || y >= c.height - c.corner;
      return nearX && nearY;
    };
    // The first column of the top and bottom bands and the first row of the
    // side bands, and their mirror images.
    auto joinLine = [&](int x, int y) {
      return frame && (x == 20 || x == c.width - 21 || y == 20 || y == c.height - 21);
    };
    for (int y = 0; y < c.height; ++y)
      for (int x = 0; x < c.width; ++x) {
        if (inCorner(x, y) || joinLine(x, y)) continue;
        ASSERT_EQ(p.At(x, y), p.At(c.width - 1 - x, y)) << "left and right at " << x << "," << y;
        ASSERT_EQ(p.At(x, y), p.At(x, c.height - 1 - y)) << "top and bottom at " << x << "," << y;
      }
    if (!frame) continue;
    for (int d = 0; d < 20; ++d) {
      uint32_t top = p.At(21, d), left = p.At(d, 21);
      EXPECT_TRUE(p.At(20, d) == top || p.At(20, d) == 0) << "top band starts at depth " << d;
      EXPECT_TRUE(p.At(d, 20) == left || p.At(d, 20) == 0) << "left band starts at depth " << d;
    }
  }
}

TEST(ShadowPixels, NineSliceKeepsTheFramesCornersAndStretchesTheirBands) {
  for (bool large : {false, true}) {
    const PngPicture& frame = ShadowFrame(large);
    const int w = 1016, h = 656;
    Picture p = Painted(w, h, 0, large ? 10 : 5);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        ASSERT_EQ(p.At(x, y), Premultiply(frame.At(x, y))) << x << "," << y;
        ASSERT_EQ(p.At(w - 20 + x, h - 20 + y), Premultiply(frame.At(80 + x, 80 + y))) << x << "," << y;
      }
    // Away from the slice joins, each band holds the frame's profile.
    for (int d = 0; d < 20; ++d) {
      EXPECT_EQ(Alpha(p.At(w / 2, d)), Alpha(frame.At(50, d))) << "top " << d;
      EXPECT_EQ(Alpha(p.At(w - 1 - d, h / 2)), Alpha(frame.At(99 - d, 50))) << "right " << d;
    }
    for (int y = 20; y < h - 20; ++y)
      for (int x = 20; x < w - 20; ++x) ASSERT_EQ(p.At(x, y), 0u);
  }
}

TEST(ShadowPixels, BottomUpCanvasHoldsTheSamePicture) {
  // The layered window's DIB stores its last row first: the same picture,
  // written through a negative row step from its top row.
  for (uint32_t colour : {0xFF8800u, 0u}) {
    const int width = 40, height = 30;
    Picture topDown = Painted(width, height, colour, 5);
    std::vector<uint32_t> bottomUp(topDown.pixels.size(), 0);
    PaintShadow({bottomUp.data() + size_t(height - 1) * width, -width, width, height}, colour, 5);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        ASSERT_EQ(bottomUp[size_t(height - 1 - y) * width + size_t(x)], topDown.At(x, y)) << x << "," << y;
  }
}

TEST(ShadowPixels, BlendOverAndPremultiply) {
  const struct {
    uint32_t destination, source, result;
  } cases[] = {
      {0x80402010, 0x00000000, 0x80402010},  // a transparent source leaves what is there
      {0x80402010, 0xFF123456, 0xFF123456},  // an opaque one replaces it
      {0x00000000, 0x40201008, 0x40201008},  // over nothing: the source itself
      {0x80808080, 0x80808080, 0xBFBFBFBF},  // half over half: colour never above alpha
  };
  for (const auto& c : cases) EXPECT_EQ(BlendOver(c.destination, c.source), c.result) << std::hex << c.destination;
  EXPECT_EQ(Premultiply(0x0C0088FF), 0x0C00060Cu);  // green 136 * 12 / 255 = 6.4
  EXPECT_EQ(Premultiply(0x180088FF), 0x18000D18u);  // 12.8 rounds up
  EXPECT_EQ(Premultiply(0xFF0088FF), 0xFF0088FFu);
}

TEST(ShadowPixels, APictureCountsAsShownOnlyWhenAllItShowsIsTheSame) {
  ShadowPictureKey shown = PictureKeyFor(1016, 656, 0xFF8800, 8);
  EXPECT_TRUE(ShowsPicture(shown, PictureKeyFor(1016, 656, 0xFF8800, 8)));
  const struct {
    int width, height;
    uint32_t colorRef;
    int size;
  } changed[] = {
      {1017, 656, 0xFF8800, 8}, {1016, 655, 0xFF8800, 8}, {1016, 656, 0xFF8801, 8}, {1016, 656, 0xFF8800, 9}};
  for (const auto& c : changed)
    EXPECT_FALSE(ShowsPicture(shown, PictureKeyFor(c.width, c.height, c.colorRef, c.size)))
        << c.width << " x " << c.height << " " << std::hex << c.colorRef << std::dec << " " << c.size;
  // What does not fit the two words is painted every time, never guessed.
  for (auto key : {PictureKeyFor(70000, 656, 0, 5), PictureKeyFor(1016, 656, 0, 300),
                   PictureKeyFor(1016, 656, 0x01000000, 5), PictureKeyFor(0, 656, 0, 5)})
    EXPECT_FALSE(ShowsPicture(key, key));
  EXPECT_FALSE(ShowsPicture({}, PictureKeyFor(1016, 656, 0xFF8800, 8)));  // nothing painted yet
}

TEST(ShadowPixels, OutlinePenSetsEachPixelOfAClosedOutlineOnce) {
  // A 5 x 5 square: its 16 border pixels, the corners once each.
  std::vector<FloatPoint> square = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
  std::vector<IntPoint> pixels = OutlinePixels(square);
  EXPECT_EQ(pixels.size(), 16u);
  for (const IntPoint& q : pixels) EXPECT_TRUE(q.x == 0 || q.x == 4 || q.y == 0 || q.y == 4) << q.x << "," << q.y;
  // Every ring outline, small or large, sets each of its pixels once.
  for (int h = 1; h < 60; h += 3)
    for (int w = 1; w < 90; w += 2) {
      std::vector<IntPoint> set = OutlinePixels(RingOutline({3, 2, w, h}));
      std::vector<IntPoint> unique = set;
      std::sort(unique.begin(), unique.end());
      unique.erase(std::unique(unique.begin(), unique.end()), unique.end());
      ASSERT_EQ(set.size(), unique.size()) << w << " x " << h;
    }
  // A ring's outline: each corner's arc as two chords through its middle.
  std::vector<FloatPoint> ring = RingOutline({0, 0, 39, 29});
  ASSERT_EQ(ring.size(), 12u);
  EXPECT_NEAR(ring[0].x, 0, 1e-5);
  EXPECT_NEAR(ring[0].y, 4, 1e-5);
  EXPECT_NEAR(ring[1].x, 4 - 2.828427f, 1e-4);
  EXPECT_NEAR(ring[2].x, 4, 1e-5);
  EXPECT_NEAR(ring[2].y, 0, 1e-5);
  EXPECT_NEAR(ring[5].x, 39, 1e-5);
  EXPECT_NEAR(ring[8].y, 29, 1e-5);
}

}  // namespace
}  // namespace ql
