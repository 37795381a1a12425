#include "inventory/machine_report.h"

#include "inventory/disk_drive_query.h"
#include "support/json_text.h"

namespace ql {
namespace {

bool IsWideNumberText(const std::string& property) {
  static constexpr std::string_view kNames[] = {"Capacity", "Size", "TotalCylinders", "TotalSectors", "TotalTracks"};
  for (std::string_view name : kNames)
    if (property == name) return true;
  return false;
}

void WriteValue(JsonWriter& w, const WmiProperty& p) {
  const WmiValue& v = p.value;
  int64_t number = 0;
  switch (v.kind) {
    case WmiValue::Kind::Text:
      if (IsWideNumberText(p.name) && ParseDecimalInt64(v.text, number))
        w.Integer(number);
      else
        w.Utf8Text(v.text);
      return;
    case WmiValue::Kind::Integer: w.Integer(v.integer); return;
    case WmiValue::Kind::IntegerArray:
      w.BeginArray();
      for (int64_t n : v.integers) w.Integer(n);
      w.EndArray();
      return;
    case WmiValue::Kind::Boolean: w.Boolean(v.boolean); return;
    case WmiValue::Kind::Null:
    case WmiValue::Kind::Empty: w.Null(); return;
  }
}

void WriteProperties(JsonWriter& w, const WmiObject& object) {
  for (const WmiProperty& p : object.properties) {
    w.Key(p.name);
    WriteValue(w, p);
  }
}

// The objects of one class, each as an object of its properties; `extra`
// adds keys to the k-th object of the class.
template <class Extra>
void WriteClass(JsonWriter& w, const char* key, const MachineRecord& machine, const char* wmiClass, Extra extra) {
  w.Key(key);
  w.BeginArray();
  size_t k = 0;
  for (const WmiObject& object : machine.objects) {
    if (object.wmiClass != wmiClass) continue;
    w.BeginObject();
    WriteProperties(w, object);
    extra(k++, object);
    w.EndObject();
  }
  w.EndArray();
}

void WriteClass(JsonWriter& w, const char* key, const MachineRecord& machine, const char* wmiClass) {
  WriteClass(w, key, machine, wmiClass, [](size_t, const WmiObject&) {});
}

void WriteEdid(JsonWriter& w, const MonitorInfo& m) {
  w.BeginObject();
  const std::pair<const char*, const std::string*> fields[] = {{"VendorDisplay", &m.VendorDisplay},
                                                               {"ManufacturerCode", &m.ManufacturerCode},
                                                               {"ManufacturerIdHex", &m.ManufacturerIdHex},
                                                               {"ModelText", &m.ModelText},
                                                               {"ExtraText", &m.ExtraText},
                                                               {"ManufactureDate", &m.ManufactureDate},
                                                               {"EdidVersion", &m.EdidVersion},
                                                               {"DiagonalInches", &m.DiagonalInches},
                                                               {"WidthCm", &m.WidthCm},
                                                               {"HeightCm", &m.HeightCm}};
  for (const auto& [name, text] : fields) {
    w.Key(name);
    w.GbkText(*text);
  }
  w.Key("RawEdid");
  w.GbkText(HexText(m.RawEdid));
  w.EndObject();
}

const std::string* TextProperty(const WmiObject& object, std::string_view name) {
  for (const WmiProperty& p : object.properties)
    if (p.name == name && p.value.kind == WmiValue::Kind::Text) return &p.value.text;
  return nullptr;
}

void WriteAdapters(JsonWriter& w, const std::vector<NetworkAdapterInfo>& adapters) {
  w.Key("networkAdapters");
  w.BeginArray();
  for (const NetworkAdapterInfo& a : adapters) {
    w.BeginObject();
    const std::pair<const char*, const std::string*> fields[] = {{"AdapterDescription", &a.AdapterDescription},
                                                                 {"ConnectionName", &a.ConnectionName},
                                                                 {"MacAddress", &a.MacAddress},
                                                                 {"Ipv4Address", &a.Ipv4Address},
                                                                 {"SubnetMask", &a.SubnetMask},
                                                                 {"DefaultGateway", &a.DefaultGateway},
                                                                 {"DnsServer1", &a.DnsServer1},
                                                                 {"DnsServer2", &a.DnsServer2}};
    for (const auto& [name, text] : fields) {
      w.Key(name);
      w.GbkText(*text);
    }
    w.EndObject();
  }
  w.EndArray();
}

void WriteDetails(JsonWriter& w, const MachineReport& r) {
  const MachineRecord& m = r.machine;
  w.BeginObject();
  WriteClass(w, "enclosures", m, "Win32_SystemEnclosure");
  WriteClass(w, "processors", m, "Win32_Processor");
  WriteClass(w, "memoryModules", m, "Win32_PhysicalMemory");
  w.Key("installedMemory");
  w.BeginObject();
  w.Key("totalPhysicalBytes");
  w.Integer(static_cast<int64_t>(r.installedMemoryBytes));
  w.Key("text");
  w.GbkText(r.installedMemoryText);
  w.EndObject();
  WriteClass(w, "videoControllers", m, "Win32_VideoController");
  w.Key("board");
  w.BeginObject();
  WriteClass(w, "bios", m, "Win32_BIOS");
  WriteClass(w, "baseBoards", m, "Win32_BaseBoard");
  w.EndObject();
  WriteClass(w, "operatingSystems", m, "Win32_OperatingSystem");
  WriteClass(w, "monitors", m, "Win32_DesktopMonitor", [&](size_t k, const WmiObject& object) {
    const std::string* id = TextProperty(object, "PNPDeviceID");
    w.Key("hardwareId");
    w.Utf8Text(id ? MonitorHardwareId(*id) : std::string());
    w.Key("edid");
    if (k < r.monitorEdids.size() && r.monitorEdids[k])
      WriteEdid(w, *r.monitorEdids[k]);
    else
      w.Null();
  });
  WriteClass(w, "disks", m, "Win32_DiskDrive");
  WriteAdapters(w, r.adapters);
  w.Key("battery");
  w.BeginObject();
  w.Key("ACLineStatus");
  w.Integer(r.power.acLineStatus);
  w.Key("BatteryFlag");
  w.Integer(r.power.batteryFlag);
  w.Key("BatteryLifePercent");
  w.Integer(r.power.batteryLifePercent);
  w.Key("BatteryLifeTime");
  w.Integer(static_cast<int32_t>(r.power.batteryLifeTime));
  w.EndObject();
  w.EndObject();
}

}  // namespace

std::string MonitorHardwareId(std::string_view pnpDeviceId) {
  size_t first = pnpDeviceId.find('\\');
  if (first == std::string_view::npos) return {};
  std::string_view rest = pnpDeviceId.substr(first + 1);
  return std::string(rest.substr(0, rest.find('\\')));
}

std::string MachineReportJson(const MachineReport& r) {
  JsonWriter w;
  w.BeginObject();
  w.Key("version");
  w.GbkText(r.version);
  w.Key("machineType");
  w.GbkText(r.machineType);
  w.Key("windows");
  w.GbkText(r.windows);
  w.Key("rows");
  w.BeginObject();
  for (const ReportRow& row : r.rows) {
    w.Key(row.caption);
    w.GbkText(row.value);
  }
  w.EndObject();
  w.Key("details");
  WriteDetails(w, r);
  w.EndObject();
  return w.Finish();
}

}  // namespace ql
