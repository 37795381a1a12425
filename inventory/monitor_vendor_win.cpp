// The vendor lookup over the program's own data folder.
#include <windows.h>

#include "app/app_paths.h"
#include "inventory/monitor_vendor.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {

// nullopt when the file does not exist; an existing file that cannot be read
// counts as empty (and so deciphers to the empty table).
static std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::wstring wide = Wide(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  ScopedHandle file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return bytes;
  LARGE_INTEGER size{};
  // The real file is a few hundred bytes; anything huge is not a vendor table.
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20)) return bytes;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
  bytes.resize(read);
  return bytes;
}

std::string LookupMonitorVendor(std::string_view hardwareId) {
  return LookupMonitorVendor(hardwareId, CurrentAppPaths().dataDir, ReadWholeFile);
}

}  // namespace ql
