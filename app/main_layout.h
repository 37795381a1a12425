// The main window's layout as data: one row per control, turned into child
// windows by the layout builder. Positions are inside the row's parent: the
// window itself, the navigation column, the top bar or one of the pages.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "support/layout_table.h"

namespace ql {

std::span<const LayoutRow> MainLayout();
// Index of the row with this layout name, -1 when there is none.
int FindLayoutRow(std::string_view name);
// Child-window identifiers: rows are kLayoutIdBase + index, pages kPageIdBase + page.
inline constexpr int kLayoutIdBase = 1000;
inline constexpr int kPageIdBase = 900;
inline constexpr int kPageAreaId = 899;
// The region rows' sizes: what the rows of each parent must fit in.
struct ParentBox {
  int width, height;
};
ParentBox ParentSize(int8_t parent);
// The action keys of the navigation controls, the two 设置 cards and the
// window buttons carry this prefix; the main window handles them itself.
inline constexpr std::string_view kNavActionPrefix = "nav:";

}  // namespace ql
