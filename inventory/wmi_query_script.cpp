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

std::string_view OpText(RecordOp op) {
  switch (op) {
    case RecordOp::Assign: return "R = ";
    case RecordOp::Append: return "R = R & ";
    case RecordOp::AppendTight: return "R = R& ";
    case RecordOp::AppendAfterLoop: return "R= R & ";
  }
  return "R = ";
}

std::string TermText(const RecordTerm& term) {
  switch (term.kind) {
    case RecordTerm::Kind::Text: return Quoted(term.text);
    case RecordTerm::Kind::Property: return "obj." + term.text;
    case RecordTerm::Kind::Count: return "Cstr(i)";
    case RecordTerm::Kind::LineEnd: return "vbCrLf";
  }
  return {};
}

RecordTerm Text(std::string_view text) { return {RecordTerm::Kind::Text, std::string(text)}; }
RecordTerm Property(std::string_view name) { return {RecordTerm::Kind::Property, std::string(name)}; }
RecordTerm Count() { return {RecordTerm::Kind::Count, {}}; }
RecordTerm LineEnd() { return {RecordTerm::Kind::LineEnd, {}}; }

}  // namespace

std::string RecordLineText(const RecordLine& line) {
  std::vector<std::string> terms;
  for (const RecordTerm& term : line.terms) terms.push_back(TermText(term));
  return std::string(OpText(line.op)) + JoinText(terms, " & ");
}

std::string WmiQueryText(const WmiQueryShape& shape) { return "Select * " + shape.selectFrom + " " + shape.wmiClass; }

std::string BuildWmiQueryScript(const WmiQueryShape& shape) {
  std::vector<std::string> lines;
  lines.push_back("Function GetA()");
  lines.push_back(shape.counts ? "Dim R, wmi, obj, i" : "Dim R, wmi, obj");
  lines.push_back(std::string(kIndent4) +
                  "Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")");
  lines.push_back(std::string(kIndent4) + "Set A = wmi.ExecQuery(\"" + WmiQueryText(shape) + "\")");
  lines.push_back(std::string(kIndent4) + "For Each obj In A");
  if (shape.counts) lines.push_back(std::string(kIndent8) + "i=i+1");
  for (const RecordLine& line : shape.perObjectLines) lines.push_back(std::string(kIndent8) + RecordLineText(line));
  lines.push_back(std::string(kIndent4) + "Next");
  if (shape.afterLoop) lines.push_back(std::string(kIndent8) + RecordLineText(*shape.afterLoop));
  lines.push_back("GetA = R");
  lines.push_back("End Function");
  return JoinText(lines, "\r\n");
}

RecordLine KeyLine(RecordOp op, std::string_view key, std::string_view property, std::string_view suffix) {
  RecordLine line{op, {Text(key), Property(property)}};
  if (!suffix.empty()) line.terms.push_back(Text(suffix));
  line.terms.push_back(LineEnd());
  return line;
}

RecordLine NumberedKeyLine(std::string_view prefix, std::string_view key, std::string_view property) {
  return {RecordOp::Append, {Text(prefix), Count(), Text(key), Property(property), LineEnd()}};
}

RecordLine CloseLine(RecordOp op) { return {op, {Text("完"), LineEnd()}}; }

RecordLine PropertyLine(std::string_view property) { return {RecordOp::Assign, {Property(property)}}; }

WmiQueryShape ChassisShape() { return {"Win32_SystemEnclosure", false, "from", {PropertyLine("ChassisTypes")}, {}}; }

WmiQueryShape EnclosureManufacturerShape() {
  return {"Win32_SystemEnclosure", false, "from", {PropertyLine("Manufacturer")}, {}};
}

WmiQueryShape ProcessorShape() {
  constexpr RecordOp add = RecordOp::AppendTight;
  return {"Win32_Processor",
          true,
          "from",
          {KeyLine(RecordOp::Assign, "处理器型号=", "Name"), KeyLine(add, "处理器架构_数据=", "Description"),
           KeyLine(add, "处理器厂商=", "Manufacturer"), KeyLine(add, "处理器核心数=", "NumberOfCores"),
           KeyLine(add, "处理器线程数=", "NumberOfLogicalProcessors"), KeyLine(add, "处理器接口=", "SocketDesignation"),
           KeyLine(add, "处理器位宽=x", "DataWidth", "架构"), KeyLine(add, "处理器外频=", "ExtClock", "MHz"),
           KeyLine(add, "处理器主频=", "MaxClockSpeed", "MHz"), CloseLine(add)},
          {}};
}

