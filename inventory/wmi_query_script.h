// The VBScript query functions "GetA()" that the detectors evaluate. Every
// script has one shape: connect to root\cimv2, run one query, loop over the
// objects, build the record text in R. Lines are joined by CR LF, with no
// line end after the last.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct WmiQueryShape {
  std::string_view wmiClass;
  // The counting scripts declare i and count the objects ("i=i+1").
  bool counts = true;
  // The BIOS query is written "Select * From", every other "Select * from".
  std::string_view selectFrom = "from";
  std::vector<std::string> perObjectLines;  // without their indent
  std::string afterLoopLine;                // "" for none
};

std::string BuildWmiQueryScript(const WmiQueryShape& shape);

// Per-object lines: `op` is how the line starts ("R = ", "R = R& ",
// "R = R & "); a key line appends key, property value and vbCrLf.
std::string KeyLine(std::string_view op, std::string_view key, std::string_view property, std::string_view suffix = "");
// A key carrying the object's running number: "显卡" & Cstr(i) & "型号=".
std::string NumberedKeyLine(std::string_view prefix, std::string_view key, std::string_view property);
// The line that closes an object's block with "完".
std::string CloseLine(std::string_view op);

// The scripts of the detectors.
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
