// libFuzzer target for data\MonitorID.dat: the input is the whole file (the
// seeds are enciphered tables), deciphered with the program's pass phrase,
// taken as the vendor table and looked up the way the program does, with
// hardware IDs made from the table's own codes so that lines do match.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/des_decipher.h"
#include "inventory/monitor_vendor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> file(data, data + size);
  std::vector<uint8_t> plain = ql::DecipherData(file, ql::kMonitorIdPassPhrase);
  // A framed text: n > 0 bytes after the length, at most 7 bytes of padding.
  if (!plain.empty() && (size % 8 != 0 || plain.size() + 4 > size || size >= plain.size() + 12)) __builtin_trap();

  ql::WholeFileReader reader = [&](const std::string& path) -> std::optional<std::string> {
    if (path != "data\\MonitorID.dat") __builtin_trap();
    return std::string(data, data + size);
  };
  std::string table = ql::MonitorVendorTableText("data", reader);
  // The table is the plain text up to its first zero byte.
  std::string expected(plain.begin(), plain.end());
  expected.resize(expected.find('\0') == std::string::npos ? expected.size() : expected.find('\0'));
  if (table != expected) __builtin_trap();

  // The codes of the first lines, the first line's whole text and a fixed ID.
  std::vector<std::string> ids = {"DELA0A4", table.substr(0, 16)};
  for (size_t at = 0, lines = 0; at < table.size() && lines < 4; ++lines) {
    ids.push_back(table.substr(at, 3) + "A0A4");
    size_t end = table.find("\r\n", at);
    if (end == std::string::npos) break;
    at = end + 2;
  }
  for (const std::string& id : ids) {
    std::string shown = ql::LookupVendorInTable(table, id);
    // No line matches an ID of fewer than three bytes: it comes back as it is.
    if (id.size() < 3 && shown != id) __builtin_trap();
  }
  return 0;
}
