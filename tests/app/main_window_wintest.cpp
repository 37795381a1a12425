// The real program's main window under Wine: navigation, the uptime clock,
// the shadow that follows the window. (Screenshots of the pages, for looking
// at by eye, are tools/screenshots.sh.)
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "app/main_layout.h"
#include "app/main_pages.h"
#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "platform/win_text.h"
#include "support/window_shadow_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

// WM_GETTEXT: the text an edit control holds, also in another process.
std::string Text(HWND h) {
  wchar_t buf[1024] = {};
  SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf));
  return ql::Gbk(buf);
}

HWND Control(HWND main, std::string_view layoutName) { return qltest::FindLayoutControl(main, layoutName); }

HWND Page(HWND main, int page) { return qltest::FindChildById(main, ql::kPageIdBase + page); }

RECT RectIn(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// The program, started in a folder where the tool package counts as
// installed, so that no package question interrupts the navigation.
class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new std::wstring(FreshTestFolder(L"主窗口 测试"));
    std::wstring exe = CopyProgramInto(*dir_);
    CreateDirectoryW((*dir_ + L"\\bin").c_str(), nullptr);
    WriteFileBytes(*dir_ + L"\\bin\\tool.ini", "[tool]\r\n", 8);
    app_ = new ChildProcess(exe, *dir_);
    main_ = WaitForTopWindow(app_->Id(), ql::kMainWindowClass, true, 30000);
    // The start-up ends with the final shadow and the splash gone.
    WaitUntil([] { return TopWindowsOf(app_->Id(), ql::kSplashWindowClass).empty(); }, 5000);
    Sleep(300);
  }
  static void TearDownTestSuite() {
    delete app_;
    delete dir_;
  }
  void SetUp() override { ASSERT_NE(main_, nullptr); }

  void Click(std::string_view layoutName) {
    HWND c = Control(main_, layoutName);
    ASSERT_NE(c, nullptr) << layoutName;
    SendMessageW(c, BM_CLICK, 0, 0);
  }
  int ShownPage() {
    int shown = -1;
    for (int p = 0; p < ql::kMainPageCount; ++p)
      if (IsWindowVisible(Page(main_, p))) {
        if (shown >= 0) return -2;  // more than one
        shown = p;
      }
    return shown;
  }

  static std::wstring* dir_;
  static ChildProcess* app_;
  static HWND main_;
};
std::wstring* MainWindowTest::dir_ = nullptr;
ChildProcess* MainWindowTest::app_ = nullptr;
HWND MainWindowTest::main_ = nullptr;

TEST_F(MainWindowTest, EveryNavigationControlWritesItsTitleAndSwitchesThePage) {
  HWND title = Control(main_, "标题标签");
  HWND bar = Control(main_, "选择条");
  ASSERT_NE(title, nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Text(title), "主页");
  EXPECT_EQ(ShownPage(), 0);
  // The title each control writes, byte for byte: B1 … x write their own
  // captions, trailing spaces and all (4, 4, 6, 4, 4, 3 and 13).
  const std::map<std::string, std::string> titles = {
      {"主页", "主页"},
      {"功能", "功能"},
      {"特色", "特色功能"},
      {"B1", "Windows 下载    "},
      {"C", "Windows 激活    "},
      {"D", "Windows PE      "},
      {"E", "Ms office 下载    "},
      {"F", "Ms office 激活    "},
      {"G", "Windows 美化   "},
      {"x", "教程文档             "},
      {"设置", "设置"},
      {"更新日志", "更新日志"},
      {"赞助与支持", "赞助与支持"},
      {"必读：用户协议", "用户协议"},
      {"Pro专业版", "赞助与支持"},
  };
  ASSERT_EQ(titles.size(), ql::NavTargets().size());
  for (const ql::NavTarget& t : ql::NavTargets()) {
    auto expected = titles.find(std::string(t.control));
    ASSERT_NE(expected, titles.end()) << t.control;
    if (t.title.empty()) {
      // B1 … x: the control's caption is the title.
      EXPECT_EQ(Text(Control(main_, t.control)), expected->second) << t.control;
    }
    RECT before = RectIn(bar);
    Click(t.control);
    EXPECT_EQ(Text(title), expected->second) << t.control;
    EXPECT_EQ(ShownPage(), t.page) << t.control;
    RECT after = RectIn(bar);
    switch (t.bar) {
      case ql::BarMove::ToControl:
        EXPECT_EQ(after.left, 0) << t.control;
        EXPECT_EQ(after.top, t.barTop) << t.control;
        break;
      case ql::BarMove::Aside:
        EXPECT_EQ(after.left, -100) << t.control;
        EXPECT_EQ(after.top, before.top) << t.control;
        break;
      case ql::BarMove::Keep: EXPECT_TRUE(SameRect(after, before)) << t.control; break;
    }
  }
  Click("设置");
  Click("主页");
  EXPECT_EQ(RectIn(bar).left, 0);
  EXPECT_EQ(RectIn(bar).top, 101);
}

