// LaunchFile, OpenLink and the system operations under Wine. The final calls
// go to a recording stand-in; only harmless test scripts ever really run.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <thread>

#include "app/app_paths.h"
#include "launcher/command_scripts.h"
#include "launcher/launch_table.h"
#include "launcher/shell_launch_win.h"
#include "launcher/system_operations_win.h"
#include "launcher/tools_container_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/gbk_text.h"
#include "support/user_prompts_win.h"
#include "support/web_addresses.h"
#include "tests/launcher/fake_system_calls_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string BytesOf(const std::wstring& path) {
  std::vector<uint8_t> b = ReadFileBytes(path);
  return std::string(b.begin(), b.end());
}

std::vector<std::wstring> FilesIn(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring n = fd.cFileName;
    if (n != L"." && n != L"..") names.push_back(n);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

// The launcher over the real system calls and prompts.
struct RealLauncher {
  ql::WinSystemCalls calls;
  ql::SystemUserPrompts prompts;
  ql::Launcher launcher{calls, prompts, ql::CurrentAppPaths()};
};

// Visible top-level windows of this process.
std::vector<HWND> OurVisibleWindows() {
  std::vector<HWND> all;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(h)) all.push_back(h);
  }
  return all;
}

TEST(LaunchFile, GbkPathUnderChineseFoldersReachesTheShellIntact) {
  // programDir with Chinese folders; both show modes start their .bat, which
  // writes a marker beside itself (so the path it was started by is real).
  std::wstring programDir = FreshTestFolder(L"青岚 工具箱 程序");
  std::wstring toolDir = programDir + L"\\tools\\系统工具";
  CreateDirectoryW((programDir + L"\\tools").c_str(), nullptr);
  ASSERT_TRUE(CreateDirectoryW(toolDir.c_str(), nullptr));
  const char script[] = "@echo off\r\necho ran> \"%~dp0%~n0.marker\"\r\n";
  struct {
    const wchar_t* name;
    ql::LaunchMode mode;
  } cases[] = {{L"鼠标连点器", ql::LaunchMode::Normal}, {L"驱动精灵 绿色", ql::LaunchMode::Show}};
  RealLauncher real;
  for (const auto& c : cases) {
    std::wstring bat = toolDir + L"\\" + c.name + L".bat";
    ASSERT_TRUE(WriteFileBytes(bat, script, sizeof script - 1));
    real.launcher.LaunchFile(ql::Gbk(bat), c.mode);
    std::wstring marker = toolDir + L"\\" + c.name + L".marker";
    EXPECT_TRUE(WaitUntil([&] { return Exists(marker); }, 20000)) << ql::Gbk(bat);
  }
}

TEST(LaunchFile, MissingTargetShowsNothingAndChangesNothing) {
  std::wstring dir = FreshTestFolder(L"缺少 工具");
  std::vector<HWND> before = OurVisibleWindows();
  RealLauncher real;
  real.launcher.LaunchFile(ql::Gbk(dir) + "\\tools\\cpu工具\\CPUZ\\cpuz64.exe", ql::LaunchMode::Normal);
  real.launcher.LaunchFile(ql::Gbk(dir) + "\\plugin\\教程文档\\系统安装教程大全.doc", ql::LaunchMode::Show);
  real.launcher.LaunchFile("", ql::LaunchMode::Show);
  real.launcher.OpenLink("");
  // The test program has no tool package beside it: no tools folder, no tools.
  ASSERT_FALSE(Exists(ql::Wide(ql::CurrentAppPaths().toolsDir)));
  real.launcher.OpenToolsDirectory();
  real.launcher.LaunchPackageFile("\\tools\\主板工具\\AIDA64\\aida64.exe", ql::LaunchMode::Show);
  WaitUntil([] { return false; }, 1500);
  EXPECT_EQ(OurVisibleWindows(), before);
  EXPECT_TRUE(FilesIn(dir).empty());
}

