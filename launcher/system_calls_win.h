// The final system calls of the launcher, behind one replaceable table so
// that tests never end Explorer or the session, switch the display off, run
// the cleaning scripts or answer real message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace ql {

struct SystemCalls {
  // ShellExecute "open" without parameters; emptyDirectory passes "" as the
  // directory (otherwise none). Fails silently, shows no error box.
  std::function<void(HWND owner, const std::wstring& file, bool emptyDirectory, int show)> shellOpen;
  // The same, but hands back the started process (or nullptr) so the caller can wait.
  std::function<HANDLE(const std::wstring& file, int show)> shellOpenWaitable;
  std::function<bool(DWORD processId)> terminateProcess;
  std::function<bool()> enableShutdownPrivilege;
  std::function<bool(UINT flags)> exitWindows;
  std::function<void(HWND window)> screenOff;
  // A task-modal box without owner: returns the button pressed.
  std::function<int(std::string_view text, std::string_view title, UINT style)> messageBox;
  std::function<void(HWND owner, std::string_view app, std::string_view other, HICON icon)> shellAbout;
  std::function<int(HWND owner, std::string_view instruction, std::string_view title, std::string_view content,
                    int buttons, int icon)>
      taskDialog;
};

// The real calls.
SystemCalls RealSystemCalls();
// The table in use (the real calls until replaced).
SystemCalls& CurrentSystemCalls();
void SetSystemCalls(SystemCalls calls);

}  // namespace ql
