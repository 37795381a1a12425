// The detection run on Windows: the detectors work ahead on threads of their
// own (each initialised for COM), the run takes their results in its fixed
// order and writes the main window's labels; plus the home page's copy,
// re-detect and battery handlers.
#include "inventory/detection_run_win.h"

#include <windows.h>

#include <future>
#include <memory>

#include "inventory/detection_run.h"
#include "inventory/disk_drive_query.h"
#include "inventory/home_page_rows.h"
#include "inventory/installed_memory_win.h"
#include "inventory/query_engine_win.h"
#include "platform/scoped_win.h"
#include "platform/ui_thread_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/layout_names.h"

namespace ql {
namespace {

HardwareSnapshot& Snapshot() {
  static HardwareSnapshot snapshot;
  return snapshot;
}

const DiskDriveQuery& DiskQuery() {
  static DiskDriveQuery query;  // the program's one disk query
  return query;
}

// Runs `work` on a new COM-initialised thread; where no thread can be had it
// runs when its result is asked for.
template <class F>
auto Ahead(F work) -> std::future<decltype(work())> {
  auto onComThread = [work] {
    ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
    return work();
  };
  try {
    return std::async(std::launch::async, onComThread);
  } catch (...) {
    return std::async(std::launch::deferred, onComThread);
  }
}

// A detector's result, or its empty value should anything escape it.
template <class T>
T Take(std::future<T>& f) {
  try {
    return f.get();
  } catch (...) {
    return T{};
  }
}

class MachineSources final : public DetectionSources {
 public:
  MachineSources()
      : machine_(Ahead([] { return DetectMachineType(QueryScriptHosts()); })),
        cpu_(Ahead([] { return DetectProcessors(QueryScriptHosts()); })),
        board_(Ahead([] { return DetectBoard(QueryScriptHosts()); })),
        monitors_(Ahead([] { return DetectMonitorDevices(QueryScriptHosts()); })),
        disks_(Ahead([] {
          std::vector<std::string> names;
          DiskQuery().ListDiskDriveNames(names);
          return names;
        })),
        adapters_(Ahead([] {
          std::vector<NetworkAdapterInfo> list;
          ListNetworkAdapters(list);
          return list;
        })),
        video_(Ahead([] { return DetectVideoControllers(QueryScriptHosts()); })),
        memory_(Ahead([] { return DetectMemory(QueryScriptHosts()); })),
        os_(Ahead([] { return DescribeOperatingSystem(QueryScriptHosts()); })),
        installed_(Ahead([] { return ql::InstalledMemoryText(); })) {}

  MachineTypeInfo MachineType() override { return Take(machine_); }
  ProcessorRecords Processors() override { return Take(cpu_); }
  BoardInfo Board() override { return Take(board_); }
  MonitorDeviceList MonitorDevices() override { return Take(monitors_); }
  std::vector<std::string> DiskNames() override { return Take(disks_); }
  std::vector<NetworkAdapterInfo> NetworkAdapters() override { return Take(adapters_); }
  VideoControllerList VideoControllers() override { return Take(video_); }
  MemoryInventory Memory() override { return Take(memory_); }
  std::string OperatingSystemSummary() override { return Take(os_); }
  std::string InstalledMemoryText() override { return Take(installed_); }
  MonitorInfo DecodeMonitor(std::string_view id) override { return DecodeMonitorEdid(id); }
  std::string DiskModel(std::string_view name) override { return DiskQuery().Model(name); }

 private:
  std::future<MachineTypeInfo> machine_;
  std::future<ProcessorRecords> cpu_;
  std::future<BoardInfo> board_;
  std::future<MonitorDeviceList> monitors_;
  std::future<std::vector<std::string>> disks_;
  std::future<std::vector<NetworkAdapterInfo>> adapters_;
  std::future<VideoControllerList> video_;
  std::future<MemoryInventory> memory_;
  std::future<std::string> os_;
  std::future<std::string> installed_;
};

void BatteryTimerTick(HomePageLabels& labels) {
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);  // a failure leaves the zeroed structure
  PowerStatus status{raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent,
                     static_cast<uint32_t>(raw.BatteryLifeTime)};
  labels.Write(layout::kBattery, BatteryText(status));
}

ScopedHGlobal GlobalCopy(const void* data, size_t size) {
  ScopedHGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
  void* p = block ? GlobalLock(block.Get()) : nullptr;
  if (!p) return {};
  memcpy(p, data, size);
  GlobalUnlock(block.Get());
  return block;
}

// The clipboard owns the block once SetClipboardData has taken it.
void HandOver(UINT format, ScopedHGlobal block) {
  if (block && SetClipboardData(format, block.Get())) (void)block.Release();
}

// The GBK text as CF_TEXT, the same text as CF_UNICODETEXT (so it pastes right
// on any system language) and its locale. Failures are ignored.
void PutOnClipboard(HWND owner, const std::string& gbk) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  HandOver(CF_TEXT, GlobalCopy(gbk.c_str(), gbk.size() + 1));
  std::wstring wide = Wide(gbk);
  HandOver(CF_UNICODETEXT, GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)));
  LCID chinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
  HandOver(CF_LOCALE, GlobalCopy(&chinese, sizeof chinese));
  CloseClipboard();
}

void CopySummaryClicked(HomePage& page) {
  std::vector<std::string> captions, values;
  for (const SummaryRow& row : kSummaryRowLabels) {
    captions.push_back(page.Read(row.captionLabel));
    values.push_back(page.Read(row.valueLabel));
  }
  // The hidden edit box is the copy buffer: what it holds is what is copied.
  page.Write(layout::kCopyBuffer, CopySummaryText(captions, values));
  PutOnClipboard(page.ClipboardOwner(), page.Read(layout::kCopyBuffer));
  page.Write(layout::kCopyLink, kCopiedText);
  WaitPumpingMessages(1000);
  page.Write(layout::kCopyLink, kCopyLinkText);
}

void RedetectClicked(HomePage& page) {
  page.SetEnabled(layout::kRedetectLink, false);
  for (const SummaryRow& row : kSummaryRowLabels) page.Write(row.valueLabel, kDetectingText8);
  page.Write(layout::kMachineType, kDetectingText8);
  RunMachineDetection(page, Snapshot());  // on the UI thread: the window waits for it
  page.SetEnabled(layout::kRedetectLink, true);
}

}  // namespace

void RunMachineDetection(HomePageLabels& labels, HardwareSnapshot& snapshot) {
  ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
  MachineSources sources;
  RunDetection(sources, labels, snapshot);
}

namespace {
std::unique_ptr<MachineSources>& StartupSources() {
  static std::unique_ptr<MachineSources> sources;
  return sources;
}
}  // namespace

void BeginStartupDetection() {
  if (!StartupSources()) StartupSources() = std::make_unique<MachineSources>();
}

void RunStartupDetection(HomePageLabels& labels) {
  ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
  std::unique_ptr<MachineSources> sources = std::move(StartupSources());
  if (!sources) sources = std::make_unique<MachineSources>();
  RunDetection(*sources, labels, Snapshot());
}

void RegisterHomePageActions(HomePage& page) {
  RegisterControlAction(layout::kBatteryTimer, [&page] { BatteryTimerTick(page); });
  RegisterControlAction("一键复制", [&page] { CopySummaryClicked(page); });
  RegisterControlAction("检测不准？点我重新检测", [&page] { RedetectClicked(page); });
}

}  // namespace ql
