// The drop shadow (not drawn yet: the window keeps its plain edge).
#include "support/window_shadow_win.h"

namespace ql {

bool InstallWindowShadow(HWND window, COLORREF, int) { return IsWindow(window) != FALSE; }

}  // namespace ql
