// Creating the tools container (12 pages, every control a child window) and
// one search through the real combo box, timed under Wine. With "--hold" the
// window stays up for five seconds (for a screenshot).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "launcher/tools_container_win.h"
#include "platform/win_text.h"

int main(int argc, char** argv) {
  bool hold = argc > 1 && std::strcmp(argv[1], "--hold") == 0;
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"QlContainerBench";
  RegisterClassW(&wc);
  const int rounds = 10;
  HWND host = nullptr;
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) {
    if (host) DestroyWindow(host);
    host = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 840, 600, nullptr, nullptr,
                           wc.hInstance, nullptr);
    ql::CreateToolsContainer(host, -8, 0, 828, 568);
  }
  double createMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / rounds;
  HWND box = ql::ToolsSearchBox();
  const int searches = 200;
  start = std::chrono::steady_clock::now();
  for (int i = 0; i < searches; ++i) {
    ql::SetWindowTextGbk(box, "");
    ql::SearchTools();
    SendMessageW(box, CB_SHOWDROPDOWN, 0, 0);
  }
  double searchMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / searches;
  std::printf("container creation: %.2f ms; search listing all 41 names: %.3f ms\n", createMs, searchMs);
  if (hold) {
    ShowWindow(host, SW_SHOW);
    ql::SetWindowTextGbk(box, "cpuz");
    ql::SearchTools();
    DWORD end = GetTickCount() + 5000;
    while (GetTickCount() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      Sleep(20);
    }
  }
  return 0;
}
