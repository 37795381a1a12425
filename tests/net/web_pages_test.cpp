// The counters, the update decision and the package link cut from pages.
#include "inventory/wmi_record_text.h"
#include "net/web_pages.h"

#include <gtest/gtest.h>

#include "support/gbk_text.h"

namespace ql {
namespace {

TEST(PageMarkers, FirstLeftThenFirstRightAfterIt) {
  EXPECT_EQ(TextBetween("a[1]b[2]", "[", "]"), "1");
  EXPECT_EQ(TextBetween("a[]", "[", "]"), "");
  EXPECT_EQ(TextBetween("a]b[", "[", "]"), "");
  EXPECT_EQ(TextBetween("x\"v\"", "#引号", "#引号"), "v");
  // A marker never matches on the trail byte of a two-byte character.
  EXPECT_EQ(TextBetween("\xB0\x5B"
                        "1]",
                        "[", "]"),
            "");
}

TEST(ReadVisitCounters, TheThreeFiguresBetweenTheirMarkers) {
  VisitCounters c = ReadVisitCounters("昨日访问：5&#10;今日访问：7&#10;累计访问：99&#10;点击");
  EXPECT_EQ(c.yesterday, "5");
  EXPECT_EQ(c.today, "7");
  EXPECT_EQ(c.total, "99");
  VisitCounters missing = ReadVisitCounters("昨日访问：5&#10;今日访问：7&#10;累计访问：99");
  EXPECT_EQ(missing.yesterday, "5");
  EXPECT_EQ(missing.today, "7");
  EXPECT_EQ(missing.total, "");
  VisitCounters none = ReadVisitCounters("");
  EXPECT_EQ(none.yesterday + none.today + none.total, "");
}

TEST(ReadVisitCounters, FromTheUtf8BytesOfTheCounterPage) {
  // The page travels as UTF-8; the markers are found after decoding it.
  std::string page = GbkToUtf8("<p>昨日访问：12&#10;今日访问：34&#10;累计访问：5678&#10;点</p>");
  page.push_back('\0');
  page += "trailing";
  VisitCounters c = ReadVisitCounters(DecodeUtf8Page(page));
  EXPECT_EQ(c.yesterday, "12");
  EXPECT_EQ(c.today, "34");
  EXPECT_EQ(c.total, "5678");
}

TEST(DecideUpdate, SameOlderAndEmptyBrackets) {
  const std::string ours(kProgramVersion);
  struct Case {
    std::string page;
    std::string server;
    const char* hint;
  } cases[] = {
      {"最新版本：[" + ours + "]", "服务器版本：" + ours, "提示：已是最新版本，无需更新！（请关注官方群更新消息）"},
      {"最新版本：[2.5.4]", "服务器版本：2.5.4", "提示：有新版本可以更新，请点击按钮前往下载！"},
      {"最新版本：[" + ours + " ]", "服务器版本：" + ours + " ", "提示：有新版本可以更新，请点击按钮前往下载！"},
      {"最新版本：[]", "服务器版本：版本号获取错误！请检查网络！", "提示：网络错误"},
      {"", "服务器版本：版本号获取错误！请检查网络！", "提示：网络错误"},
  };
  for (const Case& c : cases) {
    UpdateLabels l = DecideUpdate(c.page);
    EXPECT_EQ(l.currentVersion, "当前版本：" + ours);
    EXPECT_EQ(l.serverVersion, c.server) << c.page;
    EXPECT_EQ(l.hint, c.hint) << c.page;
  }
}

TEST(ToolPackageLink, OnlyWebAddressesAreHandedOn) {
  struct Case {
    const char* page;
    const char* link;
  } cases[] = {
      {"工具包下载地址：《https://dl.example/p.zip》", "https://dl.example/p.zip"},
      {"工具包下载地址：《HTTP://dl.example/p》", "HTTP://dl.example/p"},
      {"工具包下载地址：《C:\\Windows\\System32\\calc.exe》", ""},
      {"工具包下载地址：《file:///C:/Windows/System32/calc.exe》", ""},
      {"工具包下载地址：《 https://x》", ""},
      {"工具包下载地址：《https://》", ""},
      {"工具包下载地址：《https://x\r\ncalc》", ""},
      {"工具包下载地址：《》", ""},
      {"工具包下载地址：《https://x", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ToolPackageLink(c.page), c.link) << c.page;
  // A link that would break out of a command line is no link.
  for (char c : std::string("\"<>^| ")) {
    std::string page = std::string("工具包下载地址：《https://dl.example/p") + c + "calc.exe》";
    EXPECT_EQ(ToolPackageLink(page), "") << c;
  }
}

}  // namespace
}  // namespace ql
