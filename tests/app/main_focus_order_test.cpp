// The keyboard's way through the main window's table: the navigation column
// top to bottom, the top bar left to right, then the shown page's controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_layout.h"
#include "support/focus_order.h"

namespace ql {
namespace {

// The visible rows that take the focus with the home page or "功能" shown,
// in the order Tab reaches them (regions as the window arranges them).
std::vector<std::string> TabOrder(int page) {
  std::vector<FocusPlace> places;
  std::vector<std::string> names;
  for (const LayoutRow& row : MainLayout()) {
    if (!TakesKeyboardFocus(row) || (row.flags & kHidden)) continue;
    int group = row.parent == kInNav ? 0 : row.parent == kInTop ? 1 : row.parent == page ? 2 : -1;
    if (group < 0) continue;
    places.push_back({group, row.x, row.y});
    names.push_back(std::string(row.name.empty() ? row.caption : row.name));
  }
  std::vector<std::string> ordered;
  for (size_t i : ReadingOrder(places)) ordered.push_back(names[i]);
  return ordered;
}

TEST(MainFocusOrder, NavigationThenTopBarThenThePage) {
  const std::vector<std::string> column = {"主页", "功能", "特色", "B1",   "C",        "D",         "E",
                                           "F",    "G",    "x",    "设置", "更新日志", "赞助与支持"};
  const std::vector<std::string> top = {"青岚工具箱 larkmere", "头像", "zxh", "gb"};
  std::vector<std::string> home = column;
  home.insert(home.end(), top.begin(), top.end());
  home.push_back("透明标签16");  // 一键复制; the hidden re-detection link is left out
  EXPECT_EQ(TabOrder(0), home);
  // "功能" holds only the tools container, whose controls join at run time.
  std::vector<std::string> tools = column;
  tools.insert(tools.end(), top.begin(), top.end());
  EXPECT_EQ(TabOrder(1), tools);
  // Tab from the window itself reaches 主页 first, then 功能.
  EXPECT_EQ(NextFocus(home.size(), -1, false), 0);
  EXPECT_EQ(home[size_t(NextFocus(home.size(), 0, false))], "功能");
}

}  // namespace
}  // namespace ql
