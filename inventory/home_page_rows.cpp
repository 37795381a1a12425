// The home page's row texts.
#include "inventory/home_page_rows.h"

#include "support/gbk_text.h"

namespace ql {

std::string BatteryText(const PowerStatus& s) {
  // Each matching test replaces the text of an earlier one, so the line
  // status wins over the battery flag whenever it is 0, 1 or 2.
  std::string state;
  switch (s.batteryFlag) {
    case 1: state = "充电完成"; break;
    case 2: state = "电池电量低"; break;
    case 4: state = "电池电量极低"; break;
    case 128: state = "未找到电池"; break;
    case 9: state = "充电中"; break;
    default: break;
  }
  switch (s.acLineStatus) {
    case 0: state = "电源未接通"; break;
    case 1: state = "电源已接通"; break;
    case 2: state = "未知"; break;
    default: break;
  }
  std::string text = state + " 剩余电量: " + DecimalText(s.batteryLifePercent) + "%";
  if (s.batteryLifeTime == 0xFFFFFFFFu)
    text += " 剩余时间: ∞";
  else
    text += " 剩余时间: " + DecimalText(static_cast<int32_t>(s.batteryLifeTime)) + "秒";
  return text;
}

std::string MachineTypeRow(std::string_view manufacturer, std::string_view chassisName) {
  return std::string(manufacturer) + " " + std::string(chassisName);
}

std::string ProcessorRow(std::string_view name, std::string_view description) {
  return std::string(name) + " " + std::string(description);
}

static std::string ElementOrEmpty(const std::vector<std::string>& list, size_t i) {
  return i < list.size() ? list[i] : std::string();
}

std::string MemoryRow(const std::vector<std::string>& manufacturers, const std::vector<std::string>& speeds,
                      size_t moduleCount, double totalCapacityBytes, std::string_view installedMemoryText) {
  std::string row;
  for (size_t k = 0; k < moduleCount; ++k)
    row += ElementOrEmpty(manufacturers, k) + "(" + ElementOrEmpty(speeds, k) + "MHz) | ";
  row += "总共 " + DecimalText(static_cast<int64_t>(moduleCount)) +
         " 根。共: " + ShortestDecimal(totalCapacityBytes / 1048576.0) + "MB (约" + std::string(installedMemoryText) +
         ")";
  return row;
}

std::string GraphicsRow(const std::vector<std::string>& adapterNames) {
  std::string row;
  for (const auto& name : adapterNames) row += name + "| ";
  return row + " 总共: " + DecimalText(static_cast<int64_t>(adapterNames.size())) + "块";
}

std::string BoardRow(std::string_view biosManufacturer, std::string_view boardProduct) {
  return std::string(biosManufacturer) + " " + std::string(boardProduct);
}

std::string MonitorRowEntry(std::string_view vendorDisplay, std::string_view manufacturerCode,
                            std::string_view modelText) {
  return std::string(vendorDisplay) + " " + std::string(manufacturerCode) + " " + std::string(modelText) + "|";
}

std::string DiskRow(const std::vector<std::string>& models) {
  std::string row;
  for (const auto& model : models) row += model + "| ";
  return row + " 总共: " + DecimalText(static_cast<int64_t>(models.size())) + "块";
}

std::string NetworkRow(const std::vector<std::string>& adapterDescriptions) {
  std::string row;
  for (const auto& d : adapterDescriptions) row += d + "| ";
  return row;
}

std::string CopySummaryText(const std::vector<std::string>& captions, const std::vector<std::string>& values) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < captions.size(); ++i) lines.push_back(captions[i] + "：" + ElementOrEmpty(values, i));
  return JoinText(lines, "\r\n");
}

}  // namespace ql
