// Memory modules, video controllers and monitor identifiers.
#include "inventory/memory_detectors.h"

#include <limits>

#include "inventory/wmi_query_script.h"
#include "inventory/wmi_record_text.h"

namespace ql {

int64_t LeadingInteger(std::string_view text) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    int digit = c - '0';
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

int64_t TotalCapacityBytes(const std::vector<std::string>& capacities) {
  int64_t total = 0;
  for (const std::string& capacity : capacities) {
    double sum = static_cast<double>(total) + static_cast<double>(LeadingInteger(capacity));
    // 2^63 itself no longer fits: stop at the largest value.
    total = sum >= 9223372036854775807.0 ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(sum);
  }
  return total;
}

MemoryInventory DetectMemory(ScriptHostFactory& hosts) {
  std::vector<std::string> records = SplitRecords(EvaluateTextOnce(hosts, MemoryScript()));
  MemoryInventory memory;
  memory.capacities = ReadKeyPerRecord(records, "容量=");
  memory.speeds = ReadKeyPerRecord(records, "速度=");
  memory.manufacturers = ReadKeyPerRecord(records, "厂商=");
  memory.totalCapacityBytes = TotalCapacityBytes(memory.capacities);
  return memory;
}

VideoControllerList DetectVideoControllers(ScriptHostFactory& hosts) {
  return {ReadKeyPerRecord(SplitRecords(EvaluateTextOnce(hosts, VideoControllerScript())), "型号=")};
}

MonitorDeviceList DetectMonitorDevices(ScriptHostFactory& hosts) {
  return {ReadKeyPerRecord(SplitRecords(EvaluateTextOnce(hosts, MonitorScript())), "参数c=")};
}

}  // namespace ql
