// A detector's result taken with a deadline: in time it is the result, late
// it is the failed value and the late answer stays with its thread (which
// may outlive the result), failed work counts as failed, and the wait keeps
// answering messages sent to the waiting thread.
#include "inventory/detector_result_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/scoped_win.h"
#include "tests/win_test_support.h"

namespace ql {
namespace {

ScopedHandle NewEvent() { return ScopedHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr)); }

TEST(DetectorResult, AResultInTimeIsTaken) {
  DetectorResult<std::string> result([] { return std::string("型号=A"); });
  EXPECT_EQ(result.Take(GetTickCount() + 30000, [] { return std::string("failed"); }), "型号=A");
}

TEST(DetectorResult, ALateAnswerGivesTheFailedValueAndStaysWithItsThread) {
  ScopedHandle release = NewEvent(), freed = NewEvent();
  HANDLE releaseHandle = release.Get(), freedHandle = freed.Get();
  {
    // The late answer tells when it is destroyed: with the slot, once the
    // thread has let go of it.
    DetectorResult<std::shared_ptr<void>> result([releaseHandle, freedHandle] {
      WaitForSingleObject(releaseHandle, INFINITE);
      return std::shared_ptr<void>(nullptr, [freedHandle](void*) { SetEvent(freedHandle); });
    });
    EXPECT_EQ(result.Take(GetTickCount() + 300, [] { return std::shared_ptr<void>(); }), nullptr);
  }
  // The result object is gone; the thread still delivers into its own slot,
  // which goes with the thread.
  SetEvent(release.Get());
  EXPECT_EQ(WaitForSingleObject(freed.Get(), 30000), WAIT_OBJECT_0);
}

TEST(DetectorResult, WorkThatThrowsCountsAsFailed) {
  DetectorResult<int> result([]() -> int { throw std::runtime_error("detector failed"); });
  EXPECT_EQ(result.Take(GetTickCount() + 30000, [] { return -1; }), -1);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_APP) {
    ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return 1;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The work can only finish once a message sent to the waiting thread's window
// has been handled: without the message processing the wait would reach its
// deadline instead.
TEST(DetectorResult, TheWaitAnswersMessagesSentToTheWaitingThread) {
  HWND window = qltest::CreateMessageWindow(L"QinglanDetectorResultTest", CountingProc);
  ASSERT_NE(window, nullptr);
  int handled = 0;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));

  DetectorResult<int> result([window] {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 20000, &answer) ? static_cast<int>(answer) : 0;
  });
  EXPECT_EQ(result.Take(GetTickCount() + 20000, [] { return -1; }), 1);
  EXPECT_EQ(handled, 1);
  DestroyWindow(window);
}

}  // namespace
}  // namespace ql
