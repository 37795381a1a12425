// Every detector over the real script control, Wine's WMI scripting layer
// and the test provider: the records of the worked example's machine, and
// of an unusual one (two processors, three video controllers, a module
// without speed, a monitor without identifier beside a real one).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "inventory/detection_run.h"
#include "inventory/detection_run_win.h"
#include "inventory/disk_drive_query.h"
#include "inventory/installed_memory_win.h"
#include "inventory/memory_detectors.h"
#include "inventory/monitor_edid.h"
#include "inventory/script_host_win.h"
#include "inventory/system_detectors.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"
#include "support/gbk_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"

namespace qltest {
namespace {

using Texts = std::vector<std::string>;

class WorkedExampleDetectors : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UnderTestProvider("worked-example.txt", "")); }
  ql::ScopedComInit com_ = ql::InitializeCom();
  ql::ScriptHostFactory& hosts_ = ql::ScriptControlHosts();
};

TEST_F(WorkedExampleDetectors, EachDetectorGivesItsRecord) {
  ql::MachineTypeInfo machine = ql::DetectMachineType(hosts_);
  EXPECT_EQ(machine.chassisName, "台式电脑");
  EXPECT_EQ(machine.manufacturer, "LENOVO");

  ql::ProcessorRecords cpu = ql::DetectProcessors(hosts_);
  EXPECT_EQ(cpu.names, Texts{"AMD Ryzen 5 3600 6-Core Processor"});
  EXPECT_EQ(cpu.descriptions, Texts{"AMD64 Family 23 Model 113 Stepping 0"});

  ql::BoardInfo board = ql::DetectBoard(hosts_);
  EXPECT_EQ(board.biosManufacturer, "American Megatrends Inc.");
  EXPECT_EQ(board.boardProduct, "PRIME B365M-A\r\n");

  EXPECT_EQ(ql::DescribeOperatingSystem(hosts_), "Microsoft Windows 10 专业版；123；64 位\r\n");

  ql::MemoryInventory memory = ql::DetectMemory(hosts_);
  EXPECT_EQ(memory.capacities, (Texts{"8589934592", "8589934592"}));
  EXPECT_EQ(memory.speeds, (Texts{"2666", "2666"}));
  EXPECT_EQ(memory.manufacturers, (Texts{"Kingston", "Kingston"}));
  EXPECT_EQ(memory.totalCapacityBytes, 17179869184);

  EXPECT_EQ(ql::DetectVideoControllers(hosts_).names, Texts{"NVIDIA GeForce GTX 1660 SUPER"});

  ql::MonitorDeviceList monitors = ql::DetectMonitorDevices(hosts_);
  ASSERT_EQ(monitors.pnpDeviceIds, Texts{"DISPLAY\\DELA0A4\\5&2A3C4A0&0&UID4353"});
  // The EDID the runner wrote into the prefix, decoded as the monitor row does.
  ql::MonitorInfo m = ql::DecodeMonitorEdid(monitors.pnpDeviceIds[0]);
  EXPECT_EQ(m.ManufacturerCode, "DEL");
  EXPECT_EQ(m.ModelText, "DELL P2414H\n");
  EXPECT_EQ(m.DiagonalInches, "23.4");
  EXPECT_EQ(m.VendorDisplay, "戴尔 DELA0A4");
  EXPECT_EQ(m.ManufactureDate, "2015年第23周");
  EXPECT_EQ(m.HeightCm, "29");
  EXPECT_EQ(m.WidthCm, "52");
  EXPECT_EQ(m.EdidVersion, "1.4");
  EXPECT_EQ(m.ManufacturerIdHex, "10 AC");
  EXPECT_EQ(m.RawEdid.size(), 128u);

  Texts disks = {"stale"};
  EXPECT_EQ(ql::DiskDriveQuery().ListDiskDriveNames(disks), 2);
  EXPECT_EQ(disks, (Texts{"\\\\.\\PHYSICALDRIVE0", "\\\\.\\PHYSICALDRIVE1"}));
}

// The lines no detector reads are built from real properties too: a number
// shows in VBScript's decimal form, each block ends in 完.
TEST_F(WorkedExampleDetectors, RecordTextsCarryEveryLineOfTheirScripts) {
  EXPECT_EQ(ql::EvaluateTextOnce(hosts_, ql::ProcessorScript()),
            "处理器型号=AMD Ryzen 5 3600 6-Core Processor\r\n"
            "处理器架构_数据=AMD64 Family 23 Model 113 Stepping 0\r\n"
            "处理器厂商=AuthenticAMD\r\n"
            "处理器核心数=6\r\n"
            "处理器线程数=12\r\n"
            "处理器接口=AM4\r\n"
            "处理器位宽=x64架构\r\n"
            "处理器外频=100MHz\r\n"
            "处理器主频=3600MHz\r\n"
            "完\r\n");
  EXPECT_EQ(ql::EvaluateTextOnce(hosts_, ql::MemoryScript()),
            "内存1容量=8589934592\r\n内存1速度=2666\r\n内存1厂商=Kingston\r\n内存1序列号=A1B2C3D4\r\n完\r\n"
            "内存2容量=8589934592\r\n内存2速度=2666\r\n内存2厂商=Kingston\r\n内存2序列号=A1B2C3D5\r\n完\r\n");
  EXPECT_EQ(ql::EvaluateTextOnce(hosts_, ql::VideoControllerScript()),
            "显卡1型号=NVIDIA GeForce GTX 1660 SUPER\r\n显卡1显存=-1048576\r\n显卡1厂商=NVIDIA\r\n"
            "显卡1驱动版本=27.21.14.5671\r\n完\r\n");
  EXPECT_EQ(ql::EvaluateFirstNumberOnce(hosts_, ql::ChassisScript()), 3);
}

