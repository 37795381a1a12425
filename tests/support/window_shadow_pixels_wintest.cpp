// The directly computed shadow against the GDI+ painting of the same
// shapes, pixel by pixel: every channel within 2 levels, for rings of
// several widths and colours and the nine-slice of both frames, over the
// main window's size and small and odd ones. Where GDI+ stretches a slice
// it samples at each pixel's corner and may read past the slice at its
// first and last column or row (for many sizes, 1010 x 650 among them, the
// first column or row comes out clear); there the direct picture must
// continue the band instead, seamless.
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

// A part of the picture drawn stretched: along x, y or both.
struct Stretch {
  ql::IntRect target;
  bool alongX, alongY;
};

// The seams of the stretches, from their geometry alone: for every pixel of
// a stretch's first or last column (when stretched along x) or row (along
// y), the pixel it must agree with: the nearest one on the same line that
// is no seam, inside the stretch, or the one just outside it when the
// stretch is too narrow to have one. -1 for every other pixel.
std::vector<int> SeamNeighbours(int width, int height, const std::vector<Stretch>& stretches) {
  std::vector<int> along(size_t(width) * size_t(height), -1);
  // The line position a seam pixel at `p` of [start, start + length) agrees with.
  auto inward = [](int p, int start, int length) {
    int last = start + length - 1;
    if (p != start && p != last) return p;
    if (length >= 3) return p == start ? start + 1 : last - 1;
    return p == start ? start - 1 : last + 1;
  };
  for (const Stretch& s : stretches) {
    const ql::IntRect& t = s.target;
    for (int y = std::max(t.y, 0); y < std::min(t.y + t.height, height); ++y)
      for (int x = std::max(t.x, 0); x < std::min(t.x + t.width, width); ++x) {
        int nx = s.alongX ? inward(x, t.x, t.width) : x, ny = s.alongY ? inward(y, t.y, t.height) : y;
        if (nx == x && ny == y) continue;
        if (nx < 0 || ny < 0 || nx >= width || ny >= height) continue;  // nothing on the canvas to agree with
        along[size_t(y) * size_t(width) + size_t(x)] = ny * width + nx;
      }
  }
  return along;
}

bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
  return true;
}

// The first fault and how many pixels have one; empty when the pictures
// agree: within 2 levels in every channel away from the seams, and on a
// seam within 2 levels of the pixel it continues (in the direct picture
// and in the reference), never clear where that one is not.
std::string Differences(const std::vector<uint32_t>& direct, const std::vector<uint32_t>& reference, int width,
                        const std::vector<int>& seams = {}) {
  if (direct.size() != reference.size()) return "pictures of different sizes";
  size_t count = 0, first = 0;
  std::string what;
  for (size_t i = 0; i < direct.size(); ++i) {
    int n = seams.empty() ? -1 : seams[i];
    const char* fault = nullptr;
    if (n < 0) {
      if (!Near(direct[i], reference[i])) fault = "differs from GDI+";
    } else if ((reference[size_t(n)] >> 24) && !(direct[i] >> 24)) {
      fault = "clear on a seam of an opaque band";
    } else if (!Near(direct[i], direct[size_t(n)])) {
      fault = "a notch: a seam differs from the band it continues";
    } else if (!Near(direct[i], reference[size_t(n)])) {
      fault = "a seam differs from GDI+'s band beside it";
    }
    if (fault && count++ == 0) first = i, what = fault;
  }
  if (count == 0) return {};
  size_t n = seams.empty() || seams[first] < 0 ? first : size_t(seams[first]);
  char text[240];
  std::snprintf(text, sizeof text, "%zu pixels differ; first at (%zu, %zu), %s: direct %08X, GDI+ %08X (at %zu, %zu)",
                count, first % size_t(width), first / size_t(width), what.c_str(), direct[first], reference[n],
                n % size_t(width), n / size_t(width));
  return text;
}

// The stretched slices of a frame's nine-slice over the whole canvas; the
// ones whose part of the frame is clear draw nothing and have no seams.
std::vector<Stretch> NineSliceStretches(const ql::PngPicture& frame, int width, int height) {
  std::vector<Stretch> out;
  for (const ql::Slice& s : ql::NineSlices(frame.width, frame.height, 0, 0, width, height)) {
    bool alongX = s.target.width != s.source.width, alongY = s.target.height != s.source.height;
    if (!(alongX || alongY) || s.target.width <= 0 || s.target.height <= 0) continue;
    bool drawn = false;
    for (int y = s.source.y; y < s.source.y + s.source.height; ++y)
      for (int x = s.source.x; x < s.source.x + s.source.width; ++x) drawn = drawn || (frame.At(x, y) >> 24);
    if (drawn) out.push_back({s.target, alongX, alongY});
  }
  return out;
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
    std::vector<int> seams;
    ql::ShadowPaint paint = ql::ShadowPaintFor(colour, size);
    if (paint != ql::ShadowPaint::Rings) {
      const ql::PngPicture& frame = ql::ShadowFrame(paint == ql::ShadowPaint::LargeImage);
      seams = SeamNeighbours(width, height, NineSliceStretches(frame, width, height));
    }
    EXPECT_EQ(Differences(direct, reference, width, seams), "")
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
  // The main window's shadows, odd sizes, strips one and two pixels long,
  // and windows smaller than the frame's corners.
  const struct {
    int width, height;
  } sizes[] = {{1016, 656}, {1010, 650}, {1020, 660}, {1011, 653}, {777, 333}, {101, 99}, {61, 39},
               {41, 42},    {42, 41},    {40, 41},    {33, 47},    {21, 21},   {11, 11},  {5, 3}};
  for (int size : {5, 10})
    for (auto s : sizes) ExpectSameAsGdiplus(s.width, s.height, 0x000000, size);
}

