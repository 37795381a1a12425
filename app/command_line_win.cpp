// The command-line options: --report and --export-machine write their FILE
// through a temporary file beside it (so a reader never sees half of it), or
// the parent's console for "-"; messages go to the parent's console, or a
// message box when the program was started without one.
#include "app/command_line_win.h"

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "inventory/machine_report_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"

namespace ql {
namespace {

std::vector<std::u16string> Arguments() {
  std::vector<std::u16string> list;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return list;
  for (int k = 1; k < count; ++k) {
    std::wstring_view argument(argv[k]);
    list.emplace_back(argument.begin(), argument.end());
  }
  LocalFree(argv);
  return list;
}

// The handle a parent gave us (a redirection or its console), else the
// parent's console attached now; null when there is neither.
HANDLE ParentOutput(DWORD which) {
  HANDLE given = GetStdHandle(which);
  if (given && given != INVALID_HANDLE_VALUE && GetFileType(given) != FILE_TYPE_UNKNOWN) return given;
  static HANDLE console = [] {
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) return HANDLE(nullptr);
    HANDLE h = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    return h == INVALID_HANDLE_VALUE ? HANDLE(nullptr) : h;
  }();
  return console;
}

bool WriteAll(HANDLE h, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > (1u << 20) ? (1u << 20) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// UTF-8 bytes to a console as its characters, to a file or pipe as they are.
bool WriteUtf8(HANDLE h, std::string_view utf8) {
  DWORD mode = 0;
  if (!GetConsoleMode(h, &mode)) return WriteAll(h, utf8);
  std::wstring wide = WideFromUtf8(utf8);
  DWORD written = 0;
  return WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != FALSE;
}

void ShowMessage(const std::string& gbk) {
  if (HANDLE h = ParentOutput(STD_ERROR_HANDLE)) {
    WriteUtf8(h, Utf8FromWide(Wide(gbk)) + "\r\n");
    return;
  }
  MessageBoxGbk(nullptr, gbk, "信息：", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

// The whole text under a temporary name beside `path`, then renamed over it;
// on any failure the temporary file is removed and nothing else changes.
bool ReplaceFile(const std::wstring& path, std::string_view bytes) {
  std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  bool written = false;
  {
    ScopedHandle file(
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
  }
  if (written && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(temporary.c_str());
  return false;
}

bool WriteOutput(const std::u16string& file, std::string_view bytes) {
  if (file == u"-") {
    HANDLE h = ParentOutput(STD_OUTPUT_HANDLE);
    return h && WriteUtf8(h, bytes);
  }
  return ReplaceFile(std::wstring(file.begin(), file.end()), bytes);
}

// Detector threads that never answered (a hung WMI) must not hold the end
// up, so the process ends as the window's close does.
[[noreturn]] void EndProcess(int code) {
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(code));
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace

void HandleCommandLineOptions() {
  CommandLine line = ParseCommandLine(Arguments());
  if (line.mode == CommandMode::Window) return;
  if (line.mode == CommandMode::Bad) {
    ShowMessage(line.message);
    EndProcess(kBadCommandLineExitCode);
  }
  std::string output = line.mode == CommandMode::Report ? DetectMachineReportJson() : ExportMachineDataFile();
  if (!WriteOutput(line.file, output)) {
    ShowMessage(UnwritableFileMessage(line.file));
    EndProcess(kBadCommandLineExitCode);
  }
  EndProcess(0);
}

}  // namespace ql
