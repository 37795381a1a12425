// Start-up work that belongs to other subsystems, called by the stages.
#pragma once

#include <windows.h>

namespace ql {

// Stage 3: starts the visit-statistics thread and does not wait for it.
void StartVisitStatistics();
// Stage 4: the first detection run, on the calling (start-up) thread.
void RunStartupDetection();
// Gives a window its drop shadow (colour is a COLORREF; size in pixels).
void InstallMainWindowShadow(HWND window, COLORREF colour, int size);

}  // namespace ql
