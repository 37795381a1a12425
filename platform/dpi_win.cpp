#include "platform/dpi_win.h"

namespace ql {
namespace {

template <class F>
F Lookup(const wchar_t* module, const char* name) {
  HMODULE m = GetModuleHandleW(module);
  if (!m) m = LoadLibraryW(module);
  // A function pointer from GetProcAddress: the cast is the documented use.
  return m ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

UINT ScreenDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? UINT(dpi) : 96;
}

}  // namespace

UINT SystemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto forSystem = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem");
  UINT dpi = forSystem ? forSystem() : 0;
  return dpi ? dpi : ScreenDpi();
}

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto forWindow = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  UINT dpi = forWindow && window ? forWindow(window) : 0;
  return dpi ? dpi : SystemDpi();
}

bool DeclareDpiAwareness() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  using SetAwarenessFn = HRESULT(WINAPI*)(int);
  using SetAwareFn = BOOL(WINAPI*)();
  if (auto setContext = Lookup<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then _PER_MONITOR_AWARE.
    if (setContext(reinterpret_cast<HANDLE>(INT_PTR(-4)))) return true;
    if (GetLastError() == ERROR_ACCESS_DENIED) return false;  // already set
    if (setContext(reinterpret_cast<HANDLE>(INT_PTR(-3)))) return true;
  }
  if (auto setAwareness = Lookup<SetAwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness"))
    return setAwareness(2) == S_OK;  // PROCESS_PER_MONITOR_DPI_AWARE
  auto setAware = Lookup<SetAwareFn>(L"user32.dll", "SetProcessDPIAware");
  return setAware && setAware();
}

}  // namespace ql
