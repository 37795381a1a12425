// The disk query's 23 getters over the test provider: each passes its
// property name to WMI and converts what comes back (text, integer,
// boolean). The worked example's disks carry every property with a value
// that tells it from the zero variant; the unusual machine's card reader
// has null and missing ones.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "inventory/disk_drive_query.h"
#include "platform/scoped_win.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"

namespace qltest {
namespace {

using Getter = std::function<std::string(const ql::DiskDriveQuery&, std::string_view)>;

// Each getter's result as a text: integers in decimal, the flag as true/false.
Getter Text(std::string (ql::DiskDriveQuery::*g)(std::string_view) const) {
  return [g](const ql::DiskDriveQuery& q, std::string_view d) { return (q.*g)(d); };
}
Getter Integer(int64_t (ql::DiskDriveQuery::*g)(std::string_view) const) {
  return [g](const ql::DiskDriveQuery& q, std::string_view d) { return std::to_string((q.*g)(d)); };
}
Getter Flag(bool (ql::DiskDriveQuery::*g)(std::string_view) const) {
  return [g](const ql::DiskDriveQuery& q, std::string_view d) { return std::string((q.*g)(d) ? "true" : "false"); };
}

struct GetterCase {
  const char* name;
  Getter get;
  std::vector<std::string> expected;  // one per disk of the case's list
};

void CheckGetters(const std::vector<std::string>& disks, const std::vector<GetterCase>& cases) {
  ql::DiskDriveQuery q;
  for (const GetterCase& c : cases)
    for (size_t i = 0; i < disks.size(); ++i)
      EXPECT_EQ(c.get(q, disks[i]), c.expected[i]) << c.name << " of " << disks[i];
}

using Q = ql::DiskDriveQuery;

TEST(WorkedExampleDisks, EveryGetterReadsItsPropertyAndConvertsIt) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  ql::ScopedComInit com = ql::InitializeCom();
  std::vector<std::string> disks;
  ASSERT_EQ(Q().ListDiskDriveNames(disks), 2);
  CheckGetters(disks, {
                          {"Description", Text(&Q::Description), {"磁盘驱动器", "磁盘驱动器"}},
                          {"FirmwareRevision", Text(&Q::FirmwareRevision), {"RVT04B6Q", "01.01A01"}},
                          {"Index", Integer(&Q::Index), {"0", "1"}},
                          {"InterfaceType", Text(&Q::InterfaceType), {"IDE", "IDE"}},
                          {"Manufacturer", Text(&Q::Manufacturer), {"(标准磁盘驱动器)", "(标准磁盘驱动器)"}},
                          {"MediaLoaded", Flag(&Q::MediaLoaded), {"true", "true"}},
                          {"MediaType", Text(&Q::MediaType), {"Fixed hard disk media", "Fixed hard disk media"}},
                          {"Model", Text(&Q::Model), {"Samsung SSD 860 EVO 500GB", "WDC WD10EZEX-08WN4A0"}},
                          {"Partitions", Integer(&Q::Partitions), {"3", "2"}},
                          {"PNPDeviceID",
                           Text(&Q::PNPDeviceID),
                           {"SCSI\\DISK&VEN_&PROD_SAMSUNG_SSD_860\\4&2B6A2C8C&0&000000",
                            "SCSI\\DISK&VEN_WDC&PROD_WD10EZEX-08WN4A0\\4&2B6A2C8C&0&010000"}},
                          // Numbers that the text getters turn into texts.
                          {"SCSIBus", Text(&Q::SCSIBus), {"0", "2"}},
                          {"SCSILogicalUnit", Text(&Q::SCSILogicalUnit), {"0", "1"}},
                          {"SCSIPort", Text(&Q::SCSIPort), {"0", "1"}},
                          {"SCSITargetId", Text(&Q::SCSITargetId), {"0", "3"}},
                          {"SectorsPerTrack", Integer(&Q::SectorsPerTrack), {"63", "63"}},
                          // Two ASCII spaces before, two full-width ones after.
                          {"SerialNumber", Text(&Q::SerialNumber), {"S3Z9NB0K123456", "WD-WCC3F7UJ1234"}},
                          {"Signature", Integer(&Q::Signature), {"1522451325", "-1203895296"}},
                          // 64-bit values that WMI gives as texts.
                          {"Size", Integer(&Q::Size), {"500105249280", "1000202273280"}},
                          {"TotalCylinders", Integer(&Q::TotalCylinders), {"60801", "121601"}},
                          {"TotalHeads", Integer(&Q::TotalHeads), {"255", "255"}},
                          {"TotalSectors", Integer(&Q::TotalSectors), {"976768065", "1953520065"}},
                          {"TotalTracks", Integer(&Q::TotalTracks), {"15504255", "31008255"}},
                          {"BytesPerSector", Integer(&Q::BytesPerSector), {"512", "512"}},
                      });
}

TEST(UnusualMachineDisks, NullGivesTheEmptyValueAndMissingGivesTheZeroVariant) {
  ASSERT_TRUE(UnderTestProvider("unusual-machine.txt", ""));
  ql::ScopedComInit com = ql::InitializeCom();
  std::vector<std::string> disks;
  ASSERT_EQ(Q().ListDiskDriveNames(disks), 2);
  // The card reader (null or missing properties) and a name no disk has.
  std::vector<std::string> names = {disks[1], "\\\\.\\PHYSICALDRIVE9"};
  CheckGetters(names, {
                          {"Description", Text(&Q::Description), {"Disk drive", "0"}},
                          {"FirmwareRevision", Text(&Q::FirmwareRevision), {"0", "0"}},
                          {"Index", Integer(&Q::Index), {"1", "0"}},
                          {"InterfaceType", Text(&Q::InterfaceType), {"USB", "0"}},
                          {"Manufacturer", Text(&Q::Manufacturer), {"(Standard disk drives)", "0"}},
                          {"MediaLoaded", Flag(&Q::MediaLoaded), {"false", "false"}},
                          {"MediaType", Text(&Q::MediaType), {"", "0"}},
                          {"Model", Text(&Q::Model), {"Generic- SD/MMC USB Device", "0"}},
                          {"Partitions", Integer(&Q::Partitions), {"0", "0"}},
                          {"PNPDeviceID", Text(&Q::PNPDeviceID), {"0", "0"}},
                          {"SCSIBus", Text(&Q::SCSIBus), {"0", "0"}},
                          {"SCSILogicalUnit", Text(&Q::SCSILogicalUnit), {"0", "0"}},
                          {"SCSIPort", Text(&Q::SCSIPort), {"0", "0"}},
                          {"SCSITargetId", Text(&Q::SCSITargetId), {"0", "0"}},
                          {"SectorsPerTrack", Integer(&Q::SectorsPerTrack), {"0", "0"}},
                          {"SerialNumber", Text(&Q::SerialNumber), {"", "0"}},
                          {"Signature", Integer(&Q::Signature), {"0", "0"}},
                          {"Size", Integer(&Q::Size), {"0", "0"}},
                          {"TotalCylinders", Integer(&Q::TotalCylinders), {"0", "0"}},
                          {"TotalHeads", Integer(&Q::TotalHeads), {"0", "0"}},
                          {"TotalSectors", Integer(&Q::TotalSectors), {"0", "0"}},
                          {"TotalTracks", Integer(&Q::TotalTracks), {"0", "0"}},
                          {"BytesPerSector", Integer(&Q::BytesPerSector), {"0", "0"}},
                      });
  // The first disk's size tells a real answer from the zeros above.
  EXPECT_EQ(Q().Size(disks[0]), 1199168290816);
}

}  // namespace
}  // namespace qltest
