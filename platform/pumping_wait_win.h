// Waiting for an event with a deadline while the calling thread's messages
// are processed, so a window of that thread keeps painting and answering.
#pragma once

#include <windows.h>

namespace ql {

// True when `event` is set before GetTickCount reaches `deadlineTick`
// (compared with wrap-around); false on the deadline or a failed wait.
bool WaitForEventPumping(HANDLE event, DWORD deadlineTick);

}  // namespace ql
