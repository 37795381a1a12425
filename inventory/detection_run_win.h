// The detection run that fills the home page.
#pragma once

namespace ql {

class HomePageLabels;
struct HardwareSnapshot;

// Sets the first run's detectors to work while the windows are still being
// built; the start-up's detection stage then takes their results.
void BeginStartupDetection();
// Start-up stage 4: the first run, on the calling thread (COM set up for it).
void RunStartupDetection();
// Registers the home page's actions (copy, re-detect, battery timer).
void RegisterHomePageActions();
// One run over this machine's detectors into `labels`, with COM set up for it.
void RunMachineDetection(HomePageLabels& labels, HardwareSnapshot& snapshot);

}  // namespace ql
