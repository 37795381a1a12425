// What the network features reach outside themselves: the two page
// addresses, the message box, the shell and the program's paths. The program
// uses the defaults; the tests point them at a local server and stubs.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "app/app_paths.h"

namespace ql {

struct NetHooks {
  std::string counterPage;  // the hit-counter page
  std::string folderPage;   // the maker's folder page (version, package link)
  // A task-modal box titled "信息："; returns the button pressed.
  std::function<int(std::string_view text, UINT style)> messageBox;
  // Opens a web address with the default browser.
  std::function<void(const std::string& link)> openLink;
  std::function<AppPaths()> appPaths;
};

// The process-wide hooks; set them before any network feature runs.
NetHooks& TheNetHooks();
// Back to the program's own addresses, box, shell and paths.
void ResetNetHooks();

}  // namespace ql
