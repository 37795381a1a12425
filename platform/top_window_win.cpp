// Top-level window set-up shared by the splash and the main window.
#include "platform/top_window_win.h"

#include "platform/win_text.h"
#include "platform/window_class_win.h"

namespace ql {

HWND CreateCentredWindow(HINSTANCE instance, const wchar_t* className, WNDPROC proc, std::string_view title,
                         DWORD style, DWORD exStyle, int width, int height) {
  HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  RegisterWindowClass(instance, className, proc,
                      {.icon = icon,
                       .smallIcon = icon,
                       .cursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)),
                       .background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
  int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return CreateWindowExW(exStyle, className, Wide(title).c_str(), style, x, y, width, height, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace ql
