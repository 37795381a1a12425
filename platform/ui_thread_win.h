// Hands work to the UI thread and waits for it: window changes asked for by
// worker threads (start-up, detection, web fetches) happen there, in order.
#pragma once

#include <functional>

namespace ql {

// The window class of the hidden message window.
inline constexpr wchar_t kUiDispatchWindowClass[] = L"QinglanUiDispatch";

// Creates the hidden message window; call once on the UI thread before any
// worker thread starts.
void InitUiThread();
// Runs `work` on the UI thread and returns when it has run. On the UI thread
// itself it runs at once. The message to the window names the request by a
// number in this process's own list, never by its address.
void RunOnUiThread(const std::function<void()>& work);
// Waits `milliseconds` on GetTickCount while this thread's pending messages
// are processed.
void WaitPumpingMessages(unsigned milliseconds);

}  // namespace ql
