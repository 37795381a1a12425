// The detection run on Windows: the detectors work ahead on threads of their
// own (each initialised for COM), the run takes their results in its fixed
// order and writes the main window's labels; plus the home page's copy,
// re-detect and battery handlers.
#include "inventory/detection_run_win.h"

#include <windows.h>

#include <future>
#include <memory>

#include "app/control_actions.h"
#include "app/main_controls_win.h"
#include "inventory/detection_run.h"
#include "inventory/disk_drive_query.h"
#include "inventory/home_page_rows.h"
#include "inventory/installed_memory_win.h"
#include "inventory/query_engine_win.h"
#include "platform/scoped_win.h"
#include "platform/ui_thread_win.h"
#include "platform/win_text.h"

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
    ScopedCoInit com(COINIT_APARTMENTTHREADED);
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

class MainWindowLabels final : public HomePageLabels {
 public:
  void StartBatteryTimer() override { SetMainTimer("时钟2", 1000); }
  // SetWindowText from another thread is sent to the UI thread and waited for.
  void Write(std::string_view name, std::string_view text) override { SetMainControlText(name, text); }
};

void RunDetectionNow() {
  MainWindowLabels labels;
  RunMachineDetection(labels, Snapshot());
}

void BatteryTimerTick() {
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);  // a failure leaves the zeroed structure
  PowerStatus status{raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent,
                     static_cast<uint32_t>(raw.BatteryLifeTime)};
  SetMainControlText(kBatteryLabel, BatteryText(status));
}

HGLOBAL GlobalCopy(const void* data, size_t size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  if (void* p = GlobalLock(block)) {
    memcpy(p, data, size);
    GlobalUnlock(block);
    return block;
  }
  GlobalFree(block);
  return nullptr;
}

// The GBK text as CF_TEXT, the same text as CF_UNICODETEXT (so it pastes right
// on any system language) and its locale. Failures are ignored.
void PutOnClipboard(HWND owner, const std::string& gbk) {
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  if (HGLOBAL text = GlobalCopy(gbk.c_str(), gbk.size() + 1))
    if (!SetClipboardData(CF_TEXT, text)) GlobalFree(text);
  std::wstring wide = Wide(gbk);
  if (HGLOBAL unicode = GlobalCopy(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t)))
    if (!SetClipboardData(CF_UNICODETEXT, unicode)) GlobalFree(unicode);
  LCID chinese = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), SORT_DEFAULT);
  if (HGLOBAL locale = GlobalCopy(&chinese, sizeof chinese))
    if (!SetClipboardData(CF_LOCALE, locale)) GlobalFree(locale);
  CloseClipboard();
}

void CopySummaryClicked() {
  std::vector<std::string> captions, values;
  for (const SummaryRow& row : kSummaryRowLabels) {
    captions.push_back(MainControlText(row.captionLabel));
    values.push_back(MainControlText(row.valueLabel));
  }
  std::string text = CopySummaryText(captions, values);
  // The hidden edit box is the copy buffer: what it holds is what is copied.
  if (HWND buffer = MainControl("编辑框1")) {
    SetWindowTextGbk(buffer, text);
    text = GetWindowTextGbk(buffer);
  }
  PutOnClipboard(GetAncestor(MainControl("透明标签16"), GA_ROOT), text);
  SetMainControlText("透明标签16", kCopiedText);
  WaitPumpingMessages(1000);
  SetMainControlText("透明标签16", kCopyLinkText);
}

void RedetectClicked() {
  HWND link = MainControl("透明标签13");
  if (link) EnableWindow(link, FALSE);
  for (const SummaryRow& row : kSummaryRowLabels) SetMainControlText(row.valueLabel, kDetectingText8);
  SetMainControlText(kMachineTypeLabel, kDetectingText8);
  RunDetectionNow();  // on the UI thread: the window waits for it
  if (link) EnableWindow(link, TRUE);
}

}  // namespace

void RunMachineDetection(HomePageLabels& labels, HardwareSnapshot& snapshot) {
  ScopedCoInit com(COINIT_APARTMENTTHREADED);
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

void RunStartupDetection() {
  ScopedCoInit com(COINIT_APARTMENTTHREADED);
  std::unique_ptr<MachineSources> sources = std::move(StartupSources());
  if (!sources) sources = std::make_unique<MachineSources>();
  MainWindowLabels labels;
  RunDetection(*sources, labels, Snapshot());
}

void RegisterHomePageActions() {
  RegisterControlAction("时钟2", BatteryTimerTick);
  RegisterControlAction("一键复制", CopySummaryClicked);
  RegisterControlAction("检测不准？点我重新检测", RedetectClicked);
}

}  // namespace ql
