// The tools container: its rows (tools_layout) become child windows of twelve
// page windows; only the current page is visible. Buttons run their row's
// action; the search box lists catalog hits and jumps to their pages.
#include "launcher/tools_container_win.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "launcher/launch_table.h"
#include "launcher/tool_catalog.h"
#include "launcher/tools_layout.h"
#include "platform/win_text.h"
#include "support/control_actions.h"

namespace ql {
namespace {

constexpr wchar_t kContainerClass[] = L"QinglanToolsContainer";
constexpr wchar_t kPageClass[] = L"QinglanToolsPage";
// Apart from the main window's own layout identifiers (1000 and up), so a
// control id names one control in the whole window.
constexpr int kFirstControlId = 5000;
constexpr int kSearchBoxListHeight = 320;

struct ContainerState {
  HWND container = nullptr;
  std::array<HWND, kToolsPageCount> pages{};
  HWND searchBox = nullptr;
  HWND tooltip = nullptr;
  int current = 0;
};

ContainerState g_state;

HFONT UiFont(bool header) {
  static HFONT normal = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                    Wide("微软雅黑").c_str());
  static HFONT big = CreateFontW(-18, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0,
                                 Wide("微软雅黑").c_str());
  return header ? big : normal;
}

// Empty parts of the container let the mouse through to the window below,
// so the borderless main window can be dragged there.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_COMMAND: {
      int id = LOWORD(wp);
      int code = HIWORD(wp);
      HWND from = reinterpret_cast<HWND>(lp);
      if (from && from == g_state.searchBox) {
        if (code == CBN_SELCHANGE) RunControlAction(kToolsSearchHitKey);
        return 0;
      }
      const auto& rows = ToolsContainerControls();
      size_t index = static_cast<size_t>(id - kFirstControlId);
      if (code == BN_CLICKED && id >= kFirstControlId && index < rows.size()) RunControlAction(rows[index].key);
      return 0;
    }
    case WM_CTLCOLORSTATIC: {
      SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// Enter in the search box's edit field searches like "点击搜索".
LRESULT CALLBACK SearchEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
  if (msg == WM_KEYDOWN && wp == VK_RETURN) {
    RunControlAction(kToolsSearchKey);
    return 0;
  }
  if (msg == WM_CHAR && (wp == L'\r' || wp == L'\n')) return 0;  // no beep
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, SearchEditProc, 1);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpfnWndProc = ContainerProc;
  wc.lpszClassName = kContainerClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  wc.lpfnWndProc = PageProc;
  wc.lpszClassName = kPageClass;
  RegisterClassExW(&wc);
}

void AddTooltip(HWND control, std::string_view text) {
  if (!g_state.tooltip || text.empty()) return;
  std::wstring wide = Wide(text);
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = wide.data();
  SendMessageW(g_state.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

HWND CreateRowWindow(const ContainerControl& row, int id, HINSTANCE instance) {
  HWND page = g_state.pages[static_cast<size_t>(row.page)];
  const wchar_t* cls = L"STATIC";
  DWORD style = WS_CHILD | WS_VISIBLE;
  DWORD exStyle = 0;
  int height = row.height;
  switch (row.kind) {
    case ControlKind::Text:
    case ControlKind::Header:
    case ControlKind::Caption:
    case ControlKind::Hint: style |= SS_LEFT | SS_NOPREFIX; break;
    case ControlKind::Group:
      cls = L"BUTTON";
      style |= BS_GROUPBOX;
      exStyle = WS_EX_TRANSPARENT;
      break;
    case ControlKind::Button:
    case ControlKind::BackButton:
      cls = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::SearchBox:
      cls = L"COMBOBOX";
      style |= CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP;
      height = kSearchBoxListHeight;  // the drop-down list's room; the edit keeps its own height
      break;
  }
  HWND hwnd = CreateWindowExW(exStyle, cls, Wide(row.caption).c_str(), style, row.x, row.y, row.width, height, page,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(row.kind == ControlKind::Header)), FALSE);
  if (row.kind == ControlKind::SearchBox) {
    g_state.searchBox = hwnd;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd, &info) && info.hwndItem) SetWindowSubclass(info.hwndItem, SearchEditProc, 1, 0);
  }
  AddTooltip(hwnd, row.tooltip);
  return hwnd;
}

}  // namespace

HWND CreateToolsContainer(HWND parent, int x, int y, int width, int height) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  RegisterClasses(instance);
  g_state = {};
  HWND container =
      CreateWindowExW(WS_EX_CONTROLPARENT, kContainerClass, L"ToolsContainer", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      x, y, width, height, parent, nullptr, instance, nullptr);
  if (!container) return nullptr;
  g_state.container = container;
  for (int p = 0; p < kToolsPageCount; ++p)
    g_state.pages[static_cast<size_t>(p)] =
        CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, Wide(ToolsPageName(p)).c_str(),
                        WS_CHILD | WS_CLIPSIBLINGS | (p == 0 ? WS_VISIBLE : 0), 0, 0, width, height, container, nullptr,
                        instance, nullptr);
  g_state.tooltip =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, container, nullptr, instance, nullptr);
  const auto& rows = ToolsContainerControls();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!g_state.pages[static_cast<size_t>(rows[i].page)]) continue;
    CreateRowWindow(rows[i], kFirstControlId + static_cast<int>(i), instance);
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
  for (const ContainerControl& row : ToolsContainerControls()) {
    ControlAction action;
    switch (row.action) {
      case RowAction::Search: action = SearchTools; break;
      case RowAction::ShowCategory:
        // A category button: its page, and its caption as the top bar's title.
        action = [&host, page = row.categoryPage, title = row.caption] {
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
        action = [&launcher, target = row.target, mode = row.mode] { launcher.LaunchPackageFile(target, mode); };
        break;
      case RowAction::OpenLink: action = [&launcher, target = row.target] { launcher.OpenLink(target); }; break;
      case RowAction::ToolPackageLink: action = [&host] { host.OpenToolPackageLink(); }; break;
      case RowAction::ToolsDirectory: action = [&launcher] { launcher.OpenToolsDirectory(); }; break;
      case RowAction::SystemOperation:
        action = [&operations, operation = row.operation] { operations.Run(operation); };
        break;
      case RowAction::None: continue;
    }
    RegisterControlAction(row.key, std::move(action));
  }
}

}  // namespace ql
