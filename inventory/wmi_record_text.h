// The record text the WMI query scripts return: key lines "key=value" CR LF,
// multi-object blocks closed by a line "完". The text operations here cut
// records and values out of it; all are pure and never fail.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ql {

inline constexpr std::string_view kCrLf = "\r\n";

// The blocks of a record text, cut at every "完"; the piece after the last
// "完" is dropped, so an empty text (or one without "完") has no records.
std::vector<std::string> SplitRecords(std::string_view text);

// One value per record, read as TextBetween(record, key, CR LF). Never empty:
// without records it holds one empty text.
std::vector<std::string> ReadKeyPerRecord(const std::vector<std::string>& records, std::string_view key);

// The text between the first `left` and the first `right` after it; "" when
// either is missing. "#引号" in a marker stands for a double quote.
std::string TextBetween(std::string_view text, std::string_view left, std::string_view right);
// Everything after the last whole occurrence of `marker`; "" when missing.
// An empty marker returns the whole text.
std::string TextAfterLast(std::string_view text, std::string_view marker);
// Everything before the first occurrence of `marker` (ASCII case folded when
// asked); "" when missing.
std::string TextBeforeFirst(std::string_view text, std::string_view marker, bool ignoreCase);
// Drops one leading and one trailing CR LF, then every CR that begins a line
// and every LF that ends one (an empty line inside the text collapses).
// Where the regular-expression engine cannot be created the last step is
// RemoveLineEdgeBreaks, the same rule as plain text.
std::string CleanLineBreaks(std::string_view text);
std::string RemoveLineEdgeBreaks(std::string_view text);

}  // namespace ql
