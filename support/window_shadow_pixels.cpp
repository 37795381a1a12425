// The rings and the nine-slice, pixel by pixel. The rules follow what the
// GDI+ painting produces for these shapes (measured, and held to it by the
// Windows tests): a 1-pixel pen sets one pixel per row or column of each
// chord, rounding to the nearest; a stretched picture samples the source at
// the mapped corner of each target pixel, bilinearly on premultiplied values.
#include "support/window_shadow_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ql {
namespace {

#include "assets/shadow_frames.inc"

constexpr float kCornerRadius = 4;

// (a * (256 - p) + b * p) / 256 on each channel: the interpolation step of
// the stretch, p in 0 … 255. Two channels at a time: each product stays
// below 2^16, so the halves of a word do not meet.
uint32_t Lerp(uint32_t a, uint32_t b, uint32_t p) {
  if (p == 0 || a == b) return a;
  const uint32_t q = 256 - p;
  uint32_t even = (((a & 0x00FF00FF) * q + (b & 0x00FF00FF) * p) >> 8) & 0x00FF00FF;
  uint32_t odd = ((((a >> 8) & 0x00FF00FF) * q + ((b >> 8) & 0x00FF00FF) * p) >> 8) & 0x00FF00FF;
  return even | (odd << 8);
}

// Where a target pixel reads the source along one axis: the two
// neighbouring source samples and the weight of the second, or nothing when
// its point falls outside the source range.
struct Tap {
  bool inside;
  int first, second;
  uint32_t weight;
};

// A value rounded to float for certain, also where the compiler would keep
// it in a wider register.
float ToFloat(double v) {
  volatile float f = static_cast<float>(v);
  return f;
}

// GDI+ maps each target pixel to the source through the inverse of the
// float matrix that takes the source rectangle onto the target one, and
// reads the source at the mapped point of the pixel's corner. How it rounds
// along the way decides whether the first pixel of a stretch lands on the
// source's first sample or a hair before it, where it stays transparent:
// measured, the GDI+ of a 32-bit process keeps the matrix and the running
// position in extended precision and rounds only what it stores as a float,
// while that of an x86-64 process rounds every step to float.
std::vector<Tap> TapsAlong(int sourceStart, int sourceLength, int targetStart, int targetLength, int first, int last) {
  constexpr bool kExtended = sizeof(void*) == 4;
  const double ss = sourceStart, sl = sourceLength, ts = targetStart, tl = targetLength;
  std::vector<Tap> taps;
  taps.reserve(size_t(std::max(last - first, 0)));
  double scale = kExtended ? tl / sl : ToFloat(tl / sl);
  float offset = kExtended ? ToFloat(ts - scale * ss) : ToFloat(ts - double(ToFloat(scale * ss)));
  float storedScale = ToFloat(scale);
  float origin = ToFloat(-double(offset) / storedScale);  // the source point of target pixel 0
  float unit = ToFloat(1.0 / storedScale);
  float next = ToFloat(double(unit) + origin);  // and of target pixel 1
  double step = kExtended ? double(next) - origin : ToFloat(double(next) - origin);
  float running = ToFloat(double(first) * step);
  for (int p = first; p < last; ++p) {
    double at;
    if (kExtended) {
      at = origin + double(p) * step;
    } else {
      if (p > first) running = ToFloat(double(running) + step);
      at = ToFloat(double(origin) + running);
    }
    if (!(at >= ss && at < ss + sl)) {
      taps.push_back({false, 0, 0, 0});
      continue;
    }
    float point = ToFloat(at);  // the sample is read at the stored point
    int whole = int(point);
    float fraction = ToFloat(double(point) - whole);
    taps.push_back({true, whole, fraction > 0 ? whole + 1 : whole, uint32_t(double(fraction) * 255.0 + 0.5)});
  }
  return taps;
}

// A premultiplied picture; samples outside it are transparent.
struct Premultiplied {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    return pixels[size_t(y) * size_t(width) + size_t(x)];
  }
  // True when every sample a draw of `source` can read is transparent.
  bool Clear(const IntRect& source) const {
    int x0 = std::max(source.x, 0), y0 = std::max(source.y, 0);
    int x1 = std::min(source.x + source.width, width - 1), y1 = std::min(source.y + source.height, height - 1);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (At(x, y)) return false;
    return true;
  }
};

Premultiplied PremultipliedCopy(const PngPicture& picture) {
  Premultiplied p;
  p.width = picture.width;
  p.height = picture.height;
  p.pixels.reserve(picture.argb.size());
  for (uint32_t c : picture.argb) p.pixels.push_back(Premultiply(c));
  return p;
}

