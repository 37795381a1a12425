// The detection run.
#include "inventory/detection_run.h"

#include "inventory/home_page_rows.h"

namespace ql {

void RunDetection(DetectionSources& sources, HomePageLabels& labels, HardwareSnapshot& snapshot) {
  labels.StartBatteryTimer();

  // Every field is replaced; nothing is carried over from an earlier run.
  snapshot.machineType = sources.MachineType();
  snapshot.processors = sources.Processors();
  snapshot.board = sources.Board();
  snapshot.monitorDevices = sources.MonitorDevices();
  snapshot.disks = sources.DiskNames();
  snapshot.adapters = sources.NetworkAdapters();
  snapshot.videoControllers = sources.VideoControllers();
  snapshot.memory = sources.Memory();
  snapshot.monitorInfo = MonitorInfo{};
  snapshot.rowTexts.clear();

  auto write = [&](std::string_view label, std::string text) {
    labels.Write(label, text);
    snapshot.rowTexts.push_back(std::move(text));
  };

  write(layout::kMachineType, MachineTypeRow(snapshot.machineType.manufacturer, snapshot.machineType.chassisName));
  labels.Write(layout::kWindows, "");  // blank while the summary is worked out
  write(layout::kWindows, sources.OperatingSystemSummary());

  const ProcessorRecords& cpu = snapshot.processors;
  write(layout::kProcessor, ProcessorRow(cpu.names.empty() ? "" : cpu.names.front(),
                                         cpu.descriptions.empty() ? "" : cpu.descriptions.front()));

  const MemoryInventory& memory = snapshot.memory;
  write(layout::kMemory, MemoryRow(memory.manufacturers, memory.speeds, memory.capacities.size(),
                                   static_cast<double>(memory.totalCapacityBytes), sources.InstalledMemoryText()));

  write(layout::kGraphics, GraphicsRow(snapshot.videoControllers.names));
  write(layout::kBoard, BoardRow(snapshot.board.biosManufacturer, snapshot.board.boardProduct));

  std::string monitors;
  for (const std::string& id : snapshot.monitorDevices.pnpDeviceIds) {
    if (id.empty()) continue;
    snapshot.monitorInfo = sources.DecodeMonitor(id);
    const MonitorInfo& m = snapshot.monitorInfo;
    monitors += MonitorRowEntry(m.VendorDisplay, m.ManufacturerCode, m.ModelText);
  }
  write(layout::kMonitor, monitors);

  std::vector<std::string> models;
  for (const std::string& name : snapshot.disks) models.push_back(sources.DiskModel(name));
  write(layout::kDisk, DiskRow(models));

  std::vector<std::string> descriptions;
  for (const NetworkAdapterInfo& a : snapshot.adapters) descriptions.push_back(a.AdapterDescription);
  write(layout::kNetwork, NetworkRow(descriptions));
}

}  // namespace ql
