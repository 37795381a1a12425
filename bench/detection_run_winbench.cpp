// One detection run under Wine: each detector alone (sequential, warm), and
// the whole run with the detectors working side by side as start-up does.
// Medians of several runs, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "inventory/detection_run.h"
#include "inventory/detection_run_win.h"
#include "inventory/disk_drive_query.h"
#include "inventory/installed_memory_win.h"
#include "inventory/script_host_win.h"
#include "platform/scoped_win.h"

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double MedianMs(int runs, const std::function<void()>& work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return Median(times);
}

struct NullLabels final : ql::HomePageLabels {
  void StartBatteryTimer() override {}
  void Write(std::string_view, std::string_view) override {}
};

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  ql::ScopedComInit com = ql::InitializeCom(COINIT_APARTMENTTHREADED);
  auto& hosts = ql::ScriptControlHosts();
  ql::DiskDriveQuery disks;
  struct Step {
    const char* name;
    std::function<void()> work;
  } steps[] = {
      {"DetectMachineType", [&] { ql::DetectMachineType(hosts); }},
      {"DetectProcessors", [&] { ql::DetectProcessors(hosts); }},
      {"DetectBoard", [&] { ql::DetectBoard(hosts); }},
      {"DetectMonitorDevices", [&] { ql::DetectMonitorDevices(hosts); }},
      {"ListDiskDriveNames",
       [&] {
         std::vector<std::string> names;
         disks.ListDiskDriveNames(names);
       }},
      {"ListNetworkAdapters",
       [&] {
         std::vector<ql::NetworkAdapterInfo> list;
         ql::ListNetworkAdapters(list);
       }},
      {"DetectVideoControllers", [&] { ql::DetectVideoControllers(hosts); }},
      {"DetectMemory", [&] { ql::DetectMemory(hosts); }},
      {"DescribeOperatingSystem", [&] { ql::DescribeOperatingSystem(hosts); }},
      {"InstalledMemoryText", [&] { ql::InstalledMemoryText(); }},
  };
  double first = MedianMs(1, [&] {
    NullLabels labels;
    ql::HardwareSnapshot snapshot;
    ql::RunMachineDetection(labels, snapshot);
  });
  double sum = 0;
  for (const Step& s : steps) {
    double ms = MedianMs(runs, s.work);
    sum += ms;
    std::printf("  %-24s %7.1f ms\n", s.name, ms);
  }
  std::printf("detectors one after the other: %.1f ms\n", sum);
  double run = MedianMs(runs, [&] {
    NullLabels labels;
    ql::HardwareSnapshot snapshot;
    ql::RunMachineDetection(labels, snapshot);
  });
  std::printf("first (cold) run: %.1f ms; one RunDetection, detectors side by side: median %.1f ms over %d runs\n",
              first, run, runs);
  return 0;
}
