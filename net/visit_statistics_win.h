// The visit counters of the home page, read from the counter page.
#pragma once

namespace ql {

// Start-up stage 3: starts the statistics thread and returns at once.
void StartVisitStatisticsThread();

}  // namespace ql
