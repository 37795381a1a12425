// libFuzzer target for the record text of the WMI query scripts: the input is
// the text GetA() returned (the seeds are such texts, GBK, byte for byte).
// The text operations run with the detectors' markers and with markers cut
// from the text itself, and a whole detection run reads it through a script
// host that answers each of its scripts with this text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/detection_run.h"
#include "inventory/memory_detectors.h"
#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"
#include "inventory/script_host.h"
#include "inventory/system_detectors.h"
#include "inventory/wmi_record_text.h"
#include "support/gbk_text.h"

namespace {

// Every script evaluates to the same text; a number result is the text's
// first eight bytes as a double (NaN, infinities and huge values included).
class SameTextHosts : public ql::ScriptHostFactory {
 public:
  explicit SameTextHosts(std::string_view text) : text_(text) {}
  std::unique_ptr<ql::ScriptHost> OpenHost() override { return std::make_unique<Host>(text_); }

 private:
  class Host : public ql::ScriptHost {
   public:
    explicit Host(std::string_view text) : text_(text) {}
    std::string EvaluateText(std::string_view) override { return std::string(text_); }
    double EvaluateFirstNumber(std::string_view) override {
      double number = 0;
      std::memcpy(&number, text_.data(), std::min(sizeof number, text_.size()));
      return number;
    }
    std::string EvaluateAgain(std::string_view script) override { return EvaluateText(script); }

   private:
    std::string_view text_;
  };
  std::string_view text_;
};

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

// A value is cut out of the text: never longer than what follows the marker
// (in which "#引号" stands for one double quote).
void CutWithMarker(std::string_view text, std::string_view marker) {
  size_t markerBytes = ql::ReplaceAll(marker, "#引号", "\"").size();
  std::string line = ql::TextBetween(text, marker, ql::kCrLf);
  Require(line.empty() || line.size() + markerBytes + 2 <= text.size());
  std::string between = ql::TextBetween(text, marker, marker);
  Require(between.empty() || between.size() + 2 * markerBytes <= text.size());
  std::string after = ql::TextAfterLast(text, marker);
  Require(text.ends_with(after));
  std::string before = ql::TextBeforeFirst(text, marker, true);
  Require(text.starts_with(before));
  Require(text.starts_with(ql::TextBeforeFirst(text, marker, false)));
}

// The operations themselves: records, per-key values and every cut, with
// the keys of the first lines and a few fixed markers.
void CutRecordText(std::string_view text) {
  std::vector<std::string> records = ql::SplitRecords(text);
  // The records and their closing "完"s are the text, less what follows the last one.
  size_t covered = 0;
  for (const std::string& record : records) covered += record.size() + std::string_view("完").size();
  Require(covered <= text.size());
  for (std::string_view key : {"型号=", "#引号"})
    Require(ql::ReadKeyPerRecord(records, key).size() == std::max<size_t>(1, records.size()));

  size_t lineStart = 0;
  for (int line = 0; line < 3 && lineStart < text.size(); ++line) {
    std::string_view rest = text.substr(lineStart);
    size_t equals = rest.find('=');
    size_t end = rest.find("\r\n");
    if (equals != std::string_view::npos && equals < end) CutWithMarker(text, rest.substr(0, equals + 1));
    if (end == std::string_view::npos) break;
    lineStart += end + 2;
  }
  for (std::string_view marker : {"", "=", "#引号"}) CutWithMarker(text, marker);
  (void)ql::CleanLineBreaks(text);
}

// A detection run whose every script is answered with the text. A monitor's
// registry block is its device ID's own bytes (the IDs come from the text).
class RecordTextSources : public ql::DetectionSources {
 public:
  explicit RecordTextSources(std::string_view text) : hosts_(text) {}
  ql::MachineTypeInfo MachineType() override { return ql::DetectMachineType(hosts_); }
  ql::ProcessorRecords Processors() override { return ql::DetectProcessors(hosts_); }
  ql::BoardInfo Board() override { return ql::DetectBoard(hosts_); }
  ql::MonitorDeviceList MonitorDevices() override { return ql::DetectMonitorDevices(hosts_); }
  std::vector<std::string> DiskNames() override { return {}; }
  std::vector<ql::NetworkAdapterInfo> NetworkAdapters() override { return {}; }
  ql::VideoControllerList VideoControllers() override { return ql::DetectVideoControllers(hosts_); }
  ql::MemoryInventory Memory() override { return ql::DetectMemory(hosts_); }
  std::string OperatingSystemSummary() override { return ql::DescribeOperatingSystem(hosts_); }
  std::string InstalledMemoryText() override { return "16GB"; }
  ql::MonitorInfo DecodeMonitor(std::string_view pnpDeviceId) override {
    return ql::DecodeMonitorEdid(
        pnpDeviceId, [&](const std::string&) { return std::vector<uint8_t>(pnpDeviceId.begin(), pnpDeviceId.end()); },
        [](std::string_view id) { return ql::LookupVendorInTable(ql::MonitorVendorTable, id); });
  }
  std::string DiskModel(std::string_view) override { return {}; }

 private:
  SameTextHosts hosts_;
};

class IgnoredLabels : public ql::HomePageLabels {
 public:
  void StartBatteryTimer() override {}
  void Write(std::string_view, std::string_view) override {}
};

void RunDetectors(std::string_view text) {
  RecordTextSources sources(text);
  IgnoredLabels labels;
  ql::HardwareSnapshot snapshot;
  ql::RunDetection(sources, labels, snapshot);
  Require(snapshot.rowTexts.size() == 9);
  Require(snapshot.machineType.manufacturer == text);
  const ql::ProcessorRecords& cpu = snapshot.processors;
  Require(cpu.names.size() == cpu.descriptions.size() && !cpu.names.empty());
  // The board text is cut from two evaluations joined.
  Require(snapshot.board.biosManufacturer.size() <= 2 * text.size() &&
          snapshot.board.boardProduct.size() <= 2 * text.size());
  const ql::MemoryInventory& memory = snapshot.memory;
  Require(memory.capacities.size() == memory.speeds.size() && memory.speeds.size() == memory.manufacturers.size());
  Require(memory.totalCapacityBytes >= 0);
  Require(!snapshot.videoControllers.names.empty() && !snapshot.monitorDevices.pnpDeviceIds.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  CutRecordText(text);
  RunDetectors(text);
  // Where the build's literals are UTF-8 (clang has no GBK execution
  // charset) the detectors' Chinese keys match only UTF-8 text: the GBK text
  // goes through them once more as UTF-8 so those keys are found there too.
  if (std::string_view("完").size() == 3) RunDetectors(ql::GbkToUtf8(text));
  return 0;
}
