// The tools container: its rows (tools_layout) become child windows of twelve
// page panels through the layout builder; only the current page is visible.
// Buttons run their rows' actions; the search box lists catalog hits and
// jumps to their pages.
#include "launcher/tools_container_win.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "launcher/launch_table.h"
#include "launcher/tool_catalog.h"
#include "launcher/tools_layout.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/layout_window_win.h"

namespace ql {
namespace {

// Apart from the main window's own layout identifiers (1000 and up), so a
// control id names one control in the whole window.
constexpr int kFirstControlId = 5000;

struct ContainerState {
  HWND container = nullptr;
  std::array<HWND, kToolsPageCount> pages{};
  HWND searchBox = nullptr;
  int current = 0;
  // The looks of the container and its pages (the panels keep pointers to them).
  LayoutRow containerLook{RowKind::Region, 0, "", "", 0, 0, 0, 0};
  std::array<LayoutRow, kToolsPageCount> pageLooks{};
};

ContainerState g_state;

}  // namespace

HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height, UINT dpi) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  g_state.container = g_state.searchBox = nullptr;
  g_state.pages = {};
  g_state.current = 0;
  auto size = [](int v) { return static_cast<int16_t>(v); };
  g_state.containerLook = {RowKind::Region, 0, "", "", size(x), size(y), size(width), size(height)};
  // Empty parts of the container and its pages let the mouse through to the
  // window below, so the borderless main window can be dragged there.
  HWND container = CreateLayoutPanel(g_state.containerLook, "ToolsContainer", WS_VISIBLE | WS_CLIPCHILDREN,
                                     WS_EX_CONTROLPARENT, parent, 0, instance, dpi);
  if (!container) return nullptr;
  g_state.container = container;
  for (int p = 0; p < kToolsPageCount; ++p) {
    LayoutRow& look = g_state.pageLooks[static_cast<size_t>(p)];
    look = {RowKind::Region, static_cast<int8_t>(p), "", "", 0, 0, size(width), size(height)};
    g_state.pages[static_cast<size_t>(p)] =
        CreateLayoutPanel(look, ToolsPageName(p), WS_CLIPSIBLINGS | (p == 0 ? WS_VISIBLE : 0), WS_EX_CONTROLPARENT,
                          container, 0, instance, dpi);
  }
  LayoutContext context{instance, CreateLayoutTooltip(container, instance), dpi};
  const auto& rows = ToolsContainerControls();
  for (size_t i = 0; i < rows.size(); ++i) {
    const LayoutRow& row = rows[i].row;
    HWND page = g_state.pages[static_cast<uint8_t>(row.parent)];  // the pages are 0 and up
    if (!page) continue;
    HWND hwnd = CreateLayoutWindow(row, row.caption, page, kFirstControlId + static_cast<int>(i), context);
    if (row.kind == RowKind::SearchBox) g_state.searchBox = hwnd;
  }
  return container;
}

int ToolsContainerPage() { return g_state.container && IsWindow(g_state.container) ? g_state.current : -1; }

void SetToolsContainerPage(int page) {
  if (!g_state.container || page < 0 || page >= kToolsPageCount) return;
  HWND show = g_state.pages[static_cast<size_t>(page)];
  if (show) ShowWindow(show, SW_SHOW);
  for (int p = 0; p < kToolsPageCount; ++p)
    if (p != page && g_state.pages[static_cast<size_t>(p)]) ShowWindow(g_state.pages[static_cast<size_t>(p)], SW_HIDE);
  g_state.current = page;
}

void SearchTools() {
  HWND box = g_state.searchBox;
  if (!box) return;
  std::string text = GetWindowTextGbk(box);
  // Emptying the list must not lose what the user typed.
  SendMessageW(box, CB_RESETCONTENT, 0, 0);
  SetWindowTextGbk(box, text);
  for (const std::string& name : RunCatalogSearch(text))
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(name).c_str()));
  SendMessageW(box, CB_SHOWDROPDOWN, 1, 0);  // also when nothing was found
  // Opening the list completes the edit field with the first matching item;
  // the user's text stays what was searched, caret at its end.
  if (GetWindowTextGbk(box) != text) {
    SetWindowTextGbk(box, text);
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(-1, -1));
  }
}

void SearchHitSelected() {
  if (!g_state.searchBox) return;
  LRESULT k = SendMessageW(g_state.searchBox, CB_GETCURSEL, 0, 0);
  const std::vector<int>& pages = SearchHitPages();
  if (k < 0 || static_cast<size_t>(k) >= pages.size()) return;
  SetToolsContainerPage(pages[static_cast<size_t>(k)]);
}

HWND ToolsSearchBox() { return g_state.searchBox; }

void RegisterLauncherActions(const Launcher& launcher, SystemOperations& operations, ToolsContainerHost& host) {
  for (const LaunchRow& row : PageLaunchRows())
    RegisterControlAction(row.key, [&launcher, row] { launcher.LaunchPackageFile(row.target, row.mode); });
  for (const LinkRow& row : PageLinkRows())
    RegisterControlAction(row.key, [&launcher, row] { launcher.OpenLink(row.address); });

  RegisterControlAction(kToolsSearchHitKey, SearchHitSelected);
  for (const ContainerControl& c : ToolsContainerControls()) {
    ControlAction action;
    switch (c.action) {
      case RowAction::Search: action = SearchTools; break;
      case RowAction::ShowCategory:
        // A category button: its page, and its caption as the top bar's title.
        action = [&host, page = c.categoryPage, title = c.row.caption] {
          SetToolsContainerPage(page);
          host.SetTitle(title);
        };
        break;
      case RowAction::BackToOverview:
        action = [&host] {
          SetToolsContainerPage(0);
          host.SetTitle("功能");
        };
        break;
      case RowAction::LaunchTool:
        action = [&launcher, target = c.target, mode = c.mode] { launcher.LaunchPackageFile(target, mode); };
        break;
      case RowAction::OpenLink: action = [&launcher, target = c.target] { launcher.OpenLink(target); }; break;
      case RowAction::ToolPackageLink: action = [&host] { host.OpenToolPackageLink(); }; break;
      case RowAction::ToolsDirectory: action = [&launcher] { launcher.OpenToolsDirectory(); }; break;
      case RowAction::SystemOperation:
        action = [&operations, operation = c.operation] { operations.Run(operation); };
        break;
      case RowAction::None: continue;
    }
    RegisterControlAction(c.row.action, std::move(action));
  }
}

}  // namespace ql
