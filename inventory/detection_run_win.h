// The detection run that fills the home page, and the home page's own
// actions (copy, re-detect, the battery timer).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "inventory/detection_run.h"

namespace ql {

// What the home page's actions need of the window beyond writing labels:
// reading a control's text, enabling a control, the clipboard's owner. The
// shell implements it over the main window's controls.
class HomePage : public HomePageLabels {
 public:
  virtual std::string Read(std::string_view layoutName) = 0;
  virtual void SetEnabled(std::string_view layoutName, bool enabled) = 0;
  virtual HWND ClipboardOwner() = 0;
};

// Sets the first run's detectors to work while the windows are still being
// built; the start-up's detection stage then takes their results, waiting
// for them at most the detection deadline counted from here.
void BeginStartupDetection();
// Start-up stage 4: the first run, on the calling thread (COM set up for it).
void RunStartupDetection(HomePageLabels& labels);
// Registers the home page's actions (copy, re-detect, battery timer) over
// `page`, which must outlive them.
void RegisterHomePageActions(HomePage& page);
// One run over this machine's detectors into `labels`, with COM set up for
// it; it waits for them at most the detection deadline, processing the
// calling thread's messages meanwhile.
void RunMachineDetection(HomePageLabels& labels, HardwareSnapshot& snapshot);

}  // namespace ql
