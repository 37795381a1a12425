// The detection run on Windows: the detectors work ahead on threads of their
// own (each initialised for COM), the run takes their results in its fixed
// order within its deadline and writes the main window's labels; plus the
// home page's copy, re-detect and battery handlers.
#include "inventory/detection_run_win.h"

#include <windows.h>

#include <memory>

#include "inventory/detection_deadline.h"
#include "inventory/detection_run.h"
#include "inventory/detector_result_win.h"
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

// The disk names with each disk's model, read on the disk detector's thread.
struct DiskList {
  std::vector<std::string> names;
  std::vector<std::string> models;  // one per name
};

DiskList ListDisks() {
  DiskList disks;
  DiskQuery().ListDiskDriveNames(disks.names);
  for (const std::string& name : disks.names) disks.models.push_back(DiskQuery().Model(name));
  return disks;
}

// Every detector on a thread of its own from the moment the sources are
// made; the run takes the results in its fixed order, all within one
// deadline counted from that moment. A detector that has not answered by
// then gives what it gives when its query fails.
class MachineSources final : public DetectionSources {
 public:
  MachineSources()
      : deadline_(GetTickCount() + kDetectionDeadlineMs),
        machine_([] { return DetectMachineType(QueryScriptHosts()); }),
        cpu_([] { return DetectProcessors(QueryScriptHosts()); }),
        board_([] { return DetectBoard(QueryScriptHosts()); }),
        monitors_([] { return DetectMonitorDevices(QueryScriptHosts()); }),
        disks_(ListDisks),
        adapters_([] {
          std::vector<NetworkAdapterInfo> list;
          ListNetworkAdapters(list);
          return list;
        }),
        video_([] { return DetectVideoControllers(QueryScriptHosts()); }),
        memory_([] { return DetectMemory(QueryScriptHosts()); }),
        os_([] { return DescribeOperatingSystem(QueryScriptHosts()); }),
        installed_([] { return ql::InstalledMemoryText(); }) {}

  MachineTypeInfo MachineType() override {
    return machine_.Take(deadline_, [] { return DetectMachineType(FailingScriptHosts()); });
  }
  ProcessorRecords Processors() override {
    return cpu_.Take(deadline_, [] { return DetectProcessors(FailingScriptHosts()); });
  }
  BoardInfo Board() override {
    return board_.Take(deadline_, [] { return DetectBoard(FailingScriptHosts()); });
  }
  MonitorDeviceList MonitorDevices() override {
    return monitors_.Take(deadline_, [] { return DetectMonitorDevices(FailingScriptHosts()); });
  }
  std::vector<std::string> DiskNames() override {
    disks_taken_ = disks_.Take(deadline_, [] { return DiskList{}; });
    return disks_taken_.names;
  }
  std::vector<NetworkAdapterInfo> NetworkAdapters() override {
    return adapters_.Take(deadline_, [] { return std::vector<NetworkAdapterInfo>{}; });
  }
  VideoControllerList VideoControllers() override {
    return video_.Take(deadline_, [] { return DetectVideoControllers(FailingScriptHosts()); });
  }
  MemoryInventory Memory() override {
    return memory_.Take(deadline_, [] { return DetectMemory(FailingScriptHosts()); });
  }
  std::string OperatingSystemSummary() override {
    return os_.Take(deadline_, [] { return DescribeOperatingSystem(FailingScriptHosts()); });
  }
  // A failed GlobalMemoryStatusEx leaves the structure zeroed.
  std::string InstalledMemoryText() override {
    return installed_.Take(deadline_, [] { return InstalledMemoryTextFor(0); });
  }
  MonitorInfo DecodeMonitor(std::string_view id) override { return DecodeMonitorEdid(id); }
  // The run asks for the models of the names it took, in order.
  std::string DiskModel(std::string_view name) override {
    for (size_t k = 0; k < disks_taken_.names.size(); ++k)
      if (disks_taken_.names[k] == name) return disks_taken_.models[k];
    return {};
  }

 private:
  DWORD deadline_;
  DetectorResult<MachineTypeInfo> machine_;
  DetectorResult<ProcessorRecords> cpu_;
  DetectorResult<BoardInfo> board_;
  DetectorResult<MonitorDeviceList> monitors_;
  DetectorResult<DiskList> disks_;
  DetectorResult<std::vector<NetworkAdapterInfo>> adapters_;
  DetectorResult<VideoControllerList> video_;
  DetectorResult<MemoryInventory> memory_;
  DetectorResult<std::string> os_;
  DetectorResult<std::string> installed_;
  DiskList disks_taken_;
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
  // On the UI thread; its waits process the window's messages, so the window
  // keeps painting and answering until the deadline at most.
  RunMachineDetection(page, Snapshot());
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
