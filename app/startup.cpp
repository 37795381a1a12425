// The five start-up stages.
#include "app/startup.h"

namespace ql {

void RunStartupStages(StartupActions& a) {
  a.SetSplashStatus(kStageTexts[0]);
  a.ShowSplash();

  a.SetSplashStatus(kStageTexts[1]);
  a.EnsureBinDirectory();
  a.StartUptimeClock();
  a.WaitPumping(100);

  a.SetSplashStatus(kStageTexts[2]);
  a.StartVisitStatistics();

  a.SetSplashStatus(kStageTexts[3]);
  a.RunDetection();
  a.WaitPumping(100);
  if (DetectionIsIncomplete(a.MachineTypeLabelText())) {
    a.HideSplash();
    a.ShowIncompleteDetectionDialog();
    a.ShowSplash();
  }

  a.SetSplashStatus(kStageTexts[4]);
  a.ShowMainWindow();
  a.InstallFinalShadow();
  a.DestroySplash();
  a.ClearMainWindowTopmost();
}

}  // namespace ql
