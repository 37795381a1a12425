// AppPaths from the running module.
#include <windows.h>

#include "app/app_paths.h"
#include "platform/win_text.h"

namespace ql {

std::wstring CurrentModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // long paths: grow until it fits
  }
}

AppPaths CurrentAppPaths() {
  std::wstring path = CurrentModulePath();
  return MakeAppPaths(path.empty() ? "" : ProgramDirFromModulePath(Gbk(path)));
}

void EnsureBinDirectory() { CreateDirectoryW(Wide(CurrentAppPaths().binDir).c_str(), nullptr); }

}  // namespace ql
