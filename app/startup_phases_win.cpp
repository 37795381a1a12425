// The phase log's writer: the file is opened once, on the first mark, and
// each line is one appending write under a lock.
#include "app/startup_phases_win.h"

#include <windows.h>

#include <mutex>

#include "app/startup_phases.h"
#include "platform/scoped_win.h"

namespace ql {
namespace {

const ScopedHandle& PhaseLog() {
  static const ScopedHandle file = [] {
    wchar_t path[MAX_PATH];
    DWORD n = GetEnvironmentVariableW(kPhaseLogVariable, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return ScopedHandle();
    return ScopedHandle(CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  }();
  return file;
}

}  // namespace

void MarkStartupPhase(std::string_view phase) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  const ScopedHandle& file = PhaseLog();
  if (!file) return;
  std::string line = FormatPhaseLine(phase, now.QuadPart);
  // Wine does not keep two threads' appends to one handle apart.
  static std::mutex order;
  std::lock_guard<std::mutex> hold(order);
  DWORD written = 0;
  WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace ql
