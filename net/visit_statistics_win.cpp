// The visit-statistics thread (the counters are not fetched yet).
#include "net/visit_statistics_win.h"

namespace ql {

void StartVisitStatisticsThread() {}

}  // namespace ql
