// The detection run that fills the home page.
#pragma once

namespace ql {

class HomePageLabels;
struct HardwareSnapshot;

// Start-up stage 4: the first run, on the calling (COM-initialised) thread.
void RunStartupDetection();
// Registers the home page's actions (copy, re-detect, battery timer).
void RegisterHomePageActions();
// One run over this machine's detectors into `labels`, with COM set up for it.
void RunMachineDetection(HomePageLabels& labels, HardwareSnapshot& snapshot);

}  // namespace ql
