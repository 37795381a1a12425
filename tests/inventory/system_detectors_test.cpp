// Machine type, processors, board and Windows summary over canned record
// text, and the installed-memory text.
#include "inventory/system_detectors.h"

#include <gtest/gtest.h>

#include <cmath>

#include "inventory/wmi_query_script.h"
#include "tests/inventory/fake_script_host.h"

namespace ql {
namespace {

// The worked example: a LENOVO desktop with a Ryzen and a B365M board.
FakeScriptHosts WorkedExample() {
  FakeScriptHosts hosts;
  hosts.numbers[ChassisScript()] = 3;
  hosts.texts[EnclosureManufacturerScript()] = "LENOVO";
  hosts.texts[ProcessorScript()] =
      "处理器型号=AMD Ryzen 5 3600 6-Core Processor\r\n"
      "处理器架构_数据=AMD64 Family 23 Model 113 Stepping 0\r\n"
      "处理器厂商=AuthenticAMD\r\n处理器核心数=6\r\n处理器线程数=12\r\n处理器接口=AM4\r\n"
      "处理器位宽=x64架构\r\n处理器外频=100MHz\r\n处理器主频=3600MHz\r\n完\r\n";
  hosts.texts[BiosScript()] =
      "厂商=American Megatrends Inc.\r\n说明=BIOS Date: 04/21/20\r\n版本=2001\r\nOEM版本=ALASKA - 1072009\r\n";
  hosts.texts[BaseboardScript()] = "型号=PRIME B365M-A\r\n";
  hosts.texts[OperatingSystemScript()] =
      "版本=Microsoft Windows 10 专业版\r\nBuild=123\r\n系统位宽=64 位\r\n获取成功=1\r\n";
  return hosts;
}

TEST(SystemDetectors, WorkedExample) {
  FakeScriptHosts hosts = WorkedExample();
  MachineTypeInfo machine = DetectMachineType(hosts);
  EXPECT_EQ(machine.manufacturer + " " + machine.chassisName, "LENOVO 台式电脑");
  ProcessorRecords cpu = DetectProcessors(hosts);
  ASSERT_EQ(cpu.names.size(), 1u);
  ASSERT_EQ(cpu.descriptions.size(), 1u);
  EXPECT_EQ(cpu.names[0] + " " + cpu.descriptions[0],
            "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0");
  BoardInfo board = DetectBoard(hosts);
  EXPECT_EQ(board.biosManufacturer + " " + board.boardProduct, "American Megatrends Inc. PRIME B365M-A\r\n");
  EXPECT_EQ(DescribeOperatingSystem(hosts), "Microsoft Windows 10 专业版；123；64 位\r\n");
  EXPECT_EQ(hosts.open, 0) << "every host is released";
}

TEST(SystemDetectors, EachQueryHasAHostOfItsOwnButTheBoardSharesOne) {
  FakeScriptHosts hosts = WorkedExample();
  DetectMachineType(hosts);
  DetectProcessors(hosts);
  DetectBoard(hosts);
  const std::vector<std::vector<std::string>> expected = {
      {ChassisScript()}, {EnclosureManufacturerScript()}, {ProcessorScript()}, {BiosScript(), BaseboardScript()}};
  EXPECT_EQ(hosts.hosts, expected);
}

TEST(SystemDetectors, ChassisTable) {
  const char* const names[] = {"兼容机",
                               "兼容机",
                               "台式电脑",
                               "Low Profile Desktop",
                               "披萨盒式计算机",
                               "微塔式计算机",
                               "塔式计算机",
                               "笔记本电脑",
                               "便携式式计算机",
                               "笔记本",
                               "掌上电脑",
                               "Docking Station",
                               "一体机",
                               "轻薄型笔记本",
                               "Space Saving",
                               "Lunch Box",
                               "Main System Chassis",
                               "扩展机架",
                               "子机架",
                               "总线扩展机架",
                               "外围机架",
                               "机架式储存",
                               "机架式服务器",
                               "密封式计算机"};
  for (int code = 1; code <= 24; ++code) EXPECT_EQ(ChassisName(code), names[code - 1]) << code;
  for (int code : {0, 25, 30, -1, 65535}) EXPECT_EQ(ChassisName(code), "") << code;
}

TEST(SystemDetectors, ChassisCodeIsTheLowWordOfTheNumber) {
  struct Case {
    double number;
    int64_t code;
  };
  const Case cases[] = {
      {3, 3},   {10, 10}, {0x01120002, 2},  // Wine's array element: garbage in the high word
      {9.0, 9}, {0, 0},   {std::nan(""), 0}, {INFINITY, 0}, {1e300, 0}, {-1, 0xFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(ChassisCodeFromNumber(c.number), c.code) << c.number;
  FakeScriptHosts hosts;
  hosts.numbers[ChassisScript()] = 0x01120002;
  EXPECT_EQ(DetectMachineType(hosts).chassisName, "兼容机");
  hosts.numbers[ChassisScript()] = 30;
  EXPECT_EQ(DetectMachineType(hosts).chassisName, "");
}

TEST(SystemDetectors, OnlyTheLastProcessorBlockIsReturned) {
  FakeScriptHosts hosts;
  // The processor script assigns at each object's first line, so two
  // processors leave the second block only.
  hosts.texts[ProcessorScript()] = "处理器型号=Xeon B\r\n处理器架构_数据=Intel64 B\r\n完\r\n";
  ProcessorRecords cpu = DetectProcessors(hosts);
  EXPECT_EQ(cpu.names, std::vector<std::string>{"Xeon B"});
  EXPECT_EQ(cpu.descriptions, std::vector<std::string>{"Intel64 B"});
  // Were two blocks ever returned, both would be read, in order.
  hosts.texts[ProcessorScript()] = "型号=A\r\n架构_数据=a\r\n完\r\n型号=B\r\n完\r\n";
  cpu = DetectProcessors(hosts);
  EXPECT_EQ(cpu.names, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(cpu.descriptions, (std::vector<std::string>{"a", ""}));
}

TEST(SystemDetectors, BoardReadsTheFirstBiosAndTheLastBoard) {
  FakeScriptHosts hosts;
  hosts.texts[BiosScript()] = "厂商=LENOVO\r\n说明=x\r\n版本=y\r\nOEM版本=z\r\n";
  hosts.texts[BaseboardScript()] = "型号=3717\r\n";
  BoardInfo board = DetectBoard(hosts);
  EXPECT_EQ(board.biosManufacturer, "LENOVO");
  EXPECT_EQ(board.boardProduct, "3717\r\n");
  hosts.texts[BaseboardScript()] = "型号=First\r\n型号=Second\r\n";
  EXPECT_EQ(DetectBoard(hosts).boardProduct, "Second\r\n");
}

TEST(SystemDetectors, WindowsSummary) {
  struct Case {
    const char* name;
    std::string text, summary;
  };
  const Case cases[] = {
      {"Chinese system", "版本=Microsoft Windows 10 专业版\r\nBuild=123\r\n系统位宽=64 位\r\n获取成功=1\r\n",
       "Microsoft Windows 10 专业版；123；64 位\r\n"},
      {"English 64-bit", "版本=Microsoft Windows 10 Pro\r\nBuild=19045\r\n系统位宽=64-bit\r\n获取成功=1\r\n",
       "Microsoft Windows 10 Pro；19045；64位\r\n"},
      {"caption containing build", "版本=Contoso buildOS 专业版\r\nBuild=123\r\n系统位宽=32-bit\r\n获取成功=1\r\n",
       "Contoso ；123；32位\r\n"},
      {"Null architecture", "版本=Windows XP\r\nBuild=2600\r\n系统位宽=\r\n获取成功=1\r\n", "Windows XP；2600；"},
      {"every query failed", "", "；；"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SummarizeOperatingSystem(c.text), c.summary) << c.name;
    FakeScriptHosts hosts;
    hosts.texts[OperatingSystemScript()] = c.text;
    EXPECT_EQ(DescribeOperatingSystem(hosts), c.summary) << c.name;
  }
}

TEST(SystemDetectors, FailedQueriesGiveTheEmptyValues) {
  FakeScriptHosts hosts;  // every evaluation yields "" or 0
  MachineTypeInfo machine = DetectMachineType(hosts);
  EXPECT_EQ(machine.chassisName, "");
  EXPECT_EQ(machine.manufacturer, "");
  ProcessorRecords cpu = DetectProcessors(hosts);
  EXPECT_EQ(cpu.names, std::vector<std::string>{""});
  EXPECT_EQ(cpu.descriptions, std::vector<std::string>{""});
  BoardInfo board = DetectBoard(hosts);
  EXPECT_EQ(board.biosManufacturer, "");
  EXPECT_EQ(board.boardProduct, "");
  EXPECT_EQ(DescribeOperatingSystem(hosts), "；；");
  EXPECT_EQ(hosts.open, 0);
}

TEST(SystemDetectors, InstalledMemoryText) {
  struct Case {
    uint64_t bytes;
    const char* text;
  };
  const Case cases[] = {
      {17079840768ull, "16GB"},                      // 15.9 GiB
      {8053063680ull, "8GB"},                        // exactly 7.5 GiB: halves go up
      {2684354560ull, "3GB"},                        // exactly 2.5 GiB
      {2684354559ull, "2GB"},                        // one byte less
      {1073741824ull, "1GB"},           {0, "0GB"},  // a failed status query
      {1099511627776ull * 2, "2048GB"},
  };
  for (const auto& c : cases) EXPECT_EQ(InstalledMemoryTextFor(c.bytes), c.text) << c.bytes;
}

}  // namespace
}  // namespace ql
