// The tools container of the page "功能" and the launcher's control actions.
#pragma once

#include <windows.h>

#include <string_view>

namespace ql {

// Creates the container as a child of `parent` at (x, y), w x h: twelve
// pages (the overview and eleven categories), page 0 shown. One container
// per process; a second call replaces the first as the one the handlers use.
HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height);
// Registers the launch, link and system-operation actions of the main pages.
void RegisterLauncherActions();

// The container's current page (0..11), -1 without a container.
int ToolsContainerPage();
void SetToolsContainerPage(int page);
// A category button: the page, and the title written into the top bar.
void ShowToolCategory(int page, std::string_view title);
// A back button: page 0 and the title "功能".
void BackToOverview();
// "点击搜索" and Enter in the search box.
void SearchTools();
// The user picked item k of the search box's list: show its page.
void SearchHitSelected();
// The search box (an editable drop-down combo box), nullptr without a container.
HWND ToolsSearchBox();

}  // namespace ql
