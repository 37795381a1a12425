// The tools container as data: every control of its twelve pages with its
// kind, caption, position (inside the container) and what it does. One
// function turns these rows into child windows.
#pragma once

#include <string_view>
#include <vector>

#include "launcher/launch_table.h"

namespace ql {

inline constexpr int kToolsPageCount = 12;

enum class ControlKind { Text, Header, Caption, SearchBox, Button, BackButton, Group, Hint };

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
  int page = 0;
  ControlKind kind = ControlKind::Text;
  std::string_view caption = {};
  int x = 0, y = 0, width = 0, height = 0;
  RowAction action = RowAction::None;
  std::string_view target = {};  // LaunchTool: relative path; OpenLink: address
  LaunchMode mode = LaunchMode::Normal;
  int categoryPage = 0;  // ShowCategory
  SystemOperation operation = SystemOperation::None;
  std::string_view tooltip = {};
  // The control-action key its click runs: "tools:…" for the container's
  // own buttons, the target for a tool button (each is unique).
  std::string_view key = {};
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
