// The update check of the page "版本更新".
#pragma once

#include <string>
#include <string_view>

#include "net/web_pages.h"

namespace ql {

// The click handler of "点击检测更新": shows the waiting hint and starts a
// worker that runs RunUpdateCheck; returns at once. `view` must outlive the
// worker (the shell's lives as long as the process).
void CheckForUpdate(UpdateCheckView& view, std::string folderPage);
// The worker's body: reads the published version from the folder page and
// shows the current version, the server's version and the hint.
void RunUpdateCheck(UpdateCheckView& view, std::string_view folderPage);

}  // namespace ql
