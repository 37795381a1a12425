#include "platform/registry_win.h"

#include <algorithm>

#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {

std::vector<uint8_t> ReadRegistryValue(HKEY root, std::string_view keyPath, const wchar_t* name, DWORD& type) {
  type = REG_NONE;
  ScopedHKey key;
  if (RegOpenKeyExW(root, Wide(keyPath).c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS) return {};
  DWORD size = 0;
  DWORD found = REG_NONE;
  if (RegQueryValueExW(key.Get(), name, nullptr, &found, nullptr, &size) != ERROR_SUCCESS || size == 0) return {};
  std::vector<uint8_t> bytes(size);
  if (RegQueryValueExW(key.Get(), name, nullptr, &found, bytes.data(), &size) != ERROR_SUCCESS) return {};
  bytes.resize(std::min<size_t>(size, bytes.size()));  // the value may have shrunk between the two calls
  type = found;
  return bytes;
}

}  // namespace ql
