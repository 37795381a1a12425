// One registry value read whole, of any size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace ql {

// The bytes of value `name` under `root`\`keyPath` (a GBK path) and its type.
// A missing key or value, an empty value or a failed read gives no bytes and
// the type REG_NONE.
std::vector<uint8_t> ReadRegistryValue(HKEY root, std::string_view keyPath, const wchar_t* name, DWORD& type);

}  // namespace ql
