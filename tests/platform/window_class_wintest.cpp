// The class registration helper and the window's own object: found from
// WM_NCCREATE on, still there at WM_NCDESTROY, deleted exactly once, and
// left with its creator when no window takes it.
#include "platform/window_class_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace ql {
namespace {

struct Tracked {
  explicit Tracked(int& deletions) : deletions_(deletions) {}
  ~Tracked() { ++deletions_; }
  std::vector<UINT> seen;  // the messages that found this object
  bool refuseCreate = false;

 private:
  int& deletions_;
};

// The messages before WM_NCCREATE that found no object.
std::vector<UINT> g_unattached;

LRESULT CALLBACK TrackedProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Tracked* self = WindowState<Tracked>(hwnd, msg, lp);
  if (!self) {
    g_unattached.push_back(msg);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  self->seen.push_back(msg);
  if (msg == WM_CREATE && self->refuseCreate) return -1;
  if (msg == WM_NCDESTROY) DeleteWindowState<Tracked>(hwnd);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK OtherProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

constexpr wchar_t kClass[] = L"QlWindowStateTest";

HWND MakeWindow(std::unique_ptr<Tracked>& state, DWORD style = WS_POPUP) {
  return CreateWindowExW(0, kClass, L"", style, 0, 0, 40, 30, nullptr, nullptr, GetModuleHandleW(nullptr), &state);
}

class WindowStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegisterWindowClass(GetModuleHandleW(nullptr), kClass, TrackedProc));
    g_unattached.clear();
  }
};

TEST_F(WindowStateTest, FoundFromNcCreateToNcDestroyAndDeletedOnce) {
  int deletions = 0;
  auto state = std::make_unique<Tracked>(deletions);
  Tracked* object = state.get();
  HWND window = MakeWindow(state);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(state, nullptr) << "the window took the object over";
  ASSERT_FALSE(object->seen.empty());
  EXPECT_EQ(object->seen.front(), UINT(WM_NCCREATE));
  for (UINT early : g_unattached) EXPECT_EQ(early, UINT(WM_GETMINMAXINFO)) << "only messages before WM_NCCREATE";
  EXPECT_EQ(WindowState<Tracked>(window), object);
  SetWindowTextW(window, L"x");
  EXPECT_NE(std::find(object->seen.begin(), object->seen.end(), UINT(WM_SETTEXT)), object->seen.end());
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(deletions, 1);
}

TEST_F(WindowStateTest, AWindowThatFailsAfterTakingItDeletesItOnce) {
  int deletions = 0;
  auto state = std::make_unique<Tracked>(deletions);
  state->refuseCreate = true;
  EXPECT_EQ(MakeWindow(state), nullptr);
  EXPECT_EQ(state, nullptr);
  EXPECT_EQ(deletions, 1);
}

TEST_F(WindowStateTest, NoWindowLeavesItWithTheCreator) {
  int deletions = 0;
  auto state = std::make_unique<Tracked>(deletions);
  HWND window = CreateWindowExW(0, L"QlNoSuchClass", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                GetModuleHandleW(nullptr), &state);
  EXPECT_EQ(window, nullptr);
  EXPECT_NE(state, nullptr);
  EXPECT_EQ(deletions, 0);
  EXPECT_EQ(WindowState<Tracked>(nullptr), nullptr);
}

TEST_F(WindowStateTest, TheFirstRegistrationStands) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  EXPECT_TRUE(RegisterWindowClass(instance, kClass, OtherProc));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  ASSERT_TRUE(GetClassInfoExW(instance, kClass, &wc));
  EXPECT_EQ(wc.lpfnWndProc, &TrackedProc);

  HCURSOR arrow = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  ASSERT_TRUE(
      RegisterWindowClass(instance, L"QlWindowClassLookTest", OtherProc, {.cursor = arrow, .background = white}));
  ASSERT_TRUE(GetClassInfoExW(instance, L"QlWindowClassLookTest", &wc));
  EXPECT_EQ(wc.lpfnWndProc, &OtherProc);
  EXPECT_EQ(wc.hCursor, arrow);
  EXPECT_EQ(wc.hbrBackground, white);
  EXPECT_EQ(wc.cbWndExtra, 0);
}

}  // namespace
}  // namespace ql
