// The main window shell: fixed size, borderless, centred; closing it in any
// way ends the process at once with exit code 0.
#include "app/main_window_win.h"

#include "app/control_actions.h"
#include "app/main_controls_win.h"
#include "inventory/detection_run_win.h"
#include "launcher/tools_container_win.h"
#include "net/tool_package_win.h"
#include "platform/win_text.h"
#include "support/window_shadow_win.h"

namespace ql {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 640;
constexpr UINT_PTR kUptimeTimer = 1;
HWND g_main = nullptr;

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      RegisterLauncherActions();
      RegisterNetActions();
      RegisterHomePageActions();
      // The machine-type label with its designed text, until the home page is laid out.
      HINSTANCE inst = reinterpret_cast<LPCREATESTRUCTW>(lp)->hInstance;
      RegisterMainControl("标签1", CreateWindowExW(0, L"STATIC", Wide("计算机类型").c_str(), WS_CHILD | WS_VISIBLE,
                                                  212, 98, 232, 23, hwnd, nullptr, inst, nullptr));
      InstallWindowShadow(hwnd);
      return 0;
    }
    case WM_TIMER:
      if (wp == kUptimeTimer) {
        RunControlAction("时钟1");
      } else {
        RunControlAction(MainTimerName(wp));
      }
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

std::string MachineTypeLabelText() { return MainControlText("标签1"); }

}  // namespace ql
