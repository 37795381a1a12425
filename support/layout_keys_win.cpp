#include "support/layout_keys_win.h"

#include <vector>

#include "support/focus_order.h"
#include "support/layout_window_win.h"

namespace ql {
namespace {

bool Down(int key) { return (GetKeyState(key) & 0x8000) != 0; }

// Tab: the next control of the window's order after the one that has the
// focus (or holds it, as the search box holds its edit field).
bool MoveFocus(HWND root, bool backwards) {
  std::vector<HWND> order = KeyboardFocusOrder(root);
  if (order.empty()) return false;
  int current = -1;
  for (HWND f = GetFocus(); f && f != root && current < 0; f = GetParent(f))
    for (size_t i = 0; i < order.size(); ++i)
      if (order[i] == f) current = static_cast<int>(i);
  int next = NextFocus(order.size(), current, backwards);
  // From the keyboard on, the controls show where the focus is.
  SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(order[size_t(next)]);
  return true;
}

}  // namespace

bool HandleLayoutKeyboard(const MSG& msg) {
  if (!msg.hwnd) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !Down(VK_CONTROL) && !Down(VK_MENU))
    return MoveFocus(root, Down(VK_SHIFT));
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
    // The system's push button clicks on Space by itself, not on Enter.
    const LayoutRow* row = LayoutRowOf(msg.hwnd);
    if (row && row->kind == RowKind::PushButton) {
      SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
      return true;
    }
    return false;
  }
  return false;
}

}  // namespace ql
