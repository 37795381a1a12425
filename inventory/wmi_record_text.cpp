// Record splitting and the value-cutting text operations.
#include "inventory/wmi_record_text.h"

#include "support/gbk_text.h"
#include "support/regex_object.h"

namespace ql {

std::vector<std::string> SplitRecords(std::string_view text) {
  std::vector<std::string> pieces = SplitText(text, "完");
  pieces.pop_back();  // what follows the last "完" closes the last block
  return pieces;
}

std::vector<std::string> ReadKeyPerRecord(const std::vector<std::string>& records, std::string_view key) {
  std::vector<std::string> values(1);
  for (size_t k = 0; k < records.size(); ++k) {
    std::string value = TextBetween(records[k], key, kCrLf);
    if (k == 0)
      values[0] = std::move(value);
    else
      values.push_back(std::move(value));
  }
  return values;
}

std::string TextBetween(std::string_view text, std::string_view left, std::string_view right) {
  const std::string leftMarker = ReplaceAll(left, "#引号", "\"");
  const std::string rightMarker = ReplaceAll(right, "#引号", "\"");
  size_t at = FindText(text, leftMarker);
  if (at == std::string_view::npos) return {};
  size_t from = at + leftMarker.size();
  size_t to = FindText(text, rightMarker, from);
  if (to == std::string_view::npos) return {};
  return std::string(text.substr(from, to - from));
}

std::string TextAfterLast(std::string_view text, std::string_view marker) {
  if (marker.empty()) return std::string(text);
  size_t at = FindTextReverse(text, marker);
  if (at == std::string_view::npos) return {};
  return std::string(text.substr(at + marker.size()));
}

std::string TextBeforeFirst(std::string_view text, std::string_view marker, bool ignoreCase) {
  size_t at = FindText(text, marker, 0, ignoreCase);
  if (at == std::string_view::npos) return {};
  return std::string(text.substr(0, at));
}

std::string RemoveLineEdgeBreaks(std::string_view text) {
  auto isBreak = [](char c) { return c == '\r' || c == '\n'; };
  std::string out;
  out.reserve(text.size());
  for (size_t p = 0; p < text.size(); ++p) {
    bool lineStart = p == 0 || isBreak(text[p - 1]);
    bool lineEnd = p + 1 == text.size() || isBreak(text[p + 1]);
    if ((text[p] == '\r' && lineStart) || (text[p] == '\n' && lineEnd)) continue;
    out.push_back(text[p]);
  }
  return out;
}

std::string CleanLineBreaks(std::string_view text) {
  if (text.substr(0, 2) == kCrLf) text.remove_prefix(2);
  if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) text.remove_suffix(2);
  RegexObject re;
  // Without the VBScript regular-expression engine (a Windows without
  // VBScript) the same rule is applied as plain text.
  if (!re.Match("(?:^\\r|\\n$)", text)) return RemoveLineEdgeBreaks(text);
  return re.Replace("");
}

}  // namespace ql
