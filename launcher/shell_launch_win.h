// Starting programs, documents, folders and web pages through the shell.
#pragma once

#include <string_view>

#include "app/app_paths.h"
#include "launcher/launch_table.h"
#include "launcher/system_calls_win.h"
#include "support/user_prompts.h"

namespace ql {

// The launch and link operations behind every tool button, card and link.
// Targets are GBK texts; they reach the shell as UTF-16 converted with code
// page 936, so Chinese paths survive on any system language. Results are
// ignored and nothing is shown on failure.
class Launcher {
 public:
  Launcher(SystemCalls& calls, UserPrompts& prompts, AppPaths paths)
      : calls_(calls), prompts_(prompts), paths_(std::move(paths)) {}

  void LaunchFile(std::string_view target, LaunchMode mode) const;
  // Opens an address through the shared link operation; only a web address
  // (IsWebAddress) gets there.
  void OpenLink(std::string_view address) const;
  // LaunchFile(programDir + relativeTarget, mode).
  void LaunchPackageFile(std::string_view relativeTarget, LaunchMode mode) const;
  // The handler of "工具目录": opens toolsDir in the shell's file browser.
  void OpenToolsDirectory() const;

 private:
  SystemCalls& calls_;
  UserPrompts& prompts_;
  AppPaths paths_;
};

}  // namespace ql
