// The program directory and the tool package's fixed sub-directories.
#pragma once

#include <string>
#include <string_view>

namespace ql {

struct AppPaths {
  std::string programDir;  // no trailing backslash
  std::string binDir;
  std::string toolsDir;
  std::string pluginDir;
  std::string dataDir;
};

// The directory part of a module path ("C:\a\b.exe" -> "C:\a"); plain text,
// nothing normalised. A path without a backslash gives the empty text.
std::string ProgramDirFromModulePath(std::string_view modulePath);
AppPaths MakeAppPaths(std::string_view programDir);

// Computed on demand from the running module, never cached (Windows only).
AppPaths CurrentAppPaths();
// The running module's full path, of any length; empty on failure (Windows only).
std::wstring CurrentModulePath();
// Creates bin\ beside the program; every failure is ignored.
void EnsureBinDirectory();

}  // namespace ql
