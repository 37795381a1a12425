// The features' interfaces over the main window's controls, by layout name.
// Writes from worker threads are safe: SetWindowText on another thread's
// window is sent to that thread and waited for.
#include "app/feature_hosts_win.h"

#include "app/app_paths.h"
#include "app/main_controls_win.h"
#include "app/main_window_win.h"
#include "launcher/tools_container_win.h"
#include "net/tool_package_win.h"
#include "support/layout_names.h"
#include "support/user_prompts_win.h"
#include "support/web_addresses.h"

namespace ql {
namespace {

class WindowHomePage final : public HomePage {
 public:
  void StartBatteryTimer() override { SetMainTimer(layout::kBatteryTimer, 1000); }
  void Write(std::string_view name, std::string_view text) override { SetMainControlText(name, text); }
  std::string Read(std::string_view name) override { return MainControlText(name); }
  void SetEnabled(std::string_view name, bool enabled) override {
    if (HWND h = MainControl(name)) EnableWindow(h, enabled);
  }
  HWND ClipboardOwner() override { return GetAncestor(MainControl(layout::kCopyLink), GA_ROOT); }
};

class WindowVisitCounters final : public VisitCountersView {
 public:
  void ShowVisitCounters(const VisitCounters& c) override {
    SetMainControlText(layout::kYesterdayVisits, c.yesterday);
    SetMainControlText(layout::kTodayVisits, c.today);
    SetMainControlText(layout::kTotalVisits, c.total);
  }
};

class WindowUpdateView final : public UpdateCheckView {
 public:
  void ShowUpdateHint(std::string_view hint) override { SetMainControlText(layout::kUpdateHint, hint); }
  void ShowUpdateLabels(const UpdateLabels& l) override {
    SetMainControlText(layout::kCurrentVersion, l.currentVersion);
    SetMainControlText(layout::kServerVersion, l.serverVersion);
    SetMainControlText(layout::kUpdateHint, l.hint);
  }
};

class WindowToolsHost final : public ToolsContainerHost {
 public:
  void SetTitle(std::string_view title) override { SetMainControlText(layout::kTitle, title); }
  void OpenToolPackageLink() override { ql::OpenToolPackageLink(ProgramPrompts(), web::kMakerSharedFolderPage); }
};

class MainWindowOwner final : public SystemDialogOwner {
 public:
  HWND DialogOwnerWindow() override { return MainWindowHandle(); }
};

SystemCalls& ProgramSystemCalls() {
  static WinSystemCalls calls;
  return calls;
}

const Launcher& ProgramLauncher() {
  static const Launcher launcher(ProgramSystemCalls(), ProgramPrompts(), CurrentAppPaths());
  return launcher;
}

SystemOperations& ProgramOperations() {
  static MainWindowOwner owner;
  static SystemOperations operations(ProgramSystemCalls(), ProgramPrompts(), owner, CurrentAppPaths());
  return operations;
}

ToolsContainerHost& ToolsHost() {
  static WindowToolsHost host;
  return host;
}

}  // namespace

HomePage& MainHomePage() {
  static WindowHomePage page;
  return page;
}

VisitCountersView& MainVisitCounters() {
  static WindowVisitCounters view;
  return view;
}

UpdateCheckView& MainUpdateView() {
  static WindowUpdateView view;
  return view;
}

UserPrompts& ProgramPrompts() {
  static SystemUserPrompts prompts;
  return prompts;
}

void RegisterFeatureActions() {
  RegisterHomePageActions(MainHomePage());
  RegisterNetActions(MainUpdateView(), ProgramPrompts(), web::kMakerSharedFolderPage);
  RegisterLauncherActions(ProgramLauncher(), ProgramOperations(), ToolsHost());
}

void OfferProgramToolPackage() {
  OfferToolPackage(ProgramPrompts(), CurrentAppPaths().binDir, web::kMakerSharedFolderPage);
}

}  // namespace ql
