// The main window shell: fixed size, borderless, centred; closing it in any
// way ends the process at once with exit code 0.
#include "app/main_window_win.h"

#include "platform/win_text.h"

namespace ql {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 640;
constexpr UINT_PTR kUptimeTimer = 1;
HWND g_main = nullptr;
std::string g_machineType = "计算机类型";  // the label's designed text until detection writes it

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return 0;
    case WM_NCHITTEST: {
      // Borderless: any point that does not handle the mouse itself drags the window.
      LRESULT hit = DefWindowProcW(hwnd, msg, wp, lp);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_DESTROY:
      TerminateProcess(GetCurrentProcess(), 0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hIconSm = wc.hIcon;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kMainWindowClass;
  RegisterClassExW(&wc);
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  g_main = CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClass, Wide("青岚工具箱").c_str(),
                           WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU, x, y, kWidth,
                           kHeight, nullptr, nullptr, instance, nullptr);
  return g_main;
}

HWND MainWindowHandle() { return g_main; }

void StartUptimeClock() {
  if (g_main) SetTimer(g_main, kUptimeTimer, 1000, nullptr);
}

std::string MachineTypeLabelText() { return g_machineType; }

}  // namespace ql
