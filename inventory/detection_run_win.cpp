// The detection run (the rows keep their designed texts until it is built).
#include "inventory/detection_run_win.h"

namespace ql {

void RunStartupDetection() {}
void RegisterHomePageActions() {}

}  // namespace ql
