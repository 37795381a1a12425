// The machine-wide detectors of the home page: machine type, processors,
// BIOS and board, the Windows summary, and the installed memory in whole
// gigabytes. None of them fails: a failed query gives the empty values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/script_host.h"

namespace ql {

struct MachineTypeInfo {
  std::string chassisName;   // the chassis-table text, "" for an unknown code
  std::string manufacturer;  // the enclosure manufacturer as WMI reports it
};

// Parallel arrays, one element per processor record, at least one.
struct ProcessorRecords {
  std::vector<std::string> names{""};
  std::vector<std::string> descriptions{""};
};

struct BoardInfo {
  std::string biosManufacturer;
  std::string boardProduct;  // keeps the CR LF that ends its line
};

// The chassis-table text of a chassis code (1 to 24), "" otherwise.
std::string ChassisName(int64_t code);
// The chassis code in a number the script control handed back: the low 16
// bits of its integer part (Wine fills the high word of the array elements
// with garbage; real codes are small). 0 for anything that is no number.
int64_t ChassisCodeFromNumber(double number);

MachineTypeInfo DetectMachineType(ScriptHostFactory& hosts);
ProcessorRecords DetectProcessors(ScriptHostFactory& hosts);
BoardInfo DetectBoard(ScriptHostFactory& hosts);

// The Windows summary "caption；build；bitness" derived from the text of the
// operating-system script.
std::string SummarizeOperatingSystem(std::string_view recordText);
std::string DescribeOperatingSystem(ScriptHostFactory& hosts);

// Whole gigabytes of installed memory, as "16GB" (halves away from zero).
std::string InstalledMemoryTextFor(uint64_t totalPhysicalBytes);

}  // namespace ql
