#include "inventory/machine_record.h"

#include <cstdint>
#include <initializer_list>

#include "inventory/wmi_query_script.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

void AddOnce(std::vector<std::string>& list, const std::string& name) {
  for (const std::string& existing : list)
    if (existing == name) return;
  list.push_back(name);
}

std::string ValueLine(const WmiProperty& p) {
  const WmiValue& v = p.value;
  switch (v.kind) {
    case WmiValue::Kind::Text: return TextPropertyLine(p.name, v.text);
    case WmiValue::Kind::Integer:
      // Wider numbers than VT_I4 are written as the decimal text WMI gives 64-bit values in.
      if (v.integer < INT32_MIN || v.integer > INT32_MAX) return p.name + "=" + DecimalText(v.integer);
      return p.name + ":i4=" + DecimalText(v.integer);
    case WmiValue::Kind::IntegerArray: {
      std::string line = p.name + ":i4[]=";
      for (size_t k = 0; k < v.integers.size(); ++k) {
        if (k) line += ",";
        line += DecimalText(v.integers[k]);
      }
      return line;
    }
    case WmiValue::Kind::Boolean: return p.name + (v.boolean ? ":bool=true" : ":bool=false");
    case WmiValue::Kind::Null:
    case WmiValue::Kind::Empty: break;
  }
  return p.name + ":null";
}

}  // namespace

std::string HexText(const std::vector<uint8_t>& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    out.push_back(kHex[b >> 4]);
    out.push_back(kHex[b & 0xF]);
  }
  return out;
}

const std::vector<std::string>& DiskGetterProperties() {
  static const std::vector<std::string> names = {
      "Description",  "FirmwareRevision", "Index",         "InterfaceType",  "Manufacturer",
      "MediaLoaded",  "MediaType",        "Model",         "Partitions",     "PNPDeviceID",
      "SCSIBus",      "SCSILogicalUnit",  "SCSIPort",      "SCSITargetId",   "SectorsPerTrack",
      "SerialNumber", "Signature",        "Size",          "TotalCylinders", "TotalHeads",
      "TotalSectors", "TotalTracks",      "BytesPerSector"};
  return names;
}

const std::vector<ClassRead>& DetectionClassReads() {
  static const std::vector<ClassRead> reads = [] {
    std::vector<ClassRead> list;
    for (const WmiQueryShape& shape : DetectorQueryShapes()) {
      ClassRead* read = nullptr;
      for (ClassRead& r : list)
        if (r.wmiClass == shape.wmiClass) read = &r;
      if (!read) read = &list.emplace_back(ClassRead{shape.wmiClass, {}});
      for (const RecordLine& line : shape.perObjectLines)
        for (const RecordTerm& term : line.terms)
          if (term.kind == RecordTerm::Kind::Property) AddOnce(read->properties, term.text);
    }
    ClassRead disks{"Win32_DiskDrive", {"Name"}};
    for (const std::string& name : DiskGetterProperties()) disks.properties.push_back(name);
    list.push_back(std::move(disks));
    return list;
  }();
  return reads;
}

std::string TextPropertyLine(std::string_view name, std::string_view utf8) {
  bool escape = utf8.find_first_of("\r\n\t") != std::string_view::npos;
  std::string line(name);
  line += escape ? ":esc=" : "=";
  for (char c : utf8) {
    if (escape && c == '\\') {
      line += "\\\\";
    } else if (c == '\r' || c == '\n' || c == '\t') {
      line += c == '\r' ? "\\r" : c == '\n' ? "\\n" : "\\t";
    } else {
      line.push_back(static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c);
    }
  }
  return line;
}

std::string MachineDataFileText(const MachineRecord& machine, const std::vector<std::string>& headerLines) {
  std::string out;
  // Appended piece by piece (GCC 12 warns falsely about "literal" + string).
  auto add = [&out](std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) out.append(part);
  };
  for (const std::string& line : headerLines) add({"; ", line, "\n"});
  for (const WmiObject& object : machine.objects) {
    add({"\n[", object.wmiClass, "]\n"});
    for (const WmiProperty& p : object.properties) add({ValueLine(p), "\n"});
  }
  for (const RegistryBinary& value : machine.registry)
    add({"\n[HKLM\\", GbkToUtf8(value.keyPath), "]\n", GbkToUtf8(value.valueName), ":hex=", HexText(value.bytes),
         "\n"});
  return out;
}

}  // namespace ql
