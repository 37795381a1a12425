// Machine type, processors, BIOS and board, Windows summary, memory size.
#include "inventory/system_detectors.h"

#include <cmath>

#include "inventory/wmi_query_script.h"
#include "inventory/wmi_record_text.h"
#include "support/gbk_text.h"

namespace ql {

std::string ChassisName(int64_t code) {
  static const char* const kChassis[] = {"兼容机",
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
  constexpr int64_t count = sizeof kChassis / sizeof kChassis[0];
  return code >= 1 && code <= count ? kChassis[code - 1] : "";
}

int64_t ChassisCodeFromNumber(double number) {
  // Out-of-range doubles are no codes (and converting them would be undefined).
  if (!std::isfinite(number) || number <= -9.2e18 || number >= 9.2e18) return 0;
  return static_cast<int64_t>(number) & 0xFFFF;
}

MachineTypeInfo DetectMachineType(ScriptHostFactory& hosts) {
  MachineTypeInfo info;
  info.chassisName = ChassisName(ChassisCodeFromNumber(EvaluateFirstNumberOnce(hosts, ChassisScript())));
  info.manufacturer = EvaluateTextOnce(hosts, EnclosureManufacturerScript());
  return info;
}

ProcessorRecords DetectProcessors(ScriptHostFactory& hosts) {
  std::vector<std::string> records = SplitRecords(EvaluateTextOnce(hosts, ProcessorScript()));
  ProcessorRecords result;
  result.names = ReadKeyPerRecord(records, "型号=");
  result.descriptions = ReadKeyPerRecord(records, "架构_数据=");
  return result;
}

BoardInfo DetectBoard(ScriptHostFactory& hosts) {
  std::string combined;
  {
    // One host for both queries: the board script replaces the BIOS GetA.
    std::unique_ptr<ScriptHost> host = hosts.OpenHost();
    if (host) {
      combined = host->EvaluateText(BiosScript());
      combined += host->EvaluateAgain(BaseboardScript());
    }
  }
  BoardInfo info;
  info.biosManufacturer = TextBetween(combined, "厂商=", kCrLf);
  info.boardProduct = TextAfterLast(combined, "型号=");
  return info;
}

std::string SummarizeOperatingSystem(std::string_view text) {
  std::string caption = CleanLineBreaks(TextBeforeFirst(TextAfterLast(text, "版本="), "BUILD", true));
  std::string build =
      CleanLineBreaks(TextAfterLast(TextBeforeFirst(TextAfterLast(text, caption), "系统位宽", true), "Build="));
  std::string bitness = CleanLineBreaks(ReplaceAll(TextBetween(text, "位宽=", "="), "-bit", "位"));
  std::string summary = caption + "；" + build + "；" + bitness;
  size_t marker = FindText(summary, "获取成功");
  if (marker != std::string::npos) summary.erase(marker, std::string_view("获取成功").size());
  return summary;
}

std::string DescribeOperatingSystem(ScriptHostFactory& hosts) {
  // One evaluation serves all three parts: they are cut from the same text.
  return SummarizeOperatingSystem(EvaluateTextOnce(hosts, OperatingSystemScript()));
}

std::string InstalledMemoryTextFor(uint64_t totalPhysicalBytes) {
  double gib = static_cast<double>(totalPhysicalBytes) / 1073741824.0 + 1e-12;
  double whole = std::floor(gib);
  if (gib - whole >= 0.5) whole += 1;
  return ShortestDecimal(whole) + "GB";
}

}  // namespace ql
