// The visit-statistics thread.
#include "net/visit_statistics_win.h"

#include <windows.h>

#include "app/main_controls_win.h"
#include "net/net_hooks_win.h"
#include "net/web_pages.h"
#include "platform/thread_win.h"

namespace ql {
void FetchVisitStatistics() {
  VisitCounters counters = FetchVisitCounters(HttpClient, TheNetHooks().counterPage);
  SetMainControlText("昨日访问", counters.yesterday);
  SetMainControlText("今日访问", counters.today);
  SetMainControlText("累计访问", counters.total);
}

void StartVisitStatisticsThread() { StartDetachedThread(FetchVisitStatistics); }

}  // namespace ql
