// The one place where layout rows become windows: drawn rows are windows of
// the class below, texts are STATIC and EDIT controls, the list a list view.
#include "app/main_layout_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "support/control_actions.h"
#include "app/main_controls_win.h"
#include "app/main_page_content.h"
#include "app/main_skin_win.h"
#include "launcher/tools_container_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

constexpr wchar_t kSkinClass[] = L"QinglanSkin";
// Window extra bytes of a drawn row: its state bits.
constexpr int kStateSlot = 0;
constexpr LONG_PTR kHover = 1, kPressed = 2;

std::string g_selectedNav = "主页";

// The page windows draw as plain white regions.
constexpr LayoutRow kPageRow{RowKind::Region, 0, "", "", 0, 0, 820, 580};

const LayoutRow* RowOf(HWND hwnd) { return reinterpret_cast<const LayoutRow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

bool IsNavKind(RowKind k) { return k == RowKind::NavPicture || k == RowKind::NavText || k == RowKind::NavBottom; }

HBRUSH BackBrush(bool nav) {
  static HBRUSH white = CreateSolidBrush(kPageBack);
  static HBRUSH navBrush = CreateSolidBrush(kNavBack);
  return nav ? navBrush : white;
}

void Fire(HWND hwnd) {
  const LayoutRow* row = RowOf(hwnd);
  if (row && IsClickable(*row)) RunControlAction(std::string(row->action));
}

void SetState(HWND hwnd, LONG_PTR bit, bool on) {
  LONG_PTR s = GetWindowLongPtrW(hwnd, kStateSlot);
  LONG_PTR n = on ? (s | bit) : (s & ~bit);
  if (n != s) {
    SetWindowLongPtrW(hwnd, kStateSlot, n);
    InvalidateRect(hwnd, nullptr, FALSE);
  }
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const LayoutRow* row = RowOf(hwnd);
  if (row && rc.right > 0 && rc.bottom > 0) {
    // Drawn off screen, then copied: no flicker on hover.
    ScopedDC mem(CreateCompatibleDC(dc));
    ScopedGdiObj<HBITMAP> bmp(CreateCompatibleBitmap(dc, rc.right, rc.bottom));
    ScopedSelection keep = SelectScoped(mem.Get(), bmp.Get());
    LONG_PTR bits = GetWindowLongPtrW(hwnd, kStateSlot);
    SkinState state{(bits & kHover) != 0, (bits & kPressed) != 0, IsNavKind(row->kind) && row->name == g_selectedNav};
    PaintSkinRow(mem.Get(), rc.right, rc.bottom, *row, GetWindowTextGbk(hwnd), state);
    BitBlt(dc, 0, 0, rc.right, rc.bottom, mem.Get(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK SkinProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const LayoutRow* row = RowOf(hwnd);
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
      if (clickable && !(GetWindowLongPtrW(hwnd, kStateSlot) & kHover)) {
        TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&t);
        SetState(hwnd, kHover, true);
      }
      return 0;
    case WM_MOUSELEAVE: SetState(hwnd, kHover, false); return 0;
    case WM_LBUTTONDOWN:
      if (!clickable) return 0;
      if (row->kind == RowKind::Link) {  // links act as the button goes down
        Fire(hwnd);
        return 0;
      }
      SetState(hwnd, kPressed, true);
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP:
      if (GetWindowLongPtrW(hwnd, kStateSlot) & kPressed) {
        SetState(hwnd, kPressed, false);
        ReleaseCapture();
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT rc;
        GetClientRect(hwnd, &rc);
        if (PtInRect(&rc, p)) Fire(hwnd);
      }
      return 0;
    case WM_CAPTURECHANGED: SetState(hwnd, kPressed, false); return 0;
    case BM_CLICK: Fire(hwnd); return 0;
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(hwnd, msg, wp, lp);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      const LayoutRow* child = RowOf(reinterpret_cast<HWND>(lp));
      bool nav = row && row->parent == kInWindow && row->name == "导航栏";
      SetBkColor(dc, nav ? kNavBack : kPageBack);
      SetTextColor(dc, child ? RowTextColour(*child) : kText);
      return reinterpret_cast<LRESULT>(BackBrush(nav));
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterSkinClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kSkinClass, &wc)) return;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = SkinProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kSkinClass;
  RegisterClassExW(&wc);
}

HWND Create(const wchar_t* cls, std::string_view text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
            HWND parent, int id, HINSTANCE instance, const LayoutRow* row) {
  HWND hwnd = CreateWindowExW(exStyle, cls, Wide(text).c_str(), style | WS_CHILD, x, y, w, h, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (hwnd && row) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(row));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(SkinFont(row->font)), FALSE);
  }
  return hwnd;
}