// Pictures for the stretch. Noisy: something different in every pixel, for
// copies. A band along x or y: noisy across, the same along the whole
// picture (as the frames' bands are along their slices and the corners
// beside them), so a stretch along it samples the same colour wherever it
// reads. Even: one translucent colour. All straight alpha, as decoded.
enum class Content { Noisy, BandAlongX, BandAlongY, Even };

ql::PngPicture TestPicture(int width, int height, Content content) {
  ql::PngPicture p;
  p.width = width;
  p.height = height;
  std::mt19937 random(12345);
  std::vector<uint32_t> across;
  for (int i = 0; i < std::max(width, height); ++i) {
    uint32_t a = 40 + random() % 216, noise = random() & 0x3F;
    across.push_back((a << 24) | ((200 - noise) << 16) | ((random() & 0xFF) << 8) | (random() & 0xFF));
  }
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint32_t a = (x * 7 + y * 13) % 256, noise = random() & 0x3F;
      uint32_t noisy = (a << 24) | ((200 - noise) << 16) | (uint32_t(x * 5 % 256) << 8) | uint32_t(y * 9 % 256);
      switch (content) {
        case Content::Noisy: p.argb.push_back(noisy); break;
        case Content::BandAlongX: p.argb.push_back(across[size_t(y)]); break;
        case Content::BandAlongY: p.argb.push_back(across[size_t(x)]); break;
        case Content::Even: p.argb.push_back(0x9C3366CC); break;
      }
    }
  return p;
}

TEST_F(ShadowPixels, StretchedPictureMatchesGdiplusDrawImageRectRect) {
  using namespace Gdiplus::DllExports;
  const struct {
    Content content;
    ql::IntRect source, target;
  } cases[] = {
      {Content::Noisy, {0, 0, 30, 24}, {3, 2, 30, 24}},         // copied
      {Content::Noisy, {0, 10, 30, 14}, {-7, -5, 30, 14}},      // copied partly off the canvas
      {Content::Noisy, {2, 3, 7, 5}, {95, 77, 7, 5}},           // copied partly off the far edges
      {Content::BandAlongX, {5, 4, 10, 8}, {0, 0, 97, 8}},      // enlarged along x
      {Content::BandAlongX, {2, 0, 26, 24}, {1, 1, 13, 24}},    // reduced along x
      {Content::BandAlongX, {5, 4, 10, 8}, {-7, -5, 61, 8}},    // its first column off the canvas
      {Content::BandAlongX, {2, 3, 7, 5}, {60, 50, 50, 5}},     // its last column off the far edge
      {Content::BandAlongY, {20, 5, 9, 10}, {40, 5, 9, 70}},    // enlarged along y
      {Content::BandAlongY, {0, 2, 30, 20}, {10, 3, 30, 7}},    // reduced along y
      {Content::BandAlongY, {3, 1, 20, 22}, {-4, 60, 20, 33}},  // its last row off the far edge
      {Content::Even, {4, 4, 10, 10}, {10, 10, 37, 23}},        // along both
      {Content::Even, {4, 4, 10, 10}, {-3, 70, 37, 3}},         // enlarged along x, reduced along y
  };
  const int width = 100, height = 80;
  for (const auto& c : cases) {
    ql::PngPicture picture = TestPicture(30, 24, c.content);
    std::vector<uint32_t> straight = picture.argb;
    Gdiplus::GpBitmap* image = nullptr;
    ASSERT_EQ(GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, PixelFormat32bppARGB,
                                        reinterpret_cast<BYTE*>(straight.data()), &image),
              Gdiplus::Ok);
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
    GdipDisposeImage(image);
    ql::DrawPictureRect({direct.data(), width, width, height}, picture, c.source, c.target);
    std::vector<int> seams;
    bool alongX = c.source.width != c.target.width, alongY = c.source.height != c.target.height;
    if (alongX || alongY) seams = SeamNeighbours(width, height, {{c.target, alongX, alongY}});
    EXPECT_GT(Drawn(reference), 0u);
    EXPECT_EQ(Differences(direct, reference, width, seams), "")
        << "source " << c.source.x << "," << c.source.y << " " << c.source.width << "x" << c.source.height << " target "
        << c.target.x << "," << c.target.y << " " << c.target.width << "x" << c.target.height;
  }
}

}  // namespace
