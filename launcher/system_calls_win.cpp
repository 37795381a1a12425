// The real system calls behind the launcher's operations.
#include "launcher/system_calls_win.h"

#include <shellapi.h>

#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/task_dialog_win.h"

namespace ql {
namespace {

HANDLE ShellStart(HWND owner, const std::wstring& file, const wchar_t* directory, int show, bool wantProcess) {
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

}  // namespace

void WinSystemCalls::ShellOpen(HWND owner, const std::wstring& file, bool emptyDirectory, int show) {
  ShellStart(owner, file, emptyDirectory ? L"" : nullptr, show, false);
}

HANDLE WinSystemCalls::ShellOpenWaitable(const std::wstring& file, int show) {
  return ShellStart(nullptr, file, nullptr, show, true);
}

bool WinSystemCalls::EndProcess(DWORD processId) {
  ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId));
  return process && TerminateProcess(process.Get(), 0);
}

bool WinSystemCalls::EnableShutdownPrivilege() {
  ScopedHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) return false;
  TOKEN_PRIVILEGES tp{};
  if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid)) return false;
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  // AdjustTokenPrivileges succeeds even when the privilege was not granted.
  if (!AdjustTokenPrivileges(token.Get(), FALSE, &tp, 0, nullptr, nullptr)) return false;
  return GetLastError() == ERROR_SUCCESS;
}

bool WinSystemCalls::EndWindowsSession(UINT flags) { return ExitWindowsEx(flags, 0) != FALSE; }

void WinSystemCalls::ScreenOff(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_MONITORPOWER, 2); }

void WinSystemCalls::ShowShellAbout(HWND owner, std::string_view app, std::string_view other, HICON icon) {
  ShellAboutW(owner, Wide(app).c_str(), Wide(other).c_str(), icon);
}

int WinSystemCalls::ShowHintDialog(HWND owner, std::string_view instruction, std::string_view title,
                                   std::string_view content, int buttons, int icon) {
  return ShowTaskDialog(owner, instruction, title, content, buttons, nullptr, icon);
}

}  // namespace ql
