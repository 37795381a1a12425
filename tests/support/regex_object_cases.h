// The RegexObject cases every engine must answer alike; included by the
// native test (portable engine) and the Windows test (VBScript engine).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/regex_object.h"

namespace ql {
namespace regex_cases {

TEST(RegexObject, CharsetOfAPageWithTheDefaultOptions) {
  const char* pattern = "<meta.+?charset=[^\\w]?([-\\w]+)";
  for (const char* page : {"<meta charset=UTF-8>", "<META CHARSET=UTF-8>",
                           "<html><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"}) {
    RegexObject re;
    ASSERT_TRUE(re.Match(pattern, page)) << page;
    EXPECT_EQ(re.MatchCount(), 1) << page;
    EXPECT_EQ(re.SubMatchCount(), 1) << page;
    EXPECT_EQ(re.SubMatchText(1, 1), std::string(page).find("gb2312") != std::string::npos ? "gb2312" : "UTF-8")
        << page;
    EXPECT_EQ(re.GetPattern(), pattern);
  }
}

TEST(RegexObject, IndexesOutsideTheCollectionsGiveEmptyTexts) {
  RegexObject re;
  ASSERT_TRUE(re.Match("(\\d)(x)?", "1 2 3"));
  ASSERT_EQ(re.MatchCount(), 3);
  EXPECT_EQ(re.MatchText(1), "1");
  EXPECT_EQ(re.MatchText(3), "3");
  EXPECT_EQ(re.MatchText(0), "");
  EXPECT_EQ(re.MatchText(4), "");
  EXPECT_EQ(re.MatchText(-1), "");
  EXPECT_EQ(re.SubMatchCount(), 2);
  EXPECT_EQ(re.SubMatchText(2, 1), "2");
  EXPECT_EQ(re.SubMatchText(2, 2), "");  // the group took no part
  EXPECT_EQ(re.SubMatchText(2, 3), "");
  EXPECT_EQ(re.SubMatchText(2, 0), "");
  EXPECT_EQ(re.SubMatchText(4, 1), "");
}

TEST(RegexObject, NoMatchIsASuccessfulSearch) {
  RegexObject re;
  EXPECT_TRUE(re.Match("xyz(\\d)", "abc"));
  EXPECT_EQ(re.MatchCount(), 0);
  EXPECT_EQ(re.SubMatchCount(), 0);
  EXPECT_EQ(re.MatchText(1), "");
  EXPECT_EQ(re.Replace("-"), "abc");
}

TEST(RegexObject, ARejectedPatternLeavesNothingBehind) {
  RegexObject re;
  ASSERT_TRUE(re.Match("a", "aaa"));
  ASSERT_EQ(re.MatchCount(), 3);
  // The failed search drops the earlier one.
  EXPECT_FALSE(re.Match("(a", "aaa"));
  EXPECT_EQ(re.MatchCount(), 0);
  EXPECT_EQ(re.SubMatchCount(), 0);
  EXPECT_EQ(re.MatchText(1), "");
  EXPECT_EQ(re.SubMatchText(1, 1), "");
  EXPECT_EQ(re.Replace("b"), "");
  EXPECT_EQ(re.GetPattern(), "");
  // A fresh object that was never used answers the same way.
  RegexObject unused;
  EXPECT_EQ(unused.MatchCount(), 0);
  EXPECT_EQ(unused.Replace("b"), "");
  EXPECT_EQ(unused.GetPattern(), "");
}

TEST(RegexObject, QuoteTokenStandsForADoubleQuoteOnlyWhenAsked) {
  RegexObject re;
  ASSERT_TRUE(re.Match("a#引号b", "x a\"b y", false, true, true, true));
  EXPECT_EQ(re.MatchCount(), 1);
  EXPECT_EQ(re.MatchText(1), "a\"b");
  EXPECT_EQ(re.GetPattern(), "a\"b");
  ASSERT_TRUE(re.Match("a#引号b", "x a\"b y"));
  EXPECT_EQ(re.MatchCount(), 0);
}

struct ReplaceCase {
  const char* name;
  std::string pattern, subject, replacement;
  bool caseSensitive, multiline, global;
  std::string expected;
  int count;
};

TEST(RegexObject, OptionsAndReplacement) {
  const ReplaceCase cases[] = {
      {"line breaks: empty line collapses", "(?:^\\r|\\n$)", "a\r\n\r\nb", "", false, true, true, "a\r\nb", 2},
      {"line breaks: CR at start, LF before X", "(?:^\\r|\\n$)", "\r\nX", "", false, true, true, "\nX", 1},
      {"no break, unchanged", "(?:^\\r|\\n$)", "plain text", "", false, true, true, "plain text", 0},
      {"multi-line ^ per line", "^b", "a\nb\r\nb", "X", false, true, true, "a\nX\r\nX", 2},
      {"single-line ^ at start only", "^b", "b\nb", "X", false, false, true, "X\nb", 1},
      {"single-line $ at end only", "b$", "b\nb", "X", false, false, true, "b\nX", 1},
      {"global off: first only", "o", "foo", "0", false, true, false, "f0o", 1},
      {"ignore case by default", "abc", "ABC abc", "-", false, true, true, "- -", 2},
      {"case-sensitive", "abc", "ABC abc", "-", true, true, true, "ABC -", 1},
      {"group references", "(\\w+)@(\\w+)", "a@b c@d", "$2@$1", false, true, true, "b@a d@c", 2},
      {"whole match and dollar", "\\d+", "x12y", "[$&$$]", false, true, true, "x[12$]y", 1},
      {"lazy quantifier", "<.+?>", "<a><b>", "()", false, true, true, "()()", 2},
      {"dot stops at CR and LF", ".+", "ab\r\ncd", "<$&>", false, true, true, "<ab>\r\n<cd>", 2},
      {"non-capturing group", "(?:ab)+(c)", "ababc", "$1", false, true, true, "c", 1},
      // Each Chinese character is one character, never two bytes.
      {"one match per Chinese character", ".", "青岚", "字", false, true, true, "字字", 2},
      {"Chinese in pattern and subject", "型号=(.+)", "处理器型号=Ryzen\r\n", "$1", false, true, true,
       "处理器Ryzen\r\n", 1},
      // 0xB0 0x41 is one character whose second byte is 'A'.
      {"trail byte never matches", "a", "\xB0\x41", "-", false, true, true, "\xB0\x41", 0},
      {"\\w is ASCII only", "\\w+", "ab青岚cd", "W", false, true, true, "W青岚W", 2},
  };
  for (const auto& c : cases) {
    RegexObject re;
    ASSERT_TRUE(re.Match(c.pattern, c.subject, c.caseSensitive, c.multiline, c.global)) << c.name;
    EXPECT_EQ(re.MatchCount(), c.count) << c.name;
    EXPECT_EQ(re.Replace(c.replacement), c.expected) << c.name;
  }
}

TEST(RegexObject, CopiesShareTheSearchAndKeepTheirSubject) {
  RegexObject original;
  ASSERT_TRUE(original.Match("(\\d+)", "a1b22"));
  RegexObject copy(original);
  ASSERT_TRUE(original.Match("x", "xxx"));
  EXPECT_EQ(original.MatchCount(), 3);
  EXPECT_EQ(copy.MatchCount(), 2);
  EXPECT_EQ(copy.MatchText(2), "22");
  EXPECT_EQ(copy.SubMatchText(1, 1), "1");
  EXPECT_EQ(copy.Replace("#"), "a#b#");
  RegexObject assigned;
  assigned = copy;
  EXPECT_EQ(assigned.Replace("<$1>"), "a<1>b<22>");
  EXPECT_EQ(assigned.GetPattern(), "(\\d+)");
}

}  // namespace regex_cases
}  // namespace ql
