// The one builder of every layout: a row becomes a child window (drawn rows
// are windows of the layout's own class, texts STATIC and EDIT controls,
// lists list views, buttons and the search box the system's controls).
// Clicks run the row's control action; a panel (a page, a container) routes
// the clicks of the system's buttons inside it the same way.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "support/dpi_scale.h"
#include "support/layout_table.h"

namespace ql {

struct LayoutContext {
  HINSTANCE instance = nullptr;
  HWND tooltip = nullptr;  // receives the rows' tooltips (CreateLayoutTooltip)
  UINT dpi = kDesignDpi;   // the display resolution the rows are scaled for
};

// Creates the window of `row` under `parent` with `text` as its window text
// and `id` as its identifier; returns the window that carries the caption
// (for a framed text box or list, the control inside the frame). nullptr
// for a row without a window of its own (timers, the tools container).
// The row must outlive the window.
HWND CreateLayoutWindow(const LayoutRow& row, std::string_view text, HWND parent, int id, const LayoutContext& context);
// A plain panel drawn like `look` (a page, a page area, a container): not
// clickable, so the mouse goes through to the window below.
HWND CreateLayoutPanel(const LayoutRow& look, std::string_view text, DWORD style, DWORD exStyle, HWND parent, int id,
                       HINSTANCE instance, UINT dpi = kDesignDpi);
// The tooltip window for the rows of one layout, owned by `owner`'s top window.
HWND CreateLayoutTooltip(HWND owner, HINSTANCE instance);
// Fills a List row's list view with rows of cells.
void FillLayoutList(HWND list, const std::vector<std::vector<std::string_view>>& rows);
// The row a layout window was made from (nullptr for other windows).
const LayoutRow* LayoutRowOf(HWND hwnd);

// Every window the builder makes keeps its place at 96 DPI (inside its
// parent) and its font, so that it can be laid out again for another
// resolution. Other windows of a layout (an embedded browser) join with
// RegisterLayoutWindow. UI thread only.
void RegisterLayoutWindow(HWND hwnd, RECT designRect, UINT dpi);
// The resolution a layout window is laid out for (96 for other windows).
UINT LayoutDpiOf(HWND hwnd);
// Its place at 96 DPI inside its parent; false for other windows.
bool LayoutDesignRect(HWND hwnd, RECT* designRect);
// Moves a layout window to (x, y) at 96 DPI, scaled for its resolution.
void MoveLayoutWindow(HWND hwnd, int x, int y);
// Lays out `root` and every layout window under it for `dpi`: places,
// sizes and fonts scaled from their 96-DPI values, then repainted.
void RescaleLayoutWindows(HWND root, UINT dpi);
// The layout windows under `root` that the keyboard reaches now (visible,
// enabled, a row that TakesKeyboardFocus), in reading order.
std::vector<HWND> KeyboardFocusOrder(HWND root);
// The navigation row drawn as selected (by layout name); `redraw` and its
// children are repainted.
void SetSelectedLayoutRow(HWND redraw, std::string_view name);

}  // namespace ql
