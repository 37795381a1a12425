// The rows of the tools container: the overview page with the search box,
// the system functions and the category buttons, then the eleven category
// pages with their back button, tool buttons and the sponsorship line.
#include "launcher/tools_layout.h"

#include <array>

#include "support/web_addresses.h"

namespace ql {
namespace {

// clang-format off
constexpr std::array<std::string_view, kToolsPageCount> kPageNames = {
    "1", "cpu", "内存", "主板", "任务栏", "磁盘", "显卡", "显示器", "综合", "系统优化", "系统工具", "驱动工具"};

struct ToolButton {
  int page;
  std::string_view caption;
  std::string_view target;
  LaunchMode mode;
};

// The tool buttons of the category pages, in the order they are laid out.
constexpr ToolButton kToolButtons[] = {
    {1, "AID64", "\\tools\\cpu工具\\AIDA64\\aida64.exe", LaunchMode::Normal},
    {1, "CoreTemp32", "\\tools\\cpu工具\\CoreTemp1151\\CoreTemp32\\Core Temp.exe", LaunchMode::Show},
    {1, "CoreTemp64", "\\tools\\cpu工具\\CoreTemp1151\\CoreTemp64\\Core Temp.exe", LaunchMode::Show},
    {1, "cpuz64", "\\tools\\cpu工具\\CPUZ\\cpuz64.exe", LaunchMode::Show},
    {1, "cpuz86", "\\tools\\cpu工具\\CPUZ\\cpuz86.exe", LaunchMode::Show},
    {2, "memtest", "\\tools\\内存工具\\memtest\\memtest.exe", LaunchMode::Show},
    {2, "memtestpro", "\\tools\\内存工具\\memtestpro\\memtestpro.exe", LaunchMode::Normal},
    {2, "魔方内存盘", "\\tools\\内存工具\\魔方内存盘\\ramdisk.exe", LaunchMode::Show},
    {3, "AIDA64", "\\tools\\主板工具\\AIDA64\\aida64.exe", LaunchMode::Show},
    {4, "TrayS_x64 CPU", "\\tools\\任务栏美化（win10）\\TrayS_x64 CPU\\TrayS.exe", LaunchMode::Normal},
    {5, "ASSSDBenchmark", "\\tools\\磁盘工具\\ASSSDBenchmark\\ASSSDBenchmark.exe", LaunchMode::Normal},
    {5, "CrystalDiskInfo86", "\\tools\\磁盘工具\\CrystalDiskInfo\\DiskInfo32.exe", LaunchMode::Normal},
    {5, "CrystalDiskInfo64", "\\tools\\磁盘工具\\CrystalDiskInfo\\DiskInfo64.exe", LaunchMode::Normal},
    {5, "Defraggler", "\\tools\\磁盘工具\\Defraggler\\Defraggler.exe", LaunchMode::Normal},
    {5, "DiskGenius", "\\tools\\磁盘工具\\DiskGenius\\DiskGenius.exe", LaunchMode::Normal},
    {5, "SSDZ", "\\tools\\磁盘工具\\SSDZ\\SSDZ.exe", LaunchMode::Normal},
    {5, "Ultraiso", "\\tools\\磁盘工具\\ULTRAISO\\ULTRAISO.EXE", LaunchMode::Normal},
    {5, "傲梅分区", "\\tools\\磁盘工具\\傲梅分区\\PartAssist.exe", LaunchMode::Normal},
    {5, "魔方数据恢复", "\\tools\\磁盘工具\\魔方数据恢复\\魔方数据恢复.exe", LaunchMode::Normal},
    {5, "rufus", "\\tools\\磁盘工具\\rufus.exe", LaunchMode::Normal},
    {5, "UltraISO", "\\tools\\磁盘工具\\UltraISO.exe", LaunchMode::Normal},
    {5, "U盘芯检测工具", "\\tools\\磁盘工具\\U盘芯检测工具.exe", LaunchMode::Normal},
    {6, "CPUZ64", "\\tools\\显卡工具\\CPUZ\\cpuz64.exe", LaunchMode::Normal},
    {6, "CPUZ32", "\\tools\\显卡工具\\CPUZ\\cpuz86.exe", LaunchMode::Normal},
    {6, "gpuinfo", "\\tools\\显卡工具\\gpuinfo\\Gpuinfo.exe", LaunchMode::Normal},
    {7, "displayx", "\\tools\\显示器工具\\displayx\\DisplayX.exe", LaunchMode::Normal},
    {7, "色域检测", "\\tools\\显示器工具\\色域检测\\monitorinfo.exe", LaunchMode::Normal},
    {8, "AIDA64", "\\tools\\综合检测\\AIDA64\\aida64.exe", LaunchMode::Normal},
    {8, "cpuz64", "\\tools\\综合检测\\CPUZ\\cpuz64.exe", LaunchMode::Normal},
    {8, "cpuz86", "\\tools\\综合检测\\CPUZ\\cpuz86.exe", LaunchMode::Normal},
    {8, "Speccy", "\\tools\\综合检测\\speccy\\Speccy.exe", LaunchMode::Normal},
    {8, "图拉丁硬件检测", "\\tools\\综合检测\\图拉丁硬件检测\\图拉丁硬件检测.exe", LaunchMode::Normal},
    {9, "Dism++64", "\\tools\\系统优化\\Dism++\\Dism++x64.exe", LaunchMode::Normal},
    {9, "Dism++86", "\\tools\\系统优化\\Dism++\\Dism++x86.exe", LaunchMode::Normal},
    {9, "广告弹窗拦截", "\\tools\\系统优化\\火绒弹窗拦截独立版\\弹窗拦截.exe", LaunchMode::Normal},
    {9, "360断网急救箱", "\\tools\\系统优化\\360断网急救箱.exe", LaunchMode::Normal},
    {10, "Everything查找文件", "\\tools\\系统工具\\Everything查找文件.exe", LaunchMode::Normal},
    {10, "FastStone Capture桌面小工具", "\\tools\\系统工具\\FastStone Capture桌面小工具.exe", LaunchMode::Normal},
    {10, "geek强力卸载工具", "\\tools\\系统工具\\geek强力卸载工具.exe", LaunchMode::Normal},
    {10, "鼠标连点器", "\\tools\\系统工具\\鼠标连点器.exe", LaunchMode::Normal},
    {11, "驱动精灵", "\\tools\\驱动工具\\驱动精灵9.61.3708.3054绿色.exe", LaunchMode::Normal},
};

struct SystemButton {
  int row;  // 0 or 1
  int x;
  std::string_view caption;
  std::string_view hint;
  SystemOperation operation;
  std::string_view key;
};

constexpr SystemButton kSystemButtons[] = {
    {0, 34, "重启资源管理器", "重启资源管理器", SystemOperation::RestartExplorer, "tools:restart-explorer"},
    {0, 178, "重建图标缓存", "重建图标缓存", SystemOperation::RebuildIconCache, "tools:icon-cache"},
    {0, 322, "打开关于系统", "关于", SystemOperation::ShowWindowsAbout, "tools:about"},
    {0, 466, "垃圾清理", "系统自带的清理工具", SystemOperation::RunDiskCleanup, "tools:disk-cleanup"},
    {0, 610, "高级垃圾清理", "cmd指令清理", SystemOperation::RunJunkCleanScript, "tools:junk-clean"},
    {1, 34, "关闭屏幕", "关闭屏幕", SystemOperation::TurnScreenOff, "tools:screen-off"},
    {1, 178, "打开注册表", "打开注册表", SystemOperation::OpenRegistryEditor, "tools:registry-editor"},
    {1, 322, "关机", "关闭所有软件，关闭计算机", SystemOperation::ShutDownSystem, "tools:shut-down"},
    {1, 467, "重启", "关闭所有软件，重新启动计算机", SystemOperation::RestartSystem, "tools:restart"},
    {1, 610, "注销", "关闭所有软件，跳转到登录界面", SystemOperation::LogOffUser, "tools:log-off"},
};

// The category buttons of the overview, in page order 1..11: caption, key,
// position (column, row) in the group of all functions.
struct CategoryButton {
  std::string_view caption;
  std::string_view key;
  int column, row;
};
constexpr CategoryButton kCategoryButtons[] = {
    {"cpu工具", "tools:category1", 0, 0},    {"内存工具", "tools:category2", 1, 0},
    {"主板工具", "tools:category3", 2, 0},   {"win10任务栏美化", "tools:category4", 3, 0},
    {"磁盘工具", "tools:category5", 4, 0},   {"显卡工具", "tools:category6", 0, 1},
    {"显示器工具", "tools:category7", 2, 1}, {"综合检测", "tools:category8", 3, 1},
    {"系统优化", "tools:category9", 1, 1},   {"系统工具", "tools:category10", 4, 1},
    {"驱动工具", "tools:category11", 1, 2},
};

// The system-function group and the group of all functions, in container coordinates.
constexpr int kSystemGroupX = 28, kSystemGroupY = 109;
constexpr int kAllGroupX = 29, kAllGroupY = 269;
// clang-format on

LayoutRow Row(RowKind kind, int page, std::string_view caption, int x, int y, int w, int h,
              FontId font = FontId::ToolsText, std::string_view key = {}, std::string_view tooltip = {}) {
  return LayoutRow{.kind = kind,
                   .parent = static_cast<int8_t>(page),
                   .name = {},
                   .caption = caption,
                   .x = static_cast<int16_t>(x),
                   .y = static_cast<int16_t>(y),
                   .w = static_cast<int16_t>(w),
                   .h = static_cast<int16_t>(h),
                   .font = font,
                   .flags = static_cast<uint8_t>(kind == RowKind::Label ? kWrap : 0),
                   .action = key,
                   .tooltip = tooltip};
}

std::vector<ContainerControl> BuildRows() {
  using K = RowKind;
  using A = RowAction;
  std::vector<ContainerControl> rows;
  auto text = [&](int page, std::string_view caption, int x, int y, int w, int h, FontId font = FontId::ToolsText) {
    rows.push_back({Row(K::Label, page, caption, x, y, w, h, font)});
  };
  // A push button; `does` carries what its action does.
  auto button = [&](int page, std::string_view caption, int x, int y, int w, int h, std::string_view key,
                    ContainerControl does, std::string_view tooltip = {}) {
    does.row = Row(K::PushButton, page, caption, x, y, w, h, FontId::ToolsText, key, tooltip);
    rows.push_back(does);
  };

  // Overview page.
  text(0, "软件宝库", 28, 20, 200, 24, FontId::ToolsHeader);
  text(0, "| 工具搜索", 27, 45, 200, 20);
  LayoutRow search = Row(K::SearchBox, 0, "", 28, 69, 640, 20, FontId::ToolsText, kToolsSearchKey);
  search.detail = kToolsSearchHitKey;  // Enter searches like the button; a picked hit runs this
  rows.push_back({search});
  button(0, "点击搜索", 676, 69, 118, 24, kToolsSearchKey, {.action = A::Search});
  text(0, "| 系统功能", 27, 94, 200, 15);
  rows.push_back({Row(K::GroupBox, 0, "", kSystemGroupX, kSystemGroupY, 768, 144)});
  for (const SystemButton& b : kSystemButtons)
    button(0, b.caption, kSystemGroupX + b.x, kSystemGroupY + (b.row == 0 ? 24 : 80), 120, 40, b.key,
           {.action = A::SystemOperation, .operation = b.operation}, b.hint);
  text(0, "| 所有功能（实用工具）", 27, 253, 300, 16);
  rows.push_back({Row(K::GroupBox, 0, "", kAllGroupX, kAllGroupY, 767, 224)});
  constexpr int xs[] = {32, 176, 320, 464, 608};
  constexpr int ys[] = {32, 96, 160};
  auto at = [&](int col, int row, std::string_view caption, std::string_view key, ContainerControl does,
                std::string_view tooltip = {}) {
    button(0, caption, kAllGroupX + xs[col], kAllGroupY + ys[row], 120, 40, key, does, tooltip);
  };
  for (int p = 1; p <= 11; ++p) {
    const CategoryButton& b = kCategoryButtons[p - 1];
    at(b.column, b.row, b.caption, b.key, {.action = A::ShowCategory, .categoryPage = p});
  }
  at(0, 2, "Kinhdown下载器", "tools:kinhdown", {.action = A::OpenLink, .target = web::kKinhdownSite});
  at(2, 2, "下载工具包", kToolsPackageKey, {.action = A::ToolPackageLink});
  at(3, 2, "工具目录", kToolsDirectoryKey, {.action = A::ToolsDirectory});
  at(4, 2, "工具无法打开？", "tools:help",
     {.action = A::SystemOperation, .operation = SystemOperation::ExplainToolStartFailure}, "点击这里查看提示");
  text(0,
       "温馨提示：如有更新，请及时查看更新日志是否需要更新工具包，如出现工具打不开的情况，请前往反馈地址查看解决方法。",
       32, 497, 764, 40);

  // Category pages: back button, tool buttons five to a row, the sponsorship line.
  for (int p = 1; p < kToolsPageCount; ++p) {
    button(p, "返回", 8, -7, 120, 40, kToolsBackKey, {.action = A::BackToOverview});
    int k = 0;
    for (const ToolButton& t : kToolButtons) {
      if (t.page != p) continue;
      button(p, t.caption, 40 + 144 * (k % 5), 64 + 64 * (k / 5), 120, 40, t.target,
             {.action = A::LaunchTool, .target = t.target, .mode = t.mode});
      ++k;
    }
    text(p, "您的赞助是我们唯一的经济来源，欢迎赞助，感谢支持！", 180, 444, 460, 20);
  }
  return rows;
}

}  // namespace

std::string_view ToolsPageName(int page) {
  return page >= 0 && page < kToolsPageCount ? kPageNames[static_cast<size_t>(page)] : std::string_view();
}

const std::vector<ContainerControl>& ToolsContainerControls() {
  static const std::vector<ContainerControl> rows = BuildRows();
  return rows;
}

}  // namespace ql
