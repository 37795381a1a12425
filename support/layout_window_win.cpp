// The one place where layout rows become windows.
#include "support/layout_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "platform/window_class_win.h"
#include "support/control_actions.h"
#include "support/focus_order.h"
#include "support/gbk_text.h"
#include "support/layout_skin_win.h"

namespace ql {
namespace {

constexpr wchar_t kSkinClass[] = L"QinglanSkin";
// What a drawn row's window holds (WindowState): its row and the mouse.
struct SkinWindow {
  const LayoutRow* row;
  bool hover = false, pressed = false;
};
// The room of the search box's drop-down list; its edit keeps its own height.
constexpr int kSearchBoxListHeight = 320;

std::string g_selectedNav;

// A layout window's place at 96 DPI inside its parent, its font and the
// resolution it is laid out for now.
struct LayoutPlace {
  RECT design;
  const LayoutRow* row;  // nullptr: no font of the table
  UINT dpi;
};
// Every layout window by handle, the drawn rows and the system's controls
// alike: rescaling and the focus order walk it, and a system control's row
// is found here (its procedure is not ours, so it takes no object at
// WM_NCCREATE). UI thread only.
std::unordered_map<HWND, LayoutPlace> g_places;

RECT Scaled(const RECT& r, UINT dpi) {
  return {ScaleForDpi(int(r.left), dpi), ScaleForDpi(int(r.top), dpi), ScaleForDpi(int(r.right), dpi),
          ScaleForDpi(int(r.bottom), dpi)};
}

// Windows that went leave their entries; a handle may be used again.
void ForgetDestroyedWindows() {
  std::erase_if(g_places, [](const auto& entry) { return !IsWindow(entry.first); });
}
// As windows are made: only when the table has doubled since it was last
// cleared, so that making n windows costs n checks, not n * n.
void ForgetDestroyedWindowsNowAndThen() {
  static size_t clearAt = 256;
  if (g_places.size() < clearAt) return;
  ForgetDestroyedWindows();
  clearAt = std::max<size_t>(256, 2 * g_places.size());
}

// The two backgrounds, made once and kept for the process.
HBRUSH BackBrush(bool nav) {
  static ScopedGdiObj<HBRUSH> page(CreateSolidBrush(kPageBack));
  static ScopedGdiObj<HBRUSH> navigation(CreateSolidBrush(kNavBack));
  return nav ? navigation.Get() : page.Get();
}

void Fire(const SkinWindow& self) {
  if (self.row && IsClickable(*self.row)) RunControlAction(self.row->action);
}

void SetState(HWND hwnd, bool& flag, bool on) {
  if (flag != on) {
    flag = on;
    InvalidateRect(hwnd, nullptr, FALSE);
  }
}

void Paint(HWND hwnd, const SkinWindow& self) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const LayoutRow* row = self.row;
  if (row && rc.right > 0 && rc.bottom > 0) {
    // Drawn off screen, then copied: no flicker on hover.
    ScopedDC mem(CreateCompatibleDC(dc));
    ScopedGdiObj<HBITMAP> bmp(CreateCompatibleBitmap(dc, rc.right, rc.bottom));
    ScopedSelection keep = SelectScoped(mem.Get(), bmp.Get());
    SkinState state{self.hover, self.pressed, IsNavKind(row->kind) && row->name == g_selectedNav, GetFocus() == hwnd};
    PaintLayoutRow(mem.Get(), rc.right, rc.bottom, *row, GetWindowTextGbk(hwnd), state, LayoutDpiOf(hwnd));
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd, &ps);
}

// The system's controls inside a layout window report to it: a push button
// runs its row's action, a picked item of the search box its `detail`.
void RouteCommand(WPARAM wp, LPARAM lp) {
  const LayoutRow* child = LayoutRowOf(reinterpret_cast<HWND>(lp));
  if (!child) return;
  int code = HIWORD(wp);
  if (child->kind == RowKind::PushButton && code == BN_CLICKED) RunControlAction(child->action);
  if (child->kind == RowKind::SearchBox && code == CBN_SELCHANGE) RunControlAction(child->detail);
}

LRESULT CALLBACK SkinProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  SkinWindow* self = WindowState<SkinWindow>(hwnd, msg, lp);
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  const LayoutRow* row = self->row;
  bool clickable = row && IsClickable(*row);
  switch (msg) {
    case WM_NCHITTEST:
      // What does not handle the mouse lets it through: the window is dragged there.
      return clickable ? HTCLIENT : HTTRANSPARENT;
    case WM_SETCURSOR:
      if (clickable) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE:
      if (clickable && !self->hover) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&t);
        SetState(hwnd, self->hover, true);
      }
      return 0;
    case WM_MOUSELEAVE: SetState(hwnd, self->hover, false); return 0;
    case WM_LBUTTONDOWN:
      if (!clickable) return 0;
      if (row->kind == RowKind::Link) {  // links act as the button goes down
        Fire(*self);
        return 0;
      }
      SetState(hwnd, self->pressed, true);
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP:
      if (self->pressed) {
        SetState(hwnd, self->pressed, false);
        ReleaseCapture();
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (PtInRect(&rc, p)) Fire(*self);
      }
      return 0;
    case WM_CAPTURECHANGED: SetState(hwnd, self->pressed, false); return 0;
    case BM_CLICK: Fire(*self); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_KEYDOWN:
      // Enter and Space on the focused control act as its click does (once
      // per press: the keyboard's repeats are left out).
      if (clickable && (wp == VK_RETURN || wp == VK_SPACE) && !(lp & (LPARAM(1) << 30))) {
        Fire(*self);
        return 0;
      }
      break;
    case WM_COMMAND: RouteCommand(wp, lp); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd, *self); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const LayoutRow* child = LayoutRowOf(reinterpret_cast<HWND>(lp));
      bool nav = row && row->parent == kInWindow && OnNavigationColour(*row);
      SetBkColor(dc, nav ? kNavBack : kPageBack);
      SetTextColor(dc, child ? RowTextColour(*child) : kText);
      return reinterpret_cast<LRESULT>(BackBrush(nav));
    }
    case WM_NCDESTROY: DeleteWindowState<SkinWindow>(hwnd); return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterSkinClass(HINSTANCE instance) {
  RegisterWindowClass(instance, kSkinClass, SkinProc,
                      {.cursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW))});
}

