// The report and the export over this machine: the detection run into
// labels of our own, and one WMI read of every class the detection reads,
// both on threads of their own within the detection deadline.
#include "inventory/machine_report_win.h"

#include <windows.h>
#include <oleauto.h>

#include <map>

#include "inventory/detection_deadline.h"
#include "inventory/detection_run_win.h"
#include "inventory/detector_result_win.h"
#include "inventory/disk_drive_query_win.h"
#include "inventory/machine_report.h"
#include "inventory/system_detectors.h"
#include "platform/registry_win.h"
#include "platform/win_text.h"
#include "ql_version.h"
#include "support/gbk_text.h"
#include "support/layout_names.h"

namespace ql {
namespace {

bool IntegerOf(VARTYPE type, const void* data, int64_t& out) {
  switch (type) {
    case VT_I1: out = *static_cast<const signed char*>(data); return true;
    case VT_UI1: out = *static_cast<const unsigned char*>(data); return true;
    case VT_I2: out = *static_cast<const short*>(data); return true;
    case VT_UI2: out = *static_cast<const unsigned short*>(data); return true;
    case VT_I4:
    case VT_INT: out = *static_cast<const LONG*>(data); return true;
    case VT_UI4:
    case VT_UINT: out = *static_cast<const ULONG*>(data); return true;
    case VT_I8: out = *static_cast<const LONGLONG*>(data); return true;
    case VT_UI8: out = static_cast<int64_t>(*static_cast<const ULONGLONG*>(data)); return true;
    default: return false;
  }
}

WmiValue ValueOf(const VARIANT& v) {
  WmiValue out;
  using Kind = WmiValue::Kind;
  if (v.vt & VT_ARRAY) {
    out.kind = Kind::IntegerArray;
    SAFEARRAY* array = v.parray;
    VARTYPE element = static_cast<VARTYPE>(v.vt & VT_TYPEMASK);
    LONG low = 0, high = -1;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &low)) ||
        FAILED(SafeArrayGetUBound(array, 1, &high)))
      return out;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return out;
    for (LONG k = 0; k <= high - low; ++k) {
      int64_t n = 0;
      if (IntegerOf(element, static_cast<const char*>(data) + k * static_cast<LONG>(array->cbElements), n))
        out.integers.push_back(n);
    }
    SafeArrayUnaccessData(array);
    return out;
  }
  if (v.vt == VT_NULL) {
    out.kind = Kind::Null;
  } else if (v.vt == VT_BOOL) {
    out.kind = Kind::Boolean;
    out.boolean = v.boolVal != VARIANT_FALSE;
  } else if (v.vt == VT_BSTR) {
    out.kind = Kind::Text;
    if (v.bstrVal) out.text = Utf8FromWide(std::wstring_view(v.bstrVal, SysStringLen(v.bstrVal)));
  } else if (IntegerOf(v.vt, &v.bVal, out.integer)) {
    out.kind = Kind::Integer;
  } else if (v.vt != VT_EMPTY) {
    ScopedVariant text;  // a real number, a date: the text the system makes of it
    if (SUCCEEDED(VariantChangeType(text.Put(), const_cast<VARIANT*>(&v), 0, VT_BSTR)) && text->vt == VT_BSTR) {
      out.kind = Kind::Text;
      out.text = Utf8FromWide(std::wstring_view(text->bstrVal, SysStringLen(text->bstrVal)));
    }
  }
  return out;
}

// A property that the object lacks is left out, as the data file leaves it out.
void ReadClass(IWbemServices* services, const ClassRead& read, MachineRecord& machine) {
  ScopedComPtr<IEnumWbemClassObject> objects = disk_wmi::Query(services, "Select * From " + read.wmiClass);
  if (!objects) return;
  for (;;) {
    ScopedComPtr<IWbemClassObject> object;
    ULONG returned = 0;
    if (objects->Next(disk_wmi::kNextTimeoutMs, 1, object.Put(), &returned) != WBEM_S_NO_ERROR || !object) return;
    WmiObject& record = machine.objects.emplace_back(WmiObject{read.wmiClass, {}});
    for (const std::string& name : read.properties) {
      ScopedBstr wideName = disk_wmi::TextToBstr(name);
      ScopedVariant value;
      if (SUCCEEDED(object->Get(wideName.Get(), 0, value.Put(), nullptr, nullptr)))
        record.properties.push_back({name, ValueOf(value.Get())});
    }
  }
}

