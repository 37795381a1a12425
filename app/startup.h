// The start-up stages: what the start-up thread does, in order, with the
// windows behind a small interface so the sequence runs without Windows.
#pragma once

#include <string>
#include <string_view>

namespace ql {

// Every window change and every stage's work, as the start-up thread asks for
// them. The Windows side hands each window change to the UI thread and waits.
class StartupActions {
 public:
  virtual ~StartupActions() = default;
  virtual void SetSplashStatus(std::string_view text) = 0;
  virtual void ShowSplash() = 0;
  virtual void HideSplash() = 0;
  virtual void EnsureBinDirectory() = 0;
  virtual void StartUptimeClock() = 0;
  // Waits while the calling thread's pending messages are processed.
  virtual void WaitPumping(unsigned milliseconds) = 0;
  virtual void StartVisitStatistics() = 0;
  virtual void RunDetection() = 0;
  virtual std::string MachineTypeLabelText() = 0;
  virtual void ShowIncompleteDetectionDialog() = 0;
  virtual void ShowMainWindow() = 0;
  virtual void InstallFinalShadow() = 0;
  virtual void DestroySplash() = 0;
  virtual void ClearMainWindowTopmost() = 0;
};

inline constexpr std::string_view kStageTexts[5] = {"初始化...", "释放目录...", "用户统计...", "配置检测...",
                                                    "正在启动..."};

// The incomplete-detection dialog's texts.
inline constexpr std::string_view kIncompleteTitle = "错误";
inline constexpr std::string_view kIncompleteInstruction = "配置检测结果异常！";
inline constexpr std::string_view kIncompleteContent =
    "检测到配置检测不完整，可能欠缺部分内容\r\n请尝试重启工具箱以重新检测配置";

// Only an exactly empty machine-type label counts as incomplete; the single
// space that joins its two parts counts as filled.
inline bool DetectionIsIncomplete(std::string_view machineTypeLabel) { return machineTypeLabel.empty(); }

void RunStartupStages(StartupActions& actions);

}  // namespace ql
