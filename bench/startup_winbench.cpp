// Start-up time of the real program under Wine against a floor measured in
// the same run: a bare 1000 x 640 window shown after the home page's WMI
// queries over one connection and the 200 ms of fixed waits. Prints medians.
//
//   startup_winbench [runs]
#include <windows.h>
#include <wbemidl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "platform/scoped_win.h"
#include "tests/win_test_support.h"

namespace {

constexpr wchar_t kFloorClass[] = L"QinglanFloorWindow";

// The floor's own work: every class the home page reads, over one connection.
void QueryHomePageClasses() {
  ql::ScopedComInit com = ql::InitializeCom(COINIT_MULTITHREADED);
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                       EOAC_NONE, nullptr);
  ql::ScopedComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator, PutVoid(locator))))
    return;
  ql::ScopedComPtr<IWbemServices> services;
  ql::ScopedBstr ns = ql::MakeBstr(L"ROOT\\CIMV2");
  if (FAILED(locator->ConnectServer(ns.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Put()))) return;
  const wchar_t* classes[] = {L"Win32_SystemEnclosure", L"Win32_Processor",       L"Win32_BIOS",
                              L"Win32_BaseBoard",       L"Win32_OperatingSystem", L"Win32_PhysicalMemory",
                              L"Win32_VideoController", L"Win32_DesktopMonitor",  L"Win32_DiskDrive"};
  ql::ScopedBstr wql = ql::MakeBstr(L"WQL");
  for (const wchar_t* cls : classes) {
    ql::ScopedBstr query = ql::MakeBstr((std::wstring(L"Select * From ") + cls).c_str());
    ql::ScopedComPtr<IEnumWbemClassObject> rows;
    if (FAILED(services->ExecQuery(wql.Get(), query.Get(), WBEM_FLAG_FORWARD_ONLY, nullptr, rows.Put()))) continue;
    for (;;) {
      ql::ScopedComPtr<IWbemClassObject> row;
      ULONG got = 0;
      if (rows->Next(WBEM_INFINITE, 1, row.Put(), &got) != S_OK || got == 0) break;
    }
  }
}

int RunFloorWindow() {
  QueryHomePageClasses();
  Sleep(200);
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kFloorClass;
  RegisterClassW(&wc);
  HWND w =
      CreateWindowExW(0, kFloorClass, L"floor", WS_POPUP, 100, 100, 1000, 640, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

bool HasVisibleWindow(DWORD pid, const wchar_t* cls) {
  for (HWND h : qltest::TopWindowsOf(pid, cls))
    if (IsWindowVisible(h)) return true;
  return false;
}

// Milliseconds from process start to a visible window of `cls`; -1 on failure.
// Polled every 2 ms: the shared wait helper's 20 ms step would blur the figure.
double TimeToWindow(const std::wstring& exe, const std::wstring& args, const wchar_t* cls) {
  LARGE_INTEGER f, start, shown;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&start);
  qltest::ChildProcess child(exe, L"", args);
  if (!child.Started()) return -1;
  bool found = false;
  for (int waited = 0; !found && waited < 60000; waited += 2) {
    found = HasVisibleWindow(child.Id(), cls);
    if (!found) Sleep(2);
  }
  QueryPerformanceCounter(&shown);
  if (!found) return -1;
  return 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--floor-window") return RunFloorWindow();
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = qltest::ProgramPath();

  std::vector<double> startup, floor;
  for (int i = 0; i < runs; ++i) {  // interleaved, so both see the same machine load
    double s = TimeToWindow(program, L"", ql::kMainWindowClass);
    double f = TimeToWindow(self, L"--floor-window", kFloorClass);
    if (s >= 0) startup.push_back(s);
    if (f >= 0) floor.push_back(f);
  }
  if (startup.empty() || floor.empty()) {
    std::printf("startup bench: a window never showed\n");
    return 1;
  }
  double s = Median(startup), f = Median(floor);
  std::printf("start-up (process start -> main window shown): median %.0f ms over %zu runs\n", s, startup.size());
  std::printf("floor (bare window + WMI queries over one connection + 200 ms): median %.0f ms\n", f);
  std::printf("ratio start-up / floor: %.2f\n", s / f);
  return 0;
}
