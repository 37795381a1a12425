// libFuzzer target for the monitor decoding of untrusted bytes: an EDID block
// of any length, a MonitorID.dat of any content, and the vendor lookup over
// whatever table such a file deciphers to. Run by hand:
//   build/fuzz/edid_fuzz -max_total_time=60
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inventory/des_decipher.h"
#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);

  // The first byte picks a device path shape; the rest is the block. Each
  // copy is exactly as long as the input, so ASan sees any read beyond it.
  static const char* const kPaths[] = {"DISPLAY\\DELA0A4\\1", "DISPLAY\\X", "A\\B\\C\\D", "", "\\\\\\"};
  std::string path = size ? kPaths[data[0] % 5] : "";
  std::vector<uint8_t> block(data, data + size);
  ql::MonitorInfo info = ql::DecodeEdidBlock(
      path, block, [](std::string_view id) { return ql::LookupVendorInTable(ql::MonitorVendorTable, id); });
  if (info.RawEdid.size() != size) __builtin_trap();

  // The same bytes as a data file: deciphered, then used as the vendor table.
  std::vector<uint8_t> plain = ql::DecipherData(block, ql::kMonitorIdPassPhrase);
  if (!plain.empty() && plain.size() + 4 > size) __builtin_trap();
  ql::WholeFileReader file = [&](const std::string&) { return std::optional<std::string>(std::string(input)); };
  std::string table = ql::MonitorVendorTableText("d", file);
  ql::LookupVendorInTable(table, input.substr(0, 16));
  // The raw bytes as a table text too (capped: the text splitting walks from
  // the start for every line, so long tables only slow the fuzzer down).
  ql::LookupVendorInTable(input.substr(0, 512), "DELA0A4");
  return 0;
}
