// The visit counters of the home page, read from the counter page.
#pragma once

#include <string>
#include <string_view>

#include "net/web_pages.h"

namespace ql {

// Start-up stage 3: starts the statistics thread and returns at once. `view`
// must outlive the thread (the shell's lives as long as the process).
void StartVisitStatisticsThread(VisitCountersView& view, std::string counterPage);
// The thread's body: fetches the counter page and shows the three counters
// (all empty when the fetch fails).
void FetchVisitStatistics(VisitCountersView& view, std::string_view counterPage);

}  // namespace ql
