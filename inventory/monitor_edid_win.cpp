// The EDID value from the registry of the running system.
#include <windows.h>

#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"
#include "platform/registry_win.h"

namespace ql {

// Only a binary value counts; another type is no block at all.
static std::vector<uint8_t> ReadEdidValue(const std::string& keyPath) {
  DWORD type = REG_NONE;
  std::vector<uint8_t> block = ReadRegistryValue(HKEY_LOCAL_MACHINE, keyPath, L"EDID", type);
  return type == REG_BINARY ? block : std::vector<uint8_t>();
}

MonitorInfo DecodeMonitorEdid(std::string_view pnpDeviceId) {
  return DecodeMonitorEdid(pnpDeviceId, ReadEdidValue, [](std::string_view id) { return LookupMonitorVendor(id); });
}

}  // namespace ql
