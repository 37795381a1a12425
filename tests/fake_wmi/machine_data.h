// The machine a test WMI provider serves, read from a UTF-8 text file: WMI
// objects (one per [Class] section, in file order) with typed properties,
// and registry keys ([HKLM\...] sections) that the test runner writes into
// its private Wine prefix. Portable, so the format is tested natively.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fakewmi {

enum class ValueKind { kText, kInt32, kInt32Array, kBoolean, kNull };

struct Value {
  ValueKind kind = ValueKind::kNull;
  std::string text;              // kText, UTF-8
  int32_t number = 0;            // kInt32
  std::vector<int32_t> numbers;  // kInt32Array
  bool flag = false;             // kBoolean
};

struct Property {
  std::string name;
  Value value;
};

struct WmiObject {
  std::string className;
  std::vector<Property> properties;  // in file order, names unique ignoring case
  // The property of that name (ASCII case ignored), or null.
  const Property* Find(std::string_view name) const;
};

enum class RegistryKind { kBinary, kString };

struct RegistryValue {
  std::string name;
  RegistryKind kind = RegistryKind::kBinary;
  std::vector<uint8_t> bytes;  // kBinary
  std::string text;            // kString, UTF-8
};

struct RegistryKey {
  std::string path;  // below HKEY_LOCAL_MACHINE, without the "HKLM\" prefix
  std::vector<RegistryValue> values;
};

struct MachineData {
  std::vector<WmiObject> objects;
  std::vector<RegistryKey> registryKeys;
};

struct ParseError {
  int line = 0;  // 1-based
  std::string reason;
};

struct ParseResult {
  MachineData data;                 // empty when there is an error
  std::optional<ParseError> error;  // the first malformed line
};

// Reads the whole file text. The first malformed line makes the result an
// error and the data empty: a half-read machine would be a machine nobody
// wrote.
ParseResult ParseMachineData(std::string_view fileText);

// The one standard-error line that names a bad data file and its line.
std::string DescribeParseError(std::string_view fileName, const ParseError& error);

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace fakewmi
