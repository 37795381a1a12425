// The home page's texts, from the worked example and the degraded cases.
#include "inventory/home_page_rows.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(BatteryText, StateTextsAndNumbers) {
  struct Case {
    PowerStatus status;
    const char* text;
  } cases[] = {
      {{1, 128, 255, 0xFFFFFFFFu}, "电源已接通 剩余电量: 255% 剩余时间: ∞"},
      // On battery the line-status text replaces any battery-flag text.
      {{0, 1, 85, 7200}, "电源未接通 剩余电量: 85% 剩余时间: 7200秒"},
      {{255, 9, 40, 3600}, "充电中 剩余电量: 40% 剩余时间: 3600秒"},
      {{255, 8, 40, 3600}, " 剩余电量: 40% 剩余时间: 3600秒"},
      {{2, 4, 5, 60}, "未知 剩余电量: 5% 剩余时间: 60秒"},
      {{255, 2, 10, 0xFFFFFFFEu}, "电池电量低 剩余电量: 10% 剩余时间: -2秒"},
      {{}, "电源未接通 剩余电量: 0% 剩余时间: 0秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(BatteryText(c.status), c.text);
}

TEST(HomePageRows, TheWorkedExample) {
  EXPECT_EQ(MachineTypeRow("LENOVO", "台式电脑"), "LENOVO 台式电脑");
  EXPECT_EQ(ProcessorRow("AMD Ryzen 5 3600 6-Core Processor", "AMD64 Family 23 Model 113 Stepping 0"),
            "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0");
  EXPECT_EQ(MemoryRow({"Kingston", "Kingston"}, {"2666", "2666"}, 2, 2 * 8589934592.0, "16GB"),
            "Kingston(2666MHz) | Kingston(2666MHz) | 总共 2 根。共: 16384MB (约16GB)");
  EXPECT_EQ(GraphicsRow({"NVIDIA GeForce GTX 1660 SUPER"}), "NVIDIA GeForce GTX 1660 SUPER|  总共: 1块");
  EXPECT_EQ(BoardRow("American Megatrends Inc.", "PRIME B365M-A\r\n"), "American Megatrends Inc. PRIME B365M-A\r\n");
  EXPECT_EQ(DiskRow({"Samsung SSD 860 EVO 500GB", "WDC WD10EZEX-08WN4A0"}),
            "Samsung SSD 860 EVO 500GB| WDC WD10EZEX-08WN4A0|  总共: 2块");
  EXPECT_EQ(NetworkRow({"Realtek PCIe GbE Family Controller"}), "Realtek PCIe GbE Family Controller| ");
  EXPECT_EQ(MonitorRowEntry("戴尔 DELA0A4", "DEL", "DELL P2414H\n"), "戴尔 DELA0A4 DEL DELL P2414H\n|");
}

TEST(HomePageRows, MemoryTotalsAndModuleCounts) {
  // A whole number of MiB prints without a fraction, any other total keeps it.
  EXPECT_EQ(MemoryRow({"A", "B", "C"}, {"1", "2", "3"}, 3, 1610612736.0 + 536870912.0 + 268435456.0, "2GB"),
            "A(1MHz) | B(2MHz) | C(3MHz) | 总共 3 根。共: 2304MB (约2GB)");
  EXPECT_EQ(MemoryRow({"A"}, {"1"}, 1, 2147483648.0 + 1000000.0, "2GB"),
            "A(1MHz) | 总共 1 根。共: 2048.953674316MB (约2GB)");
  // No module reported: the per-key arrays still hold one empty element.
  EXPECT_EQ(MemoryRow({""}, {""}, 1, 0, "16GB"), "(MHz) | 总共 1 根。共: 0MB (约16GB)");
}

TEST(HomePageRows, WithoutWmi) {
  EXPECT_EQ(MachineTypeRow("", ""), " ");
  EXPECT_EQ(ProcessorRow("", ""), " ");
  EXPECT_EQ(GraphicsRow({""}), "|  总共: 1块");
  EXPECT_EQ(BoardRow("", ""), " ");
  EXPECT_EQ(DiskRow({}), " 总共: 0块");
  EXPECT_EQ(NetworkRow({}), "");
}

TEST(CopySummary, EightCaptionedLinesWithoutAFinalBreak) {
  std::vector<std::string> captions = {"中央处理器", "内存", "显卡", "主板", "显示器", "硬盘", "网卡", "电池"};
  std::vector<std::string> values = {"CPU", "MEM", "GPU", "BOARD\r\n", "", "DISK", "NIC| ", "电源已接通"};
  EXPECT_EQ(CopySummaryText(captions, values),
            "中央处理器：CPU\r\n内存：MEM\r\n显卡：GPU\r\n主板：BOARD\r\n\r\n显示器：\r\n硬盘：DISK\r\n"
            "网卡：NIC| \r\n电池：电源已接通");
}

}  // namespace
}  // namespace ql
