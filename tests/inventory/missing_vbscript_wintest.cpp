// A Windows without VBScript, or without the script control, under Wine's
// per-program DLL overrides: the script host never calls a control whose
// language could not be set, the direct engine takes over, and the real
// program reaches its main window with the rows a normal start shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "inventory/detection_run.h"
#include "inventory/detection_run_win.h"
#include "inventory/query_engine_win.h"
#include "inventory/script_host_win.h"
#include "inventory/system_detectors.h"
#include "inventory/wmi_direct_engine_win.h"
#include "inventory/wmi_query_script.h"
#include "inventory/wmi_record_text.h"
#include "platform/win_text.h"
#include "support/gbk_text.h"
#include "support/layout_names.h"
#include "tests/inventory/line_edge_break_cases.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

std::wstring ThisTestProgram() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  return std::wstring(path, n);
}

// Runs DISABLED_WithoutVbscriptInside.* of this test program in a copy that
// cannot load `dlls`; true when every such test passed.
bool ChildTestsPass(const wchar_t* name, std::initializer_list<const wchar_t*> dlls, const char* filter) {
  std::wstring dir = FreshTestFolder(std::wstring(L"无脚本 ") + name);
  ProgramWithoutDlls copy(ThisTestProgram(), dir, name, dlls);
  EXPECT_TRUE(copy.Ready());
  ChildProcess child(copy.Path(), dir, L"--gtest_also_run_disabled_tests --gtest_filter=" + ql::Wide(filter));
  DWORD code = child.WaitExit(120000);
  return code == 0;
}

TEST(WithoutVbscript, TheHostIsLeftAloneAndTheDirectEngineTakesOver) {
  EXPECT_TRUE(ChildTestsPass(L"novbs_wintests.exe", {L"vbscript"}, "DISABLED_WithoutVbscriptInside.*"));
}

TEST(WithoutVbscript, WithoutTheScriptControlTheDirectEngineTakesOver) {
  EXPECT_TRUE(ChildTestsPass(L"noocx_wintests.exe", {L"msscript.ocx"}, "DISABLED_WithoutScriptControlInside.*"));
}

struct RecordingLabels final : ql::HomePageLabels {
  std::map<std::string, std::string> last;
  void StartBatteryTimer() override {}
  void Write(std::string_view name, std::string_view text) override { last[std::string(name)] = std::string(text); }
};

bool HasChildWithText(HWND main, const std::string& text) { return !FindChildrenByText(main, text).empty(); }

// The real program without the DLLs: its main window comes, with exactly the
// rows this process computes through the script control on the same Wine.
void ExpectNormalRowsWithout(const wchar_t* name, std::initializer_list<const wchar_t*> dlls) {
  RecordingLabels expected;
  ql::HardwareSnapshot snapshot;
  ql::RunMachineDetection(expected, snapshot);
  ASSERT_EQ(expected.last.size(), 9u);
  ASSERT_NE(expected.last[std::string(ql::layout::kWindows)], "；；") << "this Wine has the Windows data";

  std::wstring dir = FreshTestFolder(std::wstring(L"无脚本 主页 ") + name);
  ProgramWithoutDlls program(ProgramPath(), dir, name, dlls);
  ASSERT_TRUE(program.Ready());
  ChildProcess app(program.Path(), dir);
  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 60000);
  ASSERT_NE(main, nullptr) << "the program reaches its main window";
  ASSERT_TRUE(WaitUntil([&] { return TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty(); }, 30000));
  for (const auto& [label, text] : expected.last) {
    if (text.empty() || text == " ") continue;  // not unique enough to find by text
    EXPECT_TRUE(HasChildWithText(main, text)) << label << " should read " << ql::GbkToUtf8(text);
  }
  EXPECT_FALSE(HasChildWithText(main, "配置正在检测，请稍后........"));
  EXPECT_TRUE(TopWindowsOf(app.Id(), L"#32770").empty()) << "no dialog";
}

// Where VBScript exists, its own regular expressions remove exactly what the
// plain-text rule used without them removes.
TEST(WithoutVbscript, ThePlainLineBreakRuleIsVbscriptsPattern) { ql::ExpectLineEdgeRuleIsThePattern(); }

TEST(WithoutVbscript, TheProgramStartsWithTheRowsOfANormalStart) {
  ExpectNormalRowsWithout(L"qinglan-novbs.exe", {L"vbscript"});
}

TEST(WithoutVbscript, WithoutTheScriptControlTheProgramStartsWithTheSameRows) {
  ExpectNormalRowsWithout(L"qinglan-noocx.exe", {L"msscript.ocx"});
}

// --- Run only inside the copies above (the DLLs are missing there). ---

TEST(DISABLED_WithoutVbscriptInside, ALanguageThatCannotBeSetLeavesTheControlAlone) {
  ql::ScopedComInit com = ql::InitializeCom();
  {
    ql::ScriptControlHost host;
    EXPECT_FALSE(host.Created());
    // Reaching the control here would crash it; the host answers itself.
    EXPECT_FALSE(host.AddCode(ql::BiosScript()));
    EXPECT_EQ(host.EvaluateText(ql::BiosScript()), "");
    EXPECT_EQ(host.EvaluateAgain(ql::BaseboardScript()), "");
    EXPECT_EQ(host.EvaluateFirstNumber(ql::ChassisScript()), 0);
  }
  EXPECT_FALSE(ql::ScriptControlRunsVbscript());
  EXPECT_EQ(&ql::QueryScriptHosts(), &ql::DirectWmiHosts());
  // The board and the Windows summary, without VBScript and its regular
  // expressions.
  ql::BoardInfo board = ql::DetectBoard(ql::QueryScriptHosts());
  EXPECT_EQ(board.biosManufacturer, "The Wine Project");
  EXPECT_EQ(board.boardProduct, "Base Board\r\n");
  EXPECT_EQ(ql::DescribeOperatingSystem(ql::QueryScriptHosts()), "Microsoft Windows 7 Professional；7601；64位\r\n");
  EXPECT_EQ(ql::CleanLineBreaks("\r\na\r\n\r\nb\r\n"), "a\r\nb");
}

TEST(DISABLED_WithoutScriptControlInside, TheControlCannotBeCreated) {
  ql::ScopedComInit com = ql::InitializeCom();
  ql::ScriptControlHost host;
  EXPECT_FALSE(host.Created());
  EXPECT_EQ(host.EvaluateText(ql::BaseboardScript()), "");
  EXPECT_FALSE(ql::ScriptControlRunsVbscript());
  EXPECT_EQ(&ql::QueryScriptHosts(), &ql::DirectWmiHosts());
  EXPECT_EQ(ql::DetectBoard(ql::QueryScriptHosts()).boardProduct, "Base Board\r\n");
}

}  // namespace
