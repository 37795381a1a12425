// The real program under Wine: splash, stages, main window, single instance.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

TEST(ProgramStart, SplashThenMainWindowThenCloseEndsWithZero) {
  std::wstring dir = FreshTestFolder(L"启动 测试");
  std::wstring exe = CopyProgramInto(dir);
  ChildProcess app(exe, dir);
  ASSERT_TRUE(app.Started());

  HWND splash = WaitForTopWindow(app.Id(), ql::kSplashWindowClass, false, 15000);
  ASSERT_NE(splash, nullptr);
  // The status label carries one of the stage texts (or its designed text).
  auto isStageText = [](const std::string& t) {
    for (const char* s : {"初始化....", "初始化...", "释放目录...", "用户统计...", "配置检测...", "正在启动..."})
      if (t == s) return true;
    return false;
  };
  HWND status = GetDlgItem(splash, 101);
  if (status) {
    std::string text = TextOf(status);
    if (IsWindow(status)) {
      EXPECT_TRUE(text.empty() || isStageText(text)) << text;
    }
  }

  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(TextOf(main), "青岚工具箱");
  RECT rc;
  GetWindowRect(main, &rc);
  EXPECT_EQ(rc.right - rc.left, 1000);
  EXPECT_EQ(rc.bottom - rc.top, 640);
  // Stage 5 destroys the splash and clears topmost.
  EXPECT_TRUE(WaitUntil([&] { return TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty(); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return (GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }, 5000));
  // Stage 2 made bin\ beside the program.
  EXPECT_NE(GetFileAttributesW((dir + L"\\bin").c_str()), INVALID_FILE_ATTRIBUTES);

  // A second start exits with 0 while the first runs, showing nothing.
  {
    ChildProcess second(exe, dir);
    ASSERT_TRUE(second.Started());
    EXPECT_EQ(second.WaitExit(15000), 0u);
  }

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.WaitExit(10000), 0u);

  // After the first has ended, a new start runs.
  ChildProcess again(exe, dir);
  EXPECT_NE(WaitForTopWindow(again.Id(), ql::kMainWindowClass, true, 30000), nullptr);
}

TEST(ProgramStart, StartsWhenBinCannotBeCreated) {
  // A file named "bin" is in the way of the directory: start-up goes on.
  std::wstring dir = FreshTestFolder(L"bin 占用");
  std::wstring exe = CopyProgramInto(dir);
  ASSERT_TRUE(WriteFileBytes(dir + L"\\bin", "x", 1));
  ChildProcess app(exe, dir);
  EXPECT_NE(WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000), nullptr);
}

}  // namespace