class UnusualMachineDetectors : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(UnderTestProvider("unusual-machine.txt", "")); }
  ql::ScopedComInit com_ = ql::InitializeCom();
  ql::ScriptHostFactory& hosts_ = ql::ScriptControlHosts();
};

TEST_F(UnusualMachineDetectors, EachDetectorGivesItsRecord) {
  ql::MachineTypeInfo machine = ql::DetectMachineType(hosts_);
  EXPECT_EQ(machine.chassisName, "机架式服务器");  // the first of {23, 1}
  EXPECT_EQ(machine.manufacturer, "Dell Inc.");

  // Each processor's block replaces the one before: only the second counts.
  ql::ProcessorRecords cpu = ql::DetectProcessors(hosts_);
  EXPECT_EQ(cpu.names, Texts{"Intel(R) Xeon(R) CPU E5-2690 v4 @ 2.60GHz"});
  EXPECT_EQ(cpu.descriptions, Texts{"Intel64 Family 6 Model 79 Stepping 1"});

  EXPECT_EQ(ql::DescribeOperatingSystem(hosts_), "Microsoft Windows Server 2019 Standard；17763；64位\r\n");

  ql::MemoryInventory memory = ql::DetectMemory(hosts_);
  EXPECT_EQ(memory.speeds, (Texts{"2400", "2400", ""}));  // a Null speed is the empty text
  EXPECT_EQ(memory.manufacturers, (Texts{"Samsung", "Samsung", "Micron"}));
  EXPECT_EQ(memory.totalCapacityBytes, 42949672960);

  EXPECT_EQ(ql::DetectVideoControllers(hosts_).names,
            (Texts{"Matrox G200eR2", "NVIDIA Quadro P4000", "Microsoft Remote Display Adapter"}));

  EXPECT_EQ(ql::DetectMonitorDevices(hosts_).pnpDeviceIds, (Texts{"", "DISPLAY\\DEL2009\\5&2A3C4A0&0&UID4353"}));
}

struct RecordingLabels final : ql::HomePageLabels {
  std::map<std::string, std::string> last;
  void StartBatteryTimer() override {}
  void Write(std::string_view name, std::string_view text) override { last[std::string(name)] = std::string(text); }
};

std::string ReadText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A GBK text from the hex of the EDID test data's expected decoding.
std::string ExpectedEdidField(const std::string& json, const std::string& field) {
  size_t from = json.find("\"fields_gbk_hex\"");
  size_t key = json.find("\"" + field + "\"", from);
  if (from == std::string::npos || key == std::string::npos) return "<missing>";
  size_t open = json.find('"', json.find(':', key) + 1);
  std::string out;
  for (size_t i = open + 1; i + 1 < json.size() && json[i] != '"'; i += 2)
    out.push_back(static_cast<char>(std::stoi(json.substr(i, 2), nullptr, 16)));
  return out;
}

TEST_F(UnusualMachineDetectors, ARunSkipsTheMonitorWithoutIdentifierAndCountsEveryDevice) {
  RecordingLabels rows;
  ql::HardwareSnapshot snapshot;
  ql::RunMachineDetection(rows, snapshot);

  // The real monitor's row fragment as the EDID test data gives it; the
  // runner wrote that block into the registry byte for byte.
  const std::filesystem::path edid = std::filesystem::path(QL_SOURCE_DIR) / "tests/data/edid";
  std::string json = ReadText(edid / "DEL2009-A83D458C3AE3.expected.json");
  std::string raw = ReadText(edid / "DEL2009-A83D458C3AE3.bin");
  EXPECT_EQ(rows.last["标签75"], ExpectedEdidField(json, "MonitorRowFragment"));
  EXPECT_EQ(snapshot.monitorInfo.RawEdid, std::vector<uint8_t>(raw.begin(), raw.end()));

  EXPECT_EQ(rows.last["标签1"], "Dell Inc. 机架式服务器");
  EXPECT_EQ(rows.last["标签71"], "Intel(R) Xeon(R) CPU E5-2690 v4 @ 2.60GHz Intel64 Family 6 Model 79 Stepping 1");
  EXPECT_EQ(rows.last["标签84"], "Samsung(2400MHz) | Samsung(2400MHz) | Micron(MHz) | 总共 3 根。共: 40960MB (约" +
                                     ql::InstalledMemoryText() + ")");
  EXPECT_EQ(rows.last["标签81"], "Matrox G200eR2| NVIDIA Quadro P4000| Microsoft Remote Display Adapter|  总共: 3块");
  EXPECT_EQ(rows.last["标签76"], "Dell Inc. 0CNCJW\r\n");
  EXPECT_EQ(rows.last["标签74"], "DELL PERC H730P Mini SCSI Disk Device| Generic- SD/MMC USB Device|  总共: 2块");
}

}  // namespace
}  // namespace qltest
