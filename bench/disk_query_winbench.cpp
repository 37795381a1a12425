// Cost of the disk query as the home page pays it: one Model getter (a whole
// WMI connection and query of its own) and one ListDiskDriveNames. Prints the
// median and range of several runs, in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "inventory/disk_drive_query.h"
#include "inventory/disk_drive_query_win.h"
#include "platform/scoped_win.h"

namespace {

template <class F>
void Measure(const char* what, int runs, F f) {
  std::vector<double> ms;
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  for (int i = 0; i < runs; ++i) {
    QueryPerformanceCounter(&a);
    f();
    QueryPerformanceCounter(&b);
    ms.push_back(1000.0 * double(b.QuadPart - a.QuadPart) / double(freq.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-40s runs %2d  median %8.2f ms  min %8.2f  max %8.2f\n", what, runs, ms[ms.size() / 2], ms.front(),
              ms.back());
}

}  // namespace

int main() {
  ql::ScopedComInit com = ql::InitializeCom(COINIT_MULTITHREADED);  // the detection run's thread is COM-initialised
  ql::DiskDriveQuery q;
  std::vector<std::string> names;
  int n = 0;
  Measure("first ListDiskDriveNames (cold WMI)", 1, [&] { n = q.ListDiskDriveNames(names); });
  std::string drive = n > 0 ? names[0] : "\\\\.\\PHYSICALDRIVE0";
  std::printf("disks listed: %d; Model(%s) = \"%s\"\n", n, drive.c_str(), q.Model(drive).c_str());
  const int runs = 9;
  Measure("ListDiskDriveNames", runs, [&] { q.ListDiskDriveNames(names); });
  Measure("Model getter", runs, [&] {
    volatile size_t s = q.Model(drive).size();
    (void)s;
  });
  Measure("Size getter", runs, [&] {
    volatile int64_t s = q.Size(drive);
    (void)s;
  });
  // Where the Name query fails (Wine has no Name), the getters above stop at
  // ExecQuery; a property read that finds its disk shows the full cycle.
  std::string byDeviceId = q.BuildDiskQuery("\\\\.\\PHYSICALDRIVE0");
  byDeviceId.replace(byDeviceId.find("Name="), 5, "DeviceID=");
  Measure("Model read that finds the disk (DeviceID)", runs, [&] {
    ql::ScopedVariant v;
    ql::disk_wmi::GetDiskProperty(byDeviceId, "Model", v.Put());
  });
  std::fflush(stdout);
  return 0;
}
