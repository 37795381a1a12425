// A plain GET of a web page to bytes, through the system's URL reader.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ql {

// Follows the server's redirects to the end and returns the body; an empty
// array on any failure (no connection, a certificate error, a broken read).
std::vector<uint8_t> FetchUrlBytes(std::string_view url);

}  // namespace ql
