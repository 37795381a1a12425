// The catalog search: containment, ASCII-only case folding, character
// boundaries, and the hit pages that pair with the list items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/tool_catalog.h"
#include "support/gbk_text.h"

namespace {

using ql::RunCatalogSearch;
using ql::SearchHitPages;

// clang-format off
const std::vector<std::string> kAllNames = {
    "AID64", "CoreTemp32", "CoreTemp64", "cpuz64", "cpuz86", "memtest", "memtestpro", "魔方内存盘", "AIDA64",
    "TrayS_x64 CPU", "ASSSDBenchmark", "CrystalDiskInfo86", "CrystalDiskInfo64", "Defraggler", "DiskGenius", "SSDZ",
    "Ultraiso", "傲梅分区", "魔方数据恢复", "rufus", "UltraISO", "U盘芯检测工具", "CPUZ64", "CPUZ32", "gpuinfo",
    "displayx", "色域检测", "AIDA64", "cpuz64", "cpuz86", "Speccy", "图拉丁硬件检测", "Dism++64", "Dism++86",
    "广告弹窗拦截", "360断网急救箱", "Everything查找文件", "FastStone Capture桌面小工具", "geek强力卸载工具",
    "鼠标连点器", "驱动精灵"};
const std::vector<int> kAllPages = {1, 1, 1, 1, 1, 2, 2, 2, 3, 4, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5,
                                    5, 6, 6, 6, 7, 7, 8, 8, 8, 8, 8, 9, 9, 9, 9, 10, 10, 10, 10, 11};
// clang-format on

TEST(ToolCatalog, FortyOneRowsPairedFromTheTwoCrLfTexts) {
  std::vector<ql::ToolEntry> rows = ql::ToolCatalog();
  ASSERT_EQ(rows.size(), 41u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].displayName, kAllNames[i]) << i;
    EXPECT_EQ(rows[i].categoryPage, kAllPages[i]) << i;
  }
  EXPECT_EQ(ql::SplitText(ql::kToolCatalogNames, "\r\n").size(), 41u);
  EXPECT_EQ(ql::kToolCatalogNames.find('\n', 0), ql::kToolCatalogNames.find("\r\n") + 1);  // CR LF, not LF
}

struct SearchCase {
  const char* label;
  std::string needle;
  std::vector<std::string> names;
  std::vector<int> pages;
};

TEST(ToolSearch, TableOfSearches) {
  const std::vector<SearchCase> cases = {
      {"empty lists everything", "", kAllNames, kAllPages},
      {"dism", "dism", {"Dism++64", "Dism++86"}, {9, 9}},
      {"cpuz", "cpuz", {"cpuz64", "cpuz86", "CPUZ64", "CPUZ32", "cpuz64", "cpuz86"}, {1, 1, 6, 6, 8, 8}},
      {"CPUZ", "CPUZ", {"cpuz64", "cpuz86", "CPUZ64", "CPUZ32", "cpuz64", "cpuz86"}, {1, 1, 6, 6, 8, 8}},
      {"aida: containment, not AID64", "aida", {"AIDA64", "AIDA64"}, {3, 8}},
      {"middle of a name", "Disk", {"CrystalDiskInfo86", "CrystalDiskInfo64", "DiskGenius"}, {5, 5, 5}},
      {"nothing", "no such tool", {}, {}},
      {"Chinese", "工具", {"U盘芯检测工具", "FastStone Capture桌面小工具", "geek强力卸载工具"}, {5, 10, 10}},
      {"Chinese plus ASCII", "U盘", {"U盘芯检测工具"}, {5}},
      {"1000 bytes", std::string(1000, 'a'), {}, {}},
  };
  for (const SearchCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(RunCatalogSearch(c.needle), c.names);
    EXPECT_EQ(SearchHitPages(), c.pages);
  }
}

TEST(ToolSearch, ThirdCpuzHitIsOnTheGraphicsPage) {
  std::vector<std::string> hits = RunCatalogSearch("CPUZ");
  ASSERT_GE(hits.size(), 3u);
  EXPECT_EQ(hits[2], "CPUZ64");
  EXPECT_EQ(SearchHitPages()[2], 6);
}

TEST(ToolSearch, NeverMatchesAcrossACharacterBoundary) {
  // The trail byte of 魔 followed by the lead byte of 方: present in the
  // bytes of two names, but only across a character boundary.
  std::string name = "魔方内存盘";
  std::string needle = name.substr(1, 2);
  ASSERT_NE(std::string(ql::kToolCatalogNames).find(needle), std::string::npos);
  EXPECT_TRUE(RunCatalogSearch(needle).empty());
  EXPECT_TRUE(SearchHitPages().empty());
}

TEST(ToolSearch, ASecondSearchReplacesTheFirstsHits) {
  RunCatalogSearch("cpuz");
  ASSERT_EQ(SearchHitPages().size(), 6u);
  RunCatalogSearch("dism");
  EXPECT_EQ(SearchHitPages(), (std::vector<int>{9, 9}));
  RunCatalogSearch("zzz");
  EXPECT_TRUE(SearchHitPages().empty());
}

TEST(ToolSearch, LoneLeadBytesNeitherCrashNorMatchInsideACharacter) {
  for (std::string needle :
       {std::string("\x81"), std::string("\xFE"), std::string("cpu\xB9"), std::string(999, '\xB9') + "\xB9"}) {
    std::vector<std::string> hits = RunCatalogSearch(needle);
    EXPECT_EQ(hits.size(), SearchHitPages().size());
    for (const std::string& hit : hits) EXPECT_TRUE(ql::ContainsText(hit, needle)) << hit;
  }
}

TEST(ToolNameMatches, FoldsAsciiLettersOnly) {
  EXPECT_TRUE(ql::ToolNameMatches("CoreTemp32", "coretemp"));
  EXPECT_TRUE(ql::ToolNameMatches("geek强力卸载工具", "GEEK强力"));
  // A trail byte that looks like 'A' is not the letter A, in either case.
  EXPECT_FALSE(ql::ToolNameMatches("\x81\x41", "\x81\x61"));
  EXPECT_FALSE(ql::ToolNameMatches("\x81\x61", "a"));
  EXPECT_FALSE(ql::ToolNameMatches("\x81\x61", "A"));
  EXPECT_TRUE(ql::ToolNameMatches("x\x81\x41", "X\x81\x41"));
  // Only bytes of the letters A-Z fold: '@' and '`', '[' and '{' stay apart.
  EXPECT_FALSE(ql::ToolNameMatches("@", "`"));
  EXPECT_FALSE(ql::ToolNameMatches("[", "{"));
  // The empty text matches every non-empty name, and nothing matches an empty name.
  EXPECT_TRUE(ql::ToolNameMatches("x", ""));
  EXPECT_FALSE(ql::ToolNameMatches("", ""));
  // A name ending in a lone lead byte is read without running past its end.
  EXPECT_FALSE(ql::ToolNameMatches("ab\x81", "\x81\x40"));
}

}  // namespace
