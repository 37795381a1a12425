// Stage work of the other subsystems. Each body calls into its subsystem
// once that subsystem exists; until then the stage does nothing.
#include "app/stage_work_win.h"

namespace ql {

void StartVisitStatistics() {}

void RunStartupDetection() {}

void InstallMainWindowShadow(HWND, COLORREF, int) {}

}  // namespace ql
