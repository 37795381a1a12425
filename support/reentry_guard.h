// One piece of work at a time where a wait keeps the window answering: the
// user may click the same button again while the first click still waits.
#pragma once

namespace ql {

// Enters when `busy` is clear and sets it for its lifetime; a second guard
// over the same flag meanwhile does not enter (and leaves the flag alone).
class ReentryGuard {
 public:
  explicit ReentryGuard(bool& busy) : busy_(busy), entered_(!busy) { busy_ = true; }
  ReentryGuard(const ReentryGuard&) = delete;
  ReentryGuard& operator=(const ReentryGuard&) = delete;
  ~ReentryGuard() {
    if (entered_) busy_ = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool& busy_;
  bool entered_;
};

}  // namespace ql
