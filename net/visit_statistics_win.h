// The visit counters of the home page, read from the counter page.
#pragma once

namespace ql {

// Start-up stage 3: starts the statistics thread and returns at once.
void StartVisitStatisticsThread();
// The thread's body: fetches the counter page and writes the labels
// 昨日访问, 今日访问 and 累计访问 (all empty when the fetch fails).
void FetchVisitStatistics();

}  // namespace ql
