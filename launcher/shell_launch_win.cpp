// LaunchFile over the system calls, OpenLink over the shared prompts.
#include "launcher/shell_launch_win.h"

#include "platform/win_text.h"
#include "support/web_address.h"

namespace ql {

void Launcher::LaunchFile(std::string_view target, LaunchMode mode) const {
  if (target.empty()) return;
  bool normal = mode == LaunchMode::Normal;
  calls_.ShellOpen(nullptr, Wide(target), normal, normal ? SW_SHOWNORMAL : SW_SHOW);
}

void Launcher::OpenLink(std::string_view address) const {
  if (IsWebAddress(address)) prompts_.OpenLink(address);
}

void Launcher::LaunchPackageFile(std::string_view relativeTarget, LaunchMode mode) const {
  std::string path = paths_.programDir;
  path.append(relativeTarget);
  LaunchFile(path, mode);
}

void Launcher::OpenToolsDirectory() const { LaunchFile(paths_.toolsDir, LaunchMode::Normal); }

}  // namespace ql
