// The arithmetic of the drop shadow: ring strengths, colours, the shadow
// window's rectangle, the rounded outline and the nine-slice split. Pure, so
// it is tested without windows.
#pragma once

#include <array>
#include <cstdint>

namespace ql {

// (alpha << 24) | (red << 16) | (green << 8) | blue from a COLORREF 0x00BBGGRR.
uint32_t ColorRefToArgb(uint32_t colorRef, uint8_t alpha);

// How the shadow is painted: the two black defaults come from pictures.
enum class ShadowPaint { SmallImage, LargeImage, Rings };
ShadowPaint ShadowPaintFor(uint32_t colorRef, int size);

// trunc(150 / size) above 8 pixels, else trunc(100 / size), at least 1;
// 0 for size < 1.
int ShadowRingStep(int size);
// Alpha of ring i (1 = outermost) of a shadow `size` wide.
uint8_t ShadowRingAlpha(int size, int ring);

struct IntRect {
  int x, y, width, height;
  bool operator==(const IntRect&) const = default;
};
// The shadow window for a target at (left, top), width x height.
IntRect ShadowWindowRect(int left, int top, int width, int height, int size);
// The rectangle of ring i inside a W x H shadow bitmap.
IntRect ShadowRingRect(int bitmapWidth, int bitmapHeight, int ring);

struct FloatRect {
  float x, y, width, height;
  bool operator==(const FloatRect&) const = default;
};
struct Arc {
  FloatRect box;
  float startAngle;  // degrees; every arc sweeps 90
};
// A rectangle with rounded corners: four arcs, or the plain rectangle when
// the radius is 0 or less. The radius is clamped to 1 … 100.
struct RoundedOutline {
  bool plain;
  FloatRect rect;
  std::array<Arc, 4> arcs;
};
RoundedOutline RoundedRectOutline(float x, float y, float width, float height, float radius);

// The border kept unscaled by a nine-slice draw of an iw x ih image.
int NineSliceBorder(int imageWidth, int imageHeight);
struct Slice {
  IntRect source;
  IntRect target;
};
// Corners, edges and centre: corners unscaled, edges stretched along one
// axis, the centre in both.
std::array<Slice, 9> NineSlices(int imageWidth, int imageHeight, int x, int y, int width, int height);

}  // namespace ql
