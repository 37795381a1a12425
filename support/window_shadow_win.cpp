// The drop shadow over a layered window. Its picture is computed pixel by
// pixel (support/window_shadow_pixels); the GDI+ path and nine-slice
// helpers remain for the pictures that are drawn with GDI+.
#include "support/window_shadow_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include "platform/dpi_win.h"
#include "platform/scoped_win.h"
#include "platform/window_class_win.h"
#include "support/dpi_scale.h"
#include "support/window_shadow_pixels.h"

namespace ql {
namespace {

using namespace Gdiplus::DllExports;

HWND ShadowOf(HWND target) { return static_cast<HWND>(GetPropW(target, kShadowProp)); }

// The shadow's width on the screen: the size it was given is at 96 DPI and
// grows with the target's resolution (8 is 12 pixels at 150 %).
int ShownShadowSize(HWND target, HWND shadow) {
  int size = static_cast<int>(reinterpret_cast<INT_PTR>(GetPropW(shadow, kShadowSizeProp)));
  return ScaleForDpi(size, WindowDpi(target));
}

WNDPROC PreviousProc(HWND target) { return reinterpret_cast<WNDPROC>(GetPropW(target, kShadowProcProp)); }

LRESULT CallPrevious(HWND target, UINT msg, WPARAM wp, LPARAM lp) {
  WNDPROC prev = PreviousProc(target);
  return prev ? CallWindowProcW(prev, target, msg, wp, lp) : DefWindowProcW(target, msg, wp, lp);
}

void RemoveShadow(HWND target) {
  HWND shadow = ShadowOf(target);
  if (shadow && IsWindow(shadow)) {
    RemovePropW(shadow, kShadowColorProp);
    RemovePropW(shadow, kShadowSizeProp);
    RemovePropW(shadow, kShadowPaintedSizeProp);
    RemovePropW(shadow, kShadowPaintedLookProp);
    DestroyWindow(shadow);
  }
  RemovePropW(target, kShadowProp);
  if (WNDPROC prev = PreviousProc(target)) {
    SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
    RemovePropW(target, kShadowProcProp);
  }
}

HWND CreateShadowWindow(HWND target) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (!RegisterWindowClass(module, kShadowWindowClass, DefWindowProcW)) return nullptr;
  return CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE, kShadowWindowClass, L"",
                         WS_POPUP | WS_DISABLED, 0, 0, 0, 0, target, nullptr, module, nullptr);
}

}  // namespace

Gdiplus::GpPath* RoundedRectPath(float x, float y, float width, float height, float radius) {
  Gdiplus::GpPath* path = nullptr;
  if (GdipCreatePath(Gdiplus::FillModeAlternate, &path) != Gdiplus::Ok) return nullptr;
  RoundedOutline o = RoundedRectOutline(x, y, width, height, radius);
  if (o.plain) {
    GdipAddPathRectangle(path, x, y, width, height);
    return path;
  }
  for (const Arc& a : o.arcs) GdipAddPathArc(path, a.box.x, a.box.y, a.box.width, a.box.height, a.startAngle, 90);
  GdipClosePathFigure(path);
  return path;
}

void DrawNineSlice(Gdiplus::GpGraphics* g, Gdiplus::GpImage* image, int x, int y, int width, int height) {
  if (!g || !image) return;
  Gdiplus::REAL iw = 0, ih = 0;
  if (GdipGetImageDimension(image, &iw, &ih) != Gdiplus::Ok) return;
  for (const Slice& s : NineSlices(int(iw), int(ih), x, y, width, height)) {
    if (s.target.width <= 0 || s.target.height <= 0) continue;
    GdipDrawImageRectRect(g, image, float(s.target.x), float(s.target.y), float(s.target.width), float(s.target.height),
                          float(s.source.x), float(s.source.y), float(s.source.width), float(s.source.height),
                          Gdiplus::UnitPixel, nullptr, nullptr, nullptr);
  }
}

void RenderWindowShadow(HWND target, int width, int height) {
  HWND shadow = ShadowOf(target);
  if (!shadow || !IsWindow(shadow)) return;
  if (width == 0 || height == 0) {
    RECT rc{};
    GetWindowRect(shadow, &rc);
    width = rc.right - rc.left;
    height = rc.bottom - rc.top;
  }
  if (width <= 0 || height <= 0) return;
  COLORREF colour = static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropW(shadow, kShadowColorProp)));
  int size = ShownShadowSize(target, shadow);

  ScopedWindowDC screen = GetScopedDC(shadow);
  ScopedDC mem(CreateCompatibleDC(screen.Get()));
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  bi.bmiHeader.biSizeImage = DWORD(width) * DWORD(height) * 4;
  void* bits = nullptr;
  ScopedGdiObj<HBITMAP> dib(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return;
  ScopedSelection keep = SelectScoped(mem.Get(), dib.Get());

  // The picture is written straight into the DIB's premultiplied pixels,
  // which start transparent (a new section's memory is fresh and zeroed).
  // The DIB is bottom-up: the top row of the picture is the last in memory.
  uint32_t* topRow = static_cast<uint32_t*>(bits) + size_t(height - 1) * size_t(width);
  PaintShadow({topRow, -ptrdiff_t(width), width, height}, colour, size);
  SIZE extent{width, height};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!UpdateLayeredWindow(shadow, screen.Get(), nullptr, &extent, mem.Get(), &origin, 0, &blend, ULW_ALPHA)) return;
  ShadowPictureKey painted = PictureKeyFor(width, height, colour, size);
  SetPropW(shadow, kShadowPaintedSizeProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(painted.size)));
  SetPropW(shadow, kShadowPaintedLookProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(painted.look)));
}