// Enter in the search box's edit field runs the box's action (a search, like
// its button); the Enter character itself is swallowed (no beep).
LRESULT CALLBACK SearchEditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
  if (msg == WM_KEYDOWN && wp == VK_RETURN) {
    RunControlAction(reinterpret_cast<const LayoutRow*>(data)->action);
    return 0;
  }
  if (msg == WM_CHAR && (wp == L'\r' || wp == L'\n')) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, SearchEditProc, 1);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// Where a row's window goes: (x, y), w x h at 96 DPI, and the resolution.
struct Place {
  int x, y, w, h;
  UINT dpi;
};

HWND Create(const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle, Place at, HWND parent, int id,
            HINSTANCE instance, const LayoutRow* row) {
  RECT design{at.x, at.y, at.x + at.w, at.y + at.h};
  RECT r = Scaled(design, at.dpi);
  // A drawn row's window takes its own object as it is made.
  std::unique_ptr<SkinWindow> skin = cls == kSkinClass ? std::make_unique<SkinWindow>(SkinWindow{row}) : nullptr;
  HWND hwnd = CreateWindowExW(exStyle, cls, Wide(text).c_str(), style | WS_CHILD, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                              skin ? &skin : nullptr);
  if (!hwnd) return nullptr;
  ForgetDestroyedWindowsNowAndThen();
  g_places[hwnd] = {design, row, at.dpi};
  if (row) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(LayoutFont(row->font, at.dpi)), FALSE);
  return hwnd;
}

