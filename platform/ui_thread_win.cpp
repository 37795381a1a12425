// The UI-thread hand-over: a message-only window that runs the requests this
// process queued for it.
#include "platform/ui_thread_win.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>

#include "platform/window_class_win.h"

namespace ql {
namespace {

constexpr UINT kRunRequest = WM_APP + 1;
HWND g_dispatch = nullptr;
DWORD g_uiThread = 0;

// The requests waiting for the UI thread, by number. Any process may send a
// message to the window: a message runs work only when the number it names
// is here, and then only once; any other message, with any parameters, is
// ignored (never taken for a pointer).
std::mutex g_lock;
std::map<LPARAM, const std::function<void()>*> g_pending;
LPARAM g_lastRequest = 0;

const std::function<void()>* TakeRequest(LPARAM number) {
  std::lock_guard<std::mutex> hold(g_lock);
  auto found = g_pending.find(number);
  if (found == g_pending.end()) return nullptr;
  const std::function<void()>* work = found->second;
  g_pending.erase(found);
  return work;
}

LRESULT CALLBACK DispatchProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kRunRequest) {
    // The asking thread waits in SendMessage until this returns, so the work
    // it named is alive while it runs.
    if (const std::function<void()>* work = TakeRequest(lp)) (*work)();
    return 0;
  }
  if (msg >= WM_APP) return 0;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

void InitUiThread() {
  if (g_dispatch) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, kUiDispatchWindowClass, DispatchProc);
  g_dispatch = CreateWindowExW(0, kUiDispatchWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  g_uiThread = GetCurrentThreadId();
}

void RunOnUiThread(const std::function<void()>& work) {
  if (!g_dispatch || GetCurrentThreadId() == g_uiThread) {
    work();
    return;
  }
  LPARAM number;
  {
    std::lock_guard<std::mutex> hold(g_lock);
    // Never 0: wraps round to 1; a number still waiting is skipped.
    do number = g_lastRequest = g_lastRequest == INTPTR_MAX ? 1 : g_lastRequest + 1;
    while (g_pending.count(number));
    g_pending[number] = &work;
  }
  SendMessageW(g_dispatch, kRunRequest, 0, number);
  // Normally taken by the window; left only when the message never got there.
  std::lock_guard<std::mutex> hold(g_lock);
  g_pending.erase(number);
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
