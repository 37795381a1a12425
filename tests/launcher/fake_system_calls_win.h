// Header only: the Windows test programs are built from their *_wintest.cpp files.
// A recording stand-in for the launcher's final system calls and its boxes:
// nothing is ended, switched off or really started unless a test lets a call
// through.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/system_calls_win.h"
#include "launcher/system_operations_win.h"
#include "launcher/tools_container_win.h"
#include "tests/support/recording_prompts.h"

namespace qltest {

struct ShellCall {
  HWND owner;
  std::wstring file;
  bool emptyDirectory;
  int show;
};

class FakeSystemCalls final : public ql::SystemCalls, public ql::SystemDialogOwner {
 public:
  FakeSystemCalls() = default;
  FakeSystemCalls(const FakeSystemCalls&) = delete;
  FakeSystemCalls& operator=(const FakeSystemCalls&) = delete;

  void ShellOpen(HWND owner, const std::wstring& file, bool emptyDirectory, int show) override {
    order.push_back("shellOpen");
    shellCalls.push_back({owner, file, emptyDirectory, show});
  }
  HANDLE ShellOpenWaitable(const std::wstring& file, int show) override {
    order.push_back("shellOpenWaitable");
    waitableStarts.push_back(file);
    if (interpreterStandIn) {
      HANDLE copy = nullptr;
      DuplicateHandle(GetCurrentProcess(), interpreterStandIn, GetCurrentProcess(), &copy, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
      return copy;
    }
    return realWaitableStart ? ql::WinSystemCalls().ShellOpenWaitable(file, show) : nullptr;
  }
  bool EndProcess(DWORD pid) override {
    order.push_back("endProcess");
    terminated.push_back(pid);
    return true;
  }
  bool EnableShutdownPrivilege() override {
    order.push_back("enableShutdownPrivilege");
    return privilegeGranted;
  }
  bool EndWindowsSession(UINT flags) override {
    order.push_back("endWindowsSession");
    exitFlags.push_back(flags);
    return true;
  }
  void ScreenOff(HWND w) override {
    order.push_back("screenOff");
    screenOffWindows.push_back(w);
  }
  void ShowShellAbout(HWND owner, std::string_view app, std::string_view other, HICON) override {
    order.push_back("shellAbout");
    aboutOwners.push_back(owner);
    aboutTexts.emplace_back(app);
    aboutTexts.emplace_back(other);
  }
  int ShowHintDialog(HWND owner, std::string_view instruction, std::string_view title, std::string_view content,
                     int buttons, int icon) override {
    order.push_back("hintDialog");
    dialogOwners.push_back(owner);
    dialogTexts.emplace_back(instruction);
    dialogTexts.emplace_back(title);
    dialogTexts.emplace_back(content);
    dialogButtons.push_back(buttons);
    dialogIcons.push_back(icon);
    return IDOK;
  }
  HWND DialogOwnerWindow() override { return ownerWindow; }

  // Every call in order, by name ("shellOpen", "messageBox", …), the boxes
  // and links of `prompts` among them.
  std::vector<std::string> order;
  RecordingPrompts prompts{&order};
  std::vector<ShellCall> shellCalls;
  std::vector<std::wstring> waitableStarts;
  std::vector<DWORD> terminated;
  std::vector<UINT> exitFlags;
  std::vector<HWND> screenOffWindows, aboutOwners, dialogOwners;
  std::vector<std::string> aboutTexts, dialogTexts;
  std::vector<int> dialogButtons, dialogIcons;

  // The owner window the operations are given (any window a test likes).
  HWND ownerWindow = reinterpret_cast<HWND>(0x1234);
  bool privilegeGranted = true;
  // Let the waitable start (the icon-cache script) really run.
  bool realWaitableStart = false;
  // Or hand back a copy of this handle (a test's event) as the started
  // interpreter, which "ends" when the test sets it.
  HANDLE interpreterStandIn = nullptr;
};

// The window around the tools container, as the container sees it.
class RecordingToolsHost final : public ql::ToolsContainerHost {
 public:
  void SetTitle(std::string_view text) override { titles.emplace_back(text); }
  void OpenToolPackageLink() override { ++packageLinks; }
  std::vector<std::string> titles;  // every title written, in order
  int packageLinks = 0;
};

// The launcher's objects over one recording stand-in, in a program folder of
// the test's choosing.
struct FakeLauncher {
  explicit FakeLauncher(FakeSystemCalls& fake, ql::AppPaths paths = ql::CurrentAppPaths())
      : launcher(fake, fake.prompts, paths), operations(fake, fake.prompts, fake, paths) {}
  ql::Launcher launcher;
  ql::SystemOperations operations;
};

}  // namespace qltest
