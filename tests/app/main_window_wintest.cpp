// The real program's main window under Wine: navigation, the uptime clock,
// the shadow that follows the window, and screenshots of four pages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
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

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK MatchId(HWND h, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (GetDlgCtrlID(h) != s->id) return TRUE;
  s->found = h;
  return FALSE;
}

HWND FindById(HWND root, int id) {
  Search s{id, nullptr};
  EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND Control(HWND main, std::string_view layoutName) {
  int row = ql::FindLayoutRow(layoutName);
  return row < 0 ? nullptr : FindById(main, ql::kLayoutIdBase + row);
}

HWND Page(HWND main, int page) { return FindById(main, ql::kPageIdBase + page); }

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
  for (const ql::NavTarget& t : ql::NavTargets()) {
    RECT before = RectIn(bar);
    Click(t.control);
    std::string expected = t.title.empty() ? Text(Control(main_, t.control)) : std::string(t.title);
    EXPECT_EQ(Text(title), expected) << t.control;
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
  // B1's caption keeps its four trailing spaces in the title.
  Click("B1");
  EXPECT_EQ(Text(title), "Windows 下载    ");
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

// A 24-bit BMP of the window's screen area, for looking at by eye.
bool SaveScreenshot(HWND window, const std::string& name) {
  RECT rc = ScreenRect(window);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
  SelectObject(mem, old);
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{0x4D42, DWORD(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      DWORD(sizeof fh + sizeof bi.bmiHeader)};
  std::string out(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  if (bits) out.append(static_cast<const char*>(bits), size_t(stride) * size_t(h));
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  CreateDirectoryW((HostPath(QL_TEST_BINARY_DIR) + L"\\screenshots").c_str(), nullptr);
  std::wstring path =
      HostPath(QL_TEST_BINARY_DIR) + L"\\screenshots\\" + std::wstring(name.begin(), name.end()) + L".bmp";
  return bits && WriteFileBytes(path, out.data(), out.size());
}

TEST_F(MainWindowTest, ScreenshotsOfFourPages) {
  const std::pair<const char*, const char*> shots[] = {
      {"主页", "home"}, {"功能", "tools"}, {"设置", "settings"}, {"更新日志", "changelog"}};
  for (auto& [control, file] : shots) {
    Click(control);
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
    EXPECT_TRUE(SaveScreenshot(main_, file)) << file;
  }
  // The other pages too, for a look over the whole window.
  for (const ql::NavTarget& t : ql::NavTargets()) {
    Click(t.control);
    Sleep(250);
    SaveScreenshot(main_, "page" + std::to_string(t.page));
  }
  Click("主页");
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

}  // namespace
