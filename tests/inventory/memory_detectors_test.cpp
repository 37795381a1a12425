// Memory modules, video controllers and monitor identifiers over canned
// record text.
#include "inventory/memory_detectors.h"

#include <gtest/gtest.h>

#include <limits>

#include "inventory/wmi_query_script.h"
#include "tests/inventory/fake_script_host.h"

namespace ql {
namespace {

using Texts = std::vector<std::string>;

std::string Module(int i, const std::string& capacity, const std::string& speed, const std::string& maker) {
  std::string n = std::to_string(i);
  return "内存" + n + "容量=" + capacity + "\r\n内存" + n + "速度=" + speed + "\r\n内存" + n + "厂商=" + maker +
         "\r\n内存" + n + "序列号=1234ABCD\r\n完\r\n";
}

TEST(MemoryDetectors, TwoKingstonModules) {
  FakeScriptHosts hosts;
  hosts.texts[MemoryScript()] =
      Module(1, "8589934592", "2666", "Kingston") + Module(2, "8589934592", "2666", "Kingston");
  MemoryInventory memory = DetectMemory(hosts);
  EXPECT_EQ(memory.capacities, (Texts{"8589934592", "8589934592"}));
  EXPECT_EQ(memory.speeds, (Texts{"2666", "2666"}));
  EXPECT_EQ(memory.manufacturers, (Texts{"Kingston", "Kingston"}));
  EXPECT_EQ(memory.totalCapacityBytes, 17179869184);
  EXPECT_EQ(hosts.hosts, (std::vector<Texts>{{MemoryScript()}}));
  EXPECT_EQ(hosts.open, 0);
}

TEST(MemoryDetectors, ModulesWithMissingValues) {
  struct Case {
    const char* name;
    std::string text;
    Texts capacities, speeds, makers;
    int64_t total;
  };
  const Case cases[] = {
      {"capacities add as integers",
       Module(1, "4294967296", "1600", "A") + Module(2, "4294967296", "1600", "B"),
       {"4294967296", "4294967296"},
       {"1600", "1600"},
       {"A", "B"},
       8589934592},
      {"Null speed", Module(1, "2147483648", "", "Samsung"), {"2147483648"}, {""}, {"Samsung"}, 2147483648},
      {"capacity without digits still a module",
       Module(1, "unknown", "2400", "X") + Module(2, "1024", "2400", "Y"),
       {"unknown", "1024"},
       {"2400", "2400"},
       {"X", "Y"},
       1024},
      {"record without keys", "序列号=1\r\n完\r\n", {""}, {""}, {""}, 0},
      {"no instances", "", {""}, {""}, {""}, 0},
      {"three modules",
       Module(1, "1610612736", "", "") + Module(2, "536870912", "", "") + Module(3, "268435456", "", ""),
       {"1610612736", "536870912", "268435456"},
       {"", "", ""},
       {"", "", ""},
       2415919104},
  };
  for (const auto& c : cases) {
    FakeScriptHosts hosts;
    hosts.texts[MemoryScript()] = c.text;
    MemoryInventory memory = DetectMemory(hosts);
    EXPECT_EQ(memory.capacities, c.capacities) << c.name;
    EXPECT_EQ(memory.speeds, c.speeds) << c.name;
    EXPECT_EQ(memory.manufacturers, c.makers) << c.name;
    EXPECT_EQ(memory.totalCapacityBytes, c.total) << c.name;
  }
}

TEST(MemoryDetectors, NumbersFromCapacityTexts) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(LeadingInteger("8589934592"), 8589934592);
  EXPECT_EQ(LeadingInteger("12GB"), 12);
  EXPECT_EQ(LeadingInteger("GB12"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("99999999999999999999999"), kMax);
  EXPECT_EQ(TotalCapacityBytes({"9223372036854775807", "9223372036854775807"}), kMax);
  EXPECT_EQ(TotalCapacityBytes({"2147483648", "1000000"}), 2148483648);
}

TEST(MemoryDetectors, VideoControllersInWmiOrder) {
  FakeScriptHosts hosts;
  hosts.texts[VideoControllerScript()] =
      "显卡1型号=NVIDIA GeForce GTX 1660 SUPER\r\n显卡1显存=4293918720\r\n完\r\n"
      "显卡2型号=Intel(R) UHD Graphics 630\r\n完\r\n"
      "显卡3型号=Microsoft Remote Display Adapter\r\n显卡3显存=\r\n完\r\n";
  EXPECT_EQ(DetectVideoControllers(hosts).names,
            (Texts{"NVIDIA GeForce GTX 1660 SUPER", "Intel(R) UHD Graphics 630", "Microsoft Remote Display Adapter"}));
  hosts.texts[VideoControllerScript()] = "";
  EXPECT_EQ(DetectVideoControllers(hosts).names, Texts{""});
}

TEST(MemoryDetectors, MonitorIdentifiers) {
  FakeScriptHosts hosts;
  hosts.texts[MonitorScript()] =
      "显示器1参数a=0\r\n显示器1参数b=False\r\n显示器1参数c=DISPLAY\\DELA0B1\\5&2F1A0C1F&0&UID4352\r\n完\r\n"
      "显示器2参数a=0\r\n显示器2参数b=False\r\n显示器2参数c=\r\n完\r\n";
  EXPECT_EQ(DetectMonitorDevices(hosts).pnpDeviceIds, (Texts{"DISPLAY\\DELA0B1\\5&2F1A0C1F&0&UID4352", ""}));
  hosts.texts[MonitorScript()] = "";
  EXPECT_EQ(DetectMonitorDevices(hosts).pnpDeviceIds, Texts{""});
}

}  // namespace
}  // namespace ql
