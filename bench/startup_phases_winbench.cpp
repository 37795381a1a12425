// Where the start-up's time goes: the real program run with its phase log
// on, milliseconds from process start to every point of the start-up, and
// to the main window seen visible from outside. Medians over the runs, with
// the step from the point before, so a regression shows where it is.
//
//   startup_phases_winbench [runs] [program]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/startup_phases.h"
#include "tests/win_test_support.h"

namespace {

constexpr char kSeenVisible[] = "(main window seen visible from outside)";

bool HasVisibleWindow(DWORD pid, const wchar_t* cls) {
  for (HWND h : qltest::TopWindowsOf(pid, cls))
    if (IsWindowVisible(h)) return true;
  return false;
}

std::string ReadLog(const std::wstring& path) {
  std::vector<uint8_t> bytes = qltest::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

// One start: milliseconds from just before CreateProcess to each point.
std::map<std::string, double> OneRun(const std::wstring& program, const std::wstring& log) {
  std::map<std::string, double> at;
  DeleteFileW(log.c_str());
  LARGE_INTEGER f, start, now;
  QueryPerformanceFrequency(&f);
  auto ms = [&](int64_t ticks) { return 1000.0 * double(ticks - start.QuadPart) / double(f.QuadPart); };
  QueryPerformanceCounter(&start);
  qltest::ChildProcess child(program);
  if (!child.Started()) return at;
  // Polled every 2 ms: the shared wait helper's 20 ms step would blur the figure.
  for (int waited = 0; waited < 60000; waited += 2) {
    if (!at.count(kSeenVisible) && HasVisibleWindow(child.Id(), ql::kMainWindowClass)) {
      QueryPerformanceCounter(&now);
      at[kSeenVisible] = ms(now.QuadPart);
    }
    // The log is read every 50 ms only: the program should not share the
    // machine with its observer more than it must.
    if (waited % 50 == 0 &&
        ReadLog(log).find("phase " + std::string(ql::kStartupPhases.back()) + " ") != std::string::npos)
      break;
    Sleep(2);
  }
  for (const ql::PhaseMark& m : ql::ParsePhaseLines(ReadLog(log))) at.emplace(m.phase, ms(m.ticks));
  return at;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  std::wstring program = qltest::ProgramPath();
  if (argc > 2) program = std::wstring(argv[2], argv[2] + strlen(argv[2]));
  std::wstring log = qltest::HostPath(QL_TEST_BINARY_DIR) + L"\\startup_phases.log";
  SetEnvironmentVariableW(ql::kPhaseLogVariable, log.c_str());

  std::map<std::string, std::vector<double>> times;
  for (int i = 0; i < runs; ++i)
    for (auto& [phase, ms] : OneRun(program, log)) times[phase].push_back(ms);
  DeleteFileW(log.c_str());
  if (times.empty()) {
    std::printf("startup phases bench: the program wrote no phase log\n");
    return 1;
  }

  std::printf("start-up phases, ms from process start (medians over %d runs)\n", runs);
  std::printf("  %-42s %9s %9s\n", "point", "at", "step");
  double previous = 0;
  for (std::string_view phase : ql::kStartupPhases) {
    auto it = times.find(std::string(phase));
    if (it == times.end()) {
      std::printf("  %-42.*s %9s\n", int(phase.size()), phase.data(), "missing");
      continue;
    }
    double at = Median(it->second);
    std::printf("  %-42.*s %9.0f %9.0f  (%zu runs)\n", int(phase.size()), phase.data(), at, at - previous,
                it->second.size());
    previous = at;
  }
  // Marks of other names (a developer's temporary ones), in time order.
  std::vector<std::pair<double, std::string>> others;
  for (auto& [name, v] : times)
    if (name != kSeenVisible &&
        std::find(ql::kStartupPhases.begin(), ql::kStartupPhases.end(), name) == ql::kStartupPhases.end())
      others.push_back({Median(v), name});
  std::sort(others.begin(), others.end());
  for (auto& [at, name] : others) std::printf("  %-42s %9.0f\n", name.c_str(), at);
  if (auto it = times.find(kSeenVisible); it != times.end())
    std::printf("  %-42s %9.0f\n", kSeenVisible, Median(it->second));
  return 0;
}
