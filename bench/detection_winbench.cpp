// Time of one detection pass over the WMI script detectors under the real
// script control, and how one evaluation splits into script-control
// creation, WMI connection and query. Medians of several runs, in ms.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "inventory/installed_memory_win.h"
#include "inventory/memory_detectors.h"
#include "inventory/script_host_win.h"
#include "inventory/system_detectors.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double TimeMs(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return Ms(Clock::now() - start);
}

// Counts the hosts and evaluations of a pass while using the real control.
class CountingHosts : public ql::ScriptHostFactory {
 public:
  int hosts = 0;
  int evaluations = 0;
  std::unique_ptr<ql::ScriptHost> OpenHost() override {
    ++hosts;
    return std::make_unique<Host>(*this);
  }

 private:
  class Host : public ql::ScriptHost {
   public:
    explicit Host(CountingHosts& owner) : owner_(owner) {}
    std::string EvaluateText(std::string_view s) override { return ++owner_.evaluations, real_.EvaluateText(s); }
    double EvaluateFirstNumber(std::string_view s) override {
      return ++owner_.evaluations, real_.EvaluateFirstNumber(s);
    }
    std::string EvaluateAgain(std::string_view s) override { return ++owner_.evaluations, real_.EvaluateAgain(s); }

   private:
    CountingHosts& owner_;
    ql::ScriptControlHost real_;
  };
};

void DetectionPass(ql::ScriptHostFactory& hosts) {
  ql::DetectMachineType(hosts);
  ql::DetectProcessors(hosts);
  ql::DetectBoard(hosts);
  ql::DetectMonitorDevices(hosts);
  ql::DetectVideoControllers(hosts);
  ql::DetectMemory(hosts);
  ql::DescribeOperatingSystem(hosts);
  ql::InstalledMemoryText();
}

}  // namespace

int main() {
  ql::ScopedComInit com = ql::InitializeCom();
  constexpr int kRuns = 15;
  const std::string trivial = "Function GetA()\r\nGetA = \"\"\r\nEnd Function";
  const std::string connectOnly =
      "Function GetA()\r\n    Set wmi = GetObject(\"winmgmts:{impersonationLevel=impersonate}!\\\\.\\root\\cimv2\")\r\n"
      "GetA = \"\"\r\nEnd Function";
  const std::string query = ql::OperatingSystemScript();

  CountingHosts counting;
  double first = TimeMs([&] { DetectionPass(counting); });

  // Each run measures the phases back to back, and the split is taken from
  // the per-run differences, so that load from other processes shared by
  // neighbouring measurements cancels out.
  std::vector<double> pass, create, total, connection, queryPart;
  for (int i = 0; i < kRuns; ++i) {
    pass.push_back(TimeMs([] { DetectionPass(ql::ScriptControlHosts()); }));
    double c = TimeMs([] { ql::ScriptControlHost host; });
    double t = TimeMs([&] {
      ql::ScriptControlHost host;
      host.EvaluateText(trivial);
    });
    double w = TimeMs([&] {
      ql::ScriptControlHost host;
      host.EvaluateText(connectOnly);
    });
    double q = TimeMs([&] {
      ql::ScriptControlHost host;
      host.EvaluateText(query);
    });
    create.push_back(c);
    connection.push_back(w - t);
    queryPart.push_back(q - w);
    total.push_back(q);
  }
  std::printf("detection pass (script detectors + installed memory), %d runs\n", kRuns);
  std::printf("  first pass (cold):            %8.2f ms\n", first);
  std::printf("  pass, median:                 %8.2f ms  (%d script hosts, %d evaluations)\n", Median(pass),
              counting.hosts, counting.evaluations);
  std::printf("one evaluation of the operating-system script, median:\n");
  std::printf("  total:                        %8.2f ms\n", Median(total));
  std::printf("  script-control creation:      %8.2f ms\n", Median(create));
  std::printf("  WMI connection (GetObject):   %8.2f ms\n", Median(connection));
  std::printf("  query and record text:        %8.2f ms\n", Median(queryPart));
  return 0;
}
