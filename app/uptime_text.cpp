#include "app/uptime_text.h"

namespace ql {

std::string UptimeText(uint64_t tickMs) {
  uint64_t s = tickMs / 1000;
  uint64_t h = s / 3600;
  uint64_t r = s % 3600;
  return std::to_string(h) + "小时" + std::to_string(r / 60) + "分钟" + std::to_string(r % 60) + "秒";
}

}  // namespace ql
