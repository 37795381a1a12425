// The home page's uptime line, from the milliseconds since the system started.
#pragma once

#include <cstdint>
#include <string>

namespace ql {

// "27小时5分钟9秒": whole hours (never folded into days), minutes, seconds.
std::string UptimeText(uint32_t tickMs);

}  // namespace ql
