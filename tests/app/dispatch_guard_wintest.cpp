// The real program's hand-over window under messages from another process:
// this test program posts and sends WM_APP+1 … WM_APP+8 with random
// parameters to it, during start-up and after, and the program keeps
// starting, answering and ends normally.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "platform/ui_thread_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

// The hidden hand-over window of process `pid`, or nullptr.
HWND DispatchWindowOf(DWORD pid) {
  for (HWND w = FindWindowExW(HWND_MESSAGE, nullptr, ql::kUiDispatchWindowClass, nullptr); w;
       w = FindWindowExW(HWND_MESSAGE, w, ql::kUiDispatchWindowClass, nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) return w;
  }
  return nullptr;
}

// One burst: every one of the eight messages with random parameters, among
// them the small numbers the program gives its own requests, addresses that
// look like the stack and heap, and the extremes.
void PostGarbage(HWND window, std::mt19937& random, int rounds) {
  std::uniform_int_distribution<uint32_t> any;
  std::uniform_int_distribution<uint32_t> small(0, 64);
  for (int r = 0; r < rounds; ++r)
    for (UINT msg = WM_APP + 1; msg <= WM_APP + 8; ++msg) {
      uint32_t pick = any(random);
      LPARAM lp = 0;
      switch (pick % 4) {
        case 0: lp = static_cast<LPARAM>(small(random)); break;
        case 1: lp = static_cast<LPARAM>(any(random)); break;
        case 2: lp = static_cast<LPARAM>(0x00400000u + (any(random) & 0xFFFF0u)); break;
        default: lp = pick & 1 ? -1 : static_cast<LPARAM>(INTPTR_MAX); break;
      }
      PostMessageW(window, msg, static_cast<WPARAM>(any(random)), lp);
    }
}

TEST(DispatchGuard, ForeignMessagesWithAnyParametersRunNothing) {
  std::wstring dir = FreshTestFolder(L"派发 窗口");
  std::wstring exe = CopyProgramInto(dir);
  ChildProcess app(exe, dir);
  ASSERT_TRUE(app.Started());
  std::mt19937 random(20261210);

  // From the moment the window exists, through the whole start-up (while the
  // start-up thread really hands its window changes over), the posts go on.
  HWND dispatch = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (dispatch = DispatchWindowOf(app.Id())) != nullptr; }, 15000));
  HWND main = nullptr;
  bool started = WaitUntil(
      [&] {
        PostGarbage(dispatch, random, 4);
        main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 0);
        return main != nullptr && TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty();
      },
      40000);
  ASSERT_EQ(WaitForSingleObject(app.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program ended";
  ASSERT_TRUE(started);

  // Once running: bursts posted and sent, the program answering between them.
  for (int burst = 0; burst < 20; ++burst) {
    PostGarbage(dispatch, random, 25);
    DWORD_PTR answer = 0;
    UINT sent = WM_APP + 1 + burst % 8;
    EXPECT_TRUE(SendMessageTimeoutW(dispatch, sent, burst, static_cast<LPARAM>(random()), SMTO_NORMAL, 10000, &answer));
    EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) << "burst " << burst;
  }
  ASSERT_EQ(WaitForSingleObject(app.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the program ended";
  EXPECT_EQ(TextOf(main), "青岚工具箱");
  EXPECT_EQ(DispatchWindowOf(app.Id()), dispatch);

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitExit(10000), 0u);
}

}  // namespace