void AddTooltip(HWND tooltip, HWND control, std::string_view text) {
  if (!tooltip || !control || text.empty()) return;
  std::wstring wide = Wide(text);
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(control);
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = wide.data();
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

// A list column's width: its share of the row's width, scaled.
int ListColumnWidth(int rowWidth, size_t column, UINT dpi) {
  const int share[] = {20, 18, 22, 40};  // percent of the width
  return ScaleForDpi((rowWidth - 24) * share[column % 4] / 100, dpi);
}

void AddListColumns(HWND list, std::string_view columns, int width, UINT dpi) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  std::vector<std::string> names = SplitText(std::string(columns), "|");
  for (size_t i = 0; i < names.size(); ++i) {
    std::wstring w = Wide(names[i]);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = w.data();
    col.cx = ListColumnWidth(width, i, dpi);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
}

// A list laid out again keeps each column's share of its new width.
void RescaleListColumns(HWND list, int rowWidth, UINT dpi) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  int count = header ? int(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  for (int i = 0; i < count; ++i) SendMessageW(list, LVM_SETCOLUMNWIDTH, i, ListColumnWidth(rowWidth, size_t(i), dpi));
}

HWND CreateRowWindow(const LayoutRow& row, std::string_view text, HWND parent, int id, HINSTANCE instance, UINT dpi) {
  const DWORD visible = (row.flags & kHidden) ? 0 : WS_VISIBLE;
  const Place at{row.x, row.y, row.w, row.h, dpi};
  switch (row.kind) {
    case RowKind::Label:
    case RowKind::Heading: {
      DWORD style = visible | SS_NOPREFIX | ((row.flags & kCentre) ? SS_CENTER : SS_LEFT);
      if (!(row.flags & kWrap)) style |= SS_CENTERIMAGE | SS_ENDELLIPSIS;
      return Create(L"STATIC", text, style, 0, at, parent, id, instance, &row);
    }
    case RowKind::TitleField:
      return Create(L"EDIT", text, visible | ES_READONLY | ES_AUTOHSCROLL, 0, {row.x, row.y + 2, row.w, row.h - 2, dpi},
                    parent, id, instance, &row);
    case RowKind::HiddenEdit:
      return Create(L"EDIT", text, visible | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, at, parent, id,
                    instance, &row);
    case RowKind::TextBox:
    case RowKind::LineBox:
    case RowKind::List: {
      // A drawn frame with the control inside it.
      HWND frame =
          Create(kSkinClass, "", visible | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, at, parent, 0, instance, &row);
      if (row.kind == RowKind::List) {
        HWND list = Create(WC_LISTVIEWW, text, WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, 0,
                           {1, 1, row.w - 2, row.h - 2, dpi}, frame, id, instance, &row);
        AddListColumns(list, row.detail, row.w, dpi);
        return list;
      }
      if (row.kind == RowKind::LineBox)
        return Create(L"EDIT", text, WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0,
                      {12, (row.h - 20) / 2, row.w - 24, 20, dpi}, frame, id, instance, &row);
      return Create(L"EDIT", text, WS_VISIBLE | ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0,
                    {12, 10, row.w - 16, row.h - 20, dpi}, frame, id, instance, &row);
    }
    case RowKind::PushButton:
      return Create(L"BUTTON", text, visible | BS_PUSHBUTTON | WS_TABSTOP, 0, at, parent, id, instance, &row);
    case RowKind::GroupBox:
      return Create(L"BUTTON", text, visible | BS_GROUPBOX, WS_EX_TRANSPARENT, at, parent, id, instance, &row);
    case RowKind::SearchBox: {
      HWND box = Create(L"COMBOBOX", text, visible | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0,
                        {row.x, row.y, row.w, kSearchBoxListHeight, dpi}, parent, id, instance, &row);
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      if (box && GetComboBoxInfo(box, &info) && info.hwndItem)
        SetWindowSubclass(info.hwndItem, SearchEditProc, 1, reinterpret_cast<DWORD_PTR>(&row));
      return box;
    }
    case RowKind::Tools:
    case RowKind::Timer: return nullptr;
    default: {
      DWORD style = visible | WS_CLIPSIBLINGS | (row.kind == RowKind::Region ? WS_CLIPCHILDREN : 0);
      return Create(kSkinClass, text, style, 0, at, parent, id, instance, &row);
    }
  }
}

}  // namespace

HWND CreateLayoutWindow(const LayoutRow& row, std::string_view text, HWND parent, int id,
                        const LayoutContext& context) {
  RegisterSkinClass(context.instance);
  HWND hwnd = CreateRowWindow(row, text, parent, id, context.instance, context.dpi);
  AddTooltip(context.tooltip, hwnd, row.tooltip);
  return hwnd;
}

