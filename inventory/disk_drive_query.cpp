// The portable side of the disk query: the query text and the conversions.
#include "inventory/disk_drive_query.h"

#include <cmath>
#include <limits>

#include "support/gbk_text.h"

namespace ql {

std::string DiskDriveQuery::BuildDiskQuery(std::string_view driveName) const {
  std::string doubled;
  for (char c : driveName) {
    doubled.push_back(c);
    if (c == '\\') doubled.push_back('\\');
  }
  return ReplaceAll("Select * From Win32_DiskDrive WHERE Name='{0}'", "{0}", doubled);
}

std::string TrimSerialNumber(std::string_view serial) {
  static constexpr std::string_view kFullWidthSpace = "\xA1\xA1";
  size_t begin = 0;
  for (;;) {
    if (begin < serial.size() && serial[begin] == ' ') {
      ++begin;
    } else if (serial.substr(begin, 2) == kFullWidthSpace) {
      begin += 2;
    } else {
      break;
    }
  }
  // Trailing: walk the characters so that A1 A1 is taken only as a whole
  // character, never as the trail byte of one and the lead of the next.
  size_t end = begin, kept = begin;
  while (end < serial.size()) {
    size_t width = IsLeadByte(serial[end]) && end + 1 < serial.size() ? 2 : 1;
    std::string_view ch = serial.substr(end, width);
    end += width;
    if (ch != " " && ch != kFullWidthSpace) kept = end;
  }
  return std::string(serial.substr(begin, kept - begin));
}

bool ParseDecimalInt64(std::string_view text, int64_t& value) {
  size_t i = 0, n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (i == n) return false;
  uint64_t magnitude = 0;
  const uint64_t limit =
      negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1 : uint64_t(std::numeric_limits<int64_t>::max());
  for (; i < n; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (magnitude > (limit - digit) / 10) return false;
    magnitude = magnitude * 10 + digit;
  }
  value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  return true;
}

int64_t TruncateToInt64(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (value <= -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(value);  // truncates toward zero
}

}  // namespace ql
