// Start-up phase times for the benches. With the environment variable
// QL_PHASE_LOG naming a file, the program appends one line per point of its
// start-up: the point's name and the performance counter at that moment,
// which every process of the machine reads on the same clock. Without the
// variable nothing is written and a mark costs one test of a flag.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

inline constexpr wchar_t kPhaseLogVariable[] = L"QL_PHASE_LOG";

// The points of the start-up in the order they are reached.
inline constexpr std::array<std::string_view, 15> kStartupPhases = {
    "entry",                // the process entry has begun
    "main-window-created",  // the hidden main window with its default shadow
    "splash-created",       // the splash's creation handler has returned
    "stage-1",              // each stage begins with its status text
    "splash-shown",
    "stage-2",
    "stage-3",
    "stage-4",
    "detection-done",
    "stage-5",
    "main-window-shown",    // ShowWindow of the main window has returned
    "main-window-painted",  // and its first paint is done
    "final-shadow",         // the 8-pixel shadow is installed
    "splash-destroyed",
    "topmost-cleared",  // the last step of the start-up
};

// The phase that begins with start-up stage `stage` (0 … 4).
inline constexpr std::array<std::string_view, 5> kStagePhases = {"stage-1", "stage-2", "stage-3", "stage-4", "stage-5"};

// "phase <name> <ticks>\n"
std::string FormatPhaseLine(std::string_view phase, int64_t ticks);

struct PhaseMark {
  std::string phase;
  int64_t ticks = 0;
  bool operator==(const PhaseMark&) const = default;
};
// The complete lines of a log, in file order; a line that is not one of
// ours, or the unfinished last line of a log still being written, is left out.
std::vector<PhaseMark> ParsePhaseLines(std::string_view text);

}  // namespace ql
