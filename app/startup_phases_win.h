// Marks a point of the start-up in the phase log (see app/startup_phases.h).
#pragma once

#include <string_view>

namespace ql {

// Appends the point and the performance counter to the file named by
// QL_PHASE_LOG; does nothing when the variable is not set. Any thread.
void MarkStartupPhase(std::string_view phase);

}  // namespace ql