namespace {

// What the layered window shows now, as the last paint recorded it.
ShadowPictureKey PaintedKey(HWND shadow) {
  return {static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(GetPropW(shadow, kShadowPaintedSizeProp))),
          static_cast<uint32_t>(reinterpret_cast<UINT_PTR>(GetPropW(shadow, kShadowPaintedLookProp)))};
}

// Puts the shadow window around the target and paints it only when the
// picture it needs (size, colour, shadow width) is not the one the layered
// window already holds: a move, or hiding and showing again, keeps it.
void FitShadow(HWND target, HWND shadow) {
  RECT rc{};
  GetWindowRect(target, &rc);
  if (rc.right == rc.left || rc.bottom == rc.top) return;
  int size = ShownShadowSize(target, shadow);
  COLORREF colour = static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropW(shadow, kShadowColorProp)));
  IntRect r = ShadowWindowRect(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, size);
  SetWindowPos(shadow, nullptr, r.x, r.y, r.width, r.height, SWP_NOACTIVATE | SWP_NOZORDER);
  if (!ShowsPicture(PaintedKey(shadow), PictureKeyFor(r.width, r.height, colour, size)))
    RenderWindowShadow(target, r.width, r.height);
}

void PlaceShadow(HWND target, int visible) {
  HWND shadow = ShadowOf(target);
  if (!shadow || !IsWindow(shadow)) return;
  if (visible < 0) visible = IsWindowVisible(target) ? 1 : 0;
  if (!visible || IsZoomed(target) || IsIconic(target)) {
    ShowWindow(shadow, SW_HIDE);
    return;
  }
  if (!IsWindowVisible(shadow)) ShowWindow(shadow, SW_SHOWNA);
  FitShadow(target, shadow);
}

}  // namespace

void UpdateWindowShadow(HWND target, int visible) { PlaceShadow(target, visible); }

void PrepareWindowShadow(HWND target) {
  HWND shadow = ShadowOf(target);
  if (!shadow || !IsWindow(shadow) || IsZoomed(target) || IsIconic(target)) return;
  FitShadow(target, shadow);
}

bool InstallWindowShadow(HWND target, COLORREF colour, int size) {
  if (!target || !IsWindow(target)) return false;
  if (size < 1) {
    RemoveShadow(target);
    return false;
  }
  // The shadow's state stays in the named window properties and its hook in
  // a swap of the target's procedure, not in WindowState: the target is
  // someone else's window (its GWLP_USERDATA is theirs), and other code reads
  // these properties and the swapped procedure by name.
  HWND shadow = ShadowOf(target);
  if (!shadow || !IsWindow(shadow)) {
    shadow = CreateShadowWindow(target);
    if (!shadow) return false;
    SetPropW(target, kShadowProp, shadow);
  }
  SetPropW(shadow, kShadowColorProp, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour)));
  SetPropW(shadow, kShadowSizeProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(size)));
  UpdateWindowShadow(target);
  if (!PreviousProc(target)) {
    LONG_PTR prev = SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowShadowSubclassProc));
    SetPropW(target, kShadowProcProp, reinterpret_cast<HANDLE>(prev));
  }
  return true;
}

LRESULT CALLBACK WindowShadowSubclassProc(HWND target, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOVE: {
      LRESULT r = CallPrevious(target, msg, wp, lp);
      PlaceShadow(target, -1);
      return r;
    }
    case WM_SIZE: {
      LRESULT r = CallPrevious(target, msg, wp, lp);
      UpdateWindowShadow(target);
      return r;
    }
    case WM_SHOWWINDOW: {
      LRESULT r = CallPrevious(target, msg, wp, lp);
      UpdateWindowShadow(target, wp ? 1 : 0);
      return r;
    }
    case WM_NCDESTROY: {
      // The window's last message: its properties go with the subclass, so
      // that a window that had a shadow leaves no named property behind.
      WNDPROC prev = PreviousProc(target);
      RemoveShadow(target);
      return prev ? CallWindowProcW(prev, target, msg, wp, lp) : DefWindowProcW(target, msg, wp, lp);
    }
    default: return CallPrevious(target, msg, wp, lp);
  }
}

}  // namespace ql
