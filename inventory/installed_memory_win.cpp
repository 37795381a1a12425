// GlobalMemoryStatusEx behind InstalledMemoryText: a failed call leaves the
// zeroed structure and so gives "0GB".
#include "inventory/installed_memory_win.h"

#include <windows.h>

#include "inventory/system_detectors.h"

namespace ql {

std::string InstalledMemoryText() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return InstalledMemoryTextFor(status.ullTotalPhys);
}

}  // namespace ql
