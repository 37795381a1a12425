// One detection run under Wine: each detector alone (sequential, warm)
// through each query engine (the script control, the direct WMI engine),
// and the whole run with the detectors working side by side as start-up
// does. Medians of several runs, in milliseconds.
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
#include "inventory/wmi_direct_engine_win.h"
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

struct Step {
  const char* name;
  std::function<void()> work;
};

std::vector<Step> DetectionSteps(ql::ScriptHostFactory& hosts, ql::DiskDriveQuery& disks) {
  return {
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
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
  ql::ScopedComInit com = ql::InitializeCom(COINIT_APARTMENTTHREADED);
  ql::DiskDriveQuery disks;
  double first = MedianMs(1, [&] {
    NullLabels labels;
    ql::HardwareSnapshot snapshot;
    ql::RunMachineDetection(labels, snapshot);
  });
  struct Engine {
    const char* name;
    ql::ScriptHostFactory& hosts;
  } engines[] = {{"script control", ql::ScriptControlHosts()}, {"direct WMI", ql::DirectWmiHosts()}};
  for (const Engine& engine : engines) {
    std::printf("engine: %s\n", engine.name);
    for (const Step& s : DetectionSteps(engine.hosts, disks))
      std::printf("  %-24s %7.1f ms\n", s.name, MedianMs(runs, s.work));
  }
  // The whole runs interleaved, so both engines see the same machine load.
  std::vector<Step> viaControl = DetectionSteps(engines[0].hosts, disks);
  std::vector<Step> viaDirect = DetectionSteps(engines[1].hosts, disks);
  std::vector<double> control, direct;
  for (int i = 0; i < runs; ++i) {
    control.push_back(MedianMs(1, [&] {
      for (const Step& s : viaControl) s.work();
    }));
    direct.push_back(MedianMs(1, [&] {
      for (const Step& s : viaDirect) s.work();
    }));
  }
  std::printf(
      "one detection run, detectors one after the other, median over %d runs: script control %.1f ms, "
      "direct WMI %.1f ms\n",
      runs, Median(control), Median(direct));
  double run = MedianMs(runs, [&] {
    NullLabels labels;
    ql::HardwareSnapshot snapshot;
    ql::RunMachineDetection(labels, snapshot);
  });
  std::printf("first (cold) run: %.1f ms; one RunDetection, detectors side by side: median %.1f ms over %d runs\n",
              first, run, runs);
  return 0;
}
