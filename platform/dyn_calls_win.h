// Functions that not every Windows version has, looked up at run time in one
// table: one X-macro list per DLL names each function, its result and its
// arguments. Each DLL's table is filled once, on first use, thread-safely;
// a function the system lacks stays null, and every caller tests for that.
//   if (auto getDpi = User32Calls().GetDpiForWindow) dpi = getDpi(window);
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace ql {

#define QL_USER32_CALLS(X)                         \
  X(GetDpiForSystem, UINT, ())                     \
  X(GetDpiForWindow, UINT, (HWND))                 \
  X(SetProcessDpiAwarenessContext, BOOL, (HANDLE)) \
  X(SetProcessDPIAware, BOOL, ())

#define QL_SHCORE_CALLS(X) X(SetProcessDpiAwareness, HRESULT, (int))

// TaskDialog exists only in version 6 of the common controls (which the
// manifest requests).
#define QL_COMCTL32_CALLS(X) \
  X(TaskDialog, HRESULT, (HWND, HINSTANCE, PCWSTR, PCWSTR, PCWSTR, TASKDIALOG_COMMON_BUTTON_FLAGS, PCWSTR, int*))

#define QL_DYN_CALL_MEMBER(name, result, arguments) result(WINAPI* name) arguments = nullptr;

struct User32Table {
  QL_USER32_CALLS(QL_DYN_CALL_MEMBER)
};
struct ShcoreTable {
  QL_SHCORE_CALLS(QL_DYN_CALL_MEMBER)
};
struct Comctl32Table {
  QL_COMCTL32_CALLS(QL_DYN_CALL_MEMBER)
};

#undef QL_DYN_CALL_MEMBER

// The DLL is taken from the process if loaded, else loaded (and kept).
const User32Table& User32Calls();
const ShcoreTable& ShcoreCalls();
const Comctl32Table& Comctl32Calls();

// The address of `name` in `module` (loaded if need be), or null: the one
// GetProcAddress of the program, shared by the tables above.
FARPROC FindDynCall(const wchar_t* module, const char* name);

}  // namespace ql
