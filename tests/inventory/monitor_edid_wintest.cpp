// The EDID decoder over the real registry of the test prefix, and the vendor
// table replaced by a MonitorID.dat in the data folder beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_paths.h"
#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"
#include "platform/win_text.h"
#include "tests/win_test_support.h"

namespace ql {
namespace {

// A made-up maker code, so the vendor text is the ID itself whichever table
// is in force while other tests run beside this one.
const std::string kHardwareId = "QLT2009";
const std::string kInstance = "5&2A3C4A0&0&UID" + std::to_string(GetCurrentProcessId());
const std::string kDeviceId = "DISPLAY\\" + kHardwareId + "\\" + kInstance;

std::wstring DeviceKey(int set) {
  return Wide("SYSTEM\\ControlSet00" + std::to_string(set) + "\\Enum\\" + kDeviceId + "\\Device Parameters");
}

void WriteValue(int set, DWORD type, const std::vector<uint8_t>& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(
      RegCreateKeyExW(HKEY_LOCAL_MACHINE, DeviceKey(set).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
      ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, L"EDID", 0, type, bytes.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
  RegCloseKey(key);
}

class RegistryEdid : public testing::Test {
 protected:
  void TearDown() override {
    for (int set = 1; set <= 3; ++set)
      RegDeleteTreeW(HKEY_LOCAL_MACHINE,
                     Wide("SYSTEM\\ControlSet00" + std::to_string(set) + "\\Enum\\DISPLAY\\" + kHardwareId).c_str());
  }
  static std::vector<uint8_t> RealBlock() {
    return qltest::ReadFileBytes(qltest::HostPath(QL_TESTDATA_DIR "/edid/DEL2009-A83D458C3AE3.bin"));
  }
};

TEST_F(RegistryEdid, BlockInControlSet001IsReadAndDecoded) {
  std::vector<uint8_t> block = RealBlock();
  ASSERT_EQ(block.size(), 256u);
  WriteValue(1, REG_BINARY, block);
  MonitorInfo m = DecodeMonitorEdid(kDeviceId);
  EXPECT_EQ(m.RawEdid, block);
  EXPECT_EQ(m.ManufacturerCode, "DEL");
  EXPECT_EQ(m.ModelText, "E2219HN\n");
  EXPECT_EQ(m.DiagonalInches, "21.7");
  EXPECT_EQ(m.ManufactureDate, "2020年第11周");
  EXPECT_EQ(m.ManufacturerIdHex, "10 AC");
  EXPECT_EQ(m.VendorDisplay, kHardwareId);
}

TEST_F(RegistryEdid, ShortAndMistypedValuesFallBackToTheNextControlSet) {
  std::vector<uint8_t> block = RealBlock();
  // 001: nine bytes; 002: a full block of another year, but stored as text;
  // 003: the block.
  std::vector<uint8_t> asText = block;
  asText[17] = 0;
  WriteValue(1, REG_BINARY, std::vector<uint8_t>(block.begin(), block.begin() + 9));
  WriteValue(2, REG_SZ, asText);
  WriteValue(3, REG_BINARY, block);
  MonitorInfo m = DecodeMonitorEdid(kDeviceId);
  EXPECT_EQ(m.RawEdid, block);
  EXPECT_EQ(m.ManufactureDate, "2020年第11周");
  EXPECT_EQ(m.EdidVersion, "1.3");

  // A full block in 001 wins even when the later sets hold other blocks.
  WriteValue(1, REG_BINARY, asText);
  EXPECT_EQ(DecodeMonitorEdid(kDeviceId).ManufactureDate, "1990年第11周");
}

TEST_F(RegistryEdid, NoUsableValueGivesAnAllEmptyRecord) {
  std::vector<uint8_t> block = RealBlock();
  WriteValue(1, REG_BINARY, std::vector<uint8_t>(block.begin(), block.begin() + 9));
  WriteValue(2, REG_DWORD, {1, 0, 0, 0});
  MonitorInfo m = DecodeMonitorEdid(kDeviceId);
  EXPECT_TRUE(m.RawEdid.empty());
  EXPECT_EQ(m.VendorDisplay + " " + m.ManufacturerCode + " " + m.ModelText + "|", "  |");
  MonitorInfo none = DecodeMonitorEdid("DISPLAY\\NOPE000\\missing");
  EXPECT_TRUE(none.RawEdid.empty());
  EXPECT_EQ(none.ManufacturerCode, "");
}

// The data folder of the running program is the test program's own.
class DataFolderTable : public testing::Test {
 protected:
  void SetUp() override {
    dataDir_ = Wide(CurrentAppPaths().dataDir);
    file_ = dataDir_ + L"\\MonitorID.dat";
    DeleteFileW(file_.c_str());
  }
  void TearDown() override {
    DeleteFileW(file_.c_str());
    RemoveDirectoryW(dataDir_.c_str());
  }
  std::wstring dataDir_, file_;
};

TEST_F(DataFolderTable, MonitorIdFileReplacesTheTableOnTheNextLookup) {
  EXPECT_EQ(LookupMonitorVendor("DELA0A4"), "戴尔 DELA0A4");
  EXPECT_EQ(LookupMonitorVendor("AUO1234"), "友达 AUO1234");

  std::vector<uint8_t> sample =
      qltest::ReadFileBytes(qltest::HostPath(QL_TESTDATA_DIR "/monitorid/MonitorID-sample.dat"));
  ASSERT_EQ(sample.size(), 40u);
  CreateDirectoryW(dataDir_.c_str(), nullptr);
  ASSERT_TRUE(qltest::WriteFileBytes(file_, sample.data(), sample.size()));
  EXPECT_EQ(LookupMonitorVendor("DELA0A4"), "戴尔(测试) DELA0A4");
  EXPECT_EQ(LookupMonitorVendor("DEL2009"), "戴尔(测试) DEL2009");
  EXPECT_EQ(LookupMonitorVendor("XYZ1234"), "测试厂 XYZ1234");
  EXPECT_EQ(LookupMonitorVendor("AUO1234"), "AUO1234");
  EXPECT_EQ(LookupMonitorVendor("SAM0000"), "SAM0000");

  const char garbage[] = "this is not a cipher text";  // present but unreadable: the empty table
  ASSERT_TRUE(qltest::WriteFileBytes(file_, garbage, sizeof garbage - 1));
  EXPECT_EQ(LookupMonitorVendor("DELA0A4"), "DELA0A4");

  DeleteFileW(file_.c_str());
  EXPECT_EQ(LookupMonitorVendor("DELA0A4"), "戴尔 DELA0A4");
}

}  // namespace
}  // namespace ql
