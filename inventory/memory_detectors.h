// The per-device detectors: memory modules with their total, video
// controllers, and the PNP identifiers of the desktop monitors. Each array
// holds at least one element; with no device it holds one empty text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/script_host.h"

namespace ql {

struct MemoryInventory {
  std::vector<std::string> capacities{""};  // bytes, decimal
  std::vector<std::string> speeds{""};      // MHz, decimal
  std::vector<std::string> manufacturers{""};
  int64_t totalCapacityBytes = 0;
};

struct VideoControllerList {
  std::vector<std::string> names{""};
};

struct MonitorDeviceList {
  std::vector<std::string> pnpDeviceIds{""};  // an element may be empty
};

// The leading decimal digits of a text as a number (0 without digits; far
// too many digits stop at the largest value).
int64_t LeadingInteger(std::string_view text);
// The capacities added in order, in double precision as the home page has
// always shown them.
int64_t TotalCapacityBytes(const std::vector<std::string>& capacities);

MemoryInventory DetectMemory(ScriptHostFactory& hosts);
VideoControllerList DetectVideoControllers(ScriptHostFactory& hosts);
MonitorDeviceList DetectMonitorDevices(ScriptHostFactory& hosts);

}  // namespace ql
