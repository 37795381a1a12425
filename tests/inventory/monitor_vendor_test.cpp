// The vendor table, the data file's DES decipher and its framing.
#include "inventory/monitor_vendor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include <unistd.h>

#include "inventory/des_decipher.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

std::vector<uint8_t> Hex(std::string_view hex) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return out;
}

uint8_t Reverse(uint8_t b) {
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) r = static_cast<uint8_t>(r | (((b >> i) & 1) << (7 - i)));
  return r;
}

// Published DES vectors (FIPS 81 ECB example; NBS SP 500-20 variable
// plaintext and variable key; the classic worked key). The routine under test
// reads key bytes LSB first, so it is given each standard key byte reversed.
TEST(DesDecipher, KnownAnswerVectorsThroughTheBitReversedKey) {
  struct Vector {
    const char* key;
    const char* plain;
    const char* cipher;
  };
  const Vector vectors[] = {
      {"0123456789ABCDEF", "4E6F772069732074", "3FA40E8A984D4815"},
      {"0123456789ABCDEF", "68652074696D6520", "6A271787AB8883F9"},
      {"0101010101010101", "8000000000000000", "95F8A5E5DD31D900"},
      {"0101010101010101", "4000000000000000", "DD7F121CA5015619"},
      {"8001010101010101", "0000000000000000", "95A8D72813DAA94D"},
      {"133457799BBCDFF1", "0123456789ABCDEF", "85E813540F0AB405"},
  };
  for (const Vector& v : vectors) {
    std::vector<uint8_t> key = Hex(v.key), plain = Hex(v.plain), cipher = Hex(v.cipher);
    for (uint8_t& k : key) k = Reverse(k);
    uint8_t out[8];
    DesBlockLsbFirstKey(key.data(), plain.data(), out, false);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8), cipher) << v.key << " " << v.plain;
    DesBlockLsbFirstKey(key.data(), cipher.data(), out, true);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8), plain) << v.key << " " << v.cipher;
  }
}

TEST(DesDecipher, PassPhraseKeyIsXoredInCyclically) {
  uint8_t key[8];
  DesKeyFromPassPhrase("vorkaneb", key);
  EXPECT_EQ(std::vector<uint8_t>(key, key + 8), Hex("766F726B616E6562"));
  DesKeyFromPassPhrase("ABCDEFGHIJ", key);  // I and J fold onto the first two bytes
  EXPECT_EQ(std::vector<uint8_t>(key, key + 8), Hex("0808434445464748"));
  DesKeyFromPassPhrase("", key);
  EXPECT_EQ(std::vector<uint8_t>(key, key + 8), Hex("0000000000000000"));
}

// Test-only encipher: frames the text (length, text, zero padding to 8) and
// enciphers every block with the data file's key.
std::vector<uint8_t> EncipherFramed(std::string_view text, std::string_view passPhrase, uint32_t declared,
                                    size_t extraPadding = 0) {
  std::vector<uint8_t> plain = {uint8_t(declared), uint8_t(declared >> 8), uint8_t(declared >> 16),
                                uint8_t(declared >> 24)};
  plain.insert(plain.end(), text.begin(), text.end());
  while (plain.size() % 8) plain.push_back(0);
  plain.resize(plain.size() + extraPadding, 0);
  uint8_t key[8];
  DesKeyFromPassPhrase(passPhrase, key);
  std::vector<uint8_t> cipher(plain.size());
  for (size_t at = 0; at < plain.size(); at += 8) DesBlockLsbFirstKey(key, &plain[at], &cipher[at], false);
  return cipher;
}

TEST(DesDecipher, TheSharedSampleFileDeciphersToItsTable) {
  std::filesystem::path p = std::filesystem::path(QL_TESTDATA_DIR) / "monitorid" / "MonitorID-sample.dat";
  std::ifstream in(p, std::ios::binary);
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(file.size(), 40u);
  std::vector<uint8_t> plain = DecipherData(file, kMonitorIdPassPhrase);
  EXPECT_EQ(plain, Hex("44454C3DB4F7B6FB28B2E2CAD4292044454C0D0A58595A3DB2E2CAD4B3A72058595A"));
  EXPECT_EQ(std::string(plain.begin(), plain.end()), "DEL=戴尔(测试) DEL\r\nXYZ=测试厂 XYZ");
}

