// The disk query's text and conversions that need no WMI.
#include "inventory/disk_drive_query.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ql {
namespace {

TEST(DiskDriveQuery, BuildDiskQueryDoublesEveryBackslash) {
  DiskDriveQuery q;
  EXPECT_EQ(q.BuildDiskQuery("\\\\.\\PHYSICALDRIVE1"),
            "Select * From Win32_DiskDrive WHERE Name='\\\\\\\\.\\\\PHYSICALDRIVE1'");
  EXPECT_EQ(q.BuildDiskQuery("\\\\.\\PHYSICALDRIVE0"),
            "Select * From Win32_DiskDrive WHERE Name='\\\\\\\\.\\\\PHYSICALDRIVE0'");
  EXPECT_EQ(q.BuildDiskQuery("PHYSICALDRIVE1"), "Select * From Win32_DiskDrive WHERE Name='PHYSICALDRIVE1'");
  EXPECT_EQ(q.BuildDiskQuery("a'b{0}"), "Select * From Win32_DiskDrive WHERE Name='a'b{0}'");  // no escaping, one pass
  EXPECT_EQ(q.BuildDiskQuery(""), "Select * From Win32_DiskDrive WHERE Name=''");
}

TEST(DiskDriveQuery, SerialNumberTrim) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"  S3Z9NB0K123456  ", "S3Z9NB0K123456"},
      {"\xA1\xA1 S3Z9 \xA1\xA1\xA1\xA1 ", "S3Z9"},
      {"A B", "A B"},
      {"A\xA1\xA1"
       "B",
       "A\xA1\xA1"
       "B"},
      {"   ", ""},
      {"\xA1\xA1", ""},
      {"", ""},
      {"\xB0\xA1\xA1\xA1", "\xB0\xA1"},    // 啊 then a full-width space
      {"X\xA1", "X\xA1"},                  // a lone lead byte at the end stays
      {"X\xC1\xA1\xA1", "X\xC1\xA1\xA1"},  // C1 A1 is one character; its A1 is no space
  };
  for (const Case& c : cases) EXPECT_EQ(TrimSerialNumber(c.in), c.out) << c.in;
}

TEST(DiskDriveQuery, NumericTextsAreParsedExactlyInto64Bits) {
  struct Case {
    const char* text;
    bool ok;
    int64_t value;
  };
  const Case cases[] = {
      {"82252800000", true, 82252800000},
      {"500105249280", true, 500105249280},
      {"9007199254740993", true, 9007199254740993},  // beyond a double's exact range
      {"9223372036854775807", true, std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", true, std::numeric_limits<int64_t>::min()},
      {"9223372036854775808", false, 0},
      {" 42 ", true, 42},
      {"4.5", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"12a", false, 0},
  };
  for (const Case& c : cases) {
    int64_t v = 0;
    EXPECT_EQ(ParseDecimalInt64(c.text, v), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

TEST(DiskDriveQuery, DoublesTruncateTowardZeroAndSaturate) {
  EXPECT_EQ(TruncateToInt64(2.9), 2);
  EXPECT_EQ(TruncateToInt64(-2.9), -2);
  EXPECT_EQ(TruncateToInt64(82252800000.0), 82252800000);
  EXPECT_EQ(TruncateToInt64(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt64(1e30), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(TruncateToInt64(-1e30), std::numeric_limits<int64_t>::min());
}

}  // namespace
}  // namespace ql
