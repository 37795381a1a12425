// The detection run that fills the home page.
#pragma once

namespace ql {

// Start-up stage 4: the first run, on the calling (COM-initialised) thread.
void RunStartupDetection();
// Registers the home page's actions (copy, re-detect, battery timer).
void RegisterHomePageActions();

}  // namespace ql
