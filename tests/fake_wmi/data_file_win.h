// Reading the provider's data file (both the provider and the registry tool).
#pragma once

#include <optional>
#include <string>

namespace fakewmi {

// The whole file, or nullopt when it cannot be read or exceeds 16 MiB.
std::optional<std::string> ReadDataFile(const std::wstring& path);

}  // namespace fakewmi