WmiQueryShape BiosShape() {
  constexpr RecordOp add = RecordOp::Append;
  return {"Win32_BIOS",
          true,
          "From",
          {KeyLine(add, "厂商=", "Manufacturer"), KeyLine(add, "说明=", "Name"),
           KeyLine(add, "版本=", "SMBIOSBIOSVersion"), KeyLine(add, "OEM版本=", "Version")},
          {}};
}

WmiQueryShape BaseboardShape() {
  return {"Win32_BaseBoard", true, "from", {KeyLine(RecordOp::Append, "型号=", "Product")}, {}};
}

WmiQueryShape OperatingSystemShape() {
  constexpr RecordOp add = RecordOp::AppendTight;
  return {"Win32_OperatingSystem",
          true,
          "from",
          {KeyLine(RecordOp::Assign, "版本=", "Caption"), KeyLine(add, "Build=", "BuildNumber"),
           KeyLine(add, "系统位宽=", "OSArchitecture")},
          RecordLine{RecordOp::AppendAfterLoop, {Text("获取成功="), Count(), LineEnd()}}};
}

WmiQueryShape MemoryShape() {
  return {"Win32_PhysicalMemory",
          true,
          "from",
          {NumberedKeyLine("内存", "容量=", "Capacity"), NumberedKeyLine("内存", "速度=", "Speed"),
           NumberedKeyLine("内存", "厂商=", "Manufacturer"), NumberedKeyLine("内存", "序列号=", "SerialNumber"),
           CloseLine(RecordOp::AppendTight)},
          {}};
}

WmiQueryShape VideoControllerShape() {
  return {"Win32_VideoController",
          true,
          "from",
          {NumberedKeyLine("显卡", "型号=", "Name"), NumberedKeyLine("显卡", "显存=", "AdapterRAM"),
           NumberedKeyLine("显卡", "厂商=", "AdapterCompatibility"),
           NumberedKeyLine("显卡", "驱动版本=", "DriverVersion"), CloseLine(RecordOp::AppendTight)},
          {}};
}

WmiQueryShape MonitorShape() {
  return {"Win32_DesktopMonitor",
          true,
          "from",
          {NumberedKeyLine("显示器", "参数a=", "ConfigManagerErrorCode"),
           NumberedKeyLine("显示器", "参数b=", "ConfigManagerUserConfig"),
           NumberedKeyLine("显示器", "参数c=", "PNPDeviceID"), CloseLine(RecordOp::Append)},
          {}};
}

const std::vector<WmiQueryShape>& DetectorQueryShapes() {
  static const std::vector<WmiQueryShape> shapes = {
      ChassisShape(),   EnclosureManufacturerShape(), ProcessorShape(), BiosShape(),
      BaseboardShape(), OperatingSystemShape(),       MemoryShape(),    VideoControllerShape(),
      MonitorShape()};
  return shapes;
}

const WmiQueryShape* FindDetectorQueryShape(std::string_view script) {
  static const std::vector<std::string> scripts = [] {
    std::vector<std::string> texts;
    for (const WmiQueryShape& shape : DetectorQueryShapes()) texts.push_back(BuildWmiQueryScript(shape));
    return texts;
  }();
  for (size_t k = 0; k < scripts.size(); ++k)
    if (scripts[k] == script) return &DetectorQueryShapes()[k];
  return nullptr;
}

std::string ChassisScript() { return BuildWmiQueryScript(ChassisShape()); }
std::string EnclosureManufacturerScript() { return BuildWmiQueryScript(EnclosureManufacturerShape()); }
std::string ProcessorScript() { return BuildWmiQueryScript(ProcessorShape()); }
std::string BiosScript() { return BuildWmiQueryScript(BiosShape()); }
std::string BaseboardScript() { return BuildWmiQueryScript(BaseboardShape()); }
std::string OperatingSystemScript() { return BuildWmiQueryScript(OperatingSystemShape()); }
std::string MemoryScript() { return BuildWmiQueryScript(MemoryShape()); }
std::string VideoControllerScript() { return BuildWmiQueryScript(VideoControllerShape()); }
std::string MonitorScript() { return BuildWmiQueryScript(MonitorShape()); }

}  // namespace ql
