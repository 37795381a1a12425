// How long --report takes against the time from the start of the program to
// its visible main window, on whatever WMI the process sees (Wine's own, or
// the test provider when run under tools/with-fake-wmi.sh). Prints medians.
//
//   report_winbench [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "tests/win_test_support.h"

namespace {

DWORD Median(std::vector<DWORD> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::wstring dir = qltest::FreshTestFolder(L"报告基准");
  std::wstring exe = qltest::CopyProgramInto(dir);
  std::vector<DWORD> report, window;
  for (int k = 0; k < runs; ++k) {
    DWORD start = GetTickCount();
    {
      qltest::ChildProcess app(exe, dir, L"--report \"" + dir + L"\\r.json\"");
      if (app.WaitExit(60000) != 0) std::printf("run %d: --report did not end with 0\n", k);
    }
    report.push_back(GetTickCount() - start);
    start = GetTickCount();
    {
      qltest::ChildProcess app(exe, dir);
      HWND main = qltest::WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 60000);
      window.push_back(GetTickCount() - start);
      if (!main) std::printf("run %d: no main window\n", k);
      app.Kill();
      app.WaitExit(10000);
    }
  }
  std::printf("--report to exit:        median %lu ms over %d runs\n", Median(report), runs);
  std::printf("start to visible window: median %lu ms over %d runs\n", Median(window), runs);
  return 0;
}