TEST(DesDecipher, RoundTripOfEveryTextLength) {
  std::string text;
  for (int n = 1; n <= 40; ++n) {
    text.push_back(static_cast<char>("测试ABC="[n % 8]));
    std::vector<uint8_t> cipher = EncipherFramed(text, "vorkaneb", static_cast<uint32_t>(text.size()));
    std::vector<uint8_t> plain = DecipherData(cipher, "vorkaneb");
    EXPECT_EQ(std::string(plain.begin(), plain.end()), text) << n;
    EXPECT_NE(DecipherData(cipher, "another"), plain) << n;
  }
}

TEST(DesDecipher, FramingFailuresGiveTheEmptyResult) {
  const std::string text = "DEL=X DEL";  // 9 bytes: 4 + 9 = 13, padded to 16
  EXPECT_FALSE(DecipherData(EncipherFramed(text, "vorkaneb", 9), "vorkaneb").empty());
  std::vector<uint8_t> good = EncipherFramed(text, "vorkaneb", 9);
  std::vector<uint8_t> notMultiple(good.begin(), good.end() - 1);
  std::map<std::string, std::vector<uint8_t>> bad = {
      {"empty input", {}},
      {"length not a multiple of 8", notMultiple},
      {"n = 0", EncipherFramed(text, "vorkaneb", 0)},
      {"n larger than the data", EncipherFramed(text, "vorkaneb", 13)},
      {"n far too large", EncipherFramed(text, "vorkaneb", 0xFFFFFFFFu)},
      {"L >= n + 12 (a whole block of padding too many)", EncipherFramed(text, "vorkaneb", 9, 8)},
      {"L = n + 12 exactly", EncipherFramed("ABCD", "vorkaneb", 4, 8)},
  };
  for (const auto& [name, cipher] : bad) EXPECT_TRUE(DecipherData(cipher, "vorkaneb").empty()) << name;
  // The widest accepted frames: n = L - 4 and L = n + 11.
  EXPECT_EQ(DecipherData(EncipherFramed("ABCD", "vorkaneb", 4), "vorkaneb").size(), 4u);
  EXPECT_EQ(DecipherData(EncipherFramed("A", "vorkaneb", 1), "vorkaneb").size(), 1u);
}

// A data folder in memory: path -> file bytes.
struct FakeFiles {
  std::map<std::string, std::string> files;
  std::optional<std::string> operator()(const std::string& path) const {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return it->second;
  }
};

TEST(MonitorVendor, BuiltInTableHasItsTwentyTwoLines) {
  auto lines = SplitText(MonitorVendorTable, "\r\n");
  ASSERT_EQ(lines.size(), 22u);
  EXPECT_EQ(lines.front(), "AUO=友达 AUO");
  EXPECT_EQ(lines[10], "DEL=戴尔 DEL");
  EXPECT_EQ(lines[18], "LGD=LG LGD");
  EXPECT_EQ(lines.back(), "CPT=中华映管 CPT");
  for (const std::string& line : lines) {
    auto parts = SplitText(line, "=");
    ASSERT_EQ(parts.size(), 2u) << line;
    EXPECT_EQ(parts[0].size(), 3u);
    EXPECT_TRUE(parts[1].ends_with(" " + parts[0])) << line;  // the code follows the maker's name
  }
}

