// The main window's rows as windows: the regions, the fourteen pages and
// their rows, built by the layout builder; the tools container by its own
// subsystem.
#include "app/main_layout_win.h"

#include <string>
#include <vector>

#include "app/main_controls_win.h"
#include "app/main_page_content.h"
#include "launcher/tools_container_win.h"
#include "support/layout_names.h"
#include "support/layout_window_win.h"

namespace ql {
namespace {

// The page area and the page windows draw as plain white regions.
constexpr LayoutRow kPageAreaRow{RowKind::Region, kInWindow, "", "", 180, 60, 820, 580};
constexpr LayoutRow kPageRow{RowKind::Region, 0, "", "", 0, 0, 820, 580};

HWND CreateRow(const LayoutRow& row, HWND parent, int id, HINSTANCE instance, UINT dpi) {
  if (row.kind == RowKind::Tools) return CreateToolsContainer(parent, row.x, row.y, row.w, row.h, dpi);
  HWND hwnd = CreateLayoutWindow(row, ResolveCaption(row.caption), parent, id, {instance, nullptr, dpi});
  if (hwnd && row.kind == RowKind::List) FillLayoutList(hwnd, ThanksListRows());
  return hwnd;
}

}  // namespace

namespace {

// Creates the rows `wanted` accepts, in table order (their ids are their
// row numbers whichever page is built first).
template <class Wanted>
void BuildRows(BuiltLayout& out, Wanted wanted) {
  std::span<const LayoutRow> rows = MainLayout();
  std::vector<HWND> containers;
  for (size_t i = 0; i < rows.size(); ++i) {
    const LayoutRow& row = rows[i];
    if (!wanted(row)) continue;
    HWND parent = row.parent == kInWindow ? out.main
                  : row.parent == kInNav  ? out.nav
                  : row.parent == kInTop  ? out.top
                                          : out.pages[static_cast<uint8_t>(row.parent)];  // a page: 0 and up
    if (!parent) continue;
    HWND hwnd = CreateRow(row, parent, kLayoutIdBase + static_cast<int>(i), out.instance, out.dpi);
    if (!hwnd) continue;
    if (row.kind == RowKind::Region) (row.name == layout::kNavColumn ? out.nav : out.top) = hwnd;
    if (IsContainer(row.kind)) containers.push_back(hwnd);
    if (!row.name.empty()) RegisterMainControl(row.name, hwnd);
  }
  // Frames lie beneath the texts placed over them.
  for (HWND c : containers) SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool OnPage(const LayoutRow& row) { return row.parent >= 0 && row.parent < kMainPageCount; }

}  // namespace

BuiltLayout BuildMainLayout(HWND main, HINSTANCE instance, UINT dpi) {
  BuiltLayout out;
  out.main = main;
  out.instance = instance;
  out.dpi = dpi;
  SetSelectedLayoutRow(nullptr, "主页");
  out.pageArea =
      CreateLayoutPanel(kPageAreaRow, "MainPages", WS_VISIBLE | WS_CLIPCHILDREN, 0, main, kPageAreaId, instance, dpi);
  for (int p = 0; p < kMainPageCount; ++p)
    out.pages[size_t(p)] = CreateLayoutPanel(kPageRow, MainPageName(p), (p == 0 ? WS_VISIBLE : 0) | WS_CLIPCHILDREN, 0,
                                             out.pageArea, kPageIdBase + p, instance, dpi);
  BuildRows(out, [](const LayoutRow& row) { return !OnPage(row) || row.parent == 0; });
  out.built[0] = true;
  return out;
}

bool BuildMainPage(BuiltLayout& layout, int page) {
  if (page < 0 || page >= kMainPageCount || layout.built[size_t(page)] || !layout.main) return false;
  layout.built[size_t(page)] = true;
  BuildRows(layout, [page](const LayoutRow& row) { return OnPage(row) && row.parent == page; });
  return true;
}

void SetSelectedNav(HWND nav, std::string_view name) { SetSelectedLayoutRow(nav, name); }

}  // namespace ql
