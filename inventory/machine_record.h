// The machine as detection reads it: the WMI objects of every class the
// detectors and the disk query read (only the properties they read, values
// as WMI gave them) and the monitors' EDID values. Written out in the test
// WMI provider's data-file format, it replays the machine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct WmiValue {
  enum class Kind { Text, Integer, IntegerArray, Boolean, Null, Empty };
  Kind kind = Kind::Empty;
  std::string text;  // UTF-8, straight from the BSTR (no GBK round trip)
  int64_t integer = 0;
  std::vector<int64_t> integers;
  bool boolean = false;
};

struct WmiProperty {
  std::string name;
  WmiValue value;
};

struct WmiObject {
  std::string wmiClass;
  std::vector<WmiProperty> properties;  // in the order of ClassRead::properties
};

struct RegistryBinary {
  std::string keyPath;  // under HKLM, GBK as the EDID reader builds it
  std::string valueName;
  std::vector<uint8_t> bytes;
};

struct MachineRecord {
  std::vector<WmiObject> objects;  // class by class, each class in WMI's order
  std::vector<RegistryBinary> registry;
};

// One class and the properties read of it.
struct ClassRead {
  std::string wmiClass;
  std::vector<std::string> properties;
};

// The detectors' classes in their query order (each property once), then
// Win32_DiskDrive with Name and every property the disk getters read.
const std::vector<ClassRead>& DetectionClassReads();
// The disk getters' properties under their WMI names, in the getters' order.
const std::vector<std::string>& DiskGetterProperties();

// The data-file text (UTF-8, LF line ends): the header comment lines (each
// given without its "; "), then one [Class] section per object and one
// [HKLM\key] section per registry value.
std::string MachineDataFileText(const MachineRecord& machine, const std::vector<std::string>& headerLines);

// A text's line in the data file: "Name=text" as it is, or "Name:esc=…"
// (\r \n \t \\) when it holds CR, LF or a tab. The format has no way to
// write the other control characters: each becomes '?'.
std::string TextPropertyLine(std::string_view name, std::string_view utf8);

// Bytes as upper-case hexadecimal, two digits each: the EDID blocks of the
// data file and of the report.
std::string HexText(const std::vector<uint8_t>& bytes);

}  // namespace ql
