// The report document: keys in order, rows as given, WMI values typed, the
// 64-bit texts as numbers only where they are numbers, monitors with their
// hardware ID and decoded EDID.
#include "inventory/machine_report.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

WmiProperty Text(const char* name, std::string text) {
  WmiProperty p{name, {}};
  p.value.kind = WmiValue::Kind::Text;
  p.value.text = std::move(text);
  return p;
}
WmiProperty Null(const char* name) {
  WmiProperty p{name, {}};
  p.value.kind = WmiValue::Kind::Null;
  return p;
}

MachineReport SmallReport() {
  MachineReport r;
  r.version = "9.8.7";
  r.machineType = "LENOVO 台式电脑";
  r.windows = "Win；1；64 位\r\n";
  r.rows = {{"中央处理器", "CPU"}, {"显示器", ""}};
  WmiProperty ram{"AdapterRAM", {}};
  ram.value.kind = WmiValue::Kind::Integer;
  ram.value.integer = -1048576;
  r.machine.objects = {
      {"Win32_PhysicalMemory", {Text("Capacity", "8589934592"), Null("Manufacturer")}},
      {"Win32_VideoController", {ram}},
      {"Win32_DesktopMonitor", {Text("PNPDeviceID", "DISPLAY\\DELA0A4\\5&2A&0&UID1")}},
      {"Win32_DesktopMonitor", {Text("PNPDeviceID", "")}},
      {"Win32_DiskDrive", {Text("Size", "not a number"), Text("Model", "123")}},
  };
  MonitorInfo edid;
  edid.ModelText = "DELL P2414H\n";
  edid.RawEdid = {0x00, 0xFF, 0xAC};
  r.monitorEdids = {edid, std::nullopt};
  r.power = {1, 128, 255, 0xFFFFFFFF};
  r.installedMemoryBytes = 17079840768ULL;
  r.installedMemoryText = "16GB";
  return r;
}

TEST(MachineReportJson, WritesTheHeaderAndRowsFirstThenTypedDetails) {
  std::string json = MachineReportJson(SmallReport());
  EXPECT_EQ(json.rfind("{\n  \"version\": \"9.8.7\",\n  \"machineType\": \"LENOVO \xE5\x8F\xB0\xE5\xBC\x8F\xE7\x94\xB5"
                       "\xE8\x84\x91\",\n  \"windows\": \"Win\xEF\xBC\x9B"
                       "1\xEF\xBC\x9B"
                       "64 \xE4\xBD\x8D\\r\\n\",\n"
                       "  \"rows\": {\n    \"\xE4\xB8\xAD\xE5\xA4\xAE\xE5\xA4\x84\xE7\x90\x86\xE5\x99\xA8\": \"CPU\",\n"
                       "    \"\xE6\x98\xBE\xE7\xA4\xBA\xE5\x99\xA8\": \"\"\n  },\n  \"details\": {\n",
                       0),
            0u)
      << json;
  const char* pieces[] = {
      "\"Capacity\": 8589934592,",  // a 64-bit text that is a number
      "\"Manufacturer\": null",
      "\"AdapterRAM\": -1048576",
      "\"hardwareId\": \"DELA0A4\"",
      "\"ModelText\": \"DELL P2414H\\n\"",
      "\"RawEdid\": \"00FFAC\"",
      "\"hardwareId\": \"\",\n        \"edid\": null",
      "\"Size\": \"not a number\",",  // kept as the text it is
      "\"Model\": \"123\"",           // not a 64-bit property: stays a text
      "\"totalPhysicalBytes\": 17079840768,",
      "\"BatteryFlag\": 128,",
      "\"BatteryLifeTime\": -1",
      "\"networkAdapters\": [],",
  };
  for (const char* piece : pieces) EXPECT_NE(json.find(piece), std::string::npos) << piece << "\n" << json;
  EXPECT_EQ(json.substr(json.size() - 6), "  }\n}\n");
}

TEST(MonitorHardwareId, IsTheSecondPartOfThePath) {
  EXPECT_EQ(MonitorHardwareId("DISPLAY\\DELA0A4\\5&2A"), "DELA0A4");
  EXPECT_EQ(MonitorHardwareId("DISPLAY\\DELA0A4"), "DELA0A4");
  EXPECT_EQ(MonitorHardwareId("DISPLAY"), "");
  EXPECT_EQ(MonitorHardwareId(""), "");
}

}  // namespace
}  // namespace ql
