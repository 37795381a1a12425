// The GBK text primitives every subsystem stands on.
#include "support/gbk_text.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

constexpr size_t npos = std::string_view::npos;

struct FindCase {
  const char* name;
  std::string text;
  std::string needle;
  bool ignoreCase;
  size_t forward;
  size_t reverse;
};

TEST(GbkText, SearchNeverStartsOnATrailByte) {
  const FindCase cases[] = {
      // 0xB0 0x41 is one character whose trail byte is 'A'.
      {"trail byte is not a match", "\xB0\x41", "A", false, npos, npos},
      {"after the two-byte character",
       "\xB0\x41"
       "A",
       "A", false, 2, 2},
      {"ignore case folds ASCII only", "xYz", "yZ", true, 1, 1},
      {"case matters by default", "xYz", "yZ", false, npos, npos},
      // The trail byte 'A' of 0xB0 0x41 is no letter: it does not fold to 'a'.
      {"trail byte never folds", "\xB0\x41", "\xB0\x61", true, npos, npos},
      {"two-byte character, then a folded letter",
       "\xB0\x41"
       "B",
       "\xB0\x41"
       "b",
       true, 0, 0},
      {"chinese needle", "青岚工具箱", "工具", false, 4, 4},
      // "岚工" bytes are E1 B0 B9 A4; "\xB0\xB9" straddles two characters.
      {"needle across a character boundary", "青岚工具箱", "\xB0\xB9", false, npos, npos},
      {"empty needle", "abc", "", false, 0, 3},
      {"needle longer than text", "ab", "abc", false, npos, npos},
      {"two hits", "a-b-c", "-", false, 1, 3},
      // A lone lead byte at the end is still a (broken) character start.
      {"lone lead byte at the end", "a\xB0", "\xB0", false, 1, 1},
      {"empty needle after a lone lead byte", "a\xB0", "", false, 0, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindText(c.text, c.needle, 0, c.ignoreCase), c.forward) << c.name;
    EXPECT_EQ(FindTextReverse(c.text, c.needle, npos, c.ignoreCase), c.reverse) << c.name;
  }
}

TEST(GbkText, FindFromAnOffsetSkipsWholeCharacters) {
  // Starting inside a two-byte character moves on to the next character.
  EXPECT_EQ(FindText("\xB0\x41"
                     "A",
                     "A", 1),
            2u);
  EXPECT_EQ(FindText("abcabc", "abc", 1), 3u);
  EXPECT_EQ(FindTextReverse("abcabc", "abc", 5), 0u);
}

TEST(GbkText, CaseFoldingLeavesTwoByteCharactersAlone) {
  // 0xC1 0x41 ("罙"-like pair) keeps its 'A' trail byte untouched by folding
  // only when it is read as text; the byte-wise fold is ASCII-only.
  EXPECT_EQ(ToLowerAscii("ABC青\xC1\xC2xyz"), "abc青\xC1\xC2xyz");
  EXPECT_EQ(ToUpperAscii("abc岚"), "ABC岚");
  EXPECT_TRUE(EqualsIgnoreAsciiCase("Build", "bUILD"));
  EXPECT_FALSE(EqualsIgnoreAsciiCase("\xC1", "\xE1"));  // 0xC1 and 0xE1 are not a case pair
}

TEST(GbkText, ReplaceSplitJoin) {
  EXPECT_EQ(ReplaceAll("a\r\nb\r\n", "\r\n", "|"), "a|b|");
  EXPECT_EQ(ReplaceAll("\xB0\x41"
                       "A",
                       "A", "x"),
            "\xB0\x41"
            "x");
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(SplitText("", ","), std::vector<std::string>{""});
  EXPECT_EQ(SplitText("a,,b,", ","), (std::vector<std::string>{"a", "", "b", ""}));
  EXPECT_EQ(JoinText({"a", "b", "c"}, "\r\n"), "a\r\nb\r\nc");
}

TEST(GbkText, NumberForms) {
  EXPECT_EQ(ShortestDecimal(16384), "16384");
  EXPECT_EQ(ShortestDecimal(16), "16");
  EXPECT_EQ(ShortestDecimal(2048.9536743164062), "2048.953674316");
  EXPECT_EQ(ShortestDecimal(15.9), "15.9");
  EXPECT_EQ(DecimalText(-42), "-42");
  EXPECT_EQ(FormatText("%X-%02X", 255, 10), "FF-0A");
}

TEST(GbkText, RoundTripsThroughUtf16) {
  struct Case {
    std::string gbk;
    std::u16string utf16;
  } cases[] = {
      {"青岚工具箱", u"青岚工具箱"}, {"\xA1\xDE", u"∞"}, {"★☆", u"★☆"}, {"ASCII 123", u"ASCII 123"}, {"", u""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GbkToUtf16(c.gbk), c.utf16);
    EXPECT_EQ(Utf16ToGbk(c.utf16), c.gbk);
  }
  EXPECT_EQ(GbkToUtf8("青岚"), "\xE9\x9D\x92\xE5\xB2\x9A");
  EXPECT_EQ(Utf8ToGbk("\xE9\x9D\x92\xE5\xB2\x9A"), "青岚");
}

TEST(GbkText, BadBytesNeverStopTheConversion) {
  // A lone lead byte at the end, then a character GBK lacks.
  std::u16string u = GbkToUtf16("ab\x81");
  ASSERT_GE(u.size(), 3u);
  EXPECT_EQ(u.substr(0, 2), u"ab");
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600b").front(), 'a');
  EXPECT_EQ(Utf16ToGbk(u"a\U0001F600b").back(), 'b');
}

}  // namespace
}  // namespace ql
