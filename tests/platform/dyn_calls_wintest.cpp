// The table of functions looked up at run time: a function every system has
// is found and is the one the DLL exports; a name no DLL has stays null; a
// DLL the process has not loaded yet is loaded.
#include "platform/dyn_calls_win.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(DynCalls, FindsWhatTheDllExportsAndLeavesTheRestNull) {
  // Every user32 since Vista has SetProcessDPIAware; the table holds its export.
  const User32Table& user32 = User32Calls();
  ASSERT_NE(user32.SetProcessDPIAware, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(user32.SetProcessDPIAware),
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDPIAware")));
  EXPECT_EQ(FindDynCall(L"user32.dll", "QlNoSuchFunction"), nullptr);
  EXPECT_EQ(FindDynCall(L"ql_no_such_module.dll", "SetProcessDPIAware"), nullptr);
  // Whatever this system lacks stays null rather than pointing elsewhere.
  FARPROC forWindow = FindDynCall(L"user32.dll", "GetDpiForWindow");
  EXPECT_EQ(reinterpret_cast<void*>(user32.GetDpiForWindow), reinterpret_cast<void*>(forWindow));
}

TEST(DynCalls, LoadsTheDllWhenTheProcessHasNotYet) {
  // The table loads comctl32 if need be; afterwards the process has it, and
  // the table holds exactly what that DLL exports (TaskDialog or null).
  const Comctl32Table& comctl = Comctl32Calls();
  HMODULE loaded = GetModuleHandleW(L"comctl32.dll");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(comctl.TaskDialog), reinterpret_cast<void*>(GetProcAddress(loaded, "TaskDialog")));
}

}  // namespace
}  // namespace ql
