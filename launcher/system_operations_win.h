// The one-click system operations of the group "系统功能" and the hint behind
// "工具无法打开？". All run on the UI thread as click handlers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "launcher/tools_layout.h"

namespace ql {

void RestartExplorer();
void RebuildIconCache();
void ShowWindowsAbout();
void RunDiskCleanup();
void RunJunkCleanScript();
void TurnScreenOff();
void OpenRegistryEditor();
void ShutDownSystem();
void RestartSystem();
void LogOffUser();
void ExplainToolStartFailure();
void RunSystemOperation(SystemOperation operation);

// The shutdown command: enables the shutdown privilege, then ExitWindowsEx
// with the flags of `mode` (1 shut down, 2 restart, 3 log off). False when
// the privilege cannot be enabled or the call fails.
bool EndSession(int mode, bool force);

// The longest RebuildIconCache waits for the command interpreter before it
// removes the script.
inline constexpr unsigned kIconScriptWaitMs = 15000;

// RebuildIconCache with its script and folder given: writes `lines` to
// binDir + "\清理图标缓存.bat", starts it, starts Explorer, waits for the
// script's interpreter (bounded) and deletes the script. A script that
// cannot be written is not started.
void RebuildIconCacheWith(std::string_view binDir, const std::vector<std::string>& lines);

// Writes the bytes to the file (replacing it); false on any failure, and a
// partly written file is removed.
bool WriteScriptFile(std::string_view gbkPath, const std::string& bytes);

}  // namespace ql
