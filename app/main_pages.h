// The fourteen main pages and what each navigation control does: the page it
// opens, the title it writes, where the selection bar goes and whether the
// tool-package check follows.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace ql {

inline constexpr int kMainPageCount = 14;
// "更新日志", whose browser is made the first time the page is opened.
inline constexpr int kUpdateLogPage = 10;
// The pages' own names, index = page.
std::string_view MainPageName(int page);

enum class BarMove {
  ToControl,  // left edge 0, top edge the control's top
  Aside,      // left edge -100 (out of sight), top unchanged
  Keep,       // unchanged
};

struct NavTarget {
  std::string_view control;  // layout name of the navigation control or card
  int page;
  std::string_view title;  // empty: the control's own caption at click time
  BarMove bar;
  int barTop;  // for ToControl
  bool offersToolPackage;
};

std::span<const NavTarget> NavTargets();
const NavTarget* FindNavTarget(std::string_view control);

inline constexpr int kBarHiddenLeft = -100;

// What ShowMainPage changes, behind a small interface so the order of the
// steps is tested without windows.
class MainPageView {
 public:
  virtual ~MainPageView() = default;
  virtual std::string ControlCaption(std::string_view control) = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void SelectPage(int page) = 0;
  virtual int BarTop() = 0;
  virtual void MoveBar(int left, int top) = 0;
  virtual void OfferToolPackage() = 0;
};

// The handler of every navigation control; false for an unknown control.
bool ShowMainPage(MainPageView& view, std::string_view control);

}  // namespace ql