TEST_F(MainWindowTest, HomePageControlsCarryTheirDesignedTexts) {
  EXPECT_EQ(Text(Control(main_, "标签69")), "中央处理器");
  EXPECT_EQ(Text(Control(main_, "透明标签16")), "一键复制");
  HWND redetect = Control(main_, "透明标签13");
  ASSERT_NE(redetect, nullptr);
  EXPECT_FALSE(IsWindowVisible(redetect));
  EXPECT_NE(Control(main_, "编辑框1"), nullptr);
  EXPECT_EQ(Text(Control(main_, "标签17")).substr(0, 10), "当前版本：");
  // Pictures and cards are windows named by their caption.
  EXPECT_EQ(FindChildrenByText(main_, "Pro专业版").size(), 1u);
  EXPECT_EQ(FindChildrenByText(main_, "更新日志").size(), 2u);  // the bottom button and its page
}

TEST_F(MainWindowTest, UptimeLabelAdvances) {
  HWND uptime = Control(main_, "标签7");
  ASSERT_NE(uptime, nullptr);
  std::string first;
  ASSERT_TRUE(WaitUntil([&] { return Text(uptime).find("分钟") != std::string::npos; }, 3000));
  first = Text(uptime);
  EXPECT_TRUE(WaitUntil([&] { return Text(uptime) != first; }, 3000)) << first;
  EXPECT_NE(Text(uptime).find("小时"), std::string::npos);
}

TEST_F(MainWindowTest, ShadowFollowsMoveMinimiseAndRestore) {
  auto shadows = TopWindowsOf(app_->Id(), ql::kShadowWindowClass);
  ASSERT_EQ(shadows.size(), 1u);
  HWND shadow = shadows[0];
  EXPECT_EQ(GetWindow(shadow, GW_OWNER), main_);
  auto placedAround = [&] {
    RECT m = ScreenRect(main_), s = ScreenRect(shadow);
    return IsWindowVisible(shadow) && s.left == m.left - 8 && s.top == m.top - 8 && s.right == m.right + 8 &&
           s.bottom == m.bottom + 8;
  };
  EXPECT_TRUE(WaitUntil(placedAround, 3000));
  RECT m = ScreenRect(main_);
  SetWindowPos(main_, nullptr, m.left + 37, m.top + 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil(placedAround, 3000));
  EXPECT_EQ(ScreenRect(shadow).left, m.left + 37 - 8);

  ShowWindow(main_, SW_MINIMIZE);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(shadow); }, 3000));
  ShowWindow(main_, SW_RESTORE);
  EXPECT_TRUE(WaitUntil(placedAround, 3000));
  SetWindowPos(main_, nullptr, m.left, m.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A key as the program's message loop gets it: posted to the window that
// has the focus in its UI thread (the window itself when none has).
class ProgramKeyboard {
 public:
  explicit ProgramKeyboard(HWND main) : main_(main), thread_(GetWindowThreadProcessId(main, nullptr)) {}
  HWND Focus() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_, &info) ? info.hwndFocus : nullptr;
  }
  void Press(UINT key) {
    HWND to = Focus() ? Focus() : main_;
    PostMessageW(to, WM_KEYDOWN, key, 1);
    PostMessageW(to, WM_KEYUP, key, LPARAM(1) | (LPARAM(3) << 30));
  }
  // Tab, and the focus seen to move (a sent message would be answered
  // before the posted keys are read, so the move itself is waited for).
  void Tab() {
    HWND before = Focus();
    Press(VK_TAB);
    WaitUntil([&] { return Focus() != before; }, 3000);
  }

 private:
  HWND main_;
  DWORD thread_;
};

