// The system operations. Every final call (shell, process end, session end,
// display, dialogs) goes through SystemCalls, every box through UserPrompts.
#include "launcher/system_operations_win.h"

#include <windows.h>
// After windows.h: it needs its types.
#include <shellapi.h>
#include <tlhelp32.h>

#include "launcher/command_scripts.h"
#include "platform/pumping_wait_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/reentry_guard.h"
#include "support/task_dialog_win.h"
#include "support/web_address.h"
#include "support/web_addresses.h"

namespace ql {
namespace {

// Line 12 of C.bat echoes this address: cmd.exe must take it as plain text.
constexpr std::string_view kJunkScriptMakerAddress = web::kMakerHomePage;
static_assert(!HasCommandSpecialCharacter(kJunkScriptMakerAddress), "C.bat would run part of the maker's address");

std::vector<ProcessEntry> ProcessList() {
  std::vector<ProcessEntry> list;
  ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snap) return list;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32FirstW(snap.Get(), &entry); ok; ok = Process32NextW(snap.Get(), &entry))
    list.push_back({entry.th32ProcessID, Gbk(entry.szExeFile)});
  return list;
}

}  // namespace

bool WriteScriptFile(std::string_view gbkPath, const std::string& bytes) {
  std::wstring path = Wide(gbkPath);
  bool ok;
  {
    ScopedHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD wrote = 0;
    ok =
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) && wrote == bytes.size();
  }
  if (!ok) DeleteFileW(path.c_str());
  return ok;
}

void SystemOperations::AskThenEndSession(std::string_view question, int mode) {
  if (prompts_.ShowMessageBox(question, kMessageBoxTitle, MB_YESNO) == IDYES) EndSession(mode, true);
}

void SystemOperations::RestartExplorer() {
  // The box first: Explorer ends only after the user has closed it.
  prompts_.ShowMessageBox("重启资源管理器成功", kMessageBoxTitle, MB_OK);
  // Every top-level window titled "explorer.exe": any program may own one,
  // so the choice looks at the owner's executable.
  std::vector<uint32_t> windowPids;
  for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, L"explorer.exe"); w;
       w = FindWindowExW(nullptr, w, nullptr, L"explorer.exe")) {
    DWORD pid = 0;
    if (GetWindowThreadProcessId(w, &pid) && pid) windowPids.push_back(pid);
  }
  if (uint32_t pid = ChooseExplorerProcess(ProcessList(), windowPids)) calls_.EndProcess(pid);
}

void SystemOperations::RebuildIconCacheWith(std::string_view binDir, const std::vector<std::string>& lines) {
  // The wait below answers the window's messages, clicks among them: a
  // second click while the script runs does nothing.
  ReentryGuard busy(iconCacheBusy_);
  if (!busy.Entered()) return;
  std::string path = std::string(binDir) + "\\清理图标缓存.bat";
  if (!WriteScriptFile(path, ScriptFileBytes(lines))) {
    // Never start an older script left in its place.
    DeleteFileW(Wide(path).c_str());
    return;
  }
  ScopedHandle interpreter(calls_.ShellOpenWaitable(Wide(path), SW_SHOW));
  launcher_.LaunchFile("C:\\Windows\\explorer.exe", LaunchMode::Show);
  // The interpreter reads the script while it runs: remove it only once it
  // has ended, or after a bounded wait in which the window keeps answering.
  if (interpreter) WaitForEventPumping(interpreter.Get(), GetTickCount() + kIconScriptWaitMs);
  DeleteFileW(Wide(path).c_str());
}

void SystemOperations::RebuildIconCache() { RebuildIconCacheWith(paths_.binDir, IconCacheScriptLines()); }

void SystemOperations::ShowWindowsAbout() {
  HICON extracted = ExtractIconW(nullptr, CurrentModulePath().c_str(), 0);
  // ExtractIcon gives 1 for a file that is not an executable.
  ScopedIcon icon(extracted == reinterpret_cast<HICON>(1) ? nullptr : extracted);
  calls_.ShowShellAbout(owner_.DialogOwnerWindow(), "Windows系统信息-larkmere", "青岚工具箱 larkmere 祝您好运！",
                        icon.Get());
}

void SystemOperations::RunDiskCleanup() { launcher_.LaunchFile("cleanmgr", LaunchMode::Show); }

void SystemOperations::RunJunkCleanScript() {
  // The script deletes files all over the system drive for good: only a Yes
  // writes and starts it.
  if (prompts_.ShowMessageBox(kJunkCleanQuestion, kMessageBoxTitle, MB_YESNO) != IDYES) return;
  // Relative name: the script lands in the current directory. When it
  // cannot be written, nothing is started (an older C.bat there is not ours).
  if (WriteScriptFile("C.bat", ScriptFileBytes(JunkCleanScriptLines(kJunkScriptMakerAddress))))
    launcher_.LaunchFile("C.bat", LaunchMode::Show);
}

void SystemOperations::TurnScreenOff() { calls_.ScreenOff(owner_.DialogOwnerWindow()); }

void SystemOperations::OpenRegistryEditor() { launcher_.LaunchFile("C:\\Windows\\regedit.exe", LaunchMode::Show); }

bool SystemOperations::EndSession(int mode, bool force) {
  if (!IsEndSessionMode(mode)) return false;
  if (!calls_.EnableShutdownPrivilege()) return false;
  // Every system this program runs on (Windows 7 and later) is NT.
  return calls_.EndWindowsSession(EndSessionFlags(mode, force, true));
}

void SystemOperations::ShutDownSystem() { AskThenEndSession("系统即将关机！真的要执行操作吗？", 1); }
void SystemOperations::RestartSystem() { AskThenEndSession("系统即将重启！真的要执行操作吗？", 2); }
void SystemOperations::LogOffUser() { AskThenEndSession("系统即将注销！真的要执行操作吗？", 3); }

void SystemOperations::ExplainToolStartFailure() {
  calls_.ShowHintDialog(owner_.DialogOwnerWindow(), "解决方法", "解决方法",
                        "可能缺少管理员权限\r\n请使用管理员权限运行工具箱\r\n或点击左侧按钮打开工具目录自行操作！", 1,
                        kTaskDialogInformationIcon);
}

void SystemOperations::Run(SystemOperation operation) {
  switch (operation) {
    case SystemOperation::RestartExplorer: RestartExplorer(); break;
    case SystemOperation::RebuildIconCache: RebuildIconCache(); break;
    case SystemOperation::ShowWindowsAbout: ShowWindowsAbout(); break;
    case SystemOperation::RunDiskCleanup: RunDiskCleanup(); break;
    case SystemOperation::RunJunkCleanScript: RunJunkCleanScript(); break;
    case SystemOperation::TurnScreenOff: TurnScreenOff(); break;
    case SystemOperation::OpenRegistryEditor: OpenRegistryEditor(); break;
    case SystemOperation::ShutDownSystem: ShutDownSystem(); break;
    case SystemOperation::RestartSystem: RestartSystem(); break;
    case SystemOperation::LogOffUser: LogOffUser(); break;
    case SystemOperation::ExplainToolStartFailure: ExplainToolStartFailure(); break;
    case SystemOperation::None: break;
  }
}

}  // namespace ql
