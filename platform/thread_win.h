// The program's one way to start a worker thread that nobody joins.
#pragma once

#include <functional>

namespace ql {

// Runs `work` on a new thread and returns at once; false (and `work` never
// runs) when no thread can be had. Nothing thrown inside `work` leaves the
// thread.
bool StartDetachedThread(std::function<void()> work);

}  // namespace ql
