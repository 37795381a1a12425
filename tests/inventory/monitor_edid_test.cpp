// The EDID decoder: real blocks from the shared test data, the worked example
// and the edge cases of short blocks, odd paths and odd descriptor texts.
#include "inventory/monitor_edid.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "inventory/monitor_vendor.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

std::string BuiltInVendor(std::string_view id) { return LookupVendorInTable(MonitorVendorTable, id); }

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string HexToBytes(std::string_view hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return out;
}

// The JSON files are flat and machine-written: a string value is read up to
// its closing quote, with the few escapes they use.
std::string JsonString(const std::string& json, const std::string& key, size_t from = 0) {
  size_t k = json.find("\"" + key + "\"", from);
  if (k == std::string::npos) return "<missing>";
  size_t q = json.find('"', json.find(':', k) + 1);
  std::string out;
  for (size_t i = q + 1; i < json.size() && json[i] != '"'; ++i) {
    if (json[i] == '\\' && i + 1 < json.size()) ++i;
    out.push_back(json[i]);
  }
  return out;
}

std::map<std::string, std::string> FieldMap(const MonitorInfo& m) {
  return {{"ManufacturerCode", m.ManufacturerCode},
          {"ModelText", m.ModelText},
          {"DiagonalInches", m.DiagonalInches},
          {"VendorDisplay", m.VendorDisplay},
          {"ExtraText", m.ExtraText},
          {"ManufactureDate", m.ManufactureDate},
          {"HeightCm", m.HeightCm},
          {"WidthCm", m.WidthCm},
          {"EdidVersion", m.EdidVersion},
          {"ManufacturerIdHex", m.ManufacturerIdHex},
          {"MonitorRowFragment", m.VendorDisplay + " " + m.ManufacturerCode + " " + m.ModelText + "|"}};
}

TEST(MonitorEdid, EveryRealBlockInTheTestDataDecodesToItsExpectedFields) {
  std::filesystem::path dir = std::filesystem::path(QL_TESTDATA_DIR) / "edid";
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (entry.path().extension() != ".bin") continue;
    std::filesystem::path expectedPath = entry.path();
    expectedPath.replace_extension(".expected.json");
    SCOPED_TRACE(entry.path().filename().string());
    std::string json = ReadAll(expectedPath);
    ASSERT_FALSE(json.empty());
    std::string raw = ReadAll(entry.path());
    std::vector<uint8_t> block(raw.begin(), raw.end());
    std::string path = JsonString(json, "device_path");

    MonitorInfo m = DecodeEdidBlock(path, block, BuiltInVendor);

    size_t hexStart = json.find("\"fields_gbk_hex\"");
    ASSERT_NE(hexStart, std::string::npos);
    auto actual = FieldMap(m);
    for (const auto& [name, value] : actual) EXPECT_EQ(value, HexToBytes(JsonString(json, name, hexStart))) << name;
    EXPECT_EQ(m.RawEdid, block);
    EXPECT_EQ(std::to_string(m.RawEdid.size()),
              json.substr(json.find(':', json.find("\"raw_edid_length\"")) + 2, std::to_string(block.size()).size()));
    ++cases;
  }
  EXPECT_GE(cases, 10);
}

std::vector<uint8_t> WorkedExampleBlock() {
  std::vector<uint8_t> b(128, 0);
  b[8] = 0x10;
  b[9] = 0xAC;
  b[16] = 23;
  b[17] = 25;
  b[18] = 1;
  b[19] = 4;
  b[21] = 52;
  b[22] = 29;
  const char model[] = "DELL P2414H\n ";
  for (size_t i = 0; i < 13; ++i) b[95 + i] = static_cast<uint8_t>(model[i]);
  return b;
}

TEST(MonitorEdid, TheWorkedExampleGivesEveryFieldInItsFormat) {
  std::vector<uint8_t> block = WorkedExampleBlock();
  MonitorInfo m = DecodeEdidBlock("DISPLAY\\DELA0A4\\5&2A3C4A0&0&UID4353", block, BuiltInVendor);
  EXPECT_EQ(m.ManufacturerCode, "DEL");
  EXPECT_EQ(m.ModelText, "DELL P2414H\n");
  EXPECT_EQ(m.DiagonalInches, "23.4");
  EXPECT_EQ(m.VendorDisplay, "戴尔 DELA0A4");
  EXPECT_EQ(m.ExtraText, "");
  EXPECT_EQ(m.ManufactureDate, "2015年第23周");
  EXPECT_EQ(m.HeightCm, "29");
  EXPECT_EQ(m.WidthCm, "52");
  EXPECT_EQ(m.EdidVersion, "1.4");
  EXPECT_EQ(m.ManufacturerIdHex, "10 AC");
  EXPECT_EQ(m.RawEdid, block);
  EXPECT_EQ(m.VendorDisplay + " " + m.ManufacturerCode + " " + m.ModelText + "|", "戴尔 DELA0A4 DEL DELL P2414H\n|");
}