TEST(LaunchFile, ModesAndOpenLinkOwner) {
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  l.launcher.LaunchFile("C:\\a\\青岚.exe", ql::LaunchMode::Normal);
  l.launcher.LaunchFile("C:\\a\\青岚.doc", ql::LaunchMode::Show);
  ASSERT_EQ(fake.shellCalls.size(), 2u);
  EXPECT_EQ(fake.shellCalls[0].file, L"C:\\a\\\u9752\u5c9a.exe");
  EXPECT_EQ(fake.shellCalls[0].owner, nullptr);
  EXPECT_TRUE(fake.shellCalls[0].emptyDirectory);
  EXPECT_EQ(fake.shellCalls[0].show, SW_SHOWNORMAL);
  EXPECT_FALSE(fake.shellCalls[1].emptyDirectory);
  EXPECT_EQ(fake.shellCalls[1].show, SW_SHOW);

  // Links go through the shared prompts, whose shell start has this owner.
  l.launcher.OpenLink("https://larkmere.example/");
  EXPECT_EQ(fake.prompts.links, std::vector<std::string>{"https://larkmere.example/"});
  EXPECT_EQ(ql::LinkOwnerWindow(), nullptr);
  // With a window titled "Microsoft Internet Explorer", it owns the start.
  HWND ie = CreateWindowExW(0, L"STATIC", L"Microsoft Internet Explorer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr);
  ASSERT_NE(ie, nullptr);
  EXPECT_EQ(ql::LinkOwnerWindow(), ie);
  DestroyWindow(ie);
  EXPECT_EQ(ql::LinkOwnerWindow(), nullptr);
  // What is no web address never reaches the link operation.
  for (const char* bad : {"https://larkmere.example/a\"b", "https://larkmere.example/a|calc", "https://x/ a",
                          "https://x/<a>", "https://x/^a", "file:///C:/Windows/System32/calc.exe", "calc.exe", ""})
    l.launcher.OpenLink(bad);
  EXPECT_EQ(fake.order, (std::vector<std::string>{"shellOpen", "shellOpen", "openLink"}));
}

TEST(LauncherActions, EveryKeyOfTheOtherPagesStartsItsTarget) {
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  RecordingToolsHost host;
  ql::ClearControlActions();
  ql::RegisterLauncherActions(l.launcher, l.operations, host);
  std::string programDir = ql::CurrentAppPaths().programDir;
  for (const ql::LaunchRow& row : ql::PageLaunchRows()) {
    ASSERT_TRUE(ql::RunControlAction(row.key)) << row.key;
    ASSERT_FALSE(fake.shellCalls.empty());
    const ShellCall& call = fake.shellCalls.back();
    EXPECT_EQ(call.file, ql::Wide(programDir + std::string(row.target))) << row.key;
    EXPECT_EQ(call.show, row.mode == ql::LaunchMode::Normal ? SW_SHOWNORMAL : SW_SHOW) << row.key;
  }
  for (const ql::LinkRow& row : ql::PageLinkRows()) {
    ASSERT_TRUE(ql::RunControlAction(row.key)) << row.key;
    EXPECT_EQ(fake.prompts.links.back(), row.address) << row.key;
  }
  // Spot checks against the tables, independent of the rows above.
  ql::RunControlAction("page8:112,48");
  EXPECT_EQ(fake.shellCalls.back().file, ql::Wide(programDir + "\\plugin\\教程文档\\系统安装教程大全.doc"));
  EXPECT_EQ(fake.shellCalls.back().show, SW_SHOW);
  ql::RunControlAction("头像");
  EXPECT_EQ(fake.prompts.links.back(), ql::web::kMakerHomePage);
  // Nothing but shell starts and links.
  EXPECT_EQ(fake.order.size(), fake.shellCalls.size() + fake.prompts.links.size());
  EXPECT_TRUE(fake.prompts.boxTexts.empty());
  ql::ClearControlActions();
}

TEST(RebuildIconCache, WaitsForItsScriptThenLeavesNothingInBin) {
  std::wstring dir = FreshTestFolder(L"图标 缓存");
  std::wstring bin = dir + L"\\bin";
  ASSERT_TRUE(CreateDirectoryW(bin.c_str(), nullptr));
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  fake.realWaitableStart = true;
  // A harmless stand-in script: some work, then a marker outside bin\. The
  // marker exists once the operation returns only if the script was left in
  // place until the interpreter had read its last line.
  std::vector<std::string> lines = {"@echo off"};
  for (int i = 0; i < 40; ++i) lines.push_back(ql::FormatText("echo line %d>nul", i));
  lines.push_back("echo ran> \"%~dp0..\\script-ran.txt\"");
  l.operations.RebuildIconCacheWith(ql::Gbk(bin), lines);

  EXPECT_TRUE(Exists(dir + L"\\script-ran.txt"));
  EXPECT_TRUE(FilesIn(bin).empty());
  ASSERT_EQ(fake.waitableStarts.size(), 1u);
  EXPECT_EQ(fake.waitableStarts[0], bin + L"\\清理图标缓存.bat");
  ASSERT_EQ(fake.shellCalls.size(), 1u);  // Explorer, stubbed
  EXPECT_EQ(fake.shellCalls[0].file, L"C:\\Windows\\explorer.exe");
  EXPECT_EQ(fake.shellCalls[0].show, SW_SHOW);
  EXPECT_EQ(fake.order, (std::vector<std::string>{"shellOpenWaitable", "shellOpen"}));
}

// What a window of the test's thread does when it is sent WM_APP + 3.
std::function<void()> g_onMessage;
LRESULT CALLBACK AnsweringProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_APP + 3) return DefWindowProcW(hwnd, msg, wp, lp);
  if (g_onMessage) g_onMessage();
  return 1;
}

