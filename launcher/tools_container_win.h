// The tools container of the page "功能" and the launcher's control actions.
#pragma once

#include <windows.h>

#include <string_view>

#include "launcher/shell_launch_win.h"
#include "launcher/system_operations_win.h"

namespace ql {

// What the container asks of the window around it: the top bar's title and
// the tool package's download link. The shell implements it.
class ToolsContainerHost {
 public:
  virtual ~ToolsContainerHost() = default;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void OpenToolPackageLink() = 0;
};

// Creates the container as a child of `parent` at (x, y), w x h: twelve
// pages (the overview and eleven categories), page 0 shown. One container
// per process; a second call replaces the first as the one the handlers use.
// Its buttons run their rows' control actions (RegisterLauncherActions).
// Positions and sizes are at 96 DPI; the container and its rows are laid out
// for `dpi`.
HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height, UINT dpi = 96);
// Registers the actions of the container's rows and the launch and link
// actions of the main pages. All three must outlive the actions.
void RegisterLauncherActions(const Launcher& launcher, SystemOperations& operations, ToolsContainerHost& host);

// The container's current page (0..11), -1 without a container.
int ToolsContainerPage();
void SetToolsContainerPage(int page);
// "点击搜索" and Enter in the search box.
void SearchTools();
// The user picked item k of the search box's list: show its page.
void SearchHitSelected();
// The search box (an editable drop-down combo box), nullptr without a container.
HWND ToolsSearchBox();

}  // namespace ql
