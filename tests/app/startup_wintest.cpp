// The real program under Wine: splash, stages, main window, single instance.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "platform/win_text.h"
#include "support/gbk_text.h"
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
  // While the splash lives, its status label reads the designed text or one
  // of the stage texts, never anything else (an empty text neither), and the
  // texts come in stage order.
  const std::vector<std::string> stages = {"初始化....",  "初始化...",   "释放目录...",
                                           "用户统计...", "配置检测...", "正在启动..."};
  std::vector<std::string> seen;
  WaitUntil(
      [&] {
        HWND status = GetDlgItem(splash, 101);
        if (!status) return !IsWindow(splash);
        // Read without a message: the splash's thread may be busy.
        wchar_t buf[64] = {};
        int n = InternalGetWindowText(status, buf, 64);
        if (!IsWindow(splash)) return true;  // gone while reading: the text may be torn
        std::string text = ql::Gbk(std::wstring_view(buf, static_cast<size_t>(n)));
        if (seen.empty() || seen.back() != text) seen.push_back(text);
        return false;
      },
      30000);
  ASSERT_FALSE(seen.empty());
  size_t last = 0;
  for (const std::string& text : seen) {
    auto at = std::find(stages.begin(), stages.end(), text);
    ASSERT_NE(at, stages.end()) << "status read \"" << ql::GbkToUtf8(text) << "\"";
    size_t index = static_cast<size_t>(at - stages.begin());
    EXPECT_GE(index, last) << ql::GbkToUtf8(text) << " came after a later stage";
    last = index;
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
