// The page table and the navigation handler, against a recording view.
#include "app/main_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/uptime_text.h"

namespace ql {
namespace {

struct FakeView : MainPageView {
  std::map<std::string, std::string> captions{{"B1", "Windows 下载    "}, {"x", "教程文档             "}};
  std::string title = "主页";
  int page = 0, barLeft = 0, barTop = 101;
  std::vector<std::string> steps;
  std::string ControlCaption(std::string_view c) override { return captions[std::string(c)]; }
  void SetTitle(std::string_view t) override { title = t, steps.push_back("title"); }
  void SelectPage(int p) override { page = p, steps.push_back("page"); }
  int BarTop() override { return barTop; }
  void MoveBar(int l, int t) override { barLeft = l, barTop = t, steps.push_back("bar"); }
  void OfferToolPackage() override { steps.push_back("offer:" + std::to_string(page)); }
};

TEST(MainPages, NavigationWritesTitleAndSwitchesPageAndBar) {
  struct Case {
    const char* control;
    const char* title;
    int page, barLeft, barTop;
  } cases[] = {
      {"主页", "主页", 0, 0, 101},
      {"功能", "功能", 1, 0, 138},
      {"特色", "特色功能", 13, 0, 172},
      {"B1", "Windows 下载    ", 2, 0, 221},
      {"x", "教程文档             ", 8, 0, 461},
      {"更新日志", "更新日志", 10, -100, 101},
  };
  for (const Case& c : cases) {
    FakeView v;
    ASSERT_TRUE(ShowMainPage(v, c.control)) << c.control;
    EXPECT_EQ(v.title, c.title) << c.control;
    EXPECT_EQ(v.page, c.page) << c.control;
    EXPECT_EQ(v.barLeft, c.barLeft) << c.control;
    EXPECT_EQ(v.barTop, c.barTop) << c.control;
  }
}

TEST(MainPages, CaptionIsReadAtClickTime) {
  FakeView v;
  v.captions["B1"] = "改过的标题";
  ShowMainPage(v, "B1");
  EXPECT_EQ(v.title, "改过的标题");
}

TEST(MainPages, SettingsHidesBarAndHomeBringsItBack) {
  FakeView v;
  ShowMainPage(v, "D");
  ShowMainPage(v, "设置");
  EXPECT_EQ(v.barLeft, -100);
  EXPECT_EQ(v.barTop, 301);  // the top edge stays
  ShowMainPage(v, "主页");
  EXPECT_EQ(v.barLeft, 0);
  EXPECT_EQ(v.barTop, 101);
}

TEST(MainPages, CardsOnSettingsLeaveTheBar) {
  FakeView v;
  ShowMainPage(v, "设置");
  v.steps.clear();
  ASSERT_TRUE(ShowMainPage(v, "Pro专业版"));
  EXPECT_EQ(v.page, 12);
  EXPECT_EQ(v.title, "赞助与支持");
  EXPECT_EQ(v.barLeft, -100);
  EXPECT_EQ(v.steps, (std::vector<std::string>{"title", "page"}));
  ShowMainPage(v, "必读：用户协议");
  EXPECT_EQ(v.page, 11);
  EXPECT_EQ(v.title, "用户协议");
}

TEST(MainPages, PackageCheckComesLastOnExactlyFourPages) {
  std::vector<int> offered;
  for (const NavTarget& t : NavTargets()) {
    FakeView v;
    ShowMainPage(v, t.control);
    if (!v.steps.empty() && v.steps.back().starts_with("offer:")) {
      EXPECT_EQ(v.steps.back(), "offer:" + std::to_string(t.page));
      offered.push_back(t.page);
    }
    EXPECT_EQ(std::count_if(v.steps.begin(), v.steps.end(), [](auto& s) { return s.starts_with("offer"); }),
              t.offersToolPackage ? 1 : 0);
  }
  EXPECT_EQ(offered, (std::vector<int>{1, 3, 6, 9}));
}

TEST(MainPages, UnknownControlChangesNothing) {
  FakeView v;
  EXPECT_FALSE(ShowMainPage(v, "B2"));
  EXPECT_TRUE(v.steps.empty());
  EXPECT_EQ(MainPageName(6), "win激活");
  EXPECT_EQ(MainPageName(14), "");
}

TEST(UptimeText, SplitsWholeHoursMinutesSecondsPastThe32BitWrap) {
  // Hours are never folded into days; counts past 2^32 ms (49.7 days) keep
  // counting instead of starting again at 0.
  struct Case {
    uint64_t ms;
    const char* text;
  };
  const Case cases[] = {
      {0, "0小时0分钟0秒"},
      {59999, "0小时0分钟59秒"},
      {60000, "0小时1分钟0秒"},
      {(27 * 3600 + 5 * 60 + 9) * 1000ull + 999, "27小时5分钟9秒"},
      {0xFFFFFFFFull, "1193小时2分钟47秒"},
      {0x100000000ull, "1193小时2分钟47秒"},
      {0x100000000ull + 1000, "1193小时2分钟48秒"},
      {5000000000ull, "1388小时53分钟20秒"},
      {100ull * 24 * 3600 * 1000, "2400小时0分钟0秒"},
      {UINT64_MAX, "5124095576030小时25分钟51秒"},
  };
  for (const Case& c : cases) EXPECT_EQ(UptimeText(c.ms), c.text) << c.ms;
}

}  // namespace
}  // namespace ql
