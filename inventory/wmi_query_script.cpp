// The query scripts, built from their one shape.
#include "inventory/wmi_query_script.h"

#include "support/gbk_text.h"

namespace ql {
namespace {

constexpr std::string_view kIndent4 = "    ";
constexpr std::string_view kIndent8 = "        ";

std::string Quoted(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  out.append(text);
  out.push_back('"');
  return out;
}

}  // namespace

std::string BuildWmiQueryScript(const WmiQueryShape& shape) {
  std::vector<std::string> lines;
  lines.push_back("Function GetA()");
  lines.push_back(shape.counts ? "Dim R, wmi, obj, i" : "Dim R, wmi, obj");
  lines.push_back(std::string(kIndent4) +
                  "Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")");
  lines.push_back(std::string(kIndent4) + "Set A = wmi.ExecQuery(\"Select * " + std::string(shape.selectFrom) + " " +
                  std::string(shape.wmiClass) + "\")");
  lines.push_back(std::string(kIndent4) + "For Each obj In A");
  if (shape.counts) lines.push_back(std::string(kIndent8) + "i=i+1");
  for (const std::string& line : shape.perObjectLines) lines.push_back(std::string(kIndent8) + line);
  lines.push_back(std::string(kIndent4) + "Next");
  if (!shape.afterLoopLine.empty()) lines.push_back(std::string(kIndent8) + shape.afterLoopLine);
  lines.push_back("GetA = R");
  lines.push_back("End Function");
  return JoinText(lines, "\r\n");
}

std::string KeyLine(std::string_view op, std::string_view key, std::string_view property, std::string_view suffix) {
  std::string line = std::string(op) + Quoted(key) + " & obj." + std::string(property);
  if (!suffix.empty()) line += " & " + Quoted(suffix);
  return line + " & vbCrLf";
}

std::string NumberedKeyLine(std::string_view prefix, std::string_view key, std::string_view property) {
  return "R = R & " + Quoted(prefix) + " & Cstr(i) & " + Quoted(key) + " & obj." + std::string(property) + " & vbCrLf";
}

std::string CloseLine(std::string_view op) { return std::string(op) + Quoted("完") + " & vbCrLf"; }

std::string ChassisScript() {
  return BuildWmiQueryScript({"Win32_SystemEnclosure", false, "from", {"R = obj.ChassisTypes"}, ""});
}

std::string EnclosureManufacturerScript() {
  return BuildWmiQueryScript({"Win32_SystemEnclosure", false, "from", {"R = obj.Manufacturer"}, ""});
}

std::string ProcessorScript() {
  constexpr std::string_view add = "R = R& ";
  return BuildWmiQueryScript(
      {"Win32_Processor",
       true,
       "from",
       {KeyLine("R = ", "处理器型号=", "Name"), KeyLine(add, "处理器架构_数据=", "Description"),
        KeyLine(add, "处理器厂商=", "Manufacturer"), KeyLine(add, "处理器核心数=", "NumberOfCores"),
        KeyLine(add, "处理器线程数=", "NumberOfLogicalProcessors"), KeyLine(add, "处理器接口=", "SocketDesignation"),
        KeyLine(add, "处理器位宽=x", "DataWidth", "架构"), KeyLine(add, "处理器外频=", "ExtClock", "MHz"),
        KeyLine(add, "处理器主频=", "MaxClockSpeed", "MHz"), CloseLine(add)},
       ""});
}

std::string BiosScript() {
  constexpr std::string_view add = "R = R & ";
  return BuildWmiQueryScript({"Win32_BIOS",
                              true,
                              "From",
                              {KeyLine(add, "厂商=", "Manufacturer"), KeyLine(add, "说明=", "Name"),
                               KeyLine(add, "版本=", "SMBIOSBIOSVersion"), KeyLine(add, "OEM版本=", "Version")},
                              ""});
}

std::string BaseboardScript() {
  return BuildWmiQueryScript({"Win32_BaseBoard", true, "from", {KeyLine("R = R & ", "型号=", "Product")}, ""});
}

std::string OperatingSystemScript() {
  constexpr std::string_view add = "R = R& ";
  return BuildWmiQueryScript({"Win32_OperatingSystem",
                              true,
                              "from",
                              {KeyLine("R = ", "版本=", "Caption"), KeyLine(add, "Build=", "BuildNumber"),
                               KeyLine(add, "系统位宽=", "OSArchitecture")},
                              "R= R & \"获取成功=\" & Cstr(i) & vbCrLf"});
}

std::string MemoryScript() {
  return BuildWmiQueryScript({"Win32_PhysicalMemory",
                              true,
                              "from",
                              {NumberedKeyLine("内存", "容量=", "Capacity"), NumberedKeyLine("内存", "速度=", "Speed"),
                               NumberedKeyLine("内存", "厂商=", "Manufacturer"),
                               NumberedKeyLine("内存", "序列号=", "SerialNumber"), CloseLine("R = R& ")},
                              ""});
}

std::string VideoControllerScript() {
  return BuildWmiQueryScript({"Win32_VideoController",
                              true,
                              "from",
                              {NumberedKeyLine("显卡", "型号=", "Name"), NumberedKeyLine("显卡", "显存=", "AdapterRAM"),
                               NumberedKeyLine("显卡", "厂商=", "AdapterCompatibility"),
                               NumberedKeyLine("显卡", "驱动版本=", "DriverVersion"), CloseLine("R = R& ")},
                              ""});
}

std::string MonitorScript() {
  return BuildWmiQueryScript({"Win32_DesktopMonitor",
                              true,
                              "from",
                              {NumberedKeyLine("显示器", "参数a=", "ConfigManagerErrorCode"),
                               NumberedKeyLine("显示器", "参数b=", "ConfigManagerUserConfig"),
                               NumberedKeyLine("显示器", "参数c=", "PNPDeviceID"), CloseLine("R = R & ")},
                              ""});
}

}  // namespace ql
