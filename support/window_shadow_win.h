// The drop shadow of a borderless window.
#pragma once

#include <windows.h>

namespace ql {

// Gives `window` a shadow of `colour` (a COLORREF) and `size` pixels, or
// replaces its settings; size 0 removes it. False for a handle that is not a window.
bool InstallWindowShadow(HWND window, COLORREF colour = 0x000000, int size = 5);

}  // namespace ql
