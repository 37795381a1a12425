// Header only: the Windows test programs are built from their *_wintest.cpp files.
// A recording stand-in for the launcher's final system calls: nothing is
// ended, switched off or really started unless a test lets a call through.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "launcher/system_calls_win.h"

namespace qltest {

struct ShellCall {
  HWND owner;
  std::wstring file;
  bool emptyDirectory;
  int show;
};

class FakeSystemCalls {
 public:
  FakeSystemCalls();
  ~FakeSystemCalls();  // puts the real calls back
  FakeSystemCalls(const FakeSystemCalls&) = delete;
  FakeSystemCalls& operator=(const FakeSystemCalls&) = delete;

  // Every call in order, by name ("shellOpen", "messageBox", …).
  std::vector<std::string> order;
  std::vector<ShellCall> shellCalls;
  std::vector<std::wstring> waitableStarts;
  std::vector<DWORD> terminated;
  std::vector<UINT> exitFlags;
  std::vector<std::string> boxTexts, boxTitles;
  std::vector<UINT> boxStyles;
  std::vector<HWND> screenOffWindows;
  std::vector<std::string> aboutTexts, dialogTexts;
  std::vector<int> dialogButtons, dialogIcons;

  int boxAnswer = IDNO;
  bool privilegeGranted = true;
  // Let the waitable start (the icon-cache script) really run.
  bool realWaitableStart = false;
};

inline FakeSystemCalls::FakeSystemCalls() {
  ql::SystemCalls c;
  c.shellOpen = [this](HWND owner, const std::wstring& file, bool emptyDirectory, int show) {
    order.push_back("shellOpen");
    shellCalls.push_back({owner, file, emptyDirectory, show});
  };
  c.shellOpenWaitable = [this](const std::wstring& file, int show) -> HANDLE {
    order.push_back("shellOpenWaitable");
    waitableStarts.push_back(file);
    return realWaitableStart ? ql::RealSystemCalls().shellOpenWaitable(file, show) : nullptr;
  };
  c.terminateProcess = [this](DWORD pid) {
    order.push_back("terminateProcess");
    terminated.push_back(pid);
    return true;
  };
  c.enableShutdownPrivilege = [this] {
    order.push_back("enableShutdownPrivilege");
    return privilegeGranted;
  };
  c.exitWindows = [this](UINT flags) {
    order.push_back("exitWindows");
    exitFlags.push_back(flags);
    return true;
  };
  c.screenOff = [this](HWND w) {
    order.push_back("screenOff");
    screenOffWindows.push_back(w);
  };
  c.messageBox = [this](std::string_view text, std::string_view title, UINT style) {
    order.push_back("messageBox");
    boxTexts.emplace_back(text);
    boxTitles.emplace_back(title);
    boxStyles.push_back(style);
    return boxAnswer;
  };
  c.shellAbout = [this](HWND, std::string_view app, std::string_view other, HICON) {
    order.push_back("shellAbout");
    aboutTexts.emplace_back(app);
    aboutTexts.emplace_back(other);
  };
  c.taskDialog = [this](HWND, std::string_view instruction, std::string_view title, std::string_view content,
                        int buttons, int icon) {
    order.push_back("taskDialog");
    dialogTexts.emplace_back(instruction);
    dialogTexts.emplace_back(title);
    dialogTexts.emplace_back(content);
    dialogButtons.push_back(buttons);
    dialogIcons.push_back(icon);
    return IDOK;
  };
  ql::SetSystemCalls(std::move(c));
}

inline FakeSystemCalls::~FakeSystemCalls() { ql::SetSystemCalls(ql::RealSystemCalls()); }

}  // namespace qltest