// Every control set's EDID of each monitor, as the EDID reader may read them.
void ReadMonitorEdids(MachineRecord& machine) {
  for (const WmiObject& object : machine.objects) {
    if (object.wmiClass != "Win32_DesktopMonitor") continue;
    for (const WmiProperty& p : object.properties) {
      if (p.name != "PNPDeviceID" || p.value.kind != WmiValue::Kind::Text || p.value.text.empty()) continue;
      for (const char* set :
           {"SYSTEM\\ControlSet001\\Enum\\", "SYSTEM\\ControlSet002\\Enum\\", "SYSTEM\\ControlSet003\\Enum\\"}) {
        std::string key = set + Utf8ToGbk(p.value.text) + "\\Device Parameters";
        DWORD type = 0;
        std::vector<uint8_t> bytes = ReadRegistryValue(HKEY_LOCAL_MACHINE, key, L"EDID", type);
        bool seen = false;
        for (const RegistryBinary& r : machine.registry) seen = seen || EqualsIgnoreAsciiCase(r.keyPath, key);
        if (type == REG_BINARY && !seen) machine.registry.push_back({key, "EDID", std::move(bytes)});
      }
    }
  }
}

MachineRecord ReadRecordNow() {
  MachineRecord machine;
  ScopedComPtr<IWbemServices> services = disk_wmi::ConnectWmi("root\\CIMV2");
  if (services)
    for (const ClassRead& read : DetectionClassReads()) ReadClass(services.Get(), read, machine);
  ReadMonitorEdids(machine);
  return machine;
}

// The labels of a run without a window: the last text written to each.
class CapturedLabels final : public HomePageLabels {
 public:
  void StartBatteryTimer() override {}
  void Write(std::string_view layoutName, std::string_view text) override { texts_[std::string(layoutName)] = text; }
  std::string Text(std::string_view layoutName) const {
    auto found = texts_.find(std::string(layoutName));
    return found == texts_.end() ? std::string() : found->second;
  }

 private:
  std::map<std::string, std::string> texts_;
};

PowerStatus PowerNow() {
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);  // a failure leaves the zeroed structure, as the battery row shows it
  return {raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent, static_cast<uint32_t>(raw.BatteryLifeTime)};
}

uint64_t InstalledBytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

}  // namespace

MachineRecord ReadMachineRecord(unsigned long deadlineTick) {
  DetectorResult<MachineRecord> record(ReadRecordNow);
  return record.Take(deadlineTick, [] { return MachineRecord{}; });
}

std::string DetectMachineReportJson() {
  ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
  DWORD deadline = GetTickCount() + kDetectionDeadlineMs;
  DetectorResult<MachineRecord> record(ReadRecordNow);  // beside the run, within the same deadline
  CapturedLabels labels;
  HardwareSnapshot snapshot;
  RunMachineDetection(labels, snapshot);

  MachineReport report;
  report.version = std::string(kProgramVersion);
  report.machineType = labels.Text(layout::kMachineType);
  report.windows = labels.Text(layout::kWindows);
  static constexpr std::string_view kCaptions[] = {"中央处理器", "内存", "显卡", "主板",
                                                   "显示器",     "硬盘", "网卡", "电池"};
  report.power = PowerNow();
  for (size_t k = 0; k < kSummaryRows; ++k) {
    std::string value =
        k + 1 == kSummaryRows ? BatteryText(report.power) : labels.Text(kSummaryRowLabels[k].valueLabel);
    report.rows.push_back({std::string(kCaptions[k]), std::move(value)});
  }
  report.machine = record.Take(deadline, [] { return MachineRecord{}; });
  for (const WmiObject& object : report.machine.objects) {
    if (object.wmiClass != "Win32_DesktopMonitor") continue;
    std::optional<MonitorInfo> edid;
    for (const WmiProperty& p : object.properties)
      if (p.name == "PNPDeviceID" && p.value.kind == WmiValue::Kind::Text && !p.value.text.empty())
        edid = DecodeMonitorEdid(Utf8ToGbk(p.value.text));
    report.monitorEdids.push_back(std::move(edid));
  }
  report.adapters = snapshot.adapters;
  report.installedMemoryBytes = InstalledBytes();
  report.installedMemoryText = InstalledMemoryTextFor(report.installedMemoryBytes);
  return MachineReportJson(report);
}

std::string ExportMachineDataFile() {
  ScopedComInit com = InitializeCom(COINIT_APARTMENTTHREADED);
  MachineRecord machine = ReadMachineRecord(GetTickCount() + kDetectionDeadlineMs);
  SYSTEMTIME now{};
  GetSystemTime(&now);
  std::vector<std::string> header = {
      GbkToUtf8("青岚工具箱 " + std::string(kProgramVersion) + " 导出的机器（--export-machine），" +
                FormatText("%04u-%02u-%02u %02u:%02u:%02u UTC", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                           now.wSecond)),
      GbkToUtf8("只含检测读取的 WMI 类与属性和显示器的 EDID；重放：tools/with-fake-wmi.sh 本文件 -- 命令")};
  return MachineDataFileText(machine, header);
}

}  // namespace ql
