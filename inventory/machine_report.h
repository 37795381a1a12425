// The detection as a UTF-8 JSON document for scripts: the header and row
// texts exactly as the home page shows them, and the values behind them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "inventory/home_page_rows.h"
#include "inventory/machine_record.h"
#include "inventory/monitor_edid.h"
#include "inventory/network_adapters.h"

namespace ql {

struct ReportRow {
  std::string caption;  // GBK, as the caption label reads
  std::string value;    // GBK, as the value label reads
};

struct MachineReport {
  std::string version;
  std::string machineType;  // GBK label texts
  std::string windows;
  std::vector<ReportRow> rows;  // the eight rows in copy order
  MachineRecord machine;        // the WMI objects behind the rows
  // One per Win32_DesktopMonitor object of `machine`, in order: the decoded
  // EDID of its PNPDeviceID, none where the identifier is empty.
  std::vector<std::optional<MonitorInfo>> monitorEdids;
  std::vector<NetworkAdapterInfo> adapters;
  PowerStatus power;
  uint64_t installedMemoryBytes = 0;
  std::string installedMemoryText;  // GBK
};

// Keys in order: version, machineType, windows, rows, details. WMI texts
// that hold 64-bit numbers (Capacity, Size, TotalCylinders, TotalSectors,
// TotalTracks) are written as numbers; every other value keeps WMI's type.
std::string MachineReportJson(const MachineReport& report);

// The second part of a monitor's PNPDeviceID ("DELA0A4"), empty without one.
std::string MonitorHardwareId(std::string_view pnpDeviceId);

}  // namespace ql
