// The update check: one worker per click.
#include "net/update_check_win.h"

#include "net/fetch_url_win.h"
#include "platform/thread_win.h"

namespace ql {

void RunUpdateCheck(UpdateCheckView& view, std::string_view folderPage) {
  view.ShowUpdateLabels(DecideUpdate(DecodeUtf8Page(FetchUrlBytes(folderPage))));
}

void CheckForUpdate(UpdateCheckView& view, std::string folderPage) {
  view.ShowUpdateHint(kUpdateCheckingHint);
  StartDetachedThread([&view, page = std::move(folderPage)] { RunUpdateCheck(view, page); });
}

}  // namespace ql
