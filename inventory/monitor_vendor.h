// The table of monitor makers: the three-letter code in a hardware ID (the
// "DEL" of "DELA0A4") turned into a display text ("戴尔 DELA0A4"). The
// built-in table can be replaced by the enciphered file data\MonitorID.dat,
// which is read afresh on every lookup.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ql {

// 22 lines "CODE=display text", CR LF between them.
extern const std::string_view MonitorVendorTable;

inline constexpr std::string_view kMonitorIdPassPhrase = "vorkaneb";

// Reads a whole file by its GBK path; nullopt when the file does not exist.
using WholeFileReader = std::function<std::optional<std::string>(const std::string& path)>;

// The table in force: the deciphered file (up to its first zero byte) when
// dataDir\MonitorID.dat exists, even when that yields nothing, else the
// built-in table.
std::string MonitorVendorTableText(std::string_view dataDir, const WholeFileReader& readFile);

// The first line whose code equals the hardware ID's first three bytes
// decides: every occurrence of the code (ignoring ASCII case) is replaced by
// the line's display text. No matching line: the ID unchanged.
std::string LookupVendorInTable(std::string_view tableText, std::string_view hardwareId);

std::string LookupMonitorVendor(std::string_view hardwareId, std::string_view dataDir, const WholeFileReader& readFile);
// The program's own lookup: dataDir of the running program, the real file
// system (Windows only).
std::string LookupMonitorVendor(std::string_view hardwareId);

}  // namespace ql
