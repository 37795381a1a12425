// The detection outside the window: the report for scripts and the export
// that replays the machine under the test WMI provider.
#pragma once

#include <string>

#include "inventory/machine_record.h"

namespace ql {

// Every class and property of DetectionClassReads as this machine's WMI
// gives them, and the EDID values of its monitors. Waits for WMI at most
// `deadlineTick`; what has not come by then is left out.
MachineRecord ReadMachineRecord(unsigned long deadlineTick);

// The home page's detection (same detectors, engines and deadline) without
// a window, as the UTF-8 JSON document of machine_report.h.
std::string DetectMachineReportJson();
// This machine in the test provider's data-file format (UTF-8).
std::string ExportMachineDataFile();

}  // namespace ql
