// The real program under the test provider. On the worked example's machine
// every home row reads as that example gives it, also without VBScript or
// without the script control, and the copy link puts the eight rows on the
// clipboard in order; with WMI failing (fail mode), and with a malformed
// machine file, the rows are the "WMI unavailable" ones.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/fake_wmi/real_program_win.h"

namespace qltest {
namespace {

TEST(WorkedExampleHomePage, RowsMonitorAndCopiedTextReadAsTheExampleGivesThem) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  RealProgram app(L"假WMI 主页");
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, WorkedExampleHeaders(), WorkedExampleRows());
}

// Without VBScript, or without the script control, the direct engine reads
// the same machine: every row as a normal start gives it, and no dialog.
void ExpectWorkedExampleWithout(const wchar_t* folder, const wchar_t* exeName, const wchar_t* dll) {
  std::wstring dir = FreshTestFolder(folder);
  ProgramWithoutDlls program(ProgramPath(), dir, exeName, {dll});
  ASSERT_TRUE(program.Ready());
  RealProgram app(dir, program.Path());
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, WorkedExampleHeaders(), WorkedExampleRows());
  EXPECT_TRUE(TopWindowsOf(app.Id(), L"#32770").empty()) << "no dialog";
}

TEST(WorkedExampleWithoutVbscript, EveryRowAsANormalStartGivesIt) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  ExpectWorkedExampleWithout(L"假WMI 无VBScript", L"qinglan-novbs.exe", L"vbscript");
}

TEST(WorkedExampleWithoutScriptControl, EveryRowAsANormalStartGivesIt) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  ExpectWorkedExampleWithout(L"假WMI 无脚本控件", L"qinglan-noocx.exe", L"msscript.ocx");
}

TEST(UnavailableWmiHomePage, EveryWmiRowReadsAsWithoutWmi) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "fail"));
  {
    ql::ScopedComInit com = ql::InitializeCom();
    HRESULT hr = S_OK;
    EXPECT_FALSE(ConnectTo(L"root\\cimv2", &hr));
    EXPECT_EQ(hr, Hr(WBEM_E_FAILED));
  }
  RealProgram app(L"假WMI 不可用");
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, {"；；"}, RowsWithoutWmi());
}

// A machine file with a bad line serves nothing: the program loads the
// provider, finds WMI unavailable and carries on.
TEST(BadMachineFile, TheProgramRunsAsWithoutWmi) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  std::wstring dir = FreshTestFolder(L"假WMI 坏文件");
  const std::string bad = "[Win32_Processor]\nName=AMD Ryzen 5 3600 6-Core Processor\nMaxClockSpeed:i4=3.6GHz\n";
  ASSERT_TRUE(WriteFileBytes(dir + L"\\bad.txt", bad.data(), bad.size()));
  ScopedEnvironment served(L"QL_FAKE_WMI", dir + L"\\bad.txt");
  RealProgram app(L"假WMI 坏文件 程序");
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, {"；；"}, RowsWithoutWmi());
  EXPECT_EQ(app.ExitCodeNow(), static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
}  // namespace qltest
