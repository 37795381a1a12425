// How long a detection run waits for its detectors in all. A detector that
// has not answered by then counts as failed; a script may never run longer.
#pragma once

namespace ql {

inline constexpr unsigned kDetectionDeadlineMs = 10000;

}  // namespace ql