void DrawPremultipliedRect(const ShadowCanvas& canvas, const Premultiplied& picture, const IntRect& source,
                           const IntRect& target) {
  if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) return;
  if (picture.Clear(source)) return;  // nothing but transparent samples: nothing changes
  int x0 = std::max(target.x, 0), x1 = std::min(target.x + target.width, canvas.width);
  int y0 = std::max(target.y, 0), y1 = std::min(target.y + target.height, canvas.height);
  if (x0 >= x1 || y0 >= y1) return;

  bool copy = target.width == source.width && target.height == source.height && source.x >= 0 && source.y >= 0 &&
              source.x + source.width <= picture.width && source.y + source.height <= picture.height;
  if (copy) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        uint32_t s = picture.At(source.x + x - target.x, source.y + y - target.y);
        if (s >> 24) canvas.At(x, y) = BlendOver(canvas.At(x, y), s);
      }
    return;
  }
  std::vector<Tap> columns = TapsAlong(source.x, source.width, target.x, target.width, x0, x1);
  std::vector<Tap> rows = TapsAlong(source.y, source.height, target.y, target.height, y0, y1);
  for (int y = y0; y < y1; ++y) {
    const Tap& row = rows[size_t(y - y0)];
    if (!row.inside) continue;
    for (int x = x0; x < x1; ++x) {
      const Tap& col = columns[size_t(x - x0)];
      if (!col.inside) continue;
      uint32_t s = Lerp(picture.At(col.first, row.first), picture.At(col.second, row.first), col.weight);
      if (row.weight) {
        uint32_t lower = Lerp(picture.At(col.first, row.second), picture.At(col.second, row.second), col.weight);
        s = Lerp(s, lower, row.weight);
      }
      if (s >> 24) canvas.At(x, y) = BlendOver(canvas.At(x, y), s);
    }
  }
}

PngPicture DecodeFrame(bool large) {
  std::optional<PngPicture> p = DecodePng(ShadowFramePng(large));
  return p ? std::move(*p) : PngPicture{};
}

int Ceil(float v) { return int(std::ceil(v)); }
// v's integer part counted from `base`, the first row or column of the
// pen's output: the least one of the points, or 0 where they pass the
// canvas edge (there the part is taken toward that edge).
int TruncFrom(float v, int base) { return int(v - float(base)) + base; }
int RoundToPixel(float v) { return int(std::floor(v + 0.5f)); }

// Adds a pixel of the pen unless it is the one just added.
void Add(std::vector<IntPoint>& pixels, IntPoint p) {
  if (pixels.empty() || !(pixels.back() == p)) pixels.push_back(p);
}

// Outlines narrower or lower than this may cross themselves.
constexpr float kSmallOutline = 24;

}  // namespace

uint32_t Premultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  if (a == 255) return argb;
  uint32_t out = a << 24;
  for (int shift = 0; shift < 24; shift += 8) out |= ((((argb >> shift) & 0xFF) * a + 127) / 255) << shift;
  return out;
}

uint32_t BlendOver(uint32_t destination, uint32_t source) {
  uint32_t sa = source >> 24;
  if (sa == 0) return destination;
  if (sa == 255 || destination == 0) return source;
  uint32_t keep = 255 - sa;
  uint32_t out = (sa + ((destination >> 24) * keep) / 255) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t c = ((source >> shift) & 0xFF) + ((((destination >> shift) & 0xFF) * keep + 127) / 255);
    out |= std::min<uint32_t>(c, out >> 24) << shift;
  }
  return out;
}

std::span<const uint8_t> ShadowFramePng(bool large) {
  return large ? std::span<const uint8_t>(kShadowLargePng) : std::span<const uint8_t>(kShadowSmallPng);
}

const PngPicture& ShadowFrame(bool large) {
  static const PngPicture frames[2] = {DecodeFrame(false), DecodeFrame(true)};
  return frames[large ? 1 : 0];
}

std::vector<FloatPoint> RingOutline(const IntRect& r) {
  const float x = float(r.x), y = float(r.y), w = float(r.width), h = float(r.height);
  const float d = 2 * kCornerRadius;
  // The arcs' boxes and start angles, clockwise from the top left.
  const struct {
    float left, top, start;
  } corners[4] = {{x, y, 180}, {x + w - d, y, 270}, {x + w - d, y + h - d, 0}, {x, y + h - d, 90}};
  std::vector<FloatPoint> points;
  points.reserve(12);
  for (const auto& c : corners) {
    const float cx = c.left + kCornerRadius, cy = c.top + kCornerRadius;
    for (float step : {0.0f, 45.0f, 90.0f}) {
      // The angle is held as a float, as GDI+ holds it: a right angle is
      // then a little off, and an end of an arc can come to lie just before
      // a pixel edge instead of on it, which decides the pixels near it.
      float a = float(3.14159265358979323846 * double(c.start + step) / 180.0);
      float cosine = float(std::cos(double(a))), sine = float(std::sin(double(a)));
      points.push_back({cosine * kCornerRadius + cx, sine * kCornerRadius + cy});
    }
  }
  return points;
}

