#include "platform/window_class_win.h"

namespace ql {

bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, const WindowClassLook& look) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, name, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = look.icon;
  wc.hIconSm = look.smallIcon;
  wc.hCursor = look.cursor;
  wc.hbrBackground = look.background;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace ql
