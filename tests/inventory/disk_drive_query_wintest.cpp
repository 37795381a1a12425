// The disk query over the real WMI of the test prefix: the name list and
// getters as this system answers them, and the property read and its
// conversions through queries of the test's own.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "inventory/disk_drive_query.h"
#include "inventory/disk_drive_query_win.h"
#include "support/dispatch_call_win.h"
#include "platform/scoped_win.h"
#include "tests/win_test_support.h"

namespace ql {
namespace {

using qltest::RunningUnderWine;

// Wine's disks have DeviceID but no Name. Its query compares the literal
// text as written, and the DeviceID it stores has its backslashes doubled
// (\\\\.\\PHYSICALDRIVE1), so the getters' own doubling of the drive name
// selects it: a getter's query, on DeviceID instead of Name.
std::string DeviceIdQuery(const char* driveName) {
  std::string q = DiskDriveQuery().BuildDiskQuery(driveName);
  return q.replace(q.find("Name="), 5, "DeviceID=");
}
const std::string kDeviceIdQuery = DeviceIdQuery("\\\\.\\PHYSICALDRIVE1");

TEST(DiskDriveQueryWin, NameListIsEmptiedAndHoldsNoNameUnderWine) {
  DiskDriveQuery q;
  std::vector<std::string> names = {"stale"};
  int n = q.ListDiskDriveNames(names);
  EXPECT_EQ(n, static_cast<int>(names.size()));
  if (RunningUnderWine()) {
    EXPECT_EQ(n, 0);  // its Win32_DiskDrive rows carry no Name
  }
  EXPECT_EQ(q.ListDiskDriveNames(names), n);
}

TEST(DiskDriveQueryWin, GettersForAnUnknownDiskGiveTheZeroVariantConverted) {
  DiskDriveQuery q;
  for (const char* name : {"\\\\.\\PHYSICALDRIVE0", "NoSuchDisk"}) {
    if (std::string(name) != "NoSuchDisk" && !RunningUnderWine()) continue;  // a real disk elsewhere
    EXPECT_EQ(q.Model(name), "0") << name;
    EXPECT_EQ(q.SerialNumber(name), "0") << name;
    EXPECT_EQ(q.Size(name), 0) << name;
    EXPECT_EQ(q.Index(name), 0) << name;
    EXPECT_FALSE(q.MediaLoaded(name)) << name;
  }
}

TEST(DiskDriveQueryWin, PropertyReadConvertsSizeSerialAndIndex) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the DeviceID query is written for Wine's disk";
  ScopedVariant size, serial, index, model, missing;
  disk_wmi::GetDiskProperty(kDeviceIdQuery, "Size", size.Put());
  disk_wmi::GetDiskProperty(kDeviceIdQuery, "SerialNumber", serial.Put());
  disk_wmi::GetDiskProperty(kDeviceIdQuery, "index", index.Put());
  disk_wmi::GetDiskProperty(kDeviceIdQuery, "Model", model.Put());
  disk_wmi::GetDiskProperty(kDeviceIdQuery, "NoSuchProperty", missing.Put());

  ASSERT_EQ(size->vt, VT_BSTR);  // a 64-bit property arrives as a decimal text
  std::string sizeText = VariantToGbk(size.Get());
  int64_t parsed = 0;
  ASSERT_TRUE(ParseDecimalInt64(sizeText, parsed)) << sizeText;
  EXPECT_GT(parsed, int64_t{0xFFFFFFFF});
  EXPECT_EQ(disk_wmi::VariantToInteger(size.Get()), parsed);

  EXPECT_EQ(VariantToGbk(serial.Get()), "WINEHDISK");
  EXPECT_EQ(TrimSerialNumber(VariantToGbk(serial.Get())), "WINEHDISK");
  EXPECT_EQ(index->vt, VT_I4);
  EXPECT_EQ(disk_wmi::VariantToInteger(index.Get()), 1);
  EXPECT_EQ(VariantToGbk(model.Get()), "Wine Disk Drive");
  // Get fails: the working value stays VT_I4 0.
  EXPECT_EQ(missing->vt, VT_I4);
  EXPECT_EQ(VariantToGbk(missing.Get()), "0");
}

TEST(DiskDriveQueryWin, AQueryThatFailsGivesTheZeroVariant) {
  ScopedVariant v;
  disk_wmi::GetDiskProperty("Select * From NoSuchClass WHERE", "Model", v.Put());
  EXPECT_EQ(v->vt, VT_I4);
  EXPECT_EQ(v->lVal, 0);
}

TEST(DiskDriveQueryWin, WorksOnAThreadAlreadyInASingleThreadedApartment) {
  auto readModel = [](DWORD model) {
    return std::async(std::launch::async,
                      [model] {
                        ScopedComInit com = InitializeCom(model);
                        ScopedVariant v;
                        disk_wmi::GetDiskProperty(
                            RunningUnderWine() ? kDeviceIdQuery : std::string("Select * From Win32_DiskDrive"), "Model",
                            v.Put());
                        return std::make_pair(com.Get(), VariantToGbk(v.Get()));
                      })
        .get();
  };
  auto sta = readModel(COINIT_APARTMENTTHREADED);
  auto mta = readModel(COINIT_MULTITHREADED);
  EXPECT_EQ(sta.first, S_OK);
  EXPECT_EQ(sta.second, mta.second);
  EXPECT_NE(sta.second, "0");  // a real answer, not the fallback
}

// The conversions on values built by hand: null, texts, numbers, flags.
TEST(DiskDriveQueryWin, VariantConversions) {
  auto holding = [](VARTYPE type, auto set) {
    VARIANT v{};
    v.vt = type;
    set(v);
    return ScopedVariant(v);
  };
  auto bstr = [&](const wchar_t* t) { return holding(VT_BSTR, [t](VARIANT& v) { v.bstrVal = SysAllocString(t); }); };
  ScopedVariant null = holding(VT_NULL, [](VARIANT&) {});
  ScopedVariant text = bstr(L"Wine Disk Drive");
  ScopedVariant big = bstr(L"9007199254740993");
  ScopedVariant notNumber = bstr(L"abc");
  ScopedVariant real = holding(VT_R8, [](VARIANT& v) { v.dblVal = -2.9; });
  ScopedVariant flag = holding(VT_BOOL, [](VARIANT& v) { v.boolVal = VARIANT_TRUE; });
  ScopedVariant spaces = bstr(L"\x3000 S3Z9NB0K123456  ");

  EXPECT_EQ(VariantToGbk(null.Get()), "");
  EXPECT_EQ(disk_wmi::VariantToInteger(null.Get()), 0);
  EXPECT_FALSE(disk_wmi::VariantToBool(null.Get()));
  EXPECT_EQ(VariantToGbk(text.Get()), "Wine Disk Drive");
  EXPECT_EQ(disk_wmi::VariantToInteger(big.Get()), 9007199254740993);
  EXPECT_EQ(disk_wmi::VariantToInteger(notNumber.Get()), 0);
  EXPECT_EQ(disk_wmi::VariantToInteger(real.Get()), -2);
  EXPECT_EQ(VariantToGbk(real.Get()), "-2.9");
  EXPECT_TRUE(disk_wmi::VariantToBool(flag.Get()));
  EXPECT_EQ(TrimSerialNumber(VariantToGbk(spaces.Get())), "S3Z9NB0K123456");
}

}  // namespace
}  // namespace ql