std::vector<IntPoint> OutlinePixels(std::span<const FloatPoint> outline) {
  std::vector<IntPoint> pixels;
  if (outline.empty()) return pixels;
  float minX = outline[0].x, minY = outline[0].y, maxX = minX, maxY = minY;
  for (const FloatPoint& p : outline) {
    minX = std::min(minX, p.x), minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x), maxY = std::max(maxY, p.y);
  }
  pixels.reserve(size_t(2 * (maxX - minX + maxY - minY)) + 16);
  // The pen's output starts at the points' least row and column, or at the
  // canvas edge when points lie beyond it.
  const int baseX = std::max(int(std::floor(minX)), 0), baseY = std::max(int(std::floor(minY)), 0);
  for (size_t i = 0; i < outline.size(); ++i) {
    FloatPoint s = outline[i], e = outline[(i + 1) % outline.size()];
    int sx = int(std::floor(s.x)), sy = int(std::floor(s.y)), ex = int(std::floor(e.x)), ey = int(std::floor(e.y));
    if (sx == ex && sy == ey) continue;
    if (std::abs(sy - ey) > std::abs(sx - ex)) {  // steep: one pixel per row
      int step = sy < ey ? 1 : -1;
      int from = step > 0 ? Ceil(s.y) : TruncFrom(s.y, baseY);
      int to = step > 0 ? ey : Ceil(e.y);
      for (int py = from; py != to + step; py += step)
        Add(pixels, {RoundToPixel(s.x + (e.x - s.x) * (float(py) - s.y) / (e.y - s.y)), py});
    } else {  // flat: one pixel per column
      int step = sx < ex ? 1 : -1;
      int from = step > 0 ? Ceil(s.x) : TruncFrom(s.x, baseX);
      int to = step > 0 ? ex : Ceil(e.x);
      for (int px = from; px != to + step; px += step)
        Add(pixels, {px, RoundToPixel(s.y + (e.y - s.y) * (float(px) - s.x) / (e.x - s.x))});
    }
  }
  // A pixel shared by two chords is set once. Chords that follow each other
  // share an end (left out above; the last chord ends where the first
  // began); other chords meet only in outlines too small to have a straight
  // stretch between their corners.
  if (pixels.size() > 1 && pixels.back() == pixels.front()) pixels.pop_back();
  if (maxX - minX < kSmallOutline || maxY - minY < kSmallOutline) {
    std::sort(pixels.begin(), pixels.end());
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
  }
  return pixels;
}

void PaintShadowRings(const ShadowCanvas& canvas, uint32_t colorRef, int size) {
  // The hole where the target lies, as a GDI rectangle region: its corners
  // are put in order, right and bottom excluded.
  const int hx0 = std::min(size, canvas.width - size), hx1 = std::max(size, canvas.width - size);
  const int hy0 = std::min(size, canvas.height - size), hy1 = std::max(size, canvas.height - size);
  for (int ring = 1; ring <= size; ++ring) {
    uint32_t colour = Premultiply(ColorRefToArgb(colorRef, ShadowRingAlpha(size, ring)));
    if (!(colour >> 24)) continue;
    std::vector<FloatPoint> outline = RingOutline(ShadowRingRect(canvas.width, canvas.height, ring));
    for (const IntPoint& p : OutlinePixels(outline)) {
      if (p.x < 0 || p.y < 0 || p.x >= canvas.width || p.y >= canvas.height) continue;
      if (p.x >= hx0 && p.x < hx1 && p.y >= hy0 && p.y < hy1) continue;
      canvas.At(p.x, p.y) = BlendOver(canvas.At(p.x, p.y), colour);
    }
  }
}

void DrawPictureRect(const ShadowCanvas& canvas, const PngPicture& picture, const IntRect& source,
                     const IntRect& target) {
  DrawPremultipliedRect(canvas, PremultipliedCopy(picture), source, target);
}

void PaintNineSlice(const ShadowCanvas& canvas, const PngPicture& picture, int x, int y, int width, int height) {
  if (picture.width <= 0 || picture.height <= 0) return;
  Premultiplied p = PremultipliedCopy(picture);
  for (const Slice& s : NineSlices(picture.width, picture.height, x, y, width, height))
    DrawPremultipliedRect(canvas, p, s.source, s.target);
}

ShadowPictureKey PictureKeyFor(int width, int height, uint32_t colorRef, int size) {
  ShadowPictureKey key;
  if (width > 0 && height > 0 && width <= 0xFFFF && height <= 0xFFFF)
    key.size = (uint32_t(width) << 16) | uint32_t(height);
  if (size >= 1 && size <= 0xFF && colorRef <= 0xFFFFFF) key.look = (uint32_t(size) << 24) | colorRef;
  return key;
}

bool ShowsPicture(const ShadowPictureKey& painted, const ShadowPictureKey& wanted) {
  return wanted.size != 0 && wanted.look != 0 && painted == wanted;
}

void PaintShadow(const ShadowCanvas& canvas, uint32_t colorRef, int size) {
  switch (ShadowPaintFor(colorRef, size)) {
    case ShadowPaint::SmallImage: PaintNineSlice(canvas, ShadowFrame(false), 0, 0, canvas.width, canvas.height); break;
    case ShadowPaint::LargeImage: PaintNineSlice(canvas, ShadowFrame(true), 0, 0, canvas.width, canvas.height); break;
    case ShadowPaint::Rings: PaintShadowRings(canvas, colorRef, size); break;
  }
}

}  // namespace ql
