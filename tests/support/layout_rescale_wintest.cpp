// The layout builder at other resolutions: rows made for a DPI lie at their
// 96-DPI places scaled, with the font table's scaled faces; laying a window
// out again for another DPI (a move to another display) scales from the
// 96-DPI places, so going back gives the very pixels of before.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <vector>

#include "support/dpi_scale.h"
#include "support/layout_skin_win.h"
#include "support/layout_window_win.h"
#include "tests/win_test_support.h"

namespace {

using K = ql::RowKind;
using F = ql::FontId;

// Rows of several kinds, as the tables write them (the frame of a line box
// holds its edit field; the title field sits 2 pixels into its row).
constexpr ql::LayoutRow kRows[] = {
    {K::Label, 0, "", "标签", 52, 78, 232, 23, F::Strong},
    {K::NavText, ql::kInNav, "", "Windows 下载    ", 16, 221, 152, 38, F::Nav, 0, "nav:test"},
    {K::TitleField, ql::kInTop, "", "主页", 56, 16, 224, 32, F::Title},
    {K::LineBox, 12, "", "https://example.com/", 27, 101, 765, 40, F::Body},
    {K::Bar, ql::kInNav, "", "", 0, 101, 5, 38},
};

RECT RectIn(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// What the builder makes of a row at `dpi`: the window that holds its place.
RECT Expected(const ql::LayoutRow& row, UINT dpi) {
  int y = row.y, h = row.h;
  if (row.kind == K::TitleField) y += 2, h -= 2;
  auto s = [dpi](int v) { return LONG(ql::ScaleForDpi(v, dpi)); };
  return {s(row.x), s(y), s(row.x + row.w), s(y + h)};
}

class LayoutRescaleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = qltest::CreateHostWindow(L"QlLayoutRescaleHost", WS_POPUP, 1600, 1000);
    ASSERT_NE(host_, nullptr);
  }
  void TearDown() override { DestroyWindow(host_); }
  // The window of row i, made at `dpi`, and the window that holds its place.
  HWND Make(size_t i, UINT dpi, HWND* placed) {
    HWND w = ql::CreateLayoutWindow(kRows[i], kRows[i].caption, host_, 100 + int(i),
                                    {GetModuleHandleW(nullptr), nullptr, dpi});
    *placed = w && kRows[i].kind == K::LineBox ? GetParent(w) : w;
    return w;
  }
  HWND host_ = nullptr;
};

TEST_F(LayoutRescaleTest, RowsMadeForAResolutionLieAtTheirScaledPlaces) {
  for (UINT dpi : {96u, 120u, 144u, 192u}) {
    for (size_t i = 0; i < std::size(kRows); ++i) {
      HWND placed = nullptr;
      HWND w = Make(i, dpi, &placed);
      ASSERT_NE(w, nullptr) << i;
      RECT got = RectIn(placed), want = Expected(kRows[i], dpi);
      EXPECT_TRUE(EqualRect(&got, &want))
          << i << " at " << dpi << ": " << got.left << "," << got.top << " " << got.right << "," << got.bottom;
      EXPECT_EQ(ql::LayoutDpiOf(w), dpi);
      // The system's controls keep the face they were given; drawn rows
      // take theirs from the table when they paint.
      bool systemControl = kRows[i].kind == K::Label || kRows[i].kind == K::TitleField || kRows[i].kind == K::LineBox;
      if (systemControl) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), ql::LayoutFont(kRows[i].font, dpi));
      }
      DestroyWindow(placed);
    }
  }
  // Each resolution has faces of its own.
  EXPECT_NE(ql::LayoutFont(F::Body, 144), ql::LayoutFont(F::Body, 96));
  EXPECT_EQ(ql::LayoutFont(F::Body, 144), ql::LayoutFont(F::Body, 144));
}

TEST_F(LayoutRescaleTest, LayingOutAgainScalesFromTheDesignAndComesBackExactly) {
  HWND windows[std::size(kRows)] = {}, placed[std::size(kRows)] = {};
  for (size_t i = 0; i < std::size(kRows); ++i) windows[i] = Make(i, 96, &placed[i]);
  HWND bar = windows[4];
  ql::RescaleLayoutWindows(host_, 144);
  for (size_t i = 0; i < std::size(kRows); ++i) {
    RECT got = RectIn(placed[i]), want = Expected(kRows[i], 144);
    EXPECT_TRUE(EqualRect(&got, &want)) << i;
    EXPECT_EQ(ql::LayoutDpiOf(windows[i]), 144u) << i;
  }
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(windows[2], WM_GETFONT, 0, 0)), ql::LayoutFont(F::Title, 144));
  // The selection bar moves in the table's units: (0, 138) is (0, 207) here.
  ql::MoveLayoutWindow(bar, 0, 138);
  EXPECT_EQ(RectIn(bar).top, 207);
  RECT design{};
  ASSERT_TRUE(ql::LayoutDesignRect(bar, &design));
  EXPECT_EQ(design.top, 138);
  EXPECT_EQ(design.bottom - design.top, 38);
  // Off the column at 192, then back at 96: the pixels of a window never scaled.
  ql::MoveLayoutWindow(bar, -100, 138);
  ql::RescaleLayoutWindows(host_, 192);
  EXPECT_EQ(RectIn(bar).left, -200);
  ql::RescaleLayoutWindows(host_, 96);
  for (size_t i = 0; i < 4; ++i) {
    RECT got = RectIn(placed[i]), want = Expected(kRows[i], 96);
    EXPECT_TRUE(EqualRect(&got, &want)) << i;
  }
  RECT barNow = RectIn(bar);
  EXPECT_EQ(barNow.left, -100);
  EXPECT_EQ(barNow.top, 138);
  EXPECT_EQ(barNow.bottom - barNow.top, 38);
  // A window the builder did not make is not a layout window.
  EXPECT_FALSE(ql::LayoutDesignRect(host_, &design));
  EXPECT_EQ(ql::LayoutRowOf(host_), nullptr);
}

// A list's columns keep their share of its width on another display.
TEST_F(LayoutRescaleTest, ListColumnsFollowTheResolution) {
  const ql::LayoutRow list{K::List, 12, "", "名单", 24, 248, 772, 314, F::Body, 0, "", "", "名称|企鹅号|内容|个性签名"};
  HWND w = ql::CreateLayoutWindow(list, list.caption, host_, 200, {GetModuleHandleW(nullptr), nullptr, 96});
  ASSERT_NE(w, nullptr);
  auto widths = [w] {
    std::vector<int> out;
    for (int i = 0; i < 4; ++i) out.push_back(int(SendMessageW(w, LVM_GETCOLUMNWIDTH, i, 0)));
    return out;
  };
  const std::vector<int> at96 = widths();
  const std::vector<int> expected96 = {149, 134, 164, 299};  // 20, 18, 22 and 40 % of 748
  EXPECT_EQ(at96, expected96);
  ql::RescaleLayoutWindows(host_, 144);
  std::vector<int> expected144;
  for (int v : expected96) expected144.push_back(ql::ScaleForDpi(v, 144));
  EXPECT_EQ(widths(), expected144);
  ql::RescaleLayoutWindows(host_, 96);
  EXPECT_EQ(widths(), at96);
}

}  // namespace
