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

namespace {

constexpr wchar_t kFloorClass[] = L"QinglanFloorWindow";

std::wstring HostPath(const char* unixPath) {
  std::wstring out = L"Z:";
  for (const char* p = unixPath; *p; ++p) out.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return out;
}

// The floor's own work: every class the home page reads, over one connection.
void QueryHomePageClasses() {
  ql::ScopedCoInit com(COINIT_MULTITHREADED);
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                       nullptr, EOAC_NONE, nullptr);
  ql::ScopedComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.ReceiveVoid())))
    return;
  ql::ScopedComPtr<IWbemServices> services;
  ql::ScopedBstr ns(L"ROOT\\CIMV2");
  if (FAILED(locator->ConnectServer(ns.Get(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, services.Receive())))
    return;
  const wchar_t* classes[] = {L"Win32_SystemEnclosure", L"Win32_Processor",       L"Win32_BIOS",
                              L"Win32_BaseBoard",       L"Win32_OperatingSystem", L"Win32_PhysicalMemory",
                              L"Win32_VideoController", L"Win32_DesktopMonitor",  L"Win32_DiskDrive"};
  ql::ScopedBstr wql(L"WQL");
  for (const wchar_t* cls : classes) {
    ql::ScopedBstr query((std::wstring(L"Select * From ") + cls).c_str());
    ql::ScopedComPtr<IEnumWbemClassObject> rows;
    if (FAILED(services->ExecQuery(wql.Get(), query.Get(), WBEM_FLAG_FORWARD_ONLY, nullptr, rows.Receive())))
      continue;
    for (;;) {
      ql::ScopedComPtr<IWbemClassObject> row;
      ULONG got = 0;
      if (rows->Next(WBEM_INFINITE, 1, row.Receive(), &got) != S_OK || got == 0) break;
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
  HWND w = CreateWindowExW(0, kFloorClass, L"floor", WS_POPUP, 100, 100, 1000, 640, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

struct Search {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (pid == s->pid && lstrcmpW(cls, s->cls) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Milliseconds from process start to a visible window of `cls`; -1 on failure.
double TimeToWindow(const std::wstring& exe, const std::wstring& args, const wchar_t* cls) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"" + args;
  LARGE_INTEGER f, start, shown;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  Search s{pi.dwProcessId, cls, nullptr};
  for (int waited = 0; !s.found && waited < 60000; waited += 2) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&s));
    if (!s.found) Sleep(2);
  }
  QueryPerformanceCounter(&shown);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (!s.found) return -1;
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
  std::wstring program = HostPath(QL_EXE_PATH);

  std::vector<double> startup, floor;
  for (int i = 0; i < runs; ++i) {  // interleaved, so both see the same machine load
    double s = TimeToWindow(program, L"", ql::kMainWindowClass);
    double f = TimeToWindow(self, L" --floor-window", kFloorClass);
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
