// The final system calls of the launcher, behind one interface so that tests
// never end Explorer or the session, switch the display off, run the
// cleaning scripts or show the system's dialogs. Message boxes and links go
// through UserPrompts.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ql {

class SystemCalls {
 public:
  virtual ~SystemCalls() = default;
  // ShellExecute "open" without parameters; emptyDirectory passes "" as the
  // directory (otherwise none). Fails silently, shows no error box.
  virtual void ShellOpen(HWND owner, const std::wstring& file, bool emptyDirectory, int show) = 0;
  // The same, but hands back the started process (or nullptr) so the caller
  // can wait; the caller closes the handle.
  virtual HANDLE ShellOpenWaitable(const std::wstring& file, int show) = 0;
  virtual bool EndProcess(DWORD processId) = 0;
  virtual bool EnableShutdownPrivilege() = 0;
  // ExitWindowsEx with these flags.
  virtual bool EndWindowsSession(UINT flags) = 0;
  // SC_MONITORPOWER (off) sent to `window`.
  virtual void ScreenOff(HWND window) = 0;
  virtual void ShowShellAbout(HWND owner, std::string_view app, std::string_view other, HICON icon) = 0;
  // A task dialog; returns the button pressed.
  virtual int ShowHintDialog(HWND owner, std::string_view instruction, std::string_view title, std::string_view content,
                             int buttons, int icon) = 0;
};

// The real calls.
class WinSystemCalls final : public SystemCalls {
 public:
  void ShellOpen(HWND owner, const std::wstring& file, bool emptyDirectory, int show) override;
  HANDLE ShellOpenWaitable(const std::wstring& file, int show) override;
  bool EndProcess(DWORD processId) override;
  bool EnableShutdownPrivilege() override;
  bool EndWindowsSession(UINT flags) override;
  void ScreenOff(HWND window) override;
  void ShowShellAbout(HWND owner, std::string_view app, std::string_view other, HICON icon) override;
  int ShowHintDialog(HWND owner, std::string_view instruction, std::string_view title, std::string_view content,
                     int buttons, int icon) override;
};

}  // namespace ql
