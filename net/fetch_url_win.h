// A plain GET of a web page to bytes, through the system's URL reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ql {

// The longest a fetch takes from the call to its return, whatever the network
// does: under 10 s with room for the thread switch at the end.
inline constexpr unsigned kFetchDeadlineMs = 9500;

// The most body a fetch reads: the pages are a few kilobytes; past this a
// page is taken for one without end and the fetch fails.
inline constexpr size_t kFetchBodyCeiling = 8u * 1024 * 1024;

// Follows the server's redirects to the end and returns the body; an empty
// array on any failure (no connection, a certificate error, a broken read)
// and when the page has not fully come within kFetchDeadlineMs or is longer
// than kFetchBodyCeiling. The fetch
// runs on a thread of its own; the caller waits processing its messages.
std::vector<uint8_t> FetchUrlBytes(std::string_view url);

}  // namespace ql
