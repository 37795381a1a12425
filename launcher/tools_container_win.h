// The tools container of the page "功能" and the launcher's control actions.
#pragma once

#include <windows.h>

namespace ql {

// Creates the container as a child of `parent` at (x, y), w x h.
HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height);
// Registers the launch, link and system-operation actions of the main pages.
void RegisterLauncherActions();

}  // namespace ql
