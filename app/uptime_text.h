// The home page's uptime line, from the milliseconds since the system started.
#pragma once

#include <cstdint>
#include <string>

namespace ql {

// "27小时5分钟9秒": whole hours (never folded into days), minutes, seconds.
// Takes the 64-bit count: machines that only sleep or fast-start run for
// months, past the 49.7 days a 32-bit count holds.
std::string UptimeText(uint64_t tickMs);

}  // namespace ql
