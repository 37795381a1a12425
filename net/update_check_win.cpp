// The update check: one worker per click.
#include "net/update_check_win.h"

#include <windows.h>

#include "app/main_controls_win.h"
#include "net/fetch_url_win.h"
#include "net/net_hooks_win.h"
#include "net/web_pages.h"
#include "platform/thread_win.h"

namespace ql {
void RunUpdateCheck() {
  UpdateLabels labels = DecideUpdate(DecodeUtf8Page(FetchUrlBytes(TheNetHooks().folderPage)));
  SetMainControlText("标签17", labels.currentVersion);
  SetMainControlText("标签16", labels.serverVersion);
  SetMainControlText("标签30", labels.hint);
}

void CheckForUpdate() {
  SetMainControlText("标签30", kUpdateCheckingHint);
  StartDetachedThread(RunUpdateCheck);
}

}  // namespace ql
