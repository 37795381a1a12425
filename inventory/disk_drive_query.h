// The physical disks read straight through the WMI COM interfaces
// (Win32_DiskDrive). Every getter runs a whole cycle of its own: COM set-up,
// connection, one query for one disk selected by its Name, release. Nothing
// is cached between calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

class DiskDriveQuery {
 public:
  // "Select * From Win32_DiskDrive WHERE Name='<name>'" with every "\" of the
  // name doubled; quotes are not escaped.
  std::string BuildDiskQuery(std::string_view driveName) const;
  // The list is emptied, then receives each disk's Name in WMI's order.
  int ListDiskDriveNames(std::vector<std::string>& names) const;

  // The getters (Windows only). With WMI unavailable or no matching disk a
  // text getter gives "0", an integer getter 0 and the boolean getter false;
  // a property WMI reports as null gives "", 0 or false.
  std::string Description(std::string_view driveName) const;
  std::string FirmwareRevision(std::string_view driveName) const;
  int64_t Index(std::string_view driveName) const;
  std::string InterfaceType(std::string_view driveName) const;
  std::string Manufacturer(std::string_view driveName) const;
  bool MediaLoaded(std::string_view driveName) const;
  std::string MediaType(std::string_view driveName) const;
  std::string Model(std::string_view driveName) const;
  int64_t Partitions(std::string_view driveName) const;
  std::string PNPDeviceID(std::string_view driveName) const;
  std::string SCSIBus(std::string_view driveName) const;
  std::string SCSILogicalUnit(std::string_view driveName) const;
  std::string SCSIPort(std::string_view driveName) const;
  std::string SCSITargetId(std::string_view driveName) const;
  int64_t SectorsPerTrack(std::string_view driveName) const;
  std::string SerialNumber(std::string_view driveName) const;
  int64_t Signature(std::string_view driveName) const;
  int64_t Size(std::string_view driveName) const;
  int64_t TotalCylinders(std::string_view driveName) const;
  int64_t TotalHeads(std::string_view driveName) const;
  int64_t TotalSectors(std::string_view driveName) const;
  int64_t TotalTracks(std::string_view driveName) const;
  int64_t BytesPerSector(std::string_view driveName) const;
};

// Leading and trailing ASCII spaces and GBK full-width spaces (A1 A1) removed;
// a full-width space counts only where a character begins.
std::string TrimSerialNumber(std::string_view serial);
// A plain decimal integer text ("82252800000", "-5", surrounding spaces
// allowed) parsed exactly; false for anything else or out of 64-bit range.
bool ParseDecimalInt64(std::string_view text, int64_t& value);
// A double truncated toward zero; NaN gives 0, out-of-range values saturate.
int64_t TruncateToInt64(double value);

}  // namespace ql
