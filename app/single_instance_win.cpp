// The single-instance guard.
#include "app/single_instance_win.h"

#include <windows.h>

#include "platform/win_text.h"

namespace ql {
namespace {
HANDLE g_instanceEvent = nullptr;  // never closed: released with the process
}

bool AcquireSingleInstance(const char* key) {
  HANDLE h = CreateEventW(nullptr, FALSE, FALSE, Wide(key).c_str());
  if (h && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(h);
    return false;
  }
  // A failed creation is ignored: this instance runs without the marker.
  g_instanceEvent = h;
  return true;
}

void GuardSingleInstance(const char* key) {
  if (!AcquireSingleInstance(key)) ExitProcess(0);
}

}  // namespace ql
