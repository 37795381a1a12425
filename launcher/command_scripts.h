// The two command scripts the system operations write, and the small
// decisions of those operations that need no system call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// The lines of the icon-cache script (six) and of the junk-clean script (105;
// line 12 echoes `makerAddress`).
std::vector<std::string> IconCacheScriptLines();
std::vector<std::string> JunkCleanScriptLines(std::string_view makerAddress);
// A script file's bytes: GBK lines joined by CR LF, no line end after the last.
std::string ScriptFileBytes(const std::vector<std::string>& lines);

// ExitWindowsEx flags of the end-session command. mode 1 shuts down
// (power off on the NT platform, plain shutdown otherwise), 2 restarts,
// 3 logs off; anything else gives 0 (nothing to do).
inline constexpr uint32_t kEwxLogoff = 0x0, kEwxShutdown = 0x1, kEwxReboot = 0x2, kEwxForce = 0x4, kEwxPowerOff = 0x8;
uint32_t EndSessionFlags(int mode, bool force, bool ntPlatform);
bool IsEndSessionMode(int mode);

struct ProcessEntry {
  uint32_t processId = 0;
  std::string exeName;  // as the process list gives it
};

// Which process RestartExplorer ends, from the process snapshot and the
// owners of the top-level windows titled "explorer.exe": none (0) when no
// process named "explorer.exe" (any case) runs; otherwise the first window
// owner that is such a process, else the first such process of the list. A
// window owned by any other program decides nothing.
uint32_t ChooseExplorerProcess(const std::vector<ProcessEntry>& processes,
                               const std::vector<uint32_t>& windowProcessIds);

}  // namespace ql
