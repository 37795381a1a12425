// Monitor maker lookup over the built-in or the file's table.
#include "inventory/monitor_vendor.h"

#include <vector>

#include "inventory/des_decipher.h"
#include "support/gbk_text.h"

namespace ql {

const std::string_view MonitorVendorTable =
    "AUO=友达 AUO\r\n"
    "CMO=奇美 CMO\r\n"
    "CMN=奇美 CMN\r\n"
    "LEN=联想 LEN\r\n"
    "AOC=冠捷 AOC\r\n"
    "HWP=惠普 HWP\r\n"
    "SDC=三星 SDC\r\n"
    "SEC=三星 SEC\r\n"
    "SAM=三星 SAM\r\n"
    "SAN=三星 SAN\r\n"
    "DEL=戴尔 DEL\r\n"
    "SNY=索尼 SNY\r\n"
    "ACI=华硕 ACI\r\n"
    "ACR=宏碁 ACR\r\n"
    "SVC=优派 SVC\r\n"
    "HKC=惠科 HKC\r\n"
    "ELS=艾尔莎 ELS\r\n"
    "BOE=京东方 BOE\r\n"
    "LGD=LG LGD\r\n"
    "PHL=飞利浦 PHL\r\n"
    "HSD=瀚视奇 HSD\r\n"
    "CPT=中华映管 CPT";

std::string MonitorVendorTableText(std::string_view dataDir, const WholeFileReader& readFile) {
  std::optional<std::string> file = readFile(std::string(dataDir) + "\\MonitorID.dat");
  if (!file) return std::string(MonitorVendorTable);
  std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(file->data()), file->size());
  std::vector<uint8_t> plain = DecipherData(bytes, kMonitorIdPassPhrase);
  std::string text(plain.begin(), plain.end());
  size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

std::string LookupVendorInTable(std::string_view tableText, std::string_view hardwareId) {
  // Codes are exactly three bytes, so a shorter ID can match no line.
  if (hardwareId.size() < 3) return std::string(hardwareId);
  std::string_view code = hardwareId.substr(0, 3);
  for (const std::string& line : SplitText(tableText, "\r\n")) {
    std::vector<std::string> parts = SplitText(line, "=");
    if (parts.size() < 2) continue;  // a line without "=" names no maker
    if (parts[0] == code) return ReplaceAll(hardwareId, parts[0], parts[1], true);
  }
  return std::string(hardwareId);
}

std::string LookupMonitorVendor(std::string_view hardwareId, std::string_view dataDir,
                                const WholeFileReader& readFile) {
  return LookupVendorInTable(MonitorVendorTableText(dataDir, readFile), hardwareId);
}

}  // namespace ql
