// The keyboard's order through a window: regions first, then lines top to
// bottom (tops a few pixels apart share a line), left to right in a line;
// Tab and Shift+Tab wrap.
#include "support/focus_order.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ql::FocusPlace;

TEST(FocusOrder, ReadingOrderOfPlaces) {
  struct Case {
    const char* what;
    std::vector<FocusPlace> places;
    std::vector<size_t> order;
  } cases[] = {
      {"nothing", {}, {}},
      {"a column top to bottom", {{0, 30, 138}, {0, 30, 101}, {0, 16, 221}}, {1, 0, 2}},
      {"a line left to right", {{0, 320, 32}, {0, 32, 32}, {0, 176, 32}}, {1, 2, 0}},
      {"tops a few pixels apart share a line", {{0, 666, 11}, {0, 497, 17}, {0, 777, 23}, {0, 738, 23}}, {1, 0, 3, 2}},
      {"a grid row by row, not column by column",
       {{0, 176, 96}, {0, 32, 96}, {0, 176, 32}, {0, 32, 32}, {0, 32, 160}},
       {3, 2, 1, 0, 4}},
      {"regions before positions: the column, the top bar, the page",
       {{2, 20, 20}, {1, 56, 16}, {0, 30, 101}, {0, 30, 138}},
       {2, 3, 1, 0}},
      {"equal places keep their given order", {{0, 10, 10}, {0, 10, 10}, {0, 5, 40}}, {0, 1, 2}},
  };
  for (const Case& c : cases) EXPECT_EQ(ql::ReadingOrder(c.places), c.order) << c.what;
}

TEST(FocusOrder, LinesFollowTheirFirstMemberNotTheirNeighbour) {
  // 0, 5, 10, 15: each top within 6 of the one before, but a line is only as
  // tall as its first member allows; 10 starts the next line.
  std::vector<FocusPlace> places = {{0, 40, 0}, {0, 30, 5}, {0, 20, 10}, {0, 10, 15}};
  EXPECT_EQ(ql::ReadingOrder(places), (std::vector<size_t>{1, 0, 3, 2}));
  // A larger line height for a larger resolution joins them all.
  EXPECT_EQ(ql::ReadingOrder(places, 15), (std::vector<size_t>{3, 2, 1, 0}));
}

TEST(FocusOrder, TabAndShiftTabWrap) {
  struct Case {
    size_t count;
    int current;
    bool backwards;
    int next;
  } cases[] = {
      {0, -1, false, -1}, {0, 3, true, -1},                    // nothing to reach
      {5, -1, false, 0},  {5, -1, true, 4},                    // from outside the order
      {5, 0, false, 1},   {5, 3, false, 4}, {5, 4, false, 0},  // forwards, wrapping
      {5, 4, true, 3},    {5, 0, true, 4},                     // backwards, wrapping
      {1, 0, false, 0},   {1, 0, true, 0},  {5, 9, false, 0},  // one control; a stale position
  };
  for (const Case& c : cases)
    EXPECT_EQ(ql::NextFocus(c.count, c.current, c.backwards), c.next)
        << c.count << " " << c.current << (c.backwards ? " back" : "");
}

TEST(FocusOrder, WhatTheKeyboardReaches) {
  using K = ql::RowKind;
  struct Case {
    ql::LayoutRow row;
    bool reached;
  } cases[] = {
      {{K::NavText, ql::kInNav, "B1", "Windows 下载    ", 16, 221, 152, 38, ql::FontId::Nav, 0, "nav:B1"}, true},
      {{K::Link, 0, "", "一键复制", 640, 184, 80, 24, ql::FontId::Body, 0, "一键复制"}, true},
      {{K::PushButton, 1, "", "AIDA64", 40, 64, 120, 40, ql::FontId::ToolsText, 0, "\\tools\\a.exe"}, true},
      {{K::SearchBox, 0, "", "", 28, 69, 640, 20}, true},
      {{K::Label, 0, "标签1", "计算机类型", 52, 78, 232, 23}, false},
      {{K::Card, 0, "", "系统信息", 20, 20, 288, 153}, false},
      {{K::Timer, ql::kInNav, "时钟1", "", 0, 0, 0, 0, ql::FontId::Body, 0, "时钟1"}, false},
      {{K::Tools, 1, "ToolsContainer", "", -8, 0, 828, 568}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(ql::TakesKeyboardFocus(c.row), c.reached) << c.row.caption;
}

}  // namespace
