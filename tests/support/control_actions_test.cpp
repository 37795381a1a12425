// The registry that routes layout controls to their subsystem's handler.
#include "support/control_actions.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(ControlActions, RegisteredKeysRunAndUnknownKeysReportFalse) {
  ClearControlActions();
  int copies = 0;
  RegisterControlAction("一键复制", [&] { ++copies; });
  EXPECT_TRUE(RunControlAction("一键复制"));
  EXPECT_FALSE(RunControlAction("page8:112,48"));
  EXPECT_EQ(copies, 1);
  // Registering again replaces; an action may register others while running.
  RegisterControlAction("一键复制", [&] {
    copies += 10;
    RegisterControlAction("page8:112,48", [] {});
  });
  EXPECT_TRUE(RunControlAction("一键复制"));
  EXPECT_EQ(copies, 11);
  EXPECT_TRUE(HasControlAction("page8:112,48"));
  ClearControlActions();
}

}  // namespace
}  // namespace ql
