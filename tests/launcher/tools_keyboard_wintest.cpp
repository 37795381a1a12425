// The tools container from the keyboard, through the message loop's
// keyboard step: Tab reaches the category buttons and the tool buttons in
// reading order, Enter and Space press them, Shift+Tab goes back; a tool
// reaches the shell stand-in.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_paths.h"
#include "launcher/tools_container_win.h"
#include "launcher/tools_layout.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/layout_keys_win.h"
#include "tests/launcher/fake_system_calls_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

class ToolsKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = qltest::CreateHostWindow(L"QlToolsKeyboardHost", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 900, 700);
    ASSERT_NE(host_, nullptr);
    ql::ClearControlActions();
    ql::RegisterLauncherActions(launcher_.launcher, launcher_.operations, tools_);
    ASSERT_NE(ql::CreateToolsContainer(host_, -8, 0, 828, 568), nullptr);
    ShowWindow(host_, SW_SHOW);
    SetFocus(host_);
  }
  void TearDown() override {
    ql::ClearControlActions();
    if (host_) DestroyWindow(host_);
  }

  // A key pressed and let go, as the program's message loop takes it: the
  // keyboard step first, then translated and dispatched to the focus.
  void Press(UINT key, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND to = GetFocus() ? GetFocus() : host_;
    for (UINT message : {UINT(WM_KEYDOWN), UINT(WM_KEYUP)}) {
      MSG m{to, message, key, message == WM_KEYUP ? LPARAM(1) | (LPARAM(3) << 30) : LPARAM(1), 0, {}};
      if (ql::HandleLayoutKeyboard(m)) continue;
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  std::string FocusText() {
    HWND f = GetFocus();
    return f ? ql::GetWindowTextGbk(f) : std::string();
  }
  // Tab until the focus is on the control with this caption; false when a
  // round of the window does not reach it.
  bool TabTo(const std::string& caption) {
    for (int i = 0; i < 80; ++i) {
      if (FocusText() == caption) return true;
      Press(VK_TAB);
    }
    return false;
  }

  FakeSystemCalls fake;
  FakeLauncher launcher_{fake};
  RecordingToolsHost tools_;
  HWND host_ = nullptr;
};

TEST_F(ToolsKeyboardTest, TabOrderOfTheOverviewReadsLineByLine) {
  // The search box and its button share the first line; then the system
  // functions row by row, then the category buttons.
  Press(VK_TAB);
  HWND f = GetFocus();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f, ql::ToolsSearchBox() ? GetWindow(ql::ToolsSearchBox(), GW_CHILD) : nullptr);
  std::vector<std::string> seen;
  for (int i = 0; i < 12; ++i) {
    Press(VK_TAB);
    seen.push_back(FocusText());
  }
  const std::vector<std::string> expected = {"点击搜索", "重启资源管理器", "重建图标缓存", "打开关于系统",
                                             "垃圾清理", "高级垃圾清理",   "关闭屏幕",     "打开注册表",
                                             "关机",     "重启",           "注销",         "cpu工具"};
  EXPECT_EQ(seen, expected);
  // Shift+Tab goes the same way back.
  Press(VK_TAB, true);
  EXPECT_EQ(FocusText(), "注销");
  Press(VK_TAB, true);
  EXPECT_EQ(FocusText(), "重启");
  EXPECT_TRUE(fake.order.empty());  // moving the focus runs nothing
}

TEST_F(ToolsKeyboardTest, EnterOpensACategoryAndSpaceLaunchesItsTool) {
  ASSERT_TRUE(TabTo("显示器工具"));
  Press(VK_RETURN);
  EXPECT_EQ(ql::ToolsContainerPage(), 7);
  ASSERT_FALSE(tools_.titles.empty());
  EXPECT_EQ(tools_.titles.back(), "显示器工具");
  EXPECT_TRUE(fake.shellCalls.empty());

  // The page's back button first (it sits highest), then its tools.
  Press(VK_TAB);
  EXPECT_EQ(FocusText(), "返回");
  Press(VK_TAB);
  ASSERT_EQ(FocusText(), "displayx");
  Press(VK_SPACE);
  ASSERT_EQ(fake.shellCalls.size(), 1u);
  EXPECT_EQ(fake.shellCalls[0].file,
            ql::Wide(ql::CurrentAppPaths().programDir + "\\tools\\显示器工具\\displayx\\DisplayX.exe"));
  Press(VK_TAB);
  ASSERT_EQ(FocusText(), "色域检测");
  Press(VK_RETURN);
  ASSERT_EQ(fake.shellCalls.size(), 2u);
  EXPECT_NE(fake.shellCalls[1].file.find(L"monitorinfo.exe"), std::wstring::npos);

  // Back to the overview from the keyboard.
  Press(VK_TAB, true);
  Press(VK_TAB, true);
  ASSERT_EQ(FocusText(), "返回");
  Press(VK_SPACE);
  EXPECT_EQ(ql::ToolsContainerPage(), 0);
  EXPECT_EQ(tools_.titles.back(), "功能");
}

}  // namespace
