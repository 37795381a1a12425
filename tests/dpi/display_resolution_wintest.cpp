// The real program on a display of 150 % and 200 % (a Wine prefix whose
// LogPixels is 144 or 192, tools/with-dpi.sh): the splash, the main window
// and every named control of the home page and of "功能" at their 96-DPI
// places scaled, fonts scaled with them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_layout.h"
#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "launcher/tools_layout.h"
#include "platform/dpi_win.h"
#include "platform/win_text.h"
#include "support/dpi_scale.h"
#include "support/layout_skin_win.h"
#include "support/window_shadow_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

constexpr int kSplashStatusId = 101;  // the splash's status label

// The resolution the runner set for this prefix (0 when run without it).
UINT ExpectedDpi() {
  const char* v = std::getenv("QL_TEST_DPI");
  return v ? static_cast<UINT>(std::strtoul(v, nullptr, 10)) : 0;
}

int S(int v) { return ql::ScaleForDpi(v, ExpectedDpi()); }

RECT RectIn(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// A window's place against a 96-DPI rectangle scaled, within two pixels
// (the place and the size are each rounded once).
::testing::AssertionResult PlacedAt(HWND h, int x, int y, int w, int h96) {
  if (!h) return ::testing::AssertionFailure() << "no window";
  RECT rc = RectIn(h);
  int got[] = {int(rc.left), int(rc.top), int(rc.right - rc.left), int(rc.bottom - rc.top)};
  int want[] = {S(x), S(y), S(w), S(h96)};
  for (int i = 0; i < 4; ++i)
    if (std::abs(got[i] - want[i]) > 2)
      return ::testing::AssertionFailure()
             << "at (" << got[0] << ", " << got[1] << "), " << got[2] << " x " << got[3] << "; wanted (" << want[0]
             << ", " << want[1] << "), " << want[2] << " x " << want[3];
  return ::testing::AssertionSuccess();
}

// The window a named row's place belongs to: framed texts and lists carry
// their caption on the control inside the frame.
HWND PlacedWindow(HWND control, const ql::LayoutRow& row) {
  bool framed = row.kind == ql::RowKind::TextBox || row.kind == ql::RowKind::LineBox || row.kind == ql::RowKind::List;
  return framed ? GetParent(control) : control;
}

// Another process's font handle means nothing here: what a font does is
// measured instead. The width a one-line edit field of the program gives
// the first character of its text (the distance to the second one's place).
int FirstCharacterWidth(HWND edit) {
  LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
  LRESULT second = SendMessageW(edit, EM_POSFROMCHAR, 1, 0);
  return int(short(LOWORD(second))) - int(short(LOWORD(first)));
}
// The text an edit field of the program holds.
std::wstring EditText(HWND edit) {
  wchar_t buf[256] = {};
  SendMessageW(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf));
  return buf;
}
// A text's width in one of the program's fonts, here.
int TextWidthIn(HFONT font, const std::wstring& w) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, w.c_str(), int(w.size()), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return int(size.cx);
}
// The height a combo box's edit field takes for a font, here.
int ComboFieldHeight(HFONT font) {
  HWND combo =
      CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  int height = int(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  DestroyWindow(combo);
  return height;
}

TEST(DisplayResolution, ThePrefixReportsItsResolution) {
  ASSERT_GT(ExpectedDpi(), 96u) << "run through tools/with-dpi.sh";
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), int(ExpectedDpi()));
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(ql::SystemDpi(), ExpectedDpi());
  HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(ql::WindowDpi(probe), ExpectedDpi());
  DestroyWindow(probe);
}

