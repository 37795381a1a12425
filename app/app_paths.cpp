// AppPaths: every package path is programDir + a fixed relative text.
#include "app/app_paths.h"

#include "support/gbk_text.h"

namespace ql {

std::string ProgramDirFromModulePath(std::string_view modulePath) {
  size_t slash = FindTextReverse(modulePath, "\\");
  if (slash == std::string_view::npos) return {};
  return std::string(modulePath.substr(0, slash));
}

AppPaths MakeAppPaths(std::string_view programDir) {
  AppPaths p;
  p.programDir = std::string(programDir);
  p.binDir = p.programDir + "\\bin";
  p.toolsDir = p.programDir + "\\tools";
  p.pluginDir = p.programDir + "\\plugin";
  p.dataDir = p.programDir + "\\data";
  return p;
}

}  // namespace ql