HWND CreateLayoutPanel(const LayoutRow& look, std::string_view text, DWORD style, DWORD exStyle, HWND parent, int id,
                       HINSTANCE instance, UINT dpi) {
  RegisterSkinClass(instance);
  return Create(kSkinClass, text, style, exStyle, {look.x, look.y, look.w, look.h, dpi}, parent, id, instance, &look);
}

HWND CreateLayoutTooltip(HWND owner, HINSTANCE instance) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
}

void FillLayoutList(HWND list, const std::vector<std::vector<std::string_view>>& rows) {
  int r = 0;
  for (const auto& cells : rows) {
    for (size_t c = 0; c < cells.size(); ++c) {
      std::wstring w = Wide(cells[c]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = r;
      item.iSubItem = static_cast<int>(c);
      item.pszText = w.data();
      SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ++r;
  }
}

const LayoutRow* LayoutRowOf(HWND hwnd) {
  // Only the builder's own windows: others may keep their own data there.
  auto found = g_places.find(hwnd);
  return found == g_places.end() || !IsWindow(hwnd) ? nullptr : found->second.row;
}

void RegisterLayoutWindow(HWND hwnd, RECT designRect, UINT dpi) {
  if (!hwnd) return;
  ForgetDestroyedWindowsNowAndThen();
  g_places[hwnd] = {designRect, nullptr, dpi};
}

UINT LayoutDpiOf(HWND hwnd) {
  auto found = g_places.find(hwnd);
  return found == g_places.end() ? kDesignDpi : found->second.dpi;
}

bool LayoutDesignRect(HWND hwnd, RECT* designRect) {
  auto found = g_places.find(hwnd);
  if (found == g_places.end() || !IsWindow(hwnd)) return false;
  if (designRect) *designRect = found->second.design;
  return true;
}

void MoveLayoutWindow(HWND hwnd, int x, int y) {
  auto found = g_places.find(hwnd);
  if (found == g_places.end()) return;
  RECT& d = found->second.design;
  OffsetRect(&d, x - d.left, y - d.top);
  UINT dpi = found->second.dpi;
  SetWindowPos(hwnd, nullptr, ScaleForDpi(x, dpi), ScaleForDpi(y, dpi), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RescaleLayoutWindows(HWND root, UINT dpi) {
  ForgetDestroyedWindows();
  for (auto& [hwnd, place] : g_places) {
    if (hwnd != root && !IsChild(root, hwnd)) continue;
    if (place.dpi == dpi) continue;
    place.dpi = dpi;
    RECT r = Scaled(place.design, dpi);
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (place.row) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(LayoutFont(place.row->font, dpi)), FALSE);
    // Only the list itself has a header; the frame drawn round it answers 0.
    if (place.row && place.row->kind == RowKind::List) RescaleListColumns(hwnd, place.row->w, dpi);
  }
  RedrawWindow(root, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::vector<HWND> KeyboardFocusOrder(HWND root) {
  std::vector<HWND> windows;
  std::vector<FocusPlace> places;
  UINT dpi = kDesignDpi;
  for (const auto& [hwnd, place] : g_places) {
    const LayoutRow* row = place.row;
    if (!row || !TakesKeyboardFocus(*row) || !IsWindow(hwnd) || !IsChild(root, hwnd)) continue;
    if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) continue;
    // The region a control lies in: the child of `root` that holds it.
    HWND region = hwnd;
    while (GetParent(region) && GetParent(region) != root) region = GetParent(region);
    RECT own{}, outer{};
    GetWindowRect(hwnd, &own);
    GetWindowRect(region, &outer);
    MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&own), 2);
    MapWindowPoints(nullptr, root, reinterpret_cast<POINT*>(&outer), 2);
    windows.push_back(hwnd);
    // Regions read top to bottom, then left to right: the navigation column
    // (0, 0), the top bar beside it, the page area below the bar.
    places.push_back({int(outer.top) * 8192 + int(outer.left), int(own.left), int(own.top)});
    dpi = place.dpi;
  }
  std::vector<HWND> ordered;
  for (size_t i : ReadingOrder(places, ScaleForDpi(kSameLine, dpi))) ordered.push_back(windows[i]);
  return ordered;
}

void SetSelectedLayoutRow(HWND redraw, std::string_view name) {
  g_selectedNav = std::string(name);
  if (redraw) RedrawWindow(redraw, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace ql
