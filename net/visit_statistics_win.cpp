// The visit-statistics thread.
#include "net/visit_statistics_win.h"

#include "net/http_client.h"
#include "platform/thread_win.h"

namespace ql {

void FetchVisitStatistics(VisitCountersView& view, std::string_view counterPage) {
  view.ShowVisitCounters(FetchVisitCounters(WinHttpTransport(), counterPage));
}

void StartVisitStatisticsThread(VisitCountersView& view, std::string counterPage) {
  StartDetachedThread([&view, page = std::move(counterPage)] { FetchVisitStatistics(view, page); });
}

}  // namespace ql
