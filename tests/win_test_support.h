// Helpers for the Windows-side tests: the real program as a child process,
// its windows found by class and owner process, their texts read back.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qltest {

// A Unix path from the build turned into a path Wine's Windows side can open.
std::wstring HostPath(const char* unixPath);
// The built program.
std::wstring ProgramPath();
// A fresh folder under the build tree (removed first if it exists).
std::wstring FreshTestFolder(const std::wstring& name);
// Copies the program into `folder` and returns the copy's path.
std::wstring CopyProgramInto(const std::wstring& folder);

// A copy of a program under its own name in `folder`, which Wine does not let
// load the given DLLs: a per-program override (the DllOverrides key under
// HKCU Software\Wine\AppDefaults\<name>), removed again when the object
// goes. DLLs that WINEDLLOVERRIDES names keep the environment's setting.
class ProgramWithoutDlls {
 public:
  ProgramWithoutDlls(const std::wstring& source, const std::wstring& folder, const std::wstring& name,
                     std::initializer_list<const wchar_t*> dlls);
  ProgramWithoutDlls(const ProgramWithoutDlls&) = delete;
  ProgramWithoutDlls& operator=(const ProgramWithoutDlls&) = delete;
  ~ProgramWithoutDlls();
  bool Ready() const { return ready_; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_, key_;
  bool ready_ = false;
};

// A started child process, ended (if still running) when the object goes.
class ChildProcess {
 public:
  // `arguments` follow the quoted program path on the command line.
  explicit ChildProcess(const std::wstring& exe, const std::wstring& workingDir = L"",
                        const std::wstring& arguments = L"");
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();
  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }
  // Waits for the end; returns the exit code, or STILL_ACTIVE on time-out.
  DWORD WaitExit(DWORD timeoutMs);
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// The top-level windows of a process with this class (any visibility).
std::vector<HWND> TopWindowsOf(DWORD processId, const wchar_t* className);
// Polls until a top-level window of that class exists (and is visible if
// asked); nullptr on time-out.
HWND WaitForTopWindow(DWORD processId, const wchar_t* className, bool visible, DWORD timeoutMs);
// Child windows (recursive) whose text is exactly `gbkText`.
std::vector<HWND> FindChildrenByText(HWND parent, const std::string& gbkText);
// A message-only window of its own class (registered on first use) whose
// messages go to `proc`: the waiting thread's window in tests of waits that
// must keep answering.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc);
// A top-level window at (0, 0) of its own class, to host controls under test.
HWND CreateHostWindow(const wchar_t* className, DWORD style, int width, int height, const wchar_t* title = L"host");
// Runs with the current directory set to `dir`, then puts it back.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::wstring& dir);
  ~CurrentDirectory();
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;
  bool ok() const { return ok_; }

 private:
  std::wstring old_;
  bool ok_ = false;
};
// The first child window (recursive) with this control id; nullptr if none.
HWND FindChildById(HWND root, int id);
// A control of the program's main window by its layout name: its id is its
// layout row's. nullptr for an unknown name or a control not built yet.
HWND FindLayoutControl(HWND main, std::string_view layoutName);
std::string TextOf(HWND hwnd);
RECT ScreenRect(HWND hwnd);
bool SameRect(const RECT& a, const RECT& b);
// Polls `condition` every 20 ms while pumping messages; false on time-out.
template <class F>
bool WaitUntil(F condition, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
}

// True under Wine (its ntdll exports wine_get_version), false on Windows.
bool RunningUnderWine();

std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const void* data, size_t size);

}  // namespace qltest
