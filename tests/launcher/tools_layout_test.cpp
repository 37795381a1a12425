// The tools container's rows against the catalog and the launch tables.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "launcher/launch_table.h"
#include "launcher/tool_catalog.h"
#include "launcher/tools_layout.h"

namespace {

using ql::ContainerControl;
using ql::RowAction;
using ql::RowKind;

TEST(ToolsLayout, EveryCatalogRowHasItsButtonOnItsPage) {
  const auto& rows = ql::ToolsContainerControls();
  std::vector<const ContainerControl*> tools;
  for (const ContainerControl& c : rows)
    if (c.action == RowAction::LaunchTool) tools.push_back(&c);
  std::vector<ql::ToolEntry> catalog = ql::ToolCatalog();
  ASSERT_EQ(tools.size(), catalog.size());
  // Same order, same caption, same page: a search hit leads to the button.
  for (size_t i = 0; i < catalog.size(); ++i) {
    EXPECT_EQ(tools[i]->row.caption, catalog[i].displayName) << i;
    EXPECT_EQ(tools[i]->row.parent, catalog[i].categoryPage) << i;
    EXPECT_TRUE(tools[i]->target.starts_with("\\tools\\")) << tools[i]->target;
    EXPECT_TRUE(tools[i]->row.y == 64 || tools[i]->row.y == 128 || tools[i]->row.y == 192) << tools[i]->row.caption;
  }
}

TEST(ToolsLayout, CategoryButtonsBackButtonsAndSystemFunctions) {
  const auto& rows = ql::ToolsContainerControls();
  std::map<int, std::string> categories;
  std::map<int, int> backButtons;
  int systemOps = 0;
  for (const ContainerControl& c : rows) {
    if (c.action == RowAction::ShowCategory) categories[c.categoryPage] = std::string(c.row.caption);
    if (c.action == RowAction::BackToOverview) ++backButtons[c.row.parent];
    if (c.action == RowAction::SystemOperation) {
      ++systemOps;
      EXPECT_FALSE(c.row.tooltip.empty()) << c.row.caption;
    }
  }
  EXPECT_EQ(categories.size(), 11u);
  EXPECT_EQ(categories[4], "win10任务栏美化");
  EXPECT_EQ(categories[11], "驱动工具");
  for (int p = 1; p < ql::kToolsPageCount; ++p) EXPECT_EQ(backButtons[p], 1) << p;
  EXPECT_EQ(backButtons.count(0), 0u);
  EXPECT_EQ(systemOps, 11);  // ten system functions and "工具无法打开？"
}

TEST(ToolsLayout, ButtonsOfAPageNeverOverlap) {
  const auto& rows = ql::ToolsContainerControls();
  for (size_t i = 0; i < rows.size(); ++i)
    for (size_t j = i + 1; j < rows.size(); ++j) {
      const ql::LayoutRow& a = rows[i].row;
      const ql::LayoutRow& b = rows[j].row;
      if (a.parent != b.parent || a.kind != RowKind::PushButton || b.kind != RowKind::PushButton) continue;
      bool apart = a.x + a.w <= b.x || b.x + b.w <= a.x || a.y + a.h <= b.y || b.y + b.h <= a.y;
      EXPECT_TRUE(apart) << a.caption << " / " << b.caption;
    }
}

TEST(ToolsLayout, EveryButtonRunsAKeyOfItsOwnAndOnlyButtonsAndTheSearchBoxAct) {
  std::map<std::string, std::string> owner;  // key -> the caption of the row that runs it
  for (const ContainerControl& c : ql::ToolsContainerControls()) {
    const ql::LayoutRow& r = c.row;
    bool acts = r.kind == RowKind::PushButton || r.kind == RowKind::SearchBox;
    EXPECT_EQ(!r.action.empty(), acts) << r.caption;
    EXPECT_EQ(c.action != RowAction::None, r.kind == RowKind::PushButton) << r.caption;
    // The search box and its button share the search; the eleven back buttons
    // share theirs. Every other key belongs to one button.
    if (r.action.empty() || r.action == ql::kToolsSearchKey || r.action == ql::kToolsBackKey) continue;
    EXPECT_TRUE(owner.emplace(std::string(r.action), std::string(r.caption)).second)
        << r.caption << " shares " << r.action << " with " << owner[std::string(r.action)];
    EXPECT_TRUE(c.action == RowAction::LaunchTool ? r.action == c.target : r.action.starts_with("tools:")) << r.caption;
  }
  // 41 tools, 11 categories, 10 system functions, and 工具无法打开？, Kinhdown下载器, 下载工具包, 工具目录.
  EXPECT_EQ(owner.size(), 41u + 11u + 10u + 4u);
}

TEST(LaunchTables, EveryKeyOfTheOtherPagesOnce) {
  std::set<std::string> keys;
  for (const ql::LaunchRow& r : ql::PageLaunchRows()) {
    EXPECT_TRUE(keys.insert(std::string(r.key)).second) << r.key;
    EXPECT_TRUE(r.target.starts_with("\\tools\\") || r.target.starts_with("\\plugin\\")) << r.target;
  }
  for (const ql::LinkRow& r : ql::PageLinkRows()) {
    EXPECT_TRUE(keys.insert(std::string(r.key)).second) << r.key;
    EXPECT_TRUE(r.address.starts_with("https://")) << r.address;
  }
  const std::set<std::string> expected = {"磁力链接转种子",
                                          "文件MD5值计算",
                                          "下载地址转换",
                                          "秒表计时器",
                                          "网址二维码生成",
                                          "天翼云盘直链解析（已失效）",
                                          "kinhdown网盘下载器",
                                          "等待添加",
                                          "page8:112,48",
                                          "page8:320,48",
                                          "page8:536,48",
                                          "page8:112,240",
                                          "page8:320,240",
                                          "page3:192,168",
                                          "page3:496,168",
                                          "page3:192,320",
                                          "page3:496,320",
                                          "page6:168,296",
                                          "page6:496,296",
                                          "page2:56,16",
                                          "page4:56,16",
                                          "page5:64,16",
                                          "page3:link-icon",
                                          "page6:link-icon",
                                          "page5:officetool",
                                          "打开专注于win7官网",
                                          "打开专注于win10官网",
                                          "打开U启动官网",
                                          "打开U启通官网",
                                          "page7:圆体·简繁",
                                          "page7:时尚中黑 简体",
                                          "page7:方正准圆·简体",
                                          "问题反馈/建议/常见问题",
                                          "下载larkmere",
                                          "青岚工具箱 larkmere",
                                          "头像"};
  EXPECT_EQ(keys, expected);
}

}  // namespace
