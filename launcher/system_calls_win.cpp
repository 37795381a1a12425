// The real system calls behind the launcher's operations.
#include "launcher/system_calls_win.h"

#include <shellapi.h>

#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/task_dialog_win.h"

namespace ql {
namespace {

HANDLE ShellOpen(HWND owner, const std::wstring& file, const wchar_t* directory, int show, bool wantProcess) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No error box of the shell's own: a missing tool shows nothing.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC | (wantProcess ? SEE_MASK_NOCLOSEPROCESS : 0);
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpDirectory = directory;
  info.nShow = show;
  if (!ShellExecuteExW(&info)) return nullptr;
  return wantProcess ? info.hProcess : nullptr;
}

bool EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return false;
  ScopedHandle token(raw);
  TOKEN_PRIVILEGES tp{};
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid)) return false;
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // AdjustTokenPrivileges succeeds even when the privilege was not granted.
  if (!AdjustTokenPrivileges(token.Get(), FALSE, &tp, 0, nullptr, nullptr)) return false;
  return GetLastError() == ERROR_SUCCESS;
}

}  // namespace

SystemCalls RealSystemCalls() {
  SystemCalls c;
  c.shellOpen = [](HWND owner, const std::wstring& file, bool emptyDirectory, int show) {
    ShellOpen(owner, file, emptyDirectory ? L"" : nullptr, show, false);
  };
  c.shellOpenWaitable = [](const std::wstring& file, int show) {
    return ShellOpen(nullptr, file, nullptr, show, true);
  };
  c.terminateProcess = [](DWORD processId) {
    ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
    return process && TerminateProcess(process.Get(), 0);
  };
  c.enableShutdownPrivilege = EnableShutdownPrivilege;
  c.exitWindows = [](UINT flags) { return ExitWindowsEx(flags, 0) != FALSE; };
  c.screenOff = [](HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2); };
  c.messageBox = [](std::string_view text, std::string_view title, UINT style) {
    return MessageBoxGbk(nullptr, text, title, style | MB_TASKMODAL);
  };
  c.shellAbout = [](HWND owner, std::string_view app, std::string_view other, HICON icon) {
    ShellAboutW(owner, Wide(app).c_str(), Wide(other).c_str(), icon);
  };
  c.taskDialog = [](HWND owner, std::string_view instruction, std::string_view title, std::string_view content,
                    int buttons,
                    int icon) { return ShowTaskDialog(owner, instruction, title, content, buttons, nullptr, icon); };
  return c;
}

SystemCalls& CurrentSystemCalls() {
  static SystemCalls calls = RealSystemCalls();
  return calls;
}

void SetSystemCalls(SystemCalls calls) { CurrentSystemCalls() = std::move(calls); }

}  // namespace ql
