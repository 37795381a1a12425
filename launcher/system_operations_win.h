// The one-click system operations of the group "系统功能" and the hint behind
// "工具无法打开？". All run on the UI thread as click handlers; every final
// call goes through SystemCalls, every box through UserPrompts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/app_paths.h"
#include "launcher/shell_launch_win.h"
#include "launcher/system_calls_win.h"
#include "launcher/tools_layout.h"
#include "support/user_prompts.h"

namespace ql {

// The window that owns the operations' system dialogs (the about box, the
// hint) and receives the display-off command: the shell's main window.
class SystemDialogOwner {
 public:
  virtual ~SystemDialogOwner() = default;
  virtual HWND DialogOwnerWindow() = 0;
};

// The longest RebuildIconCache waits for the command interpreter before it
// removes the script; the window keeps answering meanwhile.
inline constexpr unsigned kIconScriptWaitMs = 15000;

// The question RunJunkCleanScript asks before it writes and starts C.bat.
inline constexpr std::string_view kJunkCleanQuestion =
    "即将删除系统盘中的临时文件、日志与备份文件（*.tmp、*.log、*.bak、*.old 等），删除后无法恢复！真的要执行操作吗？";

class SystemOperations {
 public:
  SystemOperations(SystemCalls& calls, UserPrompts& prompts, SystemDialogOwner& owner, AppPaths paths)
      : calls_(calls), prompts_(prompts), owner_(owner), launcher_(calls, prompts, paths), paths_(std::move(paths)) {}

  void RestartExplorer();
  void RebuildIconCache();
  void ShowWindowsAbout();
  void RunDiskCleanup();
  void RunJunkCleanScript();
  void TurnScreenOff();
  void OpenRegistryEditor();
  void ShutDownSystem();
  void RestartSystem();
  void LogOffUser();
  void ExplainToolStartFailure();
  void Run(SystemOperation operation);

  // The shutdown command: enables the shutdown privilege, then ExitWindowsEx
  // with the flags of `mode` (1 shut down, 2 restart, 3 log off). False when
  // the privilege cannot be enabled or the call fails.
  bool EndSession(int mode, bool force);

  // RebuildIconCache with its script and folder given: writes `lines` to
  // binDir + "\清理图标缓存.bat", starts it, starts Explorer, waits for the
  // script's interpreter (bounded, processing this thread's messages) and
  // deletes the script. A script that cannot be written is not started; a
  // call while one is still waiting does nothing.
  void RebuildIconCacheWith(std::string_view binDir, const std::vector<std::string>& lines);

 private:
  void AskThenEndSession(std::string_view question, int mode);

  SystemCalls& calls_;
  UserPrompts& prompts_;
  SystemDialogOwner& owner_;
  Launcher launcher_;
  AppPaths paths_;
  bool iconCacheBusy_ = false;
};

// Writes the bytes to the file (replacing it); false on any failure, and a
// partly written file is removed.
bool WriteScriptFile(std::string_view gbkPath, const std::string& bytes);

}  // namespace ql
