// The content of the pages' read-only text boxes and the thanks list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql {

inline constexpr std::string_view kContentPrefix = "content:";
// The text of a "content:<key>" caption (CR LF between lines); other
// captions are returned unchanged.
std::string ResolveCaption(std::string_view caption);
// Rows of the thanks list, each with the four columns.
std::vector<std::vector<std::string_view>> ThanksListRows();

}  // namespace ql
