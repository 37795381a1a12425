// libFuzzer target for the EDID decoder: the input is a registry EDID block
// of any length (the seeds are real blocks, byte for byte), decoded with a
// device path of the shape Windows gives it and the built-in vendor table.
// The data file's cipher and table have a target of their own
// (monitor_id_fuzz), so an input here costs one decode and no decipher.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"

namespace {

// "DISPLAY\" + the three letters of bytes 8-9 and the product code of bytes
// 10-11 (what Windows names the monitor by) + "\" + bytes 12-15 as the
// instance. Bytes that are no letter and raw instance bytes (a "\" among
// them) give the odd hardware IDs and path shapes a tampered registry holds.
std::string DevicePath(const uint8_t* b, size_t size) {
  std::string path = "DISPLAY\\";
  if (size >= 10) {
    unsigned v = b[8] * 256u + b[9];
    for (int shift = 10; shift >= 0; shift -= 5) path.push_back(static_cast<char>('@' + ((v >> shift) & 31)));
  }
  static const char kHex[] = "0123456789ABCDEF";
  for (size_t i : {11, 10})
    if (i < size) path.append({kHex[b[i] >> 4], kHex[b[i] & 15]});
  path.push_back('\\');
  for (size_t i = 12; i < 16 && i < size; ++i) path.push_back(static_cast<char>(b[i]));
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The block is exactly as long as the input, so ASan sees any read beyond it.
  std::vector<uint8_t> block(data, data + size);
  ql::MonitorInfo info = ql::DecodeEdidBlock(DevicePath(data, size), block, [](std::string_view id) {
    return ql::LookupVendorInTable(ql::MonitorVendorTable, id);
  });
  if (info.RawEdid != block) __builtin_trap();
  // A field is filled exactly when the block holds every byte it needs.
  if (info.ManufacturerIdHex.empty() != (size < 10) || info.ModelText.size() > 13 || info.ExtraText.size() > 13)
    __builtin_trap();
  return 0;
}