TEST(RebuildIconCache, TheWaitAnswersTheWindowAndASecondClickDoesNothing) {
  std::wstring dir = FreshTestFolder(L"图标 缓存 等待");
  std::wstring bin = dir + L"\\bin";
  ASSERT_TRUE(CreateDirectoryW(bin.c_str(), nullptr));
  HWND window = qltest::CreateMessageWindow(L"QlIconWaitWindow", AnsweringProc);
  ASSERT_NE(window, nullptr);
  HANDLE scriptEnd = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(scriptEnd, nullptr);
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  fake.interpreterStandIn = scriptEnd;
  // The message is a second click on the button while the first one waits.
  g_onMessage = [&] { l.operations.RebuildIconCacheWith(ql::Gbk(bin), ql::IconCacheScriptLines()); };
  bool answered = false;
  std::thread asker([&] {
    Sleep(500);
    DWORD_PTR result = 0;
    answered = SendMessageTimeoutW(window, WM_APP + 3, 0, 0, SMTO_NORMAL, 3000, &result) && result == 1;
    SetEvent(scriptEnd);  // the interpreter ends
  });
  l.operations.RebuildIconCacheWith(ql::Gbk(bin), ql::IconCacheScriptLines());
  asker.join();
  g_onMessage = nullptr;
  DestroyWindow(window);
  CloseHandle(scriptEnd);
  EXPECT_TRUE(answered);
  EXPECT_EQ(fake.order, (std::vector<std::string>{"shellOpenWaitable", "shellOpen"}));
  EXPECT_TRUE(FilesIn(bin).empty());
}

TEST(RebuildIconCache, ScriptThatCannotBeWrittenIsNeverStarted) {
  std::wstring dir = FreshTestFolder(L"图标 缓存 失败");
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  // No bin\ at all.
  l.operations.RebuildIconCacheWith(ql::Gbk(dir + L"\\bin"), ql::IconCacheScriptLines());
  // bin\ holds a directory in the script's place.
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\bin2").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\bin2\\清理图标缓存.bat").c_str(), nullptr));
  l.operations.RebuildIconCacheWith(ql::Gbk(dir + L"\\bin2"), ql::IconCacheScriptLines());
  // An older script held open by another process: not overwritten, not started.
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\bin3").c_str(), nullptr));
  std::wstring old = dir + L"\\bin3\\清理图标缓存.bat";
  ASSERT_TRUE(WriteFileBytes(old, "echo old", 8));
  HANDLE held = CreateFileW(old.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  l.operations.RebuildIconCacheWith(ql::Gbk(dir + L"\\bin3"), ql::IconCacheScriptLines());
  CloseHandle(held);
  EXPECT_TRUE(fake.order.empty());
}

