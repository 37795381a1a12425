#include "app/main_pages.h"

#include <array>

namespace ql {
namespace {

constexpr std::array<std::string_view, kMainPageCount> kPageNames = {
    "主页", "功能", "win下载", "win激活",  "U启动",    "office下载", "win激活",
    "美化", "教程", "设置",    "更新日志", "用户协议", "赞助与支持", "特色功能"};

constexpr NavTarget kTargets[] = {
    {"主页", 0, "主页", BarMove::ToControl, 101, false},
    {"功能", 1, "功能", BarMove::ToControl, 138, true},
    {"特色", 13, "特色功能", BarMove::ToControl, 172, false},
    {"B1", 2, "", BarMove::ToControl, 221, false},
    {"C", 3, "", BarMove::ToControl, 261, true},
    {"D", 4, "", BarMove::ToControl, 301, false},
    {"E", 5, "", BarMove::ToControl, 341, false},
    {"F", 6, "", BarMove::ToControl, 381, true},
    {"G", 7, "", BarMove::ToControl, 421, false},
    {"x", 8, "", BarMove::ToControl, 461, false},
    {"设置", 9, "设置", BarMove::Aside, 0, true},
    {"更新日志", 10, "更新日志", BarMove::Aside, 0, false},
    {"赞助与支持", 12, "赞助与支持", BarMove::Aside, 0, false},
    {"必读：用户协议", 11, "用户协议", BarMove::Keep, 0, false},
    {"Pro专业版", 12, "赞助与支持", BarMove::Keep, 0, false},
};

}  // namespace

std::string_view MainPageName(int page) {
  return page >= 0 && page < kMainPageCount ? kPageNames[static_cast<size_t>(page)] : std::string_view();
}

std::span<const NavTarget> NavTargets() { return kTargets; }

const NavTarget* FindNavTarget(std::string_view control) {
  for (const NavTarget& t : kTargets)
    if (t.control == control) return &t;
  return nullptr;
}

bool ShowMainPage(MainPageView& view, std::string_view control) {
  const NavTarget* t = FindNavTarget(control);
  if (!t) return false;
  // B1 … x write their caption as it is at the time of the click.
  view.SetTitle(t->title.empty() ? view.ControlCaption(control) : std::string(t->title));
  view.SelectPage(t->page);
  if (t->bar == BarMove::ToControl) view.MoveBar(0, t->barTop);
  if (t->bar == BarMove::Aside) view.MoveBar(kBarHiddenLeft, view.BarTop());
  if (t->offersToolPackage) view.OfferToolPackage();
  return true;
}

}  // namespace ql
