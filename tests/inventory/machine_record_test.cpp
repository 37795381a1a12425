// The exported machine read back by the test provider's own data-file
// reader: every value form, and the odd texts, come back exactly.
#include "inventory/machine_record.h"

#include <gtest/gtest.h>

#include "tests/fake_wmi/machine_data.h"

namespace ql {
namespace {

WmiValue Text(std::string t) {
  WmiValue v;
  v.kind = WmiValue::Kind::Text;
  v.text = std::move(t);
  return v;
}
WmiValue Integer(int64_t n) {
  WmiValue v;
  v.kind = WmiValue::Kind::Integer;
  v.integer = n;
  return v;
}
WmiValue Integers(std::vector<int64_t> n) {
  WmiValue v;
  v.kind = WmiValue::Kind::IntegerArray;
  v.integers = std::move(n);
  return v;
}
WmiValue Boolean(bool b) {
  WmiValue v;
  v.kind = WmiValue::Kind::Boolean;
  v.boolean = b;
  return v;
}
WmiValue Null() {
  WmiValue v;
  v.kind = WmiValue::Kind::Null;
  return v;
}

std::string LongText() {
  std::string t;
  while (t.size() < 4096) t += "\xE9\x95\xBF\xE6\x96\x87";  // 长文 in UTF-8
  return t + "ABCD";
}

TEST(MachineDataFile, EveryValueFormAndOddTextComesBackFromTheProvidersReader) {
  MachineRecord machine;
  machine.objects.push_back(
      {"Win32_SystemEnclosure", {{"Manufacturer", Text("  LENOVO  ")}, {"ChassisTypes", Integers({3, 9, -1})}}});
  machine.objects.push_back({"Win32_SystemEnclosure", {{"Manufacturer", Null()}, {"ChassisTypes", Integers({})}}});
  machine.objects.push_back({"Win32_Processor",
                             {{"Name", Text("Line one\r\nLine two")},
                              {"Description", Text(LongText())},
                              {"Manufacturer", Text("tab\there \\ back\\slash")},
                              {"SocketDesignation", Text("C:\\plain\\path = [x] ;y")},
                              {"NumberOfCores", Boolean(false)},
                              {"DataWidth", Integer(2147483647)},
                              {"ExtClock", Integer(-2147483647 - 1)},
                              {"MaxClockSpeed", Text("")},
                              {"NumberOfLogicalProcessors", Text("\r\n")}}});
  machine.registry.push_back({"SYSTEM\\ControlSet001\\Enum\\DISPLAY\\DELA0A4\\5&2A&0&UID4353\\Device Parameters",
                              "EDID",
                              {0x00, 0xFF, 0x10, 0xAC, 0x7F, 0x80}});
  std::string text = MachineDataFileText(machine, {"exported by 1.2.3", "at 2026-12-11 14:00 UTC"});
  EXPECT_EQ(text.rfind("; exported by 1.2.3\n; at 2026-12-11 14:00 UTC\n", 0), 0u);

  fakewmi::ParseResult parsed = fakewmi::ParseMachineData(text);
  ASSERT_FALSE(parsed.error) << parsed.error->reason << " line " << parsed.error->line;
  ASSERT_EQ(parsed.data.objects.size(), machine.objects.size());
  for (size_t o = 0; o < machine.objects.size(); ++o) {
    const WmiObject& want = machine.objects[o];
    const fakewmi::WmiObject& got = parsed.data.objects[o];
    EXPECT_EQ(got.className, want.wmiClass);
    ASSERT_EQ(got.properties.size(), want.properties.size());
    for (size_t k = 0; k < want.properties.size(); ++k) {
      const WmiValue& w = want.properties[k].value;
      const fakewmi::Value& g = got.properties[k].value;
      EXPECT_EQ(got.properties[k].name, want.properties[k].name);
      switch (w.kind) {
        case WmiValue::Kind::Text:
          EXPECT_EQ(g.kind, fakewmi::ValueKind::kText);
          EXPECT_EQ(g.text, w.text);
          break;
        case WmiValue::Kind::Integer:
          EXPECT_EQ(g.kind, fakewmi::ValueKind::kInt32);
          EXPECT_EQ(g.number, w.integer);
          break;
        case WmiValue::Kind::IntegerArray:
          EXPECT_EQ(g.kind, fakewmi::ValueKind::kInt32Array);
          EXPECT_EQ(std::vector<int64_t>(g.numbers.begin(), g.numbers.end()), w.integers);
          break;
        case WmiValue::Kind::Boolean:
          EXPECT_EQ(g.kind, fakewmi::ValueKind::kBoolean);
          EXPECT_EQ(g.flag, w.boolean);
          break;
        default: EXPECT_EQ(g.kind, fakewmi::ValueKind::kNull);
      }
    }
  }
  ASSERT_EQ(parsed.data.registryKeys.size(), 1u);
  EXPECT_EQ(parsed.data.registryKeys[0].path, machine.registry[0].keyPath);
  ASSERT_EQ(parsed.data.registryKeys[0].values.size(), 1u);
  EXPECT_EQ(parsed.data.registryKeys[0].values[0].bytes, machine.registry[0].bytes);
}

TEST(MachineDataFile, ControlCharactersTheFormatCannotHoldBecomeQuestionMarks) {
  EXPECT_EQ(TextPropertyLine("Name", std::string("a\x01z\x7F", 4)), "Name=a?z?");
  EXPECT_EQ(TextPropertyLine("Name", "a\\b"), "Name=a\\b");
  EXPECT_EQ(TextPropertyLine("Name", "a\\b\n"), "Name:esc=a\\\\b\\n");
}

TEST(DetectionClassReads, NameEveryDetectorAndDiskPropertyOnceUnderItsClass) {
  const std::vector<ClassRead>& reads = DetectionClassReads();
  ASSERT_EQ(reads.size(), 9u);  // the enclosure's two scripts read one class
  EXPECT_EQ(reads[0].wmiClass, "Win32_SystemEnclosure");
  EXPECT_EQ(reads[0].properties, (std::vector<std::string>{"ChassisTypes", "Manufacturer"}));
  EXPECT_EQ(reads[7].wmiClass, "Win32_DesktopMonitor");
  EXPECT_EQ(reads[7].properties,
            (std::vector<std::string>{"ConfigManagerErrorCode", "ConfigManagerUserConfig", "PNPDeviceID"}));
  EXPECT_EQ(reads[8].wmiClass, "Win32_DiskDrive");
  EXPECT_EQ(reads[8].properties.size(), 24u);
  EXPECT_EQ(reads[8].properties.front(), "Name");
}

}  // namespace
}  // namespace ql
