// One detection run: every detector once, in a fixed order, then the home
// page's header labels and hardware rows written one after the other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "inventory/memory_detectors.h"
#include "inventory/monitor_edid.h"
#include "inventory/network_adapters.h"
#include "inventory/system_detectors.h"
#include "support/layout_names.h"

namespace ql {

// One run's results; one process-wide instance lives beside the home page.
struct HardwareSnapshot {
  MachineTypeInfo machineType;
  ProcessorRecords processors;
  BoardInfo board;
  MonitorDeviceList monitorDevices;
  std::vector<std::string> disks;
  std::vector<NetworkAdapterInfo> adapters;
  VideoControllerList videoControllers;
  MemoryInventory memory;
  MonitorInfo monitorInfo;            // the last monitor decoded
  std::vector<std::string> rowTexts;  // machine type, Windows, then the seven rows
};

// What a run reads from the machine. The Windows side may work ahead
// (detectors on threads of their own); the run still takes the results in
// its fixed order.
class DetectionSources {
 public:
  virtual ~DetectionSources() = default;
  virtual MachineTypeInfo MachineType() = 0;
  virtual ProcessorRecords Processors() = 0;
  virtual BoardInfo Board() = 0;
  virtual MonitorDeviceList MonitorDevices() = 0;
  virtual std::vector<std::string> DiskNames() = 0;
  virtual std::vector<NetworkAdapterInfo> NetworkAdapters() = 0;
  virtual VideoControllerList VideoControllers() = 0;
  virtual MemoryInventory Memory() = 0;
  virtual std::string OperatingSystemSummary() = 0;
  virtual std::string InstalledMemoryText() = 0;
  virtual MonitorInfo DecodeMonitor(std::string_view pnpDeviceId) = 0;
  virtual std::string DiskModel(std::string_view driveName) = 0;
};

// Where a run writes: the battery timer and the labels by layout name.
class HomePageLabels {
 public:
  virtual ~HomePageLabels() = default;
  virtual void StartBatteryTimer() = 0;
  virtual void Write(std::string_view layoutName, std::string_view text) = 0;
};

// The eight hardware rows in copy order: caption label, value label.
struct SummaryRow {
  std::string_view captionLabel;
  std::string_view valueLabel;
};
inline constexpr SummaryRow kSummaryRowLabels[8] = {
    {layout::kProcessorCaption, layout::kProcessor}, {layout::kMemoryCaption, layout::kMemory},
    {layout::kGraphicsCaption, layout::kGraphics},   {layout::kBoardCaption, layout::kBoard},
    {layout::kMonitorCaption, layout::kMonitor},     {layout::kDiskCaption, layout::kDisk},
    {layout::kNetworkCaption, layout::kNetwork},     {layout::kBatteryCaption, layout::kBattery},
};

// Writes, in this order: machine type, Windows (blank first, then the
// summary), processor, memory, graphics, board, monitor, disk, network.
void RunDetection(DetectionSources& sources, HomePageLabels& labels, HardwareSnapshot& snapshot);

}  // namespace ql
