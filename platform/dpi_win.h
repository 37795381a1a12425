// The display resolution a window is drawn for. The per-monitor functions
// exist from Windows 10 on (8.1 for the shell's); they are looked up at run
// time, so the program still starts on Windows 7, where the screen's
// LOGPIXELSY is the one resolution of the session.
#pragma once

#include <windows.h>

namespace ql {

// The session's resolution (the primary display's at log-on).
UINT SystemDpi();
// The resolution `window` is laid out for; SystemDpi where the system has
// no per-window resolution.
UINT WindowDpi(HWND window);
// Makes the calling process aware of each display's resolution (v2 where
// the system has it, else per monitor, else the session's), for programs
// without a manifest that says so (the test programs). False when the
// awareness was already set or cannot be.
bool DeclareDpiAwareness();

}  // namespace ql
