#include "support/window_shadow_math.h"

#include <algorithm>

namespace ql {

uint32_t ColorRefToArgb(uint32_t colorRef, uint8_t alpha) {
  uint32_t red = colorRef & 0xFF;
  uint32_t green = (colorRef >> 8) & 0xFF;
  uint32_t blue = (colorRef >> 16) & 0xFF;
  return (static_cast<uint32_t>(alpha) << 24) | (red << 16) | (green << 8) | blue;
}

ShadowPaint ShadowPaintFor(uint32_t colorRef, int size) {
  if (colorRef == 0 && size == 5) return ShadowPaint::SmallImage;
  if (colorRef == 0 && size == 10) return ShadowPaint::LargeImage;
  return ShadowPaint::Rings;
}

int ShadowRingStep(int size) {
  if (size < 1) return 0;
  // Above 150 pixels the division gives 0 and the shadow would vanish.
  return std::max(1, size > 8 ? 150 / size : 100 / size);
}

uint8_t ShadowRingAlpha(int size, int ring) {
  // Very wide shadows would pass 255 with a step of 1; keep the byte honest.
  int alpha = ShadowRingStep(size) * ring;
  return static_cast<uint8_t>(std::clamp(alpha, 0, 255));
}

IntRect ShadowWindowRect(int left, int top, int width, int height, int size) {
  return {left - size, top - size, width + 2 * size, height + 2 * size};
}

IntRect ShadowRingRect(int bitmapWidth, int bitmapHeight, int ring) {
  return {ring - 1, ring - 1, bitmapWidth - 2 * ring + 1, bitmapHeight - 2 * ring + 1};
}

RoundedOutline RoundedRectOutline(float x, float y, float width, float height, float radius) {
  RoundedOutline o{};
  o.rect = {x, y, width, height};
  if (radius <= 0) {
    o.plain = true;
    return o;
  }
  float r = std::clamp(radius, 1.0f, 100.0f);
  float d = 2 * r;
  o.arcs = {{{{x, y, d, d}, 180},
             {{x + width - d, y, d, d}, 270},
             {{x + width - d, y + height - d, d, d}, 0},
             {{x, y + height - d, d, d}, 90}}};
  return o;
}

int NineSliceBorder(int imageWidth, int imageHeight) {
  if (imageWidth > 80 && imageHeight > 80) return 20;
  if (imageWidth > 50 && imageHeight > 50) return 10;
  return 5;
}

std::array<Slice, 9> NineSlices(int iw, int ih, int x, int y, int w, int h) {
  int m = NineSliceBorder(iw, ih);
  // Source columns/rows: [0, m), [m, iw - m), [iw - m, iw); the same split
  // of the target with its middle stretched.
  const int sx[3] = {0, m, iw - m}, sw[3] = {m, iw - 2 * m, m};
  const int sy[3] = {0, m, ih - m}, sh[3] = {m, ih - 2 * m, m};
  const int tx[3] = {x, x + m, x + w - m}, tw[3] = {m, w - 2 * m, m};
  const int ty[3] = {y, y + m, y + h - m}, th[3] = {m, h - 2 * m, m};
  std::array<Slice, 9> out{};
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      out[static_cast<size_t>(row) * 3 + static_cast<size_t>(col)] = {{sx[col], sy[row], sw[col], sh[row]},
                                                                      {tx[col], ty[row], tw[col], th[row]}};
  return out;
}

}  // namespace ql
