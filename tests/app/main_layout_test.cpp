// The layout table: the controls other subsystems write to, the action keys
// they register, and rows that fit their parent without covering each other.
#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_page_content.h"
#include "app/main_pages.h"
#include "launcher/launch_table.h"
#include "support/layout_names.h"

namespace ql {
namespace {

const LayoutRow* Named(std::string_view name) {
  int i = FindLayoutRow(name);
  return i < 0 ? nullptr : &MainLayout()[size_t(i)];
}

TEST(MainLayout, ControlsOtherSubsystemsWriteExistWithTheirDesignedTexts) {
  const std::string eight = "配置正在检测，请稍后........", nine = eight + ".";
  // clang-format off
  const std::pair<const char*, std::string> expected[] = {
      {"标题标签", "主页"}, {"标签1", "计算机类型"}, {"标签68", "Windows系统版本"}, {"标签7", "0时0分0秒"},
      {"标签69", "中央处理器"}, {"标签70", "内存"}, {"标签77", "显卡"}, {"标签78", "主板"},
      {"标签79", "显示器"}, {"标签80", "硬盘"}, {"标签82", "网卡"}, {"标签83", "电池"},
      {"标签71", eight}, {"标签84", nine}, {"标签81", nine}, {"标签76", nine}, {"标签75", nine},
      {"标签74", nine}, {"标签73", nine}, {"标签72", nine},
      {"透明标签16", "一键复制"}, {"透明标签13", "检测不准？点我重新检测"}, {"编辑框1", ""},
      {"昨日访问", ""}, {"今日访问", ""}, {"累计访问", ""},
      {"标签17", "当前版本："}, {"标签16", "服务器版本："}, {"标签30", ""},
  };
  // clang-format on
  for (auto& [name, text] : expected) {
    const LayoutRow* row = Named(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_EQ(row->caption, text) << name;
  }
  EXPECT_TRUE(Named("透明标签13")->flags & kHidden);
  EXPECT_TRUE(Named("编辑框1")->flags & kHidden);
  EXPECT_FALSE(Named("透明标签16")->flags & kHidden);
  // Layout names are unique.
  std::map<std::string_view, int> seen;
  for (const LayoutRow& r : MainLayout())
    if (!r.name.empty()) {
      EXPECT_EQ(++seen[r.name], 1) << r.name;
    }
}

TEST(MainLayout, EveryActionKeyOfTheOtherSubsystemsHasItsControl) {
  // The launch and link tables' keys (pinned in the launcher's own tests),
  // and the keys the home page and the update check register.
  std::vector<std::string_view> keys = {"一键复制", "检测不准？点我重新检测", "点击检测更新", "下载工具包"};
  for (const LaunchRow& r : PageLaunchRows()) keys.push_back(r.key);
  for (const LinkRow& r : PageLinkRows()) keys.push_back(r.key);
  ASSERT_GT(keys.size(), 30u);
  for (std::string_view key : keys) {
    int n = 0;
    for (const LayoutRow& r : MainLayout()) n += r.action == key;
    EXPECT_EQ(n, 1) << key;
  }
  // Pictures keyed by position sit where their key says.
  for (const LayoutRow& r : MainLayout()) {
    std::string pos = "page" + std::to_string(r.parent) + ":" + std::to_string(r.x) + "," + std::to_string(r.y);
    if (r.action.starts_with("page") && r.action.find(',') != std::string_view::npos) {
      EXPECT_EQ(r.action, pos);
    }
  }
  // Every navigation target has its control, acting through the nav prefix.
  for (const NavTarget& t : NavTargets()) {
    const LayoutRow* row = Named(t.control);
    ASSERT_NE(row, nullptr) << t.control;
    EXPECT_EQ(row->action, std::string(kNavActionPrefix) + std::string(t.control));
  }
}

TEST(MainLayout, RowsFitTheirParentAndTextsDoNotOverlap) {
  auto rows = MainLayout();
  for (const LayoutRow& r : rows) {
    if (r.kind == RowKind::Tools || r.kind == RowKind::Deco || r.kind == RowKind::Region || r.kind == RowKind::Line ||
        r.kind == RowKind::Timer)
      continue;  // sizes given by the window's design
    ParentBox box = ParentSize(r.parent);
    EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= box.width && r.y + r.h <= box.height) << r.caption;
  }
  auto overlaps = [](const LayoutRow& a, const LayoutRow& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
  };
  auto free = [](const LayoutRow& r) {
    return IsContainer(r.kind) || r.kind == RowKind::Deco || r.kind == RowKind::Line || r.kind == RowKind::Bar ||
           r.kind == RowKind::HiddenEdit || r.kind == RowKind::Timer || (r.flags & kHidden);
  };
  for (size_t i = 0; i < rows.size(); ++i)
    for (size_t j = i + 1; j < rows.size(); ++j) {
      const LayoutRow &a = rows[i], &b = rows[j];
      if (a.parent != b.parent || free(a) || free(b)) continue;
      // The top bar's design lets the avatar reach into the hyperlink's box.
      if (a.name == "头像" && b.name == "青岚工具箱 larkmere") continue;
      EXPECT_FALSE(overlaps(a, b)) << a.caption << " / " << b.caption;
    }
}

TEST(MainLayout, EveryLayoutNameTheCodeUsesHasItsRow) {
  for (std::string_view name : layout::kAllNames) EXPECT_GE(FindLayoutRow(name), 0) << name;
  // The kinds the code relies on: labels it writes, timers it starts, the regions it finds.
  const std::pair<std::string_view, RowKind> kinds[] = {
      {layout::kMachineType, RowKind::Label},     {layout::kBattery, RowKind::Label},
      {layout::kUpdateHint, RowKind::Label},      {layout::kTotalVisits, RowKind::Label},
      {layout::kCopyLink, RowKind::Link},         {layout::kRedetectLink, RowKind::Link},
      {layout::kCopyBuffer, RowKind::HiddenEdit}, {layout::kTitle, RowKind::TitleField},
      {layout::kSelectionBar, RowKind::Bar},      {layout::kUptimeTimer, RowKind::Timer},
      {layout::kBatteryTimer, RowKind::Timer},    {layout::kNavColumn, RowKind::Region},
      {layout::kTopBar, RowKind::Region},
  };
  for (auto& [name, kind] : kinds) {
    const LayoutRow* row = Named(name);
    ASSERT_NE(row, nullptr) << name;
    EXPECT_EQ(row->kind, kind) << name;
  }
}

// Code names the controls only through support/layout_names.h: no source but
// the table and that header spells a numbered layout name (标签30, 时钟2 …).
TEST(MainLayout, NoSourceSpellsANumberedLayoutNameOfItsOwn) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(QL_TESTDATA_DIR).parent_path().parent_path();
  // The names as the sources spell them: UTF-8 literals.
  const std::regex numbered(reinterpret_cast<const char*>(u8"\"(透明标签|标签|编辑框|时钟)[0-9]+\""));
  int scanned = 0;
  for (const char* folder : {"app", "inventory", "net", "launcher", "support", "platform"}) {
    for (const auto& entry : fs::directory_iterator(root / folder)) {
      const fs::path& p = entry.path();
      if (p.extension() != ".cpp" && p.extension() != ".h") continue;
      std::string relative = fs::relative(p, root).generic_string();
      if (relative == "app/main_layout.cpp" || relative == "support/layout_names.h") continue;
      std::ifstream in(p, std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      std::string source = text.str();
      ++scanned;
      std::smatch hit;
      EXPECT_FALSE(std::regex_search(source, hit, numbered)) << relative << " spells " << hit.str();
    }
  }
  EXPECT_GT(scanned, 100);  // the tree was found and read
}

TEST(MainLayout, ContentCaptionsResolve) {
  for (const LayoutRow& r : MainLayout())
    if (r.caption.starts_with(kContentPrefix)) {
      EXPECT_FALSE(ResolveCaption(r.caption).empty()) << r.caption;
    }
  EXPECT_EQ(ResolveCaption("一键复制"), "一键复制");
  EXPECT_NE(ResolveCaption("content:qr").find("二维码："), std::string::npos);
  EXPECT_EQ(ResolveCaption("content:qr").rfind("二维码：", 0), 0u);
}

}  // namespace
}  // namespace ql
