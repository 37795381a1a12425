// One way to register a window class, and one way for a window to find the
// C++ object behind it.
#pragma once

#include <windows.h>

#include <memory>

namespace ql {

// What a class sets beyond its name and procedure; all optional.
struct WindowClassLook {
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

// Registers `name` in `instance` unless it is registered there already (the
// first registration stands). False when the class does not exist afterwards.
bool RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, const WindowClassLook& look = {});

// The object a window owns. Its creator passes the address of its
// std::unique_ptr<T> as CreateWindowExW's last argument; the window takes the
// object over at WM_NCCREATE (a window that never gets that far leaves it
// with the creator) and keeps it in GWLP_USERDATA, where every later message
// finds it the same way, WM_NCDESTROY included. Messages before WM_NCCREATE
// (WM_GETMINMAXINFO of a top-level window) find null. A procedure starts
//   Foo* self = WindowState<Foo>(hwnd, msg, lp);
// and ends the object with DeleteWindowState<Foo>(hwnd) at WM_NCDESTROY.
template <class T>
T* WindowState(HWND hwnd, UINT msg, LPARAM lp) {
  if (msg == WM_NCCREATE && lp) {
    auto* handoff = static_cast<std::unique_ptr<T>*>(reinterpret_cast<const CREATESTRUCTW*>(lp)->lpCreateParams);
    if (handoff) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(handoff->release()));
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The object of a window made as above, for code outside its procedure.
template <class T>
T* WindowState(HWND hwnd) {
  return hwnd ? reinterpret_cast<T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

// Takes the object off the window and deletes it (at WM_NCDESTROY).
template <class T>
void DeleteWindowState(HWND hwnd) {
  delete reinterpret_cast<T*>(SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0));
}

}  // namespace ql
