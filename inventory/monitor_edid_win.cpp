// The EDID value from the registry of the running system.
#include <windows.h>

#include "inventory/monitor_edid.h"
#include "inventory/monitor_vendor.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {

static std::vector<uint8_t> ReadEdidValue(const std::string& keyPath) {
  ScopedHKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Wide(keyPath).c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.Get(), L"EDID", nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_BINARY ||
      size == 0)
    return {};
  std::vector<uint8_t> block(size);
  if (RegQueryValueExW(key.Get(), L"EDID", nullptr, &type, block.data(), &size) != ERROR_SUCCESS ||
      type != REG_BINARY)
    return {};
  block.resize(size);  // the value may have shrunk between the two calls
  return block;
}

MonitorInfo DecodeMonitorEdid(std::string_view pnpDeviceId) {
  return DecodeMonitorEdid(pnpDeviceId, ReadEdidValue,
                           [](std::string_view id) { return LookupMonitorVendor(id); });
}

}  // namespace ql
