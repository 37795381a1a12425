// MsgWaitForMultipleObjectsEx with the messages dispatched between waits.
#include "platform/pumping_wait_win.h"

#include <cstdint>

namespace ql {

bool WaitForEventPumping(HANDLE event, DWORD deadlineTick) {
  for (;;) {
    auto left = static_cast<int32_t>(deadlineTick - GetTickCount());
    DWORD wait = left > 0 ? static_cast<DWORD>(left) : 0;
    DWORD woke = MsgWaitForMultipleObjectsEx(1, &event, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woke == WAIT_OBJECT_0) return true;
    if (woke != WAIT_OBJECT_0 + 1) return false;  // the deadline, or the wait failed
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {  // for the message loop, not for us
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (left <= 0) return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  }
}

}  // namespace ql
