// The texts of the home page: the header labels, the seven hardware rows,
// the battery row and the copied summary.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// The fields of SYSTEM_POWER_STATUS the battery row reads.
struct PowerStatus {
  uint8_t acLineStatus = 0;
  uint8_t batteryFlag = 0;
  uint8_t batteryLifePercent = 0;
  uint32_t batteryLifeTime = 0;
};

std::string BatteryText(const PowerStatus& status);

std::string MachineTypeRow(std::string_view manufacturer, std::string_view chassisName);
std::string ProcessorRow(std::string_view name, std::string_view description);
// One "maker(speedMHz) | " entry per module (moduleCount = the length of the
// Capacity array), then the count, the WMI total in MiB and the installed size.
std::string MemoryRow(const std::vector<std::string>& manufacturers, const std::vector<std::string>& speeds,
                      size_t moduleCount, double totalCapacityBytes, std::string_view installedMemoryText);
std::string GraphicsRow(const std::vector<std::string>& adapterNames);
std::string BoardRow(std::string_view biosManufacturer, std::string_view boardProduct);
// One monitor's entry: VendorDisplay, ManufacturerCode, ModelText and a bar.
std::string MonitorRowEntry(std::string_view vendorDisplay, std::string_view manufacturerCode,
                            std::string_view modelText);
std::string DiskRow(const std::vector<std::string>& models);
std::string NetworkRow(const std::vector<std::string>& adapterDescriptions);

// The eight hardware rows in copy order: processor, memory, graphics, board,
// monitor, disk, network adapter, battery.
inline constexpr size_t kSummaryRows = 8;
// caption + "：" + value per row, joined by CR LF, none after the last.
std::string CopySummaryText(const std::vector<std::string>& captions, const std::vector<std::string>& values);

inline constexpr std::string_view kDetectingText8 = "配置正在检测，请稍后........";
inline constexpr std::string_view kCopiedText = "已复制到剪切板！";
inline constexpr std::string_view kCopyLinkText = "一键复制";

}  // namespace ql