struct EdgeCase {
  const char* name;
  const char* path;
  std::function<void(std::vector<uint8_t>&)> edit;
  const char* field;
  std::string expected;
};

std::string Field(const MonitorInfo& m, const std::string& name) { return FieldMap(m).at(name); }

TEST(MonitorEdid, EdgeCases) {
  auto setText = [](size_t at, std::string text) {
    return [at, text](std::vector<uint8_t>& b) {
      for (size_t i = 0; i < 13; ++i) b[at + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : 0;
    };
  };
  auto none = [](std::vector<uint8_t>&) {};
  const char* kPath = "DISPLAY\\DELA0A4\\1";
  const EdgeCase cases[] = {
      {"id bytes 00 00", kPath, [](auto& b) { b[8] = b[9] = 0; }, "ManufacturerCode",
       std::string(kUnknownManufacturerText)},
      {"id bytes 00 00 hex", kPath, [](auto& b) { b[8] = b[9] = 0; }, "ManufacturerIdHex", "00 00"},
      {"group 27 is no letter", kPath,
       [](auto& b) {
         b[8] = 0x6C;
         b[9] = 0x21;
       },
       "ManufacturerCode", std::string(kUnknownManufacturerText)},
      {"bit 15 is dropped", kPath, [](auto& b) { b[8] = 0x90; }, "ManufacturerCode", "DEL"},
      {"two components", "DISPLAY\\DELA0A4", none, "VendorDisplay", ""},
      {"four components", "A\\B\\C\\D", none, "VendorDisplay", ""},
      {"two components still decode", "DISPLAY\\DELA0A4", none, "ManufacturerCode", "DEL"},
      {"lower-case code does not match", "DISPLAY\\auoabcd\\1", none, "VendorDisplay", "auoabcd"},
      {"upper-case code matches", "DISPLAY\\AUO1234\\1", none, "VendorDisplay", "友达 AUO1234"},
      {"unknown maker", "DISPLAY\\XYZ1234\\1", none, "VendorDisplay", "XYZ1234"},
      {"spaces only", kPath, setText(95, std::string(13, ' ')), "ModelText", ""},
      {"zero bytes vanish", kPath,
       [](auto& b) {
         const uint8_t t[13] = {'A', 0, 'B', 0, 0, 'C', ' ', 0, 'D', 0, 0, 0, 0};
         std::copy(t, t + 13, b.begin() + 95);
       },
       "ModelText", "ABC D"},
      {"CR LF and CR go, LF stays", kPath, setText(95, "  A\r\nB\rC\n  "), "ModelText", "ABC\n"},
      {"extra text is not cleaned", kPath, setText(113, " X\r\n "), "ExtraText", " X\r\n "},
      {"53 x 30 cm", kPath,
       [](auto& b) {
         b[21] = 53;
         b[22] = 30;
       },
       "DiagonalInches", "24"},
      {"zero sizes", kPath, [](auto& b) { b[21] = b[22] = 0; }, "DiagonalInches", "0"},
      {"largest sizes", kPath, [](auto& b) { b[21] = b[22] = 255; }, "DiagonalInches", "142"},
      {"week 0 and year 255", kPath,
       [](auto& b) {
         b[16] = 0;
         b[17] = 255;
       },
       "ManufactureDate", "2245年第0周"},
      {"hex pairs keep two digits", kPath,
       [](auto& b) {
         b[8] = 0x04;
         b[9] = 0x0F;
       },
       "ManufacturerIdHex", "04 0F"},
  };
  for (const EdgeCase& c : cases) {
    std::vector<uint8_t> block = WorkedExampleBlock();
    c.edit(block);
    EXPECT_EQ(Field(DecodeEdidBlock(c.path, block, BuiltInVendor), c.field), c.expected) << c.name;
  }
}

TEST(MonitorEdid, ShortBlocksDecodeOnlyTheFieldsTheyHold) {
  std::vector<uint8_t> full = WorkedExampleBlock();
  // A 60-byte block: the header fields are there, the descriptors are not.
  std::vector<uint8_t> sixty(full.begin(), full.begin() + 60);
  MonitorInfo m = DecodeEdidBlock("DISPLAY\\DELA0A4\\1", sixty, BuiltInVendor);
  EXPECT_EQ(m.ManufacturerCode, "DEL");
  EXPECT_EQ(m.DiagonalInches, "23.4");
  EXPECT_EQ(m.EdidVersion, "1.4");
  EXPECT_EQ(m.ModelText, "");
  EXPECT_EQ(m.ExtraText, "");
  EXPECT_EQ(m.RawEdid.size(), 60u);
  // 108 bytes hold the model text but not the extra text.
  std::vector<uint8_t> b108(full.begin(), full.begin() + 108);
  EXPECT_EQ(DecodeEdidBlock("X", b108, BuiltInVendor).ModelText, "DELL P2414H\n");
  // Every length from 0 to 130 decodes without reading past the block (ASan watches).
  for (size_t n = 0; n <= 130; ++n) {
    std::vector<uint8_t> b(full.begin(), full.begin() + static_cast<ptrdiff_t>(std::min(n, full.size())));
    b.resize(n, 0x20);
    b.shrink_to_fit();
    MonitorInfo r = DecodeEdidBlock("DISPLAY\\DELA0A4\\1", b, BuiltInVendor);
    EXPECT_EQ(r.ManufacturerCode.empty(), n < 10) << n;
    EXPECT_EQ(r.VendorDisplay.empty(), n == 0) << n;
  }
}

// Registry values by key path, as the control-set walk sees them.
struct FakeRegistry {
  std::map<std::string, std::vector<uint8_t>> values;
  std::vector<std::string> reads;
  std::vector<uint8_t> operator()(const std::string& key) {
    reads.push_back(key);
    auto it = values.find(key);
    return it == values.end() ? std::vector<uint8_t>{} : it->second;
  }
};

TEST(MonitorEdid, ControlSetsAreReadInTurnWhileTheBlockIsShorterThanTen) {
  const std::string id = "DISPLAY\\DELA0A4\\5&1";
  auto key = [&](int set) {
    return "SYSTEM\\ControlSet00" + std::to_string(set) + "\\Enum\\" + id + "\\Device Parameters";
  };
  std::vector<uint8_t> full = WorkedExampleBlock();
  std::vector<uint8_t> nine(full.begin(), full.begin() + 9);

  {  // 001 complete: nothing else is read.
    FakeRegistry reg;
    reg.values[key(1)] = full;
    MonitorInfo m = DecodeMonitorEdid(id, std::ref(reg), BuiltInVendor);
    EXPECT_EQ(reg.reads, std::vector<std::string>{key(1)});
    EXPECT_EQ(m.ModelText, "DELL P2414H\n");
  }
  {  // 001 nine bytes, 002 none, 003 complete.
    FakeRegistry reg;
    reg.values[key(1)] = nine;
    reg.values[key(3)] = full;
    MonitorInfo m = DecodeMonitorEdid(id, std::ref(reg), BuiltInVendor);
    EXPECT_EQ(reg.reads, (std::vector<std::string>{key(1), key(2), key(3)}));
    EXPECT_EQ(m.ManufacturerCode, "DEL");
    EXPECT_EQ(m.RawEdid, full);
  }
  {  // 001 nine bytes, then nothing: the later empty read replaces it, all empty.
    FakeRegistry reg;
    reg.values[key(1)] = nine;
    MonitorInfo m = DecodeMonitorEdid(id, std::ref(reg), BuiltInVendor);
    EXPECT_EQ(reg.reads.size(), 3u);
    EXPECT_TRUE(m.RawEdid.empty());
    EXPECT_EQ(m.VendorDisplay, "");
    EXPECT_EQ(m.ManufactureDate, "");
  }
  {  // Only a 9-byte block anywhere: the fields it holds are decoded, the rest stay empty.
    FakeRegistry reg;
    reg.values[key(3)] = nine;
    MonitorInfo m = DecodeMonitorEdid(id, std::ref(reg), BuiltInVendor);
    EXPECT_EQ(m.RawEdid, nine);
    EXPECT_EQ(m.ManufacturerCode, "");
    EXPECT_EQ(m.ManufacturerIdHex, "");
    EXPECT_EQ(m.VendorDisplay, "戴尔 DELA0A4");
  }
}

TEST(MonitorEdid, LetterTableHasTwentySixLinesAOneToZTwentySix) {
  auto lines = SplitText(ManufacturerLetterTable, "\r\n");
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines.front(), "00001=1=A");
  EXPECT_EQ(lines[11], "01100=12=L");
  EXPECT_EQ(lines.back(), "11010=26=Z");
}

}  // namespace
}  // namespace ql
