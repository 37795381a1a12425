// The detection run over fake sources: the order of its writes and the
// exact label texts of the worked example and of a machine without WMI.
#include "inventory/detection_run.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ql {
namespace {

struct FakeSources final : DetectionSources {
  MachineTypeInfo machineType;
  ProcessorRecords processors;
  BoardInfo board;
  MonitorDeviceList monitors;
  std::vector<std::string> disks;
  std::vector<NetworkAdapterInfo> adapters;
  VideoControllerList video;
  MemoryInventory memory;
  std::string osSummary;
  std::string installed;
  std::vector<std::string> calls;

  MachineTypeInfo MachineType() override { return calls.push_back("machine"), machineType; }
  ProcessorRecords Processors() override { return calls.push_back("cpu"), processors; }
  BoardInfo Board() override { return calls.push_back("board"), board; }
  MonitorDeviceList MonitorDevices() override { return calls.push_back("monitors"), monitors; }
  std::vector<std::string> DiskNames() override { return calls.push_back("disks"), disks; }
  std::vector<NetworkAdapterInfo> NetworkAdapters() override { return calls.push_back("adapters"), adapters; }
  VideoControllerList VideoControllers() override { return calls.push_back("video"), video; }
  MemoryInventory Memory() override { return calls.push_back("memory"), memory; }
  std::string OperatingSystemSummary() override { return osSummary; }
  std::string InstalledMemoryText() override { return installed; }
  MonitorInfo DecodeMonitor(std::string_view id) override {
    calls.push_back("decode " + std::string(id));
    MonitorInfo m;
    m.VendorDisplay = "戴尔 DELA0A4";
    m.ManufacturerCode = "DEL";
    m.ModelText = "DELL P2414H\n";
    return m;
  }
  std::string DiskModel(std::string_view name) override {
    calls.push_back("model " + std::string(name));
    return name == "\\\\.\\PHYSICALDRIVE0" ? "Samsung SSD 860 EVO 500GB" : "WDC WD10EZEX-08WN4A0";
  }
};

struct RecordingLabels final : HomePageLabels {
  std::vector<std::pair<std::string, std::string>> writes;
  int timerStarts = 0;
  void StartBatteryTimer() override { ++timerStarts; }
  void Write(std::string_view name, std::string_view text) override {
    writes.emplace_back(std::string(name), std::string(text));
  }
};

FakeSources WorkedExample() {
  FakeSources s;
  s.machineType = {"台式电脑", "LENOVO"};
  s.processors.names = {"AMD Ryzen 5 3600 6-Core Processor"};
  s.processors.descriptions = {"AMD64 Family 23 Model 113 Stepping 0"};
  s.board = {"American Megatrends Inc.", "PRIME B365M-A\r\n"};
  s.monitors.pnpDeviceIds = {"DISPLAY\\DELA0A4\\5&1&0&UID4352"};
  s.disks = {"\\\\.\\PHYSICALDRIVE0", "\\\\.\\PHYSICALDRIVE1"};
  NetworkAdapterInfo nic;
  nic.AdapterDescription = "Realtek PCIe GbE Family Controller";
  s.adapters = {nic};
  s.video.names = {"NVIDIA GeForce GTX 1660 SUPER"};
  s.memory.capacities = {"8589934592", "8589934592"};
  s.memory.speeds = {"2666", "2666"};
  s.memory.manufacturers = {"Kingston", "Kingston"};
  s.memory.totalCapacityBytes = 17179869184;
  s.osSummary = "Microsoft Windows 10 专业版；123；64 位\r\n";
  s.installed = "16GB";
  return s;
}

TEST(DetectionRun, WorkedExampleWritesTheNineLabelsInOrder) {
  FakeSources sources = WorkedExample();
  RecordingLabels labels;
  HardwareSnapshot snapshot;
  RunDetection(sources, labels, snapshot);

  EXPECT_EQ(labels.timerStarts, 1);
  EXPECT_THAT(sources.calls, testing::ElementsAre("machine", "cpu", "board", "monitors", "disks", "adapters", "video",
                                                  "memory", "decode DISPLAY\\DELA0A4\\5&1&0&UID4352",
                                                  "model \\\\.\\PHYSICALDRIVE0", "model \\\\.\\PHYSICALDRIVE1"));
  using W = std::pair<std::string, std::string>;
  EXPECT_THAT(
      labels.writes,
      testing::ElementsAre(
          W{"标签1", "LENOVO 台式电脑"}, W{"标签68", ""}, W{"标签68", "Microsoft Windows 10 专业版；123；64 位\r\n"},
          W{"标签71", "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0"},
          W{"标签84", "Kingston(2666MHz) | Kingston(2666MHz) | 总共 2 根。共: 16384MB (约16GB)"},
          W{"标签81", "NVIDIA GeForce GTX 1660 SUPER|  总共: 1块"},
          W{"标签76", "American Megatrends Inc. PRIME B365M-A\r\n"}, W{"标签75", "戴尔 DELA0A4 DEL DELL P2414H\n|"},
          W{"标签74", "Samsung SSD 860 EVO 500GB| WDC WD10EZEX-08WN4A0|  总共: 2块"},
          W{"标签73", "Realtek PCIe GbE Family Controller| "}));
  EXPECT_EQ(snapshot.monitorInfo.ManufacturerCode, "DEL");
  EXPECT_EQ(snapshot.rowTexts.size(), 9u);
}

TEST(DetectionRun, WithoutWmiTheRowsShowTheirEmptyResults) {
  FakeSources sources;  // every detector's empty result; no disks, no adapters
  sources.osSummary = "；；";
  sources.installed = "8GB";
  RecordingLabels labels;
  HardwareSnapshot snapshot;
  RunDetection(sources, labels, snapshot);
  std::map<std::string, std::string> last;
  for (const auto& [name, text] : labels.writes) last[name] = text;
  EXPECT_EQ(last["标签1"], " ");  // filled: start-up shows no error dialog
  EXPECT_EQ(last["标签68"], "；；");
  EXPECT_EQ(last["标签71"], " ");
  EXPECT_EQ(last["标签84"], "(MHz) | 总共 1 根。共: 0MB (约8GB)");
  EXPECT_EQ(last["标签81"], "|  总共: 1块");
  EXPECT_EQ(last["标签76"], " ");
  EXPECT_EQ(last["标签75"], "");  // the one empty identifier is skipped
  EXPECT_EQ(last["标签74"], " 总共: 0块");
  EXPECT_EQ(last["标签73"], "");
  EXPECT_THAT(sources.calls, testing::Not(testing::Contains(testing::StartsWith("decode"))));
}

TEST(DetectionRun, ASecondRunRebuildsEveryRowFromNothing) {
  FakeSources sources = WorkedExample();
  HardwareSnapshot snapshot;
  RecordingLabels first, second;
  RunDetection(sources, first, snapshot);
  std::vector<std::string> rows = snapshot.rowTexts;
  RunDetection(sources, second, snapshot);
  EXPECT_EQ(first.writes, second.writes);
  EXPECT_EQ(snapshot.rowTexts, rows);
}

}  // namespace
}  // namespace ql
