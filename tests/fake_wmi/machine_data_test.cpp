// The data file of the test WMI provider: every kind of line, the registry
// sections, and malformed files that must be refused whole with the number
// of their first bad line.
#include "tests/fake_wmi/machine_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fakewmi {
namespace {

// The data files are UTF-8; narrow literals here are GBK, so Chinese test
// text is written as UTF-8 literals.
std::string Utf8(std::u8string_view s) { return std::string(s.begin(), s.end()); }

TEST(MachineData, EveryKindOfLineInFileOrder) {
  ParseResult r = ParseMachineData(
      "\xEF\xBB\xBF; a machine\r\n"
      "\r\n"
      "[Win32_Processor]\r\n"
      "Name=AMD Ryzen 5 3600 6-Core Processor\r\n"
      "MaxClockSpeed:i4=3600\r\n"
      "[Win32_SystemEnclosure]\n"
      "ChassisTypes:i4[]=3, 4\n"
      "Empty:i4[]=\n"
      "ConfigManagerUserConfig:bool=FALSE\n"
      "Locked:bool=true\n"
      "PNPDeviceID:null\n"
      "Caption:esc=two\\r\\nlines\\tand \\\\ one\n"
      "Capacity=8589934592\n"
      "Formula= a=b;c \n"
      "Chinese=" +
      Utf8(u8"Microsoft Windows 10 专业版") + "\n" +
      "Negative:i4=-2147483648\n"
      "[Win32_Processor]\n"
      "Name=second");
  ASSERT_FALSE(r.error) << r.error->line << ": " << r.error->reason;
  ASSERT_EQ(r.data.objects.size(), 3u);
  EXPECT_TRUE(r.data.registryKeys.empty());

  const WmiObject& cpu = r.data.objects[0];
  EXPECT_EQ(cpu.className, "Win32_Processor");
  ASSERT_EQ(cpu.properties.size(), 2u);
  EXPECT_EQ(cpu.properties[0].name, "Name");
  EXPECT_EQ(cpu.properties[0].value.kind, ValueKind::kText);
  EXPECT_EQ(cpu.properties[0].value.text, "AMD Ryzen 5 3600 6-Core Processor");
  EXPECT_EQ(cpu.properties[1].value.kind, ValueKind::kInt32);
  EXPECT_EQ(cpu.properties[1].value.number, 3600);

  const WmiObject& box = r.data.objects[1];
  std::vector<std::string> names;
  for (const Property& p : box.properties) names.push_back(p.name);
  EXPECT_EQ(names, (std::vector<std::string>{"ChassisTypes", "Empty", "ConfigManagerUserConfig", "Locked",
                                             "PNPDeviceID", "Caption", "Capacity", "Formula", "Chinese", "Negative"}));
  EXPECT_EQ(box.Find("chassistypes")->value.kind, ValueKind::kInt32Array);
  EXPECT_EQ(box.Find("ChassisTypes")->value.numbers, (std::vector<int32_t>{3, 4}));
  EXPECT_EQ(box.Find("Empty")->value.kind, ValueKind::kInt32Array);
  EXPECT_TRUE(box.Find("Empty")->value.numbers.empty());
  EXPECT_EQ(box.Find("ConfigManagerUserConfig")->value.kind, ValueKind::kBoolean);
  EXPECT_FALSE(box.Find("ConfigManagerUserConfig")->value.flag);
  EXPECT_TRUE(box.Find("Locked")->value.flag);
  EXPECT_EQ(box.Find("PNPDeviceID")->value.kind, ValueKind::kNull);
  EXPECT_EQ(box.Find("Caption")->value.text, "two\r\nlines\tand \\ one");
  EXPECT_EQ(box.Find("Capacity")->value.kind, ValueKind::kText);
  EXPECT_EQ(box.Find("Capacity")->value.text, "8589934592");
  EXPECT_EQ(box.Find("Formula")->value.text, " a=b;c ");  // everything after the first '=', as written
  EXPECT_EQ(box.Find("Chinese")->value.text, "Microsoft Windows 10 \xE4\xB8\x93\xE4\xB8\x9A\xE7\x89\x88");
  EXPECT_EQ(box.Find("Negative")->value.number, INT32_MIN);
  EXPECT_EQ(box.Find("NoSuch"), nullptr);

  EXPECT_EQ(r.data.objects[2].Find("name")->value.text, "second");
}

TEST(MachineData, RegistrySectionsHoldBinaryAndStringValues) {
  ParseResult r = ParseMachineData(
      "[HKLM\\SYSTEM\\ControlSet001\\Enum\\DISPLAY\\DELA0A4\\5&2A3C4A0&0&UID4353\\Device Parameters]\n"
      "EDID:hex=00FFffFFFFFFFF00 10 AC\n"
      "Empty:hex=\n"
      "FriendlyName:sz=" +
      Utf8(u8"戴尔") +
      " P2414H\n"
      "[hklm\\SOFTWARE\\Test]\n"
      "A:sz=\n");
  ASSERT_FALSE(r.error) << r.error->line << ": " << r.error->reason;
  EXPECT_TRUE(r.data.objects.empty());
  ASSERT_EQ(r.data.registryKeys.size(), 2u);
  const RegistryKey& k = r.data.registryKeys[0];
  EXPECT_EQ(k.path, "SYSTEM\\ControlSet001\\Enum\\DISPLAY\\DELA0A4\\5&2A3C4A0&0&UID4353\\Device Parameters");
  ASSERT_EQ(k.values.size(), 3u);
  EXPECT_EQ(k.values[0].name, "EDID");
  EXPECT_EQ(k.values[0].kind, RegistryKind::kBinary);
  EXPECT_EQ(k.values[0].bytes, (std::vector<uint8_t>{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x10, 0xAC}));
  EXPECT_TRUE(k.values[1].bytes.empty());
  EXPECT_EQ(k.values[2].kind, RegistryKind::kString);
  EXPECT_EQ(k.values[2].text, "\xE6\x88\xB4\xE5\xB0\x94 P2414H");
  EXPECT_EQ(r.data.registryKeys[1].path, "SOFTWARE\\Test");
  EXPECT_EQ(r.data.registryKeys[1].values[0].text, "");
}

TEST(MachineData, AMalformedLineRefusesTheWholeFileAndNamesItsLine) {
  struct Case {
    const char* text;
    int line;
    const char* reasonPart;
  } cases[] = {
      {"Name=outside", 1, "before the first [section]"},
      {"; c\n[Win32_BIOS]\nName", 3, "no '='"},
      {"[Win32_BIOS]\nMaxClockSpeed:i4=3.6", 2, "not a 32-bit integer"},
      {"[Win32_BIOS]\nMaxClockSpeed:i4=2147483648", 2, "not a 32-bit integer"},
      {"[Win32_BIOS]\nMaxClockSpeed:i4=", 2, "not a 32-bit integer"},
      {"[Win32_BIOS]\nT:i4[]=3,,4", 2, "not a 32-bit integer"},
      {"[Win32_BIOS]\nT:i4[]=3,", 2, "ends with a comma"},
      {"[Win32_BIOS]\nB:bool=yes", 2, "neither true nor false"},
      {"[Win32_BIOS]\nN:null=x", 2, "takes no value"},
      {"[Win32_BIOS]\nC:esc=a\\qb", 2, "unknown escape \\q"},
      {"[Win32_BIOS]\nC:esc=ends\\", 2, "lone backslash"},
      {"[Win32_BIOS]\nC:u8=x", 2, "not a property type"},
      {"[Win32_BIOS]\nC:=x", 2, "empty type"},
      {"[Win32_BIOS]\nBad Name=x", 2, "not a property name"},
      {"[Win32_BIOS]\nName=a\r\nname=b", 3, "a second name"},
      {"[Win32_BIOS]\nEDID:hex=00FF", 2, "not a property type"},
      {"[Win 32]", 1, "not a WMI class name"},
      {"[Win32_BIOS", 1, "[Name]"},
      {"[]", 1, "[Name]"},
      {"[Win32_BIOS]\n Name=indented", 2, "not a property name"},
      {"[HKLM\\]", 1, "not a registry key path"},
      {"[HKLM\\A\\\\B]", 1, "not a registry key path"},
      {"[HKLM\\A]\nX:hex=0", 2, "odd number"},
      {"[HKLM\\A]\nX:hex=0G", 2, "not a hexadecimal byte"},
      {"[HKLM\\A]\nX=1", 2, ":hex or :sz"},
      {"[HKLM\\A]\nX:i4=1", 2, ":hex or :sz"},
      {"[HKLM\\A]\n:sz=1", 2, "without a name"},
      {"[HKLM\\A]\nX:sz=1\nx:sz=2", 3, "a second x"},
      {"[HKLM\\A]\n[hklm\\a]", 2, "a second section"},
      {"[Win32_BIOS]\nName=\xC3(", 2, "not clean UTF-8"},
      {"[Win32_BIOS]\nName=\xE4\xB8", 2, "not clean UTF-8"},
      {"[Win32_BIOS]\nName=\xC0\xAF", 2, "not clean UTF-8"},
      {"[Win32_BIOS]\nName=\xED\xA0\x80", 2, "not clean UTF-8"},
      {"[Win32_BIOS]\nName=a\x01"
       "b",
       2, "not clean UTF-8"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ParseResult r = ParseMachineData(c.text);
    ASSERT_TRUE(r.error);
    EXPECT_EQ(r.error->line, c.line);
    EXPECT_NE(r.error->reason.find(c.reasonPart), std::string::npos) << r.error->reason;
    EXPECT_TRUE(r.data.objects.empty());
    EXPECT_TRUE(r.data.registryKeys.empty());
  }
  // A NUL inside a line counts as a bad line too.
  ParseResult nul = ParseMachineData(std::string_view("[Win32_BIOS]\nName=a\0b", 22));
  ASSERT_TRUE(nul.error);
  EXPECT_EQ(nul.error->line, 2);
}

TEST(MachineData, EmptyAndCommentOnlyFilesServeNoObjects) {
  for (const char* text : {"", "; only a comment\n", "\n\n   \n\t\n", "\xEF\xBB\xBF"}) {
    ParseResult r = ParseMachineData(text);
    EXPECT_FALSE(r.error) << text;
    EXPECT_TRUE(r.data.objects.empty());
  }
}

TEST(MachineData, TheErrorLineNamesFileAndLine) {
  EXPECT_EQ(DescribeParseError("Z:\\data\\m.txt", {7, "no '=' in the line"}),
            "fake wmi: Z:\\data\\m.txt, line 7: no '=' in the line");
}

// The machines the Windows tests serve are themselves valid data files.
TEST(MachineData, TheShippedMachineFilesParse) {
  std::filesystem::path dir = std::filesystem::path(QL_TESTDATA_DIR) / "wmi";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".txt") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    ParseResult r = ParseMachineData(text);
    EXPECT_FALSE(r.error) << entry.path() << " line " << (r.error ? r.error->line : 0) << ": "
                          << (r.error ? r.error->reason : "");
    EXPECT_FALSE(r.data.objects.empty()) << entry.path();
    ++files;
  }
  EXPECT_GE(files, 2);
}

}  // namespace
}  // namespace fakewmi
