// LaunchFile and OpenLink over the replaceable shell call.
#include "launcher/shell_launch_win.h"

#include "app/app_paths.h"
#include "launcher/system_calls_win.h"
#include "platform/win_text.h"

namespace ql {

void LaunchFile(std::string_view target, LaunchMode mode) {
  if (target.empty()) return;
  bool normal = mode == LaunchMode::Normal;
  CurrentSystemCalls().shellOpen(nullptr, Wide(target), normal, normal ? SW_SHOWNORMAL : SW_SHOW);
}

void OpenLink(std::string_view address) {
  if (address.empty()) return;
  HWND owner = FindWindowW(nullptr, L"Microsoft Internet Explorer");
  CurrentSystemCalls().shellOpen(owner, Wide(address), false, SW_SHOWNORMAL);
}

void LaunchPackageFile(std::string_view relativeTarget, LaunchMode mode) {
  std::string path = CurrentAppPaths().programDir;
  path.append(relativeTarget);
  LaunchFile(path, mode);
}

void OpenToolsDirectory() { LaunchFile(CurrentAppPaths().toolsDir, LaunchMode::Normal); }

}  // namespace ql
