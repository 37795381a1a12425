// The directly computed shadow against the GDI+ painting of the same
// shapes, pixel by pixel: every channel within 2 levels, for rings of
// several widths and colours and the nine-slice of both frames, over the
// main window's size and small and odd ones.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "support/gdiplus_win.h"
#include "support/window_shadow_pixels.h"
#include "tests/support/shadow_gdiplus_reference_win.h"

namespace {

// The first differing pixel and how many differ by more than 2 levels in
// some channel; empty when the pictures agree.
std::string Differences(const std::vector<uint32_t>& direct, const std::vector<uint32_t>& reference, int width) {
  if (direct.size() != reference.size()) return "pictures of different sizes";
  size_t count = 0, first = 0;
  for (size_t i = 0; i < direct.size(); ++i) {
    for (int shift = 0; shift < 32; shift += 8) {
      int a = int((direct[i] >> shift) & 0xFF), b = int((reference[i] >> shift) & 0xFF);
      if (std::abs(a - b) > 2) {
        if (count++ == 0) first = i;
        break;
      }
    }
  }
  if (count == 0) return {};
  char text[160];
  std::snprintf(text, sizeof text, "%zu pixels differ; first at (%zu, %zu): direct %08X, GDI+ %08X", count,
                first % size_t(width), first / size_t(width), direct[first], reference[first]);
  return text;
}

std::vector<uint32_t> DirectPicture(int width, int height, COLORREF colour, int size) {
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  ql::PaintShadow({pixels.data(), width, width, height}, colour, size);
  return pixels;
}

// Some pixels of a written picture must be non-transparent, or a case that
// draws nothing on both sides would pass unseen.
size_t Drawn(const std::vector<uint32_t>& pixels) {
  size_t n = 0;
  for (uint32_t p : pixels) n += (p >> 24) != 0;
  return n;
}

class ShadowPixels : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ql::StartGdiplus(); }
  void ExpectSameAsGdiplus(int width, int height, COLORREF colour, int size) {
    std::vector<uint32_t> reference = qltest::GdiplusShadowPicture(width, height, colour, size);
    ASSERT_FALSE(reference.empty());
    std::vector<uint32_t> direct = DirectPicture(width, height, colour, size);
    EXPECT_GT(Drawn(reference), 0u);
    EXPECT_EQ(Differences(direct, reference, width), "")
        << width << " x " << height << ", colour " << std::hex << colour << std::dec << ", size " << size;
  }
};

TEST_F(ShadowPixels, RingsMatchTheGdiplusPainting) {
  const COLORREF colours[] = {0xFF8800, 0x0000FF};
  for (int size : {1, 2, 5, 8, 9, 20}) {
    // The main window's and a smaller window's shadow, and the shadows of
    // targets of one pixel and a few: there the inner rings' corners meet.
    const int s = 2 * size;
    const struct {
      int width, height;
    } sizes[] = {{1016, 656}, {616, 416}, {s + 1, s + 1}, {s + 2, s + 5}, {s + 7, s + 4}, {s + 23, s + 3}};
    for (COLORREF colour : colours)
      for (auto b : sizes) ExpectSameAsGdiplus(b.width, b.height, colour, size);
  }
  // The black rings of a size that has no frame, and a colour so close to
  // black that only the frame's choice is left to tell them apart.
  ExpectSameAsGdiplus(1016, 656, 0x000000, 8);
  ExpectSameAsGdiplus(1010, 650, 0x000001, 5);
}

TEST_F(ShadowPixels, NineSliceOfBothFramesMatchesTheGdiplusPainting) {
  const struct {
    int width, height;
  } sizes[] = {{1016, 656}, {1010, 650}, {1020, 660}, {101, 99}, {61, 39},
               {40, 41},    {33, 47},    {21, 21},    {11, 11},  {5, 3}};
  for (int size : {5, 10})
    for (auto s : sizes) ExpectSameAsGdiplus(s.width, s.height, 0x000000, size);
}

// A picture with something in every pixel, so that the stretch's sampling,
// weights and edges show (the frames are uniform along their bands).
ql::PngPicture NoisyPicture(int width, int height) {
  ql::PngPicture p;
  p.width = width;
  p.height = height;
  std::mt19937 random(12345);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t a = (x * 7 + y * 13) % 256, noise = random() & 0x3F;
      p.argb.push_back((a << 24) | ((200 - noise) << 16) | (uint32_t(x * 5 % 256) << 8) | uint32_t(y * 9 % 256));
    }
  return p;
}

TEST_F(ShadowPixels, StretchedPictureMatchesGdiplusDrawImageRectRect) {
  using namespace Gdiplus::DllExports;
  ql::PngPicture picture = NoisyPicture(30, 24);
  std::vector<uint32_t> straight = picture.argb;
  Gdiplus::GpBitmap* image = nullptr;
  ASSERT_EQ(GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, PixelFormat32bppARGB,
                                      reinterpret_cast<BYTE*>(straight.data()), &image),
            Gdiplus::Ok);
  const struct {
    ql::IntRect source, target;
  } cases[] = {
      {{0, 0, 30, 24}, {3, 2, 30, 24}},     // copied
      {{5, 4, 10, 8}, {0, 0, 97, 61}},      // enlarged
      {{0, 0, 30, 24}, {1, 1, 13, 9}},      // reduced
      {{20, 0, 10, 24}, {40, 5, 10, 70}},   // stretched along one axis only: the last column reads past the picture
      {{0, 10, 30, 14}, {-7, -5, 60, 30}},  // partly off the canvas
      {{2, 3, 7, 5}, {60, 50, 50, 40}},     // partly off the far edges
  };
  const int width = 100, height = 80;
  for (const auto& c : cases) {
    std::vector<uint32_t> reference(size_t(width) * height, 0), direct(reference.size(), 0);
    Gdiplus::GpBitmap* canvas = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                        reinterpret_cast<BYTE*>(reference.data()), &canvas),
              Gdiplus::Ok);
    Gdiplus::GpGraphics* g = nullptr;
    ASSERT_EQ(GdipGetImageGraphicsContext(canvas, &g), Gdiplus::Ok);
    GdipDrawImageRectRect(g, image, float(c.target.x), float(c.target.y), float(c.target.width), float(c.target.height),
                          float(c.source.x), float(c.source.y), float(c.source.width), float(c.source.height),
                          Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
    GdipDeleteGraphics(g);
    GdipDisposeImage(canvas);
    ql::DrawPictureRect({direct.data(), width, width, height}, picture, c.source, c.target);
    EXPECT_GT(Drawn(reference), 0u);
    EXPECT_EQ(Differences(direct, reference, width), "")
        << "source " << c.source.x << "," << c.source.y << " " << c.source.width << "x" << c.source.height << " target "
        << c.target.x << "," << c.target.y << " " << c.target.width << "x" << c.target.height;
  }
  GdipDisposeImage(image);
}

}  // namespace
