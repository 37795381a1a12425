// The two top-level windows are designed at 96 DPI: they are created at
// their size scaled for the session's resolution and checked once they
// exist, since a display may have another.
#pragma once

#include <windows.h>

namespace ql {

// The session's resolution, for sizing a window before it exists.
UINT CreationDpi();
// The resolution `window` is shown at; when its size is not its design size
// (width x height at 96 DPI) scaled for it, the window takes that size,
// keeping its centre.
UINT FitWindowToDpi(HWND window, int width, int height);
// WM_DPICHANGED: the window takes the system's suggested rectangle.
void TakeSuggestedRect(HWND window, LPARAM suggested);

}  // namespace ql
