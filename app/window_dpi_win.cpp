#include "app/window_dpi_win.h"

#include "platform/dpi_win.h"
#include "support/dpi_scale.h"

namespace ql {

UINT CreationDpi() { return SystemDpi(); }

UINT FitWindowToDpi(HWND window, int width, int height) {
  UINT dpi = WindowDpi(window);
  RECT rc{};
  GetWindowRect(window, &rc);
  int w = ScaleForDpi(width, dpi), h = ScaleForDpi(height, dpi);
  if (rc.right - rc.left != w || rc.bottom - rc.top != h) {
    int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    SetWindowPos(window, nullptr, cx - w / 2, cy - h / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return dpi;
}

void TakeSuggestedRect(HWND window, LPARAM suggested) {
  const RECT* r = reinterpret_cast<const RECT*>(suggested);
  if (!r) return;
  SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ql
