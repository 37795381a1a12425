// The update check of the page "版本更新".
#pragma once

namespace ql {

// The click handler of "点击检测更新": shows the waiting hint and starts a
// worker that runs RunUpdateCheck; returns at once.
void CheckForUpdate();
// The worker's body: reads the published version from the folder page and
// writes 标签17, 标签16 and 标签30.
void RunUpdateCheck();

}  // namespace ql