TEST(RunJunkCleanScript, AsksFirstAndOnlyYesWritesAndStartsCBat) {
  std::wstring dir = FreshTestFolder(L"快捷方式 工作目录");
  // Any answer but Yes: the question, and nothing written or started.
  for (int answer : {IDNO, IDCANCEL, 0}) {
    FakeSystemCalls fake;
    FakeLauncher l(fake);
    fake.prompts.boxAnswer = answer;
    {
      CurrentDirectory cd(dir);
      ASSERT_TRUE(cd.ok());
      l.operations.RunJunkCleanScript();
    }
    EXPECT_EQ(fake.order, std::vector<std::string>{"messageBox"}) << answer;
    EXPECT_TRUE(FilesIn(dir).empty()) << answer;
  }

  FakeSystemCalls fake;
  FakeLauncher l(fake);
  fake.prompts.boxAnswer = IDYES;
  {
    CurrentDirectory cd(dir);
    ASSERT_TRUE(cd.ok());
    l.operations.RunJunkCleanScript();
  }
  EXPECT_EQ(fake.prompts.boxTexts,
            std::vector<std::string>{"即将删除系统盘中的临时文件、日志与备份文件（*.tmp、*.log、*.bak、*.old "
                                     "等），删除后无法恢复！真的要执行操作吗？"});
  EXPECT_EQ(fake.prompts.boxTitles, std::vector<std::string>{"信息："});
  EXPECT_EQ(fake.prompts.boxStyles, std::vector<unsigned>{MB_YESNO});  // no icon; task-modal is added by the prompts
  EXPECT_EQ(fake.order, (std::vector<std::string>{"messageBox", "shellOpen"}));
  // Written into the current directory (a shortcut's working directory),
  // the 105 lines, unchanged by the question.
  std::string bytes = BytesOf(dir + L"\\C.bat");
  EXPECT_EQ(bytes, ql::ScriptFileBytes(ql::JunkCleanScriptLines(ql::web::kMakerHomePage)));
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 104);
  EXPECT_EQ(ql::SplitText(bytes, "\r\n").size(), 105u);
  ASSERT_EQ(fake.shellCalls.size(), 1u);
  EXPECT_EQ(fake.shellCalls[0].file, L"C.bat");
  EXPECT_EQ(fake.shellCalls[0].show, SW_SHOW);
  EXPECT_FALSE(fake.shellCalls[0].emptyDirectory);

  // A second run replaces the file (an older, longer one leaves no tail).
  std::string longer(20000, 'x');
  ASSERT_TRUE(WriteFileBytes(dir + L"\\C.bat", longer.data(), longer.size()));
  {
    CurrentDirectory cd(dir);
    l.operations.RunJunkCleanScript();
  }
  EXPECT_EQ(BytesOf(dir + L"\\C.bat"), bytes);
}

