#include "platform/dpi_win.h"

#include "platform/dyn_calls_win.h"

namespace ql {
namespace {

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : 96;
}

}  // namespace

UINT SystemDpi() {
  auto forSystem = User32Calls().GetDpiForSystem;
  UINT dpi = forSystem ? forSystem() : 0;
  return dpi ? dpi : ScreenDpi();
}

UINT WindowDpi(HWND window) {
  auto forWindow = User32Calls().GetDpiForWindow;
  UINT dpi = forWindow && window ? forWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

bool DeclareDpiAwareness() {
  if (auto setContext = User32Calls().SetProcessDpiAwarenessContext) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then _PER_MONITOR_AWARE.
    if (setContext(reinterpret_cast<HANDLE>(INT_PTR(-4)))) return true;
    if (GetLastError() == ERROR_ACCESS_DENIED) return false;  // already set
    if (setContext(reinterpret_cast<HANDLE>(INT_PTR(-3)))) return true;
  }
  if (auto setAwareness = ShcoreCalls().SetProcessDpiAwareness)
    return setAwareness(2) == S_OK;  // PROCESS_PER_MONITOR_DPI_AWARE
  auto setAware = User32Calls().SetProcessDPIAware;
  return setAware && setAware();
}

}  // namespace ql