class ScaledProgram : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ql::DeclareDpiAwareness();  // this test program sees the screen's pixels as they are
    dir_ = new std::wstring(FreshTestFolder(L"分辨率 测试"));
    std::wstring exe = CopyProgramInto(*dir_);
    CreateDirectoryW((*dir_ + L"\\bin").c_str(), nullptr);
    WriteFileBytes(*dir_ + L"\\bin\\tool.ini", "[tool]\r\n", 8);
    app_ = new ChildProcess(exe, *dir_);
    splash_ = WaitForTopWindow(app_->Id(), ql::kSplashWindowClass, true, 30000);
    if (splash_) {
      splashRect_ = ScreenRect(splash_);
      for (HWND c = GetWindow(splash_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (GetDlgCtrlID(c) == kSplashStatusId) statusRect_ = RectIn(c);
    }
    main_ = WaitForTopWindow(app_->Id(), ql::kMainWindowClass, true, 30000);
    WaitUntil([] { return TopWindowsOf(app_->Id(), ql::kSplashWindowClass).empty(); }, 5000);
    Sleep(300);
  }
  static void TearDownTestSuite() {
    delete app_;
    delete dir_;
  }
  void SetUp() override {
    ASSERT_GT(ExpectedDpi(), 96u) << "run through tools/with-dpi.sh";
    ASSERT_NE(main_, nullptr);
  }
  HWND Control(std::string_view name) { return FindLayoutControl(main_, name); }
  // Every named row of these parents (regions, navigation, top bar, pages)
  // against its window; the selection bar stands beside the page's control.
  void ExpectNamedRowsScaled(bool (*wanted)(const ql::LayoutRow&), int barTop) {
    int checked = 0;
    for (const ql::LayoutRow& row : ql::MainLayout()) {
      if (row.name.empty() || !wanted(row)) continue;
      if (row.kind == ql::RowKind::Timer || row.kind == ql::RowKind::Tools) continue;
      HWND c = Control(row.name);
      ASSERT_NE(c, nullptr) << row.name;
      int y = row.y, h = row.h;
      if (row.kind == ql::RowKind::TitleField) y += 2, h -= 2;  // the field sits 2 pixels into its row
      if (row.kind == ql::RowKind::Bar) y = barTop;
      EXPECT_TRUE(PlacedAt(PlacedWindow(c, row), row.x, y, row.w, h)) << row.name;
      ++checked;
    }
    EXPECT_GT(checked, 10);
  }
  HWND Page(int p) { return FindChildById(main_, ql::kPageIdBase + p); }

  static std::wstring* dir_;
  static ChildProcess* app_;
  static HWND main_, splash_;
  static RECT splashRect_, statusRect_;
};
std::wstring* ScaledProgram::dir_ = nullptr;
ChildProcess* ScaledProgram::app_ = nullptr;
HWND ScaledProgram::main_ = nullptr;
HWND ScaledProgram::splash_ = nullptr;
RECT ScaledProgram::splashRect_{};
RECT ScaledProgram::statusRect_{};

TEST_F(ScaledProgram, SplashAndMainWindowTakeTheirScaledSizes) {
  ASSERT_NE(splash_, nullptr);
  EXPECT_EQ(splashRect_.right - splashRect_.left, S(270));
  EXPECT_EQ(splashRect_.bottom - splashRect_.top, S(119));
  EXPECT_EQ(statusRect_.left, S(55));
  EXPECT_EQ(statusRect_.top, S(96));
  EXPECT_EQ(statusRect_.right - statusRect_.left, S(208));
  RECT m = ScreenRect(main_);
  EXPECT_EQ(m.right - m.left, S(1000));
  EXPECT_EQ(m.bottom - m.top, S(640));
}

TEST_F(ScaledProgram, TheShadowIsAsWideAsItsSizeScaled) {
  std::vector<HWND> shadows = TopWindowsOf(app_->Id(), ql::kShadowWindowClass);
  ASSERT_EQ(shadows.size(), 1u);
  int s = S(8);  // the final shadow: 8 pixels at 96 DPI
  auto around = [&] {
    RECT m = ScreenRect(main_), r = ScreenRect(shadows[0]);
    return r.left == m.left - s && r.top == m.top - s && r.right == m.right + s && r.bottom == m.bottom + s;
  };
  EXPECT_TRUE(WaitUntil(around, 3000)) << s;
}

TEST_F(ScaledProgram, HomePageControlsLieAtTheirScaledPlaces) {
  ExpectNamedRowsScaled([](const ql::LayoutRow& r) { return r.parent < 0 || r.parent == 0; }, 101);
  EXPECT_TRUE(PlacedAt(Page(0), 0, 0, 820, 580));
  EXPECT_TRUE(PlacedAt(GetParent(Page(0)), 180, 60, 820, 580));
}

