// The built-in catalog of searchable tools and the search over it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql {

struct ToolEntry {
  std::string displayName;  // the caption of the tool's button
  int categoryPage = 0;     // 1..11, the tools container's page holding it
};

// The catalog as stored: two parallel texts, lines separated by CR LF.
extern const std::string_view kToolCatalogNames;
extern const std::string_view kToolCatalogPages;

// The 41 rows, split from the two texts (line i paired with line i).
std::vector<ToolEntry> ToolCatalog();

// True when `needle` occurs in `name`: ASCII letters compare without case,
// every other byte exactly, and a hit only starts on a character boundary
// (a byte of 0x80 or more begins a two-byte character). The empty needle
// matches every non-empty name.
bool ToolNameMatches(std::string_view name, std::string_view needle);

// The category page of every hit of the last search, in list order.
std::vector<int>& SearchHitPages();

// Runs a search: empties SearchHitPages, then for each catalog row that
// matches appends its page there and its name to the returned list.
std::vector<std::string> RunCatalogSearch(std::string_view needle);

}  // namespace ql