TEST_F(MainWindowTest, TabReachesTheNavigationAndEnterOpensItsPage) {
  ProgramKeyboard keys(main_);
  // From the window itself: 主页 first, then 功能, in the column's order.
  keys.Tab();
  EXPECT_EQ(keys.Focus(), Control(main_, "主页"));
  keys.Tab();
  ASSERT_EQ(keys.Focus(), Control(main_, "功能"));
  keys.Press(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return Text(Control(main_, "标题标签")) == "功能"; }, 3000));
  EXPECT_EQ(ShownPage(), 1);
  EXPECT_EQ(RectIn(Control(main_, "选择条")).top, 138);
  // On through the rest of the column to the search box of "功能" and on
  // round: every stop is a control of the column, the top bar or the page.
  bool reachedSearchBox = false;
  for (int i = 0; i < 40 && !reachedSearchBox; ++i) {
    keys.Tab();
    HWND f = keys.Focus();
    ASSERT_NE(f, nullptr);
    wchar_t cls[32] = {};
    GetClassNameW(GetParent(f), cls, 32);
    reachedSearchBox = lstrcmpiW(cls, L"ComboBox") == 0;
  }
  EXPECT_TRUE(reachedSearchBox);
  // Round past the page's last control to the column again; Space on a
  // navigation control acts as its click.
  for (int i = 0; i < 60 && keys.Focus() != Control(main_, "特色"); ++i) {
    keys.Tab();
    ASSERT_TRUE(IsChild(main_, keys.Focus()));
  }
  ASSERT_EQ(keys.Focus(), Control(main_, "特色"));
  keys.Press(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return Text(Control(main_, "标题标签")) == "特色功能"; }, 3000));
  EXPECT_EQ(ShownPage(), 13);
}

TEST_F(MainWindowTest, PointsThatDoNotHandleTheMouseDragTheWindow) {
  auto hit = [](HWND h) {
    RECT rc = ScreenRect(h);
    LPARAM at = MAKELPARAM(rc.left + 2, rc.top + 2);
    return SendMessageW(h, WM_NCHITTEST, 0, at);
  };
  EXPECT_EQ(hit(main_), HTCAPTION);
  EXPECT_EQ(hit(Control(main_, "标签69")), HTTRANSPARENT);
  EXPECT_EQ(hit(Page(main_, 0)), HTTRANSPARENT);
  EXPECT_EQ(hit(Control(main_, "导航栏")), HTTRANSPARENT);
  EXPECT_EQ(hit(Control(main_, "B1")), HTCLIENT);
  EXPECT_EQ(hit(Control(main_, "透明标签16")), HTCLIENT);
}

// Its own program: the close button ends it.
TEST(MainWindowButtons, MinimiseThenCloseEndsWithZero) {
  std::wstring dir = FreshTestFolder(L"关闭 测试");
  std::wstring exe = CopyProgramInto(dir);
  ChildProcess app(exe, dir);
  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000);
  ASSERT_NE(main, nullptr);
  SendMessageW(Control(main, "zxh"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 3000));
  PostMessageW(Control(main, "gb"), BM_CLICK, 0, 0);
  EXPECT_EQ(app.WaitExit(10000), 0u);
}

BOOL CALLBACK FindComboEdit(HWND h, LPARAM out) {
  wchar_t cls[32] = {};
  GetClassNameW(GetParent(h), cls, 32);
  if (lstrcmpiW(cls, L"ComboBox") != 0) return TRUE;
  *reinterpret_cast<HWND*>(out) = h;
  return FALSE;
}

// Alt+F4 ends the program as the close button does, wherever the focus is;
// also in the search box's edit field, where F4 is the box's own key.
TEST(MainWindowButtons, AltF4EndsWithZero) {
  std::wstring dir = FreshTestFolder(L"AltF4 测试");
  std::wstring exe = CopyProgramInto(dir);
  ChildProcess app(exe, dir);
  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000);
  ASSERT_NE(main, nullptr);
  HWND edit = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        EnumChildWindows(main, FindComboEdit, reinterpret_cast<LPARAM>(&edit));
        return edit != nullptr;
      },
      10000));
  // KF_ALTDOWN in the key data: Alt is held.
  PostMessageW(edit, WM_SYSKEYDOWN, VK_F4, LPARAM(1) | (LPARAM(1) << 29));
  EXPECT_EQ(app.WaitExit(10000), 0u);
}

}  // namespace
