// Record splitting and the value-cutting text operations.
#include "inventory/wmi_record_text.h"

#include "inventory/system_detectors.h"

#include <gtest/gtest.h>

#include "tests/inventory/line_edge_break_cases.h"

#include <cstdint>
#include <iterator>

namespace ql {
namespace {

TEST(WmiRecordText, TextOperations) {
  struct Case {
    const char* name;
    std::string actual, expected;
  };
  const std::string cpu = "\r\n处理器型号=X\r\n处理器架构_数据=Y\r\n";
  const Case cases[] = {
      {"key tail inside a numbered key", TextBetween(cpu, "型号=", "\r\n"), "X"},
      {"missing key", TextBetween(cpu, "厂商=", "\r\n"), ""},
      {"left marker only at the very end", TextBetween("abc=", "=", "\r\n"), ""},
      {"= as both markers", TextBetween("a=1\r\nb=2\r\n", "=", "="), "1\r\nb"},
      {"nothing between", TextBetween("k=\r\n", "k=", "\r\n"), ""},
      {"right marker before left does not count", TextBetween("]x[y]", "[", "]"), "y"},
      {"#引号 stands for a double quote", TextBetween("id=\"42\";", "id=#引号", "#引号"), "42"},
      {"#引号 is not a literal token", TextBetween("a#引号b\"c\"", "#引号", "#引号"), "c"},
      {"empty text", TextBetween("", "型号=", "\r\n"), ""},
      {"value keeps its CR LF", TextAfterLast("型号=A\r\n型号=B\r\n", "型号="), "B\r\n"},
      {"after last, missing", TextAfterLast("型号=A", "厂商="), ""},
      {"after last, marker at the end", TextAfterLast("ab=", "="), ""},
      {"after last, empty marker gives the whole text", TextAfterLast("abc", ""), "abc"},
      {"after last, empty text", TextAfterLast("", "a"), ""},
      {"BUILD ignoring case", TextBeforeFirst("Windows 10 Pro\r\nBuild=123", "BUILD", true), "Windows 10 Pro\r\n"},
      {"BUILD minding case", TextBeforeFirst("Windows 10 Pro\r\nBuild=123", "BUILD", false), ""},
      {"before first at position 1", TextBeforeFirst("Build=1", "build", true), ""},
      {"before first, empty text", TextBeforeFirst("", "x", true), ""},
      // 0xB0 0x41 is one character whose second byte is 'A'.
      {"no match on a trail byte",
       TextBeforeFirst("\xB0\x41"
                       "xa",
                       "a", true),
       "\xB0\x41"
       "x"},
      {"no match on a trail byte, between",
       TextBetween("\xB0\x3D"
                   "1=2;",
                   "=", ";"),
       "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(WmiRecordText, SplitRecordsAndPerKeyArrays) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> records;
    std::vector<std::string> names;  // "型号=" per record
  };
  const Case cases[] = {
      {"no objects", "", {}, {""}},
      {"one block", "显卡1型号=A\r\n完\r\n", {"显卡1型号=A\r\n"}, {"A"}},
      {"later blocks begin with CR LF",
       "显卡1型号=A\r\n完\r\n显卡2型号=B\r\n完\r\n",
       {"显卡1型号=A\r\n", "\r\n显卡2型号=B\r\n"},
       {"A", "B"}},
      {"empty piece between two 完", "型号=A\r\n完完\r\n", {"型号=A\r\n", ""}, {"A", ""}},
      {"record without its key", "x=1\r\n完\r\n型号=B\r\n完\r\n", {"x=1\r\n", "\r\n型号=B\r\n"}, {"", "B"}},
      {"text without 完", "型号=A\r\n", {}, {""}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> records = SplitRecords(c.text);
    EXPECT_EQ(records, c.records) << c.name;
    EXPECT_EQ(ReadKeyPerRecord(records, "型号="), c.names) << c.name;
  }
}

TEST(WmiRecordText, CleanLineBreaks) {
  struct Case {
    std::string text, expected;
  };
  const Case cases[] = {
      {"a\r\n\r\nb", "a\r\nb"},
      {"\r\n\r\nX\r\n", "\nX"},
      {"no break at all", "no break at all"},
      {"\r\n", ""},
      {"", ""},
      {"\r\nMicrosoft Windows 10 专业版\r\n", "Microsoft Windows 10 专业版"},
      {"64 位\r\n获取成功", "64 位\r\n获取成功"},
  };
  for (const auto& c : cases) EXPECT_EQ(CleanLineBreaks(c.text), c.expected) << c.text;
}

// The plain-text rule, used where the regular-expression engine is missing,
// removes exactly what the pattern "(?:^\r|\n$)" removes.
TEST(WmiRecordText, LineEdgeBreaksAsPlainTextMatchThePattern) {
  ExpectLineEdgeRuleIsThePattern();
  EXPECT_EQ(RemoveLineEdgeBreaks("a\r\n\r\nb"), "a\r\nb");
  EXPECT_EQ(RemoveLineEdgeBreaks("\r\nX"), "\nX");
}

}  // namespace
}  // namespace ql

namespace ql {
namespace {

// Record text is untrusted: arbitrary mixes of keys, markers, line breaks and
// stray lead bytes must give values that are parts of the text, never more.
TEST(WmiRecordText, ArbitraryTextStaysInBounds) {
  const char* const tokens[] = {"完", "\r\n",  "\r",     "\n",    "型号=",     "=",         "\xB0", "#引号", "\"",
                                "a",  "版本=", "Build=", "BUILD", "系统位宽=", "获取成功=", "-bit", "位宽="};
  uint32_t seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (uint32_t n = next() % 12; n > 0; --n) text += tokens[(next() >> 8) % std::size(tokens)];
    std::vector<std::string> records = SplitRecords(text);
    std::string rebuilt;
    for (const std::string& r : records) rebuilt += r + "完";
    EXPECT_EQ(text.compare(0, rebuilt.size(), rebuilt), 0) << text;
    for (const char* key : {"型号=", "=", ""}) {
      EXPECT_NE(text.find(TextBetween(text, key, "\r\n")), std::string::npos);
      EXPECT_EQ(text.rfind(TextAfterLast(text, key)) + TextAfterLast(text, key).size(), text.size());
      EXPECT_EQ(text.compare(0, TextBeforeFirst(text, key, true).size(), TextBeforeFirst(text, key, true)), 0);
    }
    EXPECT_LE(CleanLineBreaks(text).size(), text.size());
    // The summary is made of parts of the text and its two separators.
    EXPECT_LE(SummarizeOperatingSystem(text).size(), 3 * text.size() + 4);
  }
}

}  // namespace
}  // namespace ql
