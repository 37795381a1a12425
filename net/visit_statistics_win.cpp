// The visit-statistics thread.
#include "net/visit_statistics_win.h"

#include <windows.h>

#include "app/main_controls_win.h"
#include "net/net_hooks_win.h"
#include "net/web_pages.h"

namespace ql {
namespace {

DWORD WINAPI StatisticsThread(LPVOID) {
  FetchVisitStatistics();
  return 0;
}

}  // namespace

void FetchVisitStatistics() {
  VisitCounters counters = FetchVisitCounters(HttpClient, TheNetHooks().counterPage);
  SetMainControlText("昨日访问", counters.yesterday);
  SetMainControlText("今日访问", counters.today);
  SetMainControlText("累计访问", counters.total);
}

void StartVisitStatisticsThread() {
  HANDLE thread = CreateThread(nullptr, 0, StatisticsThread, nullptr, 0, nullptr);
  if (thread) CloseHandle(thread);
}

}  // namespace ql
