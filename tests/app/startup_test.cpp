// The start-up stages driven through a recording fake of the windows.
#include "app/startup.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/app_paths.h"

namespace ql {
namespace {

class RecordingActions final : public StartupActions {
 public:
  explicit RecordingActions(std::string machineType) : machineType_(std::move(machineType)) {}
  std::vector<std::string> log;

  void SetSplashStatus(std::string_view text) override { log.push_back("status " + std::string(text)); }
  void ShowSplash() override { log.push_back("show splash"); }
  void HideSplash() override { log.push_back("hide splash"); }
  void EnsureBinDirectory() override { log.push_back("bin"); }
  void StartUptimeClock() override { log.push_back("uptime"); }
  void WaitPumping(unsigned ms) override { log.push_back("wait " + std::to_string(ms)); }
  void StartVisitStatistics() override { log.push_back("statistics"); }
  void RunDetection() override { log.push_back("detect"); }
  std::string MachineTypeLabelText() override { return machineType_; }
  void ShowIncompleteDetectionDialog() override { log.push_back("dialog"); }
  void ShowMainWindow() override { log.push_back("show main"); }
  void InstallFinalShadow() override { log.push_back("shadow"); }
  void DestroySplash() override { log.push_back("destroy splash"); }
  void ClearMainWindowTopmost() override { log.push_back("not topmost"); }

 private:
  std::string machineType_;
};

TEST(Startup, StagesRunInOrderWithTheirStatusTexts) {
  RecordingActions a("LENOVO 台式电脑");
  RunStartupStages(a);
  EXPECT_THAT(a.log,
              testing::ElementsAre("status 初始化...", "show splash", "status 释放目录...", "bin", "uptime", "wait 100",
                                   "status 用户统计...", "statistics", "status 配置检测...", "detect", "wait 100",
                                   "status 正在启动...", "show main", "shadow", "destroy splash", "not topmost"));
}

TEST(Startup, OnlyAnExactlyEmptyMachineTypeShowsTheDialog) {
  struct Case {
    std::string label;
    bool dialog;
  } cases[] = {{"", true}, {" ", false}, {"计算机类型", false}};
  for (const auto& c : cases) {
    RecordingActions a(c.label);
    RunStartupStages(a);
    auto dialog = std::find(a.log.begin(), a.log.end(), "dialog");
    EXPECT_EQ(dialog != a.log.end(), c.dialog) << '"' << c.label << '"';
    if (c.dialog) {
      // Hidden splash around the dialog, then stage 5 goes on as usual.
      EXPECT_EQ(*(dialog - 1), "hide splash");
      EXPECT_EQ(*(dialog + 1), "show splash");
      EXPECT_EQ(*(dialog + 2), "status 正在启动...");
    }
  }
}

TEST(AppPaths, PlainConcatenationOnTheModuleDirectory) {
  AppPaths p = MakeAppPaths(ProgramDirFromModulePath("D:\\青岚工具箱\\qinglan.exe"));
  EXPECT_EQ(p.programDir, "D:\\青岚工具箱");
  EXPECT_EQ(p.binDir, "D:\\青岚工具箱\\bin");
  EXPECT_EQ(p.toolsDir, "D:\\青岚工具箱\\tools");
  EXPECT_EQ(p.pluginDir, "D:\\青岚工具箱\\plugin");
  EXPECT_EQ(p.dataDir, "D:\\青岚工具箱\\data");
  // A trail byte 0x5C inside a two-byte character is not a separator.
  EXPECT_EQ(ProgramDirFromModulePath("C:\\\x95\x5C\\a.exe"), "C:\\\x95\x5C");
  EXPECT_EQ(ProgramDirFromModulePath("a.exe"), "");
}

}  // namespace
}  // namespace ql
