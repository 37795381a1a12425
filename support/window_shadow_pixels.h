// The shadow's picture computed pixel by pixel, straight into the 32-bit
// bitmap that goes to the layered window: the rings (1-pixel outlines of
// rounded rectangles, faint outside, strong inside, the target's rectangle
// left empty) and the nine-slice of the two built-in black frames. The
// pixels are the ones the GDI+ flat API paints for the same shapes (the
// Windows tests compare both), at a small part of the cost, except that a
// stretched slice keeps its band to its first and last pixel where the
// GDI+ stretch may leave a clear notch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "support/png_decode.h"
#include "support/window_shadow_math.h"

namespace ql {

struct FloatPoint {
  float x, y;
};
struct IntPoint {
  int x, y;
  bool operator==(const IntPoint&) const = default;
  // Column first, then row: the order the outline's de-duplication sorts by.
  bool operator<(const IntPoint& o) const { return x != o.x ? x < o.x : y < o.y; }
};

// A picture being written: pixels are 0xAARRGGBB with premultiplied alpha
// (B, G, R, A in memory, as a 32-bit DIB holds them).
struct ShadowCanvas {
  uint32_t* top = nullptr;  // the first pixel of the top row
  ptrdiff_t rowStep = 0;    // pixels from one row to the next; negative for a bottom-up DIB
  int width = 0;
  int height = 0;
  uint32_t& At(int x, int y) const { return top[ptrdiff_t(y) * rowStep + x]; }
};

// A straight-alpha 0xAARRGGBB colour with its colour channels multiplied by
// its alpha (rounded to nearest).
uint32_t Premultiply(uint32_t argb);
// `source` (premultiplied) over `destination` (premultiplied).
uint32_t BlendOver(uint32_t destination, uint32_t source);

// The frames' PNG bytes as built into the program.
std::span<const uint8_t> ShadowFramePng(bool large);
// A frame decoded on first use and kept for the process (any thread); an
// empty picture if the built-in bytes could not be decoded.
const PngPicture& ShadowFrame(bool large);

// The points of ring `ring`'s outline: the ring rectangle with radius-4
// corners, each quarter arc drawn as two chords through its middle, in
// drawing order (the last point joins the first).
std::vector<FloatPoint> RingOutline(const IntRect& ringRect);
// The pixels a 1-pixel pen sets along the closed outline, each once.
std::vector<IntPoint> OutlinePixels(std::span<const FloatPoint> outline);

// `size` rings of `colorRef` (a COLORREF) over the whole canvas; nothing is
// drawn inside the rectangle inset by `size`, where the target lies.
void PaintShadowRings(const ShadowCanvas& canvas, uint32_t colorRef, int size);
// The part `source` of `picture` drawn over `target`: copied when the sizes
// match, otherwise stretched with bilinear interpolation at the source
// point of each target pixel's centre, held inside `source`: no target
// pixel reads a sample outside it (samples outside the picture are
// transparent). What lies outside `target` stays.
void DrawPictureRect(const ShadowCanvas& canvas, const PngPicture& picture, const IntRect& source,
                     const IntRect& target);
// `picture` over (x, y, width, height) as nine slices (see NineSlices).
void PaintNineSlice(const ShadowCanvas& canvas, const PngPicture& picture, int x, int y, int width, int height);
// The shadow of `colorRef` and `size` over the whole canvas, as
// RenderWindowShadow shows it: a frame for the two black defaults, else rings.
void PaintShadow(const ShadowCanvas& canvas, uint32_t colorRef, int size);

// What a shadow picture shows, in two words that fit window properties:
// (width << 16) | height, and (shadow width << 24) | colour. A word is 0
// when the values do not fit it; such a picture is never taken as shown.
struct ShadowPictureKey {
  uint32_t size = 0;
  uint32_t look = 0;
  bool operator==(const ShadowPictureKey&) const = default;
};
ShadowPictureKey PictureKeyFor(int width, int height, uint32_t colorRef, int size);
// True when a window that shows `painted` needs no new paint for `wanted`.
bool ShowsPicture(const ShadowPictureKey& painted, const ShadowPictureKey& wanted);

}  // namespace ql
