// The shadow painted through GDI+ the way the program once painted it: rings
// as 1-pixel anti-aliased pen paths around a clipped-out hole, the black
// defaults as a nine-slice of the built-in frames. The reference the direct
// painting is compared with; the program itself no longer uses it.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "platform/scoped_win.h"
#include "support/memory_image_win.h"
#include "support/window_shadow_math.h"
#include "support/window_shadow_pixels.h"
#include "support/window_shadow_win.h"

namespace qltest {

// A built-in frame decoded by GDI+, kept for the test process.
inline ql::MemoryImage* GdiplusFrame(bool large) {
  static ql::MemoryImage frames[2];
  ql::MemoryImage& f = frames[large ? 1 : 0];
  if (!f.Handle()) f.LoadFromBytes(ql::ShadowFramePng(large));
  return &f;
}

inline void GdiplusRings(Gdiplus::GpGraphics* g, COLORREF colour, int size, int width, int height) {
  using namespace Gdiplus::DllExports;
  ql::ScopedGdiObj<HRGN> hole(CreateRectRgn(size, size, width - size, height - size));
  GdipSetClipHrgn(g, hole.Get(), Gdiplus::CombineModeExclude);
  GdipSetSmoothingMode(g, Gdiplus::SmoothingModeAntiAlias);
  GdipSetCompositingQuality(g, Gdiplus::CompositingQualityAssumeLinear);
  for (int i = 1; i <= size; ++i) {
    Gdiplus::GpPen* pen = nullptr;
    if (GdipCreatePen1(ql::ColorRefToArgb(colour, ql::ShadowRingAlpha(size, i)), 1.0f, Gdiplus::UnitPixel, &pen) !=
        Gdiplus::Ok)
      continue;
    ql::IntRect r = ql::ShadowRingRect(width, height, i);
    if (Gdiplus::GpPath* path = ql::RoundedRectPath(float(r.x), float(r.y), float(r.width), float(r.height), 4)) {
      GdipDrawPath(g, pen, path);
      GdipDeletePath(path);
    }
    GdipDeletePen(pen);
  }
  GdipResetClip(g);
}

// The W x H premultiplied BGRA picture GDI+ paints, top row first.
inline std::vector<uint32_t> GdiplusShadowPicture(int width, int height, COLORREF colour, int size) {
  using namespace Gdiplus::DllExports;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), 0);
  Gdiplus::GpBitmap* canvas = nullptr;
  if (GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels.data()),
                                &canvas) != Gdiplus::Ok)
    return {};
  Gdiplus::GpGraphics* g = nullptr;
  if (GdipGetImageGraphicsContext(canvas, &g) == Gdiplus::Ok) {
    switch (ql::ShadowPaintFor(colour, size)) {
      case ql::ShadowPaint::SmallImage: ql::DrawNineSlice(g, GdiplusFrame(false)->Handle(), 0, 0, width, height); break;
      case ql::ShadowPaint::LargeImage: ql::DrawNineSlice(g, GdiplusFrame(true)->Handle(), 0, 0, width, height); break;
      case ql::ShadowPaint::Rings: GdiplusRings(g, colour, size, width, height); break;
    }
    GdipDeleteGraphics(g);
  }
  GdipDisposeImage(canvas);
  return pixels;
}

}  // namespace qltest
