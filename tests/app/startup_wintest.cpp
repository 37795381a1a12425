// The real program under Wine: splash, stages, main window, single instance.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "app/startup_phases.h"
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

TEST(ProgramStart, PhaseLogListsTheStartUpInOrderOnlyWhenAsked) {
  std::wstring dir = FreshTestFolder(L"阶段 日志");
  std::wstring exe = CopyProgramInto(dir);
  std::wstring log = dir + L"\\phases.log";
  auto run = [&] {
    ChildProcess app(exe, dir);
    ASSERT_TRUE(app.Started());
    ASSERT_NE(WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty(); }, 5000));
    Sleep(200);
  };
  // Without the variable nothing is written.
  run();
  EXPECT_EQ(GetFileAttributesW(log.c_str()), INVALID_FILE_ATTRIBUTES);

  SetEnvironmentVariableW(ql::kPhaseLogVariable, log.c_str());
  run();
  SetEnvironmentVariableW(ql::kPhaseLogVariable, nullptr);
  std::vector<uint8_t> bytes = ReadFileBytes(log);
  std::vector<ql::PhaseMark> marks = ql::ParsePhaseLines(std::string(bytes.begin(), bytes.end()));
  std::map<std::string, int64_t> at;
  for (const ql::PhaseMark& m : marks) EXPECT_TRUE(at.emplace(m.phase, m.ticks).second) << "twice: " << m.phase;
  for (std::string_view p : ql::kStartupPhases) EXPECT_EQ(at.count(std::string(p)), 1u) << p;
  // The UI thread's points in their order, and the start-up thread's in
  // theirs (the two threads' first points may interleave).
  auto inOrder = [&](std::initializer_list<const char*> points) {
    for (auto a = points.begin(), b = a + 1; b != points.end(); ++a, ++b)
      EXPECT_LE(at[*a], at[*b]) << *a << " before " << *b;
  };
  inOrder({"entry", "main-window-created", "splash-created"});
  inOrder({"stage-1", "splash-shown", "stage-2", "stage-3", "stage-4", "detection-done", "stage-5", "main-window-shown",
           "main-window-painted", "final-shadow", "splash-destroyed", "topmost-cleared"});
  EXPECT_LE(at["main-window-created"], at["stage-1"]);
}

}  // namespace
