// The UI-thread hand-over: a message-only window that runs closures sent to it.
#include "platform/ui_thread_win.h"

#include <windows.h>

namespace ql {
namespace {

constexpr UINT kRunClosure = WM_APP + 1;
HWND g_dispatch = nullptr;
DWORD g_uiThread = 0;

LRESULT CALLBACK DispatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunClosure) {
    (*reinterpret_cast<const std::function<void()>*>(lp))();
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void InitUiThread() {
  if (g_dispatch) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DispatchProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QinglanUiDispatch";
  RegisterClassW(&wc);
  g_dispatch = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  g_uiThread = GetCurrentThreadId();
}

void RunOnUiThread(const std::function<void()>& work) {
  if (!g_dispatch || GetCurrentThreadId() == g_uiThread) {
    work();
    return;
  }
  SendMessageW(g_dispatch, kRunClosure, 0, reinterpret_cast<LPARAM>(&work));
}

void WaitPumpingMessages(unsigned milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
  }
}

}  // namespace ql
