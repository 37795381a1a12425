// Time from process start to the visible main window of the real program on
// a machine with a fault: as it is, and without VBScript, without the script
// control, without WMI (Wine's per-program DLL overrides on copies of the
// program). Run it under tools/with-fake-wmi.sh DATA hang (or slow:N) to
// measure those modes as "as it is". Medians, in milliseconds.
//
//   startup_faults_winbench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "tests/win_test_support.h"

namespace {

// A copy of the program that Wine does not let load `dll` ("" for none).
std::wstring CopyWithout(const std::wstring& dir, const wchar_t* name, const wchar_t* dll) {
  std::wstring exe = dir + L"\\" + name;
  CopyFileW(qltest::ProgramPath().c_str(), exe.c_str(), FALSE);
  std::wstring key = std::wstring(L"Software\\Wine\\AppDefaults\\") + name + L"\\DllOverrides";
  RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Wine\\AppDefaults\\") + name).c_str());
  if (*dll) {
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr) ==
        ERROR_SUCCESS) {
      RegSetValueExW(k, dll, 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
      RegCloseKey(k);
    }
  }
  return exe;
}

// Milliseconds from process start to a visible main window; -1 after 60 s.
double TimeToMainWindow(const std::wstring& exe, const std::wstring& dir) {
  LARGE_INTEGER f, start, shown;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&start);
  qltest::ChildProcess child(exe, dir);
  if (!child.Started()) return -1;
  for (int waited = 0; waited < 60000; waited += 5) {
    for (HWND h : qltest::TopWindowsOf(child.Id(), ql::kMainWindowClass))
      if (IsWindowVisible(h)) {
        QueryPerformanceCounter(&shown);
        return 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(f.QuadPart);
      }
    Sleep(5);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
  struct Fault {
    const char* name;
    const wchar_t* exe;
    const wchar_t* dll;
  } faults[] = {{"as it is", L"qinglan-bench.exe", L""},
                {"vbscript=d", L"qinglan-bench-novbs.exe", L"vbscript"},
                {"msscript.ocx=d", L"qinglan-bench-noocx.exe", L"msscript.ocx"},
                {"wbemprox=d", L"qinglan-bench-nowmi.exe", L"wbemprox"}};
  std::wstring dir = qltest::FreshTestFolder(L"启动 故障 基准");
  const char* mode = getenv("QL_FAKE_WMI_MODE");
  std::printf("time to the main window (%s WMI%s%s), %d runs each\n",
              getenv("QL_FAKE_WMI") ? "test provider" : "Wine's", mode && *mode ? ", mode " : "", mode ? mode : "",
              runs);
  for (const Fault& fault : faults) {
    // The runner names wbemprox in WINEDLLOVERRIDES, which wins over a
    // per-program override.
    if (getenv("QL_FAKE_WMI") && std::wstring(fault.dll) == L"wbemprox") continue;
    std::wstring exe = CopyWithout(dir, fault.exe, fault.dll);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      double ms = TimeToMainWindow(exe, dir);
      if (ms >= 0) times.push_back(ms);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Wine\\AppDefaults\\") + fault.exe).c_str());
    std::sort(times.begin(), times.end());
    if (times.empty())
      std::printf("  %-16s no main window within 60 s\n", fault.name);
    else
      std::printf("  %-16s median %6.0f ms (min %.0f, max %.0f, %zu of %d runs)\n", fault.name, times[times.size() / 2],
                  times.front(), times.back(), times.size(), runs);
  }
  return 0;
}
