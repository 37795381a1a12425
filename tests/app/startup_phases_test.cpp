// The phase log's lines: what the program writes is what the bench reads.
#include "app/startup_phases.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ql {
namespace {

TEST(StartupPhases, EveryPhaseSurvivesTheRoundTripInOrder) {
  std::string log;
  int64_t ticks = 9'007'199'254'740'000;  // counters of a machine that has run for weeks
  for (std::string_view p : kStartupPhases) log += FormatPhaseLine(p, ticks++);
  std::vector<PhaseMark> marks = ParsePhaseLines(log);
  ASSERT_EQ(marks.size(), kStartupPhases.size());
  for (size_t i = 0; i < marks.size(); ++i) {
    EXPECT_EQ(marks[i].phase, kStartupPhases[i]);
    EXPECT_EQ(marks[i].ticks, 9'007'199'254'740'000 + int64_t(i));
  }
}

TEST(StartupPhases, StagePhasesAreStartupPhasesInStageOrder) {
  size_t last = 0;
  for (std::string_view stage : kStagePhases) {
    auto at = std::find(kStartupPhases.begin(), kStartupPhases.end(), stage);
    ASSERT_NE(at, kStartupPhases.end()) << stage;
    size_t index = size_t(at - kStartupPhases.begin());
    EXPECT_GT(index, last) << stage;
    last = index;
  }
}

TEST(StartupPhases, OnlyCompleteLinesOfOursAreRead) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<PhaseMark> marks;
  } cases[] = {
      {"empty", "", {}},
      {"a log being written: its last line is not finished",
       "phase entry 100\nphase stage-1 250\nphase stage-2 3",
       {{"entry", 100}, {"stage-1", 250}}},
      {"written with CR LF", "phase entry 7\r\nphase stage-1 8\r\n", {{"entry", 7}, {"stage-1", 8}}},
      {"lines of someone else",
       "hello\nphase\nphase  5\nphase entry\nphase entry 12x\nphase entry 9\n",
       {{"entry", 9}}},
      {"a number out of range", "phase entry 99999999999999999999\nphase stage-1 1\n", {{"stage-1", 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParsePhaseLines(c.text), c.marks) << c.name;
}

}  // namespace
}  // namespace ql
