// The shell's side of the features' interfaces: the main window's controls
// behind each feature's narrow interface, and the one set of system calls
// and prompts the program's features share.
#pragma once

#include "inventory/detection_run_win.h"
#include "net/web_pages.h"
#include "support/user_prompts.h"

namespace ql {

HomePage& MainHomePage();
VisitCountersView& MainVisitCounters();
UpdateCheckView& MainUpdateView();
UserPrompts& ProgramPrompts();

// Registers every feature's control actions over the hosts above.
void RegisterFeatureActions();
// The package check that follows four of the navigation targets.
void OfferProgramToolPackage();

}  // namespace ql
