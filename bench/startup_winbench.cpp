// Start-up time of the real program under Wine: process start to the main
// window shown, over several runs (median, min, max in milliseconds).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"

namespace {

std::wstring HostPath(const char* unixPath) {
  std::wstring out = L"Z:";
  for (const char* p = unixPath; *p; ++p) out.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return out;
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisibleMain(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<Search*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[64] = {};
  GetClassNameW(hwnd, cls, 64);
  if (pid == s->pid && lstrcmpW(cls, ql::kMainWindowClass) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  std::wstring exe = HostPath(QL_EXE_PATH);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + exe + L"\"";
    LARGE_INTEGER start, shown;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      std::printf("cannot start %ls\n", exe.c_str());
      return 1;
    }
    Search s{pi.dwProcessId, nullptr};
    for (int waited = 0; !s.found && waited < 60000; waited += 2) {
      EnumWindows(FindVisibleMain, reinterpret_cast<LPARAM>(&s));
      if (!s.found) Sleep(2);
    }
    QueryPerformanceCounter(&shown);
    if (s.found) {
      times.push_back(Milliseconds(start, shown));
      PostMessageW(s.found, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  if (times.empty()) {
    std::printf("startup: the main window never showed\n");
    return 1;
  }
  std::sort(times.begin(), times.end());
  std::printf("startup (process start -> main window shown), %zu runs: median %.0f ms, min %.0f ms, max %.0f ms\n",
              times.size(), times[times.size() / 2], times.front(), times.back());
  return 0;
}