TEST(MonitorVendor, LookupRules) {
  struct Case {
    std::string_view table;
    const char* id;
    const char* expected;
  };
  const Case cases[] = {
      {MonitorVendorTable, "DELA0A4", "戴尔 DELA0A4"},
      {MonitorVendorTable, "AUO1234", "友达 AUO1234"},
      {MonitorVendorTable, "auoabcd", "auoabcd"},            // the key comparison keeps case
      {MonitorVendorTable, "AUOauo1", "友达 AUO友达 AUO1"},  // the replacement ignores it
      {MonitorVendorTable, "CPT", "中华映管 CPT"},
      {MonitorVendorTable, "XYZ1234", "XYZ1234"},
      {MonitorVendorTable, "DE", "DE"},
      {MonitorVendorTable, "", ""},
      {"DE=short\r\nDELL=long\r\nDEL=first\r\nDEL=second", "DELA", "firstA"},
      {"DEL\r\n=x\r\nDEL=y=z", "DELA", "yA"},  // a line without "=" is no match
      // A CR or "=" that is the trail byte of a two-byte character ends no line and no part.
      {"XYZ=\xB0\r\nDEL=d", "DELA", "DELA"},
      {"AUO=a\r\nDEL=\xB0=x=y", "DELA", "\xB0=xA"},
      {"", "DELA0A4", "DELA0A4"},
  };
  for (const Case& c : cases) EXPECT_EQ(LookupVendorInTable(c.table, c.id), c.expected) << c.id;
}

TEST(MonitorVendor, DataFileReplacesTheTableAndIsReadOnEveryCall) {
  FakeFiles fs;
  const std::string dataDir = "C:\\prog\\data";
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, std::cref(fs)), "戴尔 DELA0A4");

  const std::string table = "XYZ=测试厂 XYZ\r\nDEL=戴尔(新) DEL";
  std::vector<uint8_t> cipher = EncipherFramed(table, kMonitorIdPassPhrase, static_cast<uint32_t>(table.size()));
  fs.files[dataDir + "\\MonitorID.dat"] = std::string(cipher.begin(), cipher.end());
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, std::cref(fs)), "戴尔(新) DELA0A4");
  EXPECT_EQ(LookupMonitorVendor("XYZ1", dataDir, std::cref(fs)), "测试厂 XYZ1");
  EXPECT_EQ(LookupMonitorVendor("AUO1234", dataDir, std::cref(fs)), "AUO1234");  // built-in table gone

  fs.files[dataDir + "\\MonitorID.dat"] = "not a cipher text";  // present but unreadable: empty table
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, std::cref(fs)), "DELA0A4");
  fs.files.clear();
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, std::cref(fs)), "戴尔 DELA0A4");
}

// The program's paths use "\\"; this reader maps them onto the host's folders.
std::optional<std::string> ReadHostFile(const std::string& path) {
  std::string host = path;
  std::replace(host.begin(), host.end(), '\\', '/');
  std::ifstream in(host, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MonitorVendor, EncipheredFixtureWrittenToADataFolderIsReadBack) {
  // Under the test's working directory (the build tree), which is writable
  // wherever the tests were built, whatever TMPDIR says.
  std::filesystem::path dir = std::filesystem::absolute("ql_monitorid_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "data");
  const std::string table = "SAM=三星(文件) SAM\r\nBOE=京东方 BOE";
  std::vector<uint8_t> cipher = EncipherFramed(table, kMonitorIdPassPhrase, static_cast<uint32_t>(table.size()));
  {
    std::ofstream out(dir / "data" / "MonitorID.dat", std::ios::binary);
    out.write(reinterpret_cast<const char*>(cipher.data()), static_cast<std::streamsize>(cipher.size()));
  }
  std::string dataDir = (dir / "data").string();
  EXPECT_EQ(MonitorVendorTableText(dataDir, ReadHostFile), table);
  EXPECT_EQ(LookupMonitorVendor("SAM0000", dataDir, ReadHostFile), "三星(文件) SAM0000");
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, ReadHostFile), "DELA0A4");
  std::filesystem::remove_all(dir);
  EXPECT_EQ(LookupMonitorVendor("DELA0A4", dataDir, ReadHostFile), "戴尔 DELA0A4");
}

TEST(MonitorVendor, TableTextStopsAtTheFirstZeroByte) {
  FakeFiles fs;
  std::string text("DEL=A DEL\0AUO=B AUO", 19);
  std::vector<uint8_t> cipher = EncipherFramed(text, kMonitorIdPassPhrase, 19);
  fs.files["d\\MonitorID.dat"] = std::string(cipher.begin(), cipher.end());
  EXPECT_EQ(MonitorVendorTableText("d", std::cref(fs)), "DEL=A DEL");
}

}  // namespace
}  // namespace ql
