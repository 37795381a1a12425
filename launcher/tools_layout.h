// The tools container as data: every control of its twelve pages as a row
// of the layout table (kind, page, caption, position inside the container,
// font, action key, tooltip) and what its action does. The layout builder
// turns the rows into child windows.
#pragma once

#include <string_view>
#include <vector>

#include "launcher/launch_table.h"
#include "support/layout_table.h"

namespace ql {

inline constexpr int kToolsPageCount = 12;

enum class RowAction {
  None,
  Search,           // "点击搜索"
  ShowCategory,     // a category button of the overview page
  BackToOverview,   // the back button of a category page
  LaunchTool,       // LaunchFile(programDir + target, mode)
  OpenLink,         // OpenLink(target)
  ToolPackageLink,  // "下载工具包"
  ToolsDirectory,   // "工具目录"
  SystemOperation,  // one of the system functions (operation)
};

enum class SystemOperation {
  None,
  RestartExplorer,
  RebuildIconCache,
  ShowWindowsAbout,
  RunDiskCleanup,
  RunJunkCleanScript,
  TurnScreenOff,
  OpenRegistryEditor,
  ShutDownSystem,
  RestartSystem,
  LogOffUser,
  ExplainToolStartFailure,
};

struct ContainerControl {
  // row.parent is the container's page; row.action the control-action key its
  // click runs: "tools:…" for the container's own buttons, the target for a
  // tool button (each is unique).
  LayoutRow row = {};
  RowAction action = RowAction::None;
  std::string_view target = {};  // LaunchTool: relative path; OpenLink: address
  LaunchMode mode = LaunchMode::Normal;
  int categoryPage = 0;  // ShowCategory
  SystemOperation operation = SystemOperation::None;
};

// The keys of the container's own buttons.
inline constexpr std::string_view kToolsSearchKey = "tools:search";
inline constexpr std::string_view kToolsSearchHitKey = "tools:search-hit";  // a hit picked in the list
inline constexpr std::string_view kToolsBackKey = "tools:back";
inline constexpr std::string_view kToolsPackageKey = "tools:package";
inline constexpr std::string_view kToolsDirectoryKey = "tools:directory";

// The page names, index = page.
std::string_view ToolsPageName(int page);
// Every control of the container, page by page.
const std::vector<ContainerControl>& ToolsContainerControls();

}  // namespace ql
