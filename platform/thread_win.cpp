// Detached threads through the C runtime's thread start, so the runtime's
// per-thread state is set up for the work.
#include "platform/thread_win.h"

#include <windows.h>
#include <process.h>

#include <memory>

#include "platform/scoped_win.h"

namespace ql {
namespace {

unsigned __stdcall RunWork(void* parameter) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  try {
    (*work)();
  } catch (...) {
    // A worker has no one to report to: its failure ends the thread only.
  }
  return 0;
}

}  // namespace

bool StartDetachedThread(std::function<void()> work) {
  if (!work) return false;
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  uintptr_t thread = _beginthreadex(nullptr, 0, RunWork, owned.get(), 0, nullptr);
  if (!thread) return false;
  (void)owned.release();  // the thread owns it now
  ScopedHandle closed(reinterpret_cast<HANDLE>(thread));
  return true;
}

}  // namespace ql