TEST(RunJunkCleanScript, NeverStartsACBatItDidNotJustWrite) {
  // "C.bat" cannot be written: a directory of that name, or an older script
  // that another process holds open without sharing. Nothing is started.
  // (A read-only file is no test here: the tests run as root, and Wine lets
  // root overwrite it.)
  std::wstring blocked = FreshTestFolder(L"C.bat 是目录");
  ASSERT_TRUE(CreateDirectoryW((blocked + L"\\C.bat").c_str(), nullptr));
  std::wstring stale = FreshTestFolder(L"旧 C.bat");
  const char old[] = "echo stale";
  ASSERT_TRUE(WriteFileBytes(stale + L"\\C.bat", old, sizeof old - 1));
  HANDLE held = CreateFileW((stale + L"\\C.bat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  for (const std::wstring& dir : {blocked, stale}) {
    FakeSystemCalls fake;
    FakeLauncher l(fake);
    fake.prompts.boxAnswer = IDYES;
    CurrentDirectory cd(dir);
    ASSERT_TRUE(cd.ok());
    l.operations.RunJunkCleanScript();
    EXPECT_EQ(fake.order, std::vector<std::string>{"messageBox"}) << ql::Gbk(dir);
  }
  CloseHandle(held);
  EXPECT_EQ(BytesOf(stale + L"\\C.bat"), "echo stale");
}

TEST(SystemOperations, RestartExplorerShowsTheBoxBeforeEndingExplorer) {
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  fake.prompts.boxAnswer = IDOK;
  l.operations.RestartExplorer();
  ASSERT_FALSE(fake.order.empty());
  EXPECT_EQ(fake.order[0], "messageBox");
  EXPECT_EQ(fake.prompts.boxTexts[0], "重启资源管理器成功");
  EXPECT_EQ(fake.prompts.boxTitles[0], "信息：");
  EXPECT_EQ(fake.prompts.boxStyles[0], static_cast<UINT>(MB_OK));
  // At most one process ended, and only after the box.
  EXPECT_LE(fake.terminated.size(), 1u);
  EXPECT_EQ(fake.order.size(), 1 + fake.terminated.size());
}

TEST(SystemOperations, QuestionsEndTheSessionOnlyOnYes) {
  struct Case {
    void (ql::SystemOperations::*operation)();
    const char* question;
    UINT flags;
  } cases[] = {
      {&ql::SystemOperations::ShutDownSystem, "系统即将关机！真的要执行操作吗？", EWX_POWEROFF | EWX_FORCE},
      {&ql::SystemOperations::RestartSystem, "系统即将重启！真的要执行操作吗？", EWX_REBOOT | EWX_FORCE},
      {&ql::SystemOperations::LogOffUser, "系统即将注销！真的要执行操作吗？", EWX_LOGOFF | EWX_FORCE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.question);
    for (int answer : {IDNO, IDCANCEL, 0}) {
      FakeSystemCalls fake;
      FakeLauncher l(fake);
      fake.prompts.boxAnswer = answer;
      (l.operations.*c.operation)();
      EXPECT_EQ(fake.order, std::vector<std::string>{"messageBox"});
    }
    {
      FakeSystemCalls fake;
      FakeLauncher l(fake);
      fake.prompts.boxAnswer = IDYES;
      (l.operations.*c.operation)();
      EXPECT_EQ(fake.prompts.boxTexts, std::vector<std::string>{c.question});
      EXPECT_EQ(fake.prompts.boxStyles, std::vector<unsigned>{MB_YESNO});
      EXPECT_EQ(fake.order, (std::vector<std::string>{"messageBox", "enableShutdownPrivilege", "endWindowsSession"}));
      EXPECT_EQ(fake.exitFlags, std::vector<UINT>{c.flags});
    }
    {
      FakeSystemCalls fake;
      FakeLauncher l(fake);
      fake.prompts.boxAnswer = IDYES;
      fake.privilegeGranted = false;
      (l.operations.*c.operation)();
      EXPECT_TRUE(fake.exitFlags.empty());
    }
  }
}

TEST(SystemOperations, TheOtherOperationsMakeTheirOneCall) {
  FakeSystemCalls fake;
  FakeLauncher l(fake);
  l.operations.TurnScreenOff();
  EXPECT_EQ(fake.order, std::vector<std::string>{"screenOff"});  // no box, no question
  EXPECT_EQ(fake.screenOffWindows, std::vector<HWND>{fake.ownerWindow});

  l.operations.RunDiskCleanup();
  l.operations.OpenRegistryEditor();
  ASSERT_EQ(fake.shellCalls.size(), 2u);
  EXPECT_EQ(fake.shellCalls[0].file, L"cleanmgr");
  EXPECT_EQ(fake.shellCalls[1].file, L"C:\\Windows\\regedit.exe");
  for (const ShellCall& c : fake.shellCalls) EXPECT_EQ(c.show, SW_SHOW);

  l.operations.ShowWindowsAbout();
  EXPECT_EQ(fake.aboutTexts, (std::vector<std::string>{"Windows系统信息-larkmere", "青岚工具箱 larkmere 祝您好运！"}));
  EXPECT_EQ(fake.aboutOwners, std::vector<HWND>{fake.ownerWindow});

  l.operations.ExplainToolStartFailure();
  EXPECT_EQ(fake.dialogTexts,
            (std::vector<std::string>{
                "解决方法", "解决方法",
                "可能缺少管理员权限\r\n请使用管理员权限运行工具箱\r\n或点击左侧按钮打开工具目录自行操作！"}));
  EXPECT_EQ(fake.dialogButtons, std::vector<int>{1});
  EXPECT_EQ(fake.dialogIcons, std::vector<int>{0xFFFB});
  EXPECT_EQ(fake.dialogOwners, std::vector<HWND>{fake.ownerWindow});
}

}  // namespace