void FillList(HWND list, std::string_view columns, int width) {
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  std::vector<std::string> names = SplitText(std::string(columns), "|");
  const int share[] = {20, 18, 22, 40};  // percent of the width
  for (size_t i = 0; i < names.size(); ++i) {
    std::wstring w = Wide(names[i]);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = w.data();
    col.cx = (width - 24) * share[i % 4] / 100;
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
  }
  int r = 0;
  for (const auto& cells : ThanksListRows()) {
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

// One row; returns the window that carries its caption (and its name).
HWND CreateRow(const LayoutRow& row, HWND parent, int id, HINSTANCE instance) {
  const DWORD visible = (row.flags & kHidden) ? 0 : WS_VISIBLE;
  const std::string text = ResolveCaption(row.caption);
  switch (row.kind) {
    case RowKind::Label:
    case RowKind::Heading: {
      DWORD style = visible | SS_NOPREFIX | ((row.flags & kCentre) ? SS_CENTER : SS_LEFT);
      if (!(row.flags & kWrap)) style |= SS_CENTERIMAGE | SS_ENDELLIPSIS;
      return Create(L"STATIC", text, style, 0, row.x, row.y, row.w, row.h, parent, id, instance, &row);
    }
    case RowKind::TitleField:
      return Create(L"EDIT", text, visible | ES_READONLY | ES_AUTOHSCROLL, 0, row.x, row.y + 2, row.w, row.h - 2,
                    parent, id, instance, &row);
    case RowKind::HiddenEdit:
      return Create(L"EDIT", text, visible | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, row.x, row.y, row.w,
                    row.h, parent, id, instance, &row);
    case RowKind::TextBox:
    case RowKind::LineBox:
    case RowKind::List: {
      // A drawn frame with the control inside it.
      HWND frame = Create(kSkinClass, "", visible | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, row.x, row.y, row.w, row.h,
                          parent, 0, instance, &row);
      if (row.kind == RowKind::List) {
        HWND list = Create(WC_LISTVIEWW, text, WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER, 0, 1, 1,
                           row.w - 2, row.h - 2, frame, id, instance, &row);
        FillList(list, row.detail, row.w);
        return list;
      }
      if (row.kind == RowKind::LineBox)
        return Create(L"EDIT", text, WS_VISIBLE | ES_READONLY | ES_AUTOHSCROLL, 0, 12, (row.h - 20) / 2, row.w - 24, 20,
                      frame, id, instance, &row);
      return Create(L"EDIT", text, WS_VISIBLE | ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 12, 10,
                    row.w - 16, row.h - 20, frame, id, instance, &row);
    }
    case RowKind::Tools: return CreateToolsContainer(parent, row.x, row.y, row.w, row.h);
    default: {
      DWORD style = visible | WS_CLIPSIBLINGS | (row.kind == RowKind::Region ? WS_CLIPCHILDREN : 0);
      return Create(kSkinClass, text, style, 0, row.x, row.y, row.w, row.h, parent, id, instance, &row);
    }
  }
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
                                          : out.pages[size_t(row.parent)];
    if (!parent) continue;
    HWND hwnd = CreateRow(row, parent, kLayoutIdBase + static_cast<int>(i), out.instance);
    if (!hwnd) continue;
    if (row.kind == RowKind::Region) (row.name == "导航栏" ? out.nav : out.top) = hwnd;
    if (IsContainer(row.kind)) containers.push_back(hwnd);
    if (!row.name.empty()) RegisterMainControl(row.name, hwnd);
  }
  // Frames lie beneath the texts placed over them.
  for (HWND c : containers) SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool OnPage(const LayoutRow& row) { return row.parent >= 0 && row.parent < kMainPageCount; }

}  // namespace

BuiltLayout BuildMainLayout(HWND main, HINSTANCE instance) {
  RegisterSkinClass(instance);
  BuiltLayout out;
  out.main = main;
  out.instance = instance;
  out.pageArea = Create(kSkinClass, "MainPages", WS_VISIBLE | WS_CLIPCHILDREN, 0, 180, 60, 820, 580, main, kPageAreaId,
                        instance, &kPageRow);
  for (int p = 0; p < kMainPageCount; ++p)
    out.pages[size_t(p)] = Create(kSkinClass, MainPageName(p), (p == 0 ? WS_VISIBLE : 0) | WS_CLIPCHILDREN, 0, 0, 0,
                                  820, 580, out.pageArea, kPageIdBase + p, instance, &kPageRow);
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

void SetSelectedNav(HWND nav, std::string_view name) {
  g_selectedNav = std::string(name);
  if (nav) RedrawWindow(nav, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace ql
