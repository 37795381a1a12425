// The VBScript query functions "GetA()" that the detectors evaluate. Every
// script has one shape: connect to root\cimv2, run one query, loop over the
// objects, build the record text in R. Lines are joined by CR LF, with no
// line end after the last. The shape is data, so the same query can also be
// evaluated without a script engine (wmi_direct_engine.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// One operand of a record line: a quoted text, a property of the current
// object ("obj.Name"), the running number ("Cstr(i)") or vbCrLf.
struct RecordTerm {
  enum class Kind { Text, Property, Count, LineEnd };
  Kind kind;
  std::string text;  // the quoted text, or the property name
};

// How a record line sets R, spelled as the scripts spell it.
enum class RecordOp {
  Assign,           // "R = "
  Append,           // "R = R & "
  AppendTight,      // "R = R& "
  AppendAfterLoop,  // "R= R & " (the operating-system script's count line)
};

// R := its terms joined by "&" (Assign), or R & its terms (the others). An
// assignment of a single property keeps the property's value as it is.
struct RecordLine {
  RecordOp op;
  std::vector<RecordTerm> terms;
};

struct WmiQueryShape {
  std::string wmiClass;
  // The counting scripts declare i and count the objects ("i=i+1").
  bool counts = true;
  // The BIOS query is written "Select * From", every other "Select * from".
  std::string selectFrom = "from";
  std::vector<RecordLine> perObjectLines;
  std::optional<RecordLine> afterLoop;  // between "Next" and "GetA = R"
};

std::string BuildWmiQueryScript(const WmiQueryShape& shape);
// The query the script's ExecQuery runs, e.g. "Select * from Win32_Processor".
std::string WmiQueryText(const WmiQueryShape& shape);
// One record line as the script writes it (without its indent).
std::string RecordLineText(const RecordLine& line);

// Per-object lines: a key line appends (or assigns) key, property value,
// optional suffix and vbCrLf.
RecordLine KeyLine(RecordOp op, std::string_view key, std::string_view property, std::string_view suffix = "");
// A key carrying the object's running number: "显卡" & Cstr(i) & "型号=".
RecordLine NumberedKeyLine(std::string_view prefix, std::string_view key, std::string_view property);
// The line that closes an object's block with "完".
RecordLine CloseLine(RecordOp op);
// "R = obj.Property": R takes the property's value itself.
RecordLine PropertyLine(std::string_view property);

// The shapes of the detectors' queries.
WmiQueryShape ChassisShape();
WmiQueryShape EnclosureManufacturerShape();
WmiQueryShape ProcessorShape();
WmiQueryShape BiosShape();
WmiQueryShape BaseboardShape();
WmiQueryShape OperatingSystemShape();
WmiQueryShape MemoryShape();
WmiQueryShape VideoControllerShape();
WmiQueryShape MonitorShape();
// All nine, in the order above.
const std::vector<WmiQueryShape>& DetectorQueryShapes();
// The detector shape whose script is exactly `script`; null for any other text.
const WmiQueryShape* FindDetectorQueryShape(std::string_view script);

// Their scripts.
std::string ChassisScript();
std::string EnclosureManufacturerScript();
std::string ProcessorScript();
std::string BiosScript();
std::string BaseboardScript();
std::string OperatingSystemScript();
std::string MemoryScript();
std::string VideoControllerScript();
std::string MonitorScript();

}  // namespace ql