TEST_F(ScaledProgram, FontsScaleWithTheLayout) {
  // The title field's first character is as wide as in the title font at
  // this resolution, and wider than at 96 DPI.
  HWND title = Control("标题标签");
  ASSERT_NE(title, nullptr);
  std::wstring first = EditText(title).substr(0, 1);
  ASSERT_EQ(first.size(), 1u);
  int shown = FirstCharacterWidth(title);
  EXPECT_NEAR(shown, TextWidthIn(ql::LayoutFont(ql::FontId::Title, ExpectedDpi()), first), 1);
  EXPECT_GT(shown, TextWidthIn(ql::LayoutFont(ql::FontId::Title, ql::kDesignDpi), first) + 4);
  // The search box's field is as high as its font at this resolution makes it.
  std::vector<HWND> boxes;
  for (HWND c : FindChildrenByText(main_, "")) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (lstrcmpiW(cls, L"ComboBox") == 0) boxes.push_back(c);
  }
  ASSERT_EQ(boxes.size(), 1u);
  int field = int(SendMessageW(boxes[0], CB_GETITEMHEIGHT, WPARAM(-1), 0));
  EXPECT_EQ(field, ComboFieldHeight(ql::LayoutFont(ql::FontId::ToolsText, ExpectedDpi())));
  EXPECT_GT(field, ComboFieldHeight(ql::LayoutFont(ql::FontId::ToolsText, ql::kDesignDpi)));
}

TEST_F(ScaledProgram, ToolsPageControlsLieAtTheirScaledPlaces) {
  SendMessageW(Control("功能"), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Page(1)) != FALSE; }, 3000));
  ExpectNamedRowsScaled([](const ql::LayoutRow& r) { return r.parent < 0 || r.parent == 1; }, 138);
  // The container and its overview page, then every control of the overview.
  std::vector<HWND> containers = FindChildrenByText(Page(1), "ToolsContainer");
  ASSERT_EQ(containers.size(), 1u);
  EXPECT_TRUE(PlacedAt(containers[0], -8, 0, 828, 568));
  std::vector<HWND> overview = FindChildrenByText(containers[0], std::string(ql::ToolsPageName(0)));
  ASSERT_EQ(overview.size(), 1u);
  int checked = 0;
  for (const ql::ContainerControl& c : ql::ToolsContainerControls()) {
    const ql::LayoutRow& row = c.row;
    if (row.parent != 0 || row.caption.empty()) continue;
    std::vector<HWND> found = FindChildrenByText(overview[0], std::string(row.caption));
    ASSERT_EQ(found.size(), 1u) << row.caption;
    EXPECT_TRUE(PlacedAt(found[0], row.x, row.y, row.w, row.h)) << row.caption;
    ++checked;
  }
  EXPECT_GT(checked, 20);
}

// Moved to a 96-DPI display: the system's WM_DPICHANGED with its suggested
// rectangle (written into the program's own memory, where the message's
// pointer has to point) lays the window out again at the table's pixels.
TEST_F(ScaledProgram, ADisplayChangeLaysTheWindowOutAgain) {
  RECT m = ScreenRect(main_);
  RECT suggested{m.left, m.top, m.left + 1000, m.top + 640};
  HANDLE process = app_->Handle();
  void* remote = VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  ASSERT_NE(remote, nullptr);
  ASSERT_TRUE(WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr));
  DWORD_PTR result = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main_, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(remote),
                                  SMTO_NORMAL, 5000, &result));
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  RECT now = ScreenRect(main_);
  EXPECT_EQ(now.right - now.left, 1000);
  EXPECT_EQ(now.bottom - now.top, 640);
  int checked = 0;
  for (const ql::LayoutRow& row : ql::MainLayout()) {
    if (row.name.empty() || !(row.parent < 0 || row.parent == 0)) continue;
    if (row.kind == ql::RowKind::Timer || row.kind == ql::RowKind::Tools) continue;
    HWND c = PlacedWindow(Control(row.name), row);
    ASSERT_NE(c, nullptr) << row.name;
    RECT r = RectIn(c);
    int y = row.y + (row.kind == ql::RowKind::TitleField ? 2 : 0);
    EXPECT_EQ(r.left, row.x) << row.name;
    EXPECT_EQ(r.top, y) << row.name;
    EXPECT_EQ(r.right - r.left, row.w) << row.name;
    ++checked;
  }
  EXPECT_GT(checked, 10);
}

}  // namespace
