#include "app/startup_phases.h"

#include <charconv>

namespace ql {

std::string FormatPhaseLine(std::string_view phase, int64_t ticks) {
  std::string line = "phase ";
  line += phase;
  line += ' ';
  line += std::to_string(ticks);
  line += '\n';
  return line;
}

std::vector<PhaseMark> ParsePhaseLines(std::string_view text) {
  constexpr std::string_view kPrefix = "phase ";
  std::vector<PhaseMark> marks;
  for (size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, kPrefix.size()) != kPrefix) continue;
    line.remove_prefix(kPrefix.size());
    size_t space = line.rfind(' ');
    if (space == std::string_view::npos || space == 0) continue;
    std::string_view number = line.substr(space + 1);
    int64_t ticks = 0;
    auto [rest, error] = std::from_chars(number.data(), number.data() + number.size(), ticks);
    if (error != std::errc() || rest != number.data() + number.size() || number.empty()) continue;
    marks.push_back({std::string(line.substr(0, space)), ticks});
  }
  return marks;
}

}  // namespace ql
