// The keyboard's way through a window: the controls that take the focus,
// in reading order, and the next one for Tab or Shift+Tab.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "support/layout_table.h"

namespace ql {

// Where a focusable control lies: `group` orders the window's regions (the
// navigation column before the top bar before the page), then rows of the
// region top to bottom, and controls of one line left to right. Controls
// whose tops lie within `kSameLine` pixels (at 96 DPI) share a line.
struct FocusPlace {
  int group;
  int x, y;
};
inline constexpr int kSameLine = 6;

// Indices of `places` in reading order (ties keep their given order).
std::vector<size_t> ReadingOrder(std::span<const FocusPlace> places, int sameLine = kSameLine);
// The position in an order of `count` after `current` (-1: none has the
// focus), backwards for Shift+Tab, wrapping at both ends; -1 when count is 0.
int NextFocus(size_t count, int current, bool backwards);
// Rows that the keyboard reaches: what a click acts on, the system's push
// buttons and the search box.
bool TakesKeyboardFocus(const LayoutRow& row);

}  // namespace ql
