// The single-instance marker within one process: the second claim fails.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/single_instance_win.h"

namespace {

TEST(SingleInstance, AnExistingEventOfThatNameMeansAnotherInstance) {
  const char* key = "qinglan-test-instance";
  EXPECT_TRUE(ql::AcquireSingleInstance(key));
  EXPECT_FALSE(ql::AcquireSingleInstance(key));
}

TEST(SingleInstance, AnEventMadeByAnotherProgramAlsoCounts) {
  HANDLE other = CreateEventW(nullptr, FALSE, FALSE, L"qinglan-test-foreign");
  ASSERT_NE(other, nullptr);
  EXPECT_FALSE(ql::AcquireSingleInstance("qinglan-test-foreign"));
  CloseHandle(other);
}

}  // namespace
