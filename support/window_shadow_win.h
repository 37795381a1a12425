// The drop shadow of a borderless window: a layered, click-through popup
// owned by the target, kept `size` pixels larger on every side and repainted
// whenever the target moves, is resized, shown or hidden. All state lives in
// window properties, so any number of windows can carry a shadow.
#pragma once

#include <windows.h>

#include "support/window_shadow_math.h"

namespace Gdiplus {
class GpPath;
class GpGraphics;
class GpImage;
}  // namespace Gdiplus

namespace ql {

inline constexpr wchar_t kShadowWindowClass[] = L"Zozed.Shadow";
inline constexpr wchar_t kShadowProp[] = L"Zozed.WndShadow";
inline constexpr wchar_t kShadowProcProp[] = L"Zozed.WndShadow.Proc";
inline constexpr wchar_t kShadowColorProp[] = L"Zozed.WndShadow.Color";
inline constexpr wchar_t kShadowSizeProp[] = L"Zozed.WndShadow.Size";
// On the shadow window: what its layered picture shows (ShadowPictureKey).
inline constexpr wchar_t kShadowPaintedSizeProp[] = L"Zozed.WndShadow.PaintedSize";
inline constexpr wchar_t kShadowPaintedLookProp[] = L"Zozed.WndShadow.PaintedLook";

// Gives `window` a shadow of `colour` (a COLORREF) and `size` pixels (at
// 96 DPI; scaled for the window's resolution when shown), or
// replaces its settings; a size below 1 removes it (and returns false).
// False for a handle that is not a window.
bool InstallWindowShadow(HWND window, COLORREF colour = 0x000000, int size = 5);
// Places, shows or hides the shadow and repaints it; `visible` -1 takes the
// target's own visibility.
void UpdateWindowShadow(HWND window, int visible = -1);
// Paints the W x H shadow bitmap and pushes it to the layered window (0 x 0:
// the shadow window's current size).
void RenderWindowShadow(HWND window, int width, int height);
// While the target is hidden: places the hidden shadow and paints its
// picture for the target's present size, so that showing the target only
// shows the shadow. Nothing for a minimised or maximised target.
void PrepareWindowShadow(HWND window);
// A new GDI+ path (the caller deletes it); nullptr when GDI+ refuses.
Gdiplus::GpPath* RoundedRectPath(float x, float y, float width, float height, float radius);
void DrawNineSlice(Gdiplus::GpGraphics* graphics, Gdiplus::GpImage* image, int x, int y, int width, int height);
// The procedure installed on the target window.
LRESULT CALLBACK WindowShadowSubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace ql
