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
  // The lines and their parts are views into the table, never copies (a
  // table from the data file may be of any size). Each begins on a character
  // boundary (CR LF and "=" are single bytes), so searching a view from its
  // start is searching the table from there.
  for (std::string_view rest = tableText;;) {
    size_t lineEnd = FindText(rest, "\r\n");
    std::string_view line = rest.substr(0, lineEnd);
    size_t equals = FindText(line, "=");  // a line without "=" names no maker
    if (equals != std::string_view::npos && line.substr(0, equals) == code) {
      std::string_view value = line.substr(equals + 1);
      return ReplaceAll(hardwareId, code, value.substr(0, FindText(value, "=")), true);
    }
    if (lineEnd == std::string_view::npos) return std::string(hardwareId);
    rest.remove_prefix(lineEnd + 2);
  }
}

std::string LookupMonitorVendor(std::string_view hardwareId, std::string_view dataDir,
                                const WholeFileReader& readFile) {
  return LookupVendorInTable(MonitorVendorTableText(dataDir, readFile), hardwareId);
}

}  // namespace ql
