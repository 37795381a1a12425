// One connected monitor as a record of texts: its EDID block read from the
// registry by its device instance path, a fixed set of fields decoded, and
// the maker's display text derived from the path.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct MonitorInfo {
  std::string ManufacturerCode;  // "DEL", or the message for undecodable ID bytes
  std::string ModelText;         // third descriptor's text, cleaned
  std::string DiagonalInches;    // "23.4", "24"
  std::string VendorDisplay;     // "戴尔 DELA0A4"; empty unless the path has three parts
  std::string ExtraText;         // fourth descriptor's text, uncleaned
  std::string ManufactureDate;   // "2015年第23周"
  std::string HeightCm;
  std::string WidthCm;
  std::string EdidVersion;        // "1.4"
  std::string ManufacturerIdHex;  // "10 AC"
  std::vector<uint8_t> RawEdid;   // the block exactly as read
};

inline constexpr std::string_view kUnknownManufacturerText = "数据格式不规范或未收录的品牌。";

// 26 lines "00001=1=A" … "11010=26=Z", CR LF between them.
extern const std::string_view ManufacturerLetterTable;

// The "EDID" value under HKLM\<keyPath>; only a REG_BINARY value counts, so a
// missing key, a missing value or another type gives the empty block.
using EdidValueReader = std::function<std::vector<uint8_t>(const std::string& keyPath)>;
using VendorLookup = std::function<std::string(std::string_view hardwareId)>;

// ControlSet001, then 002 and 003 while the block read so far has fewer than
// 10 bytes; each read replaces the previous one.
std::vector<uint8_t> ReadEdidBlock(std::string_view pnpDeviceId, const EdidValueReader& readValue);

// Decodes a block of any length. A field is filled only when every byte it
// needs lies inside the block; the empty block gives an all-empty record.
MonitorInfo DecodeEdidBlock(std::string_view pnpDeviceId, std::vector<uint8_t> block, const VendorLookup& lookupVendor);

MonitorInfo DecodeMonitorEdid(std::string_view pnpDeviceId, const EdidValueReader& readValue,
                              const VendorLookup& lookupVendor);
// The program's decoder: the real registry and LookupMonitorVendor (Windows only).
MonitorInfo DecodeMonitorEdid(std::string_view pnpDeviceId);

}  // namespace ql
