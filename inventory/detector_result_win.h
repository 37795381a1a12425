// A detector's result from a thread of its own, taken with the detection
// run's deadline. What has not come by the deadline is the detector's failed
// value; what comes later stays with its thread and is dropped, never
// written. A thread that never ends (a hung WMI) ends with the process.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "platform/pumping_wait_win.h"
#include "platform/scoped_win.h"
#include "platform/thread_win.h"

namespace ql {

template <class T>
class DetectorResult {
 public:
  // Starts `work` (returning a T) on a detached thread initialised for COM.
  template <class Work>
  explicit DetectorResult(Work work) : slot_(std::make_shared<Slot>()) {
    if (!slot_->ready) return;
    std::shared_ptr<Slot> slot = slot_;
    started_ = StartDetachedThread([slot, work] {
      try {
        ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
        slot->value = work();
      } catch (...) {
        slot->value.reset();  // counts as failed, without waiting for the deadline
      }
      SetEvent(slot->ready.Get());  // the value is read only after this
    });
  }

  // The result, or `failed()` when it has not come by `deadlineTick` (or its
  // work failed). The wait processes this thread's messages. Once only.
  template <class Failed>
  T Take(DWORD deadlineTick, Failed failed) {
    if (started_ && WaitForEventPumping(slot_->ready.Get(), deadlineTick) && slot_->value)
      return std::move(*slot_->value);
    return failed();
  }

 private:
  // Shared with the thread, which may outlive this object.
  struct Slot {
    ScopedHandle ready{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::optional<T> value;
  };
  std::shared_ptr<Slot> slot_;
  bool started_ = false;
};

}  // namespace ql
