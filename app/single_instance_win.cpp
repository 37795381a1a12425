// The single-instance guard.
#include "app/single_instance_win.h"

#include <windows.h>

#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {
namespace {
HANDLE g_instanceEvent = nullptr;  // never closed: released with the process
}

bool AcquireSingleInstance(const char* key) {
  ScopedHandle event(CreateEventW(nullptr, FALSE, FALSE, Wide(key).c_str()));
  if (event && GetLastError() == ERROR_ALREADY_EXISTS) return false;
  // A failed creation is ignored: this instance runs without the marker.
  g_instanceEvent = event.Release();
  return true;
}

void GuardSingleInstance(const char* key) {
  if (!AcquireSingleInstance(key)) ExitProcess(0);
}

}  // namespace ql
