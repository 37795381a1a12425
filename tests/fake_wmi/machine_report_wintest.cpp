// The real program's --report and --export-machine under the test provider:
// the report's rows are the home page's, its details typed; an exported
// machine replays to the same report; a hung WMI still gives a report within
// the detection deadline; bad command lines are refused with exit code 2.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "inventory/detection_deadline.h"
#include "ql_version.h"
#include "support/json_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/fake_wmi/real_program_win.h"

namespace qltest {
namespace {

std::string FileBytes(const std::wstring& path) {
  ql::ScopedHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  std::string bytes;
  if (!file) return "<no file>";
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
  return bytes;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in a folder other than the program itself.
std::vector<std::wstring> OtherFiles(const std::wstring& dir) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L".." && name != L"qinglan.exe" && name != L"stderr.txt") names.push_back(name);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  return names;
}

struct Outcome {
  DWORD exitCode = STILL_ACTIVE;
  DWORD elapsedMs = 0;
  std::string errors;  // what the program wrote to its standard error
};

// Runs the program copied into `dir` with `arguments`, its standard error
// into a file, and waits for its end.
Outcome RunProgram(const std::wstring& dir, const std::wstring& arguments) {
  Outcome run;
  std::wstring exe = dir + L"\\qinglan.exe";
  if (!Exists(exe)) CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE);
  std::wstring errorsPath = dir + L"\\stderr.txt";
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  {
    ql::ScopedHandle errors(CreateFileW(errorsPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdError = errors.Get();
    si.hStdOutput = errors.Get();
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    PROCESS_INFORMATION pi{};
    DWORD started = GetTickCount();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.c_str(), &si, &pi))
      return run;
    if (WaitForSingleObject(pi.hProcess, 90000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 99);
    run.elapsedMs = GetTickCount() - started;
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  run.errors = FileBytes(errorsPath);
  return run;
}

std::string RowsJson(const std::vector<Row>& rows) {
  std::string text = "\"rows\": {";
  for (size_t k = 0; k < rows.size(); ++k)
    text += std::string(k ? "," : "") + "\n    " + ql::JsonStringFromGbk(rows[k].caption) + ": " +
            ql::JsonStringFromGbk(rows[k].value);
  return text + "\n  },\n  \"details\": {";
}

std::string Utf8(const std::string& gbk) { return ql::GbkToUtf8(gbk); }

std::string Report(const std::wstring& dir, const wchar_t* name) {
  Outcome run = RunProgram(dir, std::wstring(L"--report \"") + dir + L"\\" + name + L"\"");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  return FileBytes(dir + L"\\" + name);
}

void ExpectRoundTrip(const std::wstring& dir) {
  std::string original = Report(dir, L"原机.json");
  Outcome exported = RunProgram(dir, L"--export-machine \"" + dir + L"\\导出 机器.txt\"");
  ASSERT_EQ(exported.exitCode, 0u) << exported.errors;
  std::string machine = FileBytes(dir + L"\\导出 机器.txt");
  EXPECT_EQ(machine.rfind("; ", 0), 0u) << "a header comment first";
  std::string replayed;
  {
    ScopedEnvironment served(L"QL_FAKE_WMI", dir + L"\\导出 机器.txt");
    replayed = Report(dir, L"重放.json");
  }
  EXPECT_EQ(replayed, original) << machine;
}

TEST(WorkedExampleReport, RowsReadAsTheHomePageAndDetailsAreTyped) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  std::wstring dir = FreshTestFolder(L"报告 示例机");
  std::string json = Report(dir, L"报告.json");
  EXPECT_EQ(json.rfind("{\n  \"version\": \"" QL_VERSION_TEXT "\",\n  \"machineType\": " +
                           ql::JsonStringFromGbk("LENOVO 台式电脑") + ",\n  \"windows\": " +
                           ql::JsonStringFromGbk(WorkedExampleHeaders()[1]) + ",\n  " + RowsJson(WorkedExampleRows()),
                       0),
            0u)
      << json.substr(0, 2000);
  const std::string typed[] = {
      "\"ChassisTypes\": [\n          3\n        ]",
      "\"Capacity\": 8589934592,",
      "\"Speed\": 2666,",
      "\"AdapterRAM\": -1048576,",
      "\"ConfigManagerUserConfig\": false,",
      "\"hardwareId\": \"DELA0A4\"",
      "\"ModelText\": \"DELL P2414H\\n\"",
      "\"MediaLoaded\": true,",
      "\"Size\": 500105249280,",
      "\"Signature\": 1522451325,",
      Utf8("\"SerialNumber\": \"  S3Z9NB0K123456　　\","),
      Utf8("\"Description\": \"磁盘驱动器\","),
      "\"BatteryLifePercent\": ",
      "\"totalPhysicalBytes\": ",
  };
  for (const std::string& piece : typed) EXPECT_NE(json.find(piece), std::string::npos) << piece;
  EXPECT_TRUE(OtherFiles(dir) == std::vector<std::wstring>{L"报告.json"}) << "no temporary file is left";
}

TEST(WorkedExampleReport, AnExportedMachineReplaysToTheSameReport) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  ExpectRoundTrip(FreshTestFolder(L"报告 示例机往返"));
}

TEST(WorkedExampleReport, WorksWhileTheWindowIsOpen) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  RealProgram app(L"报告 窗口已开");
  ASSERT_NE(app.Main(), nullptr);
  std::wstring dir = FreshTestFolder(L"报告 窗口已开之二");
  std::string json = Report(dir, L"报告.json");
  EXPECT_NE(json.find(RowsJson(WorkedExampleRows())), std::string::npos);
}

TEST(WorkedExampleReport, BadCommandLinesAreRefusedWithExitCodeTwoAndNoFile) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  std::wstring dir = FreshTestFolder(L"报告 坏选项");
  struct Case {
    std::wstring arguments;
    std::string message;
  } cases[] = {
      {L"--bogus", "--bogus"},
      {L"--report", "--report"},
      {L"--export-machine --report x.json", "--export-machine"},
      {L"--report \"" + dir + L"\\无此目录\\r.json\"", "无此目录"},
      {L"--export-machine \"" + dir + L"\\无此目录\\m.txt\"", "无此目录"},
  };
  for (const Case& c : cases) {
    Outcome run = RunProgram(dir, c.arguments);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.errors.find(Utf8(c.message)), std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find('\n'), run.errors.size() - 1) << "one line: " << run.errors;
    EXPECT_TRUE(OtherFiles(dir).empty()) << "nothing is left behind";
  }
  // The temporary file is written, the rename onto a folder fails: it goes again.
  CreateDirectoryW((dir + L"\\已是目录").c_str(), nullptr);
  Outcome run = RunProgram(dir, L"--report \"" + dir + L"\\已是目录\"");
  EXPECT_EQ(run.exitCode, 2u);
  EXPECT_TRUE(OtherFiles(dir) == std::vector<std::wstring>{L"已是目录"});
}

TEST(WorkedExampleReport, ADroppedFileStartsTheWindow) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  std::wstring dir = FreshTestFolder(L"报告 拖放");
  ChildProcess app(CopyProgramInto(dir), dir, L"\"C:\\拖放的 文件.txt\" -x");
  EXPECT_NE(WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 60000), nullptr);
  app.Kill();
}

TEST(UnusualMachineReport, AnExportedMachineReplaysToTheSameReport) {
  ASSERT_TRUE(UnderTestProvider("unusual-machine.txt", ""));
  ExpectRoundTrip(FreshTestFolder(L"报告 异常机往返"));
}

TEST(OddValuesReport, NullEmptyArraysLineBreaksAndLongTextsSurviveTheRoundTrip) {
  ASSERT_TRUE(UnderTestProvider("odd-values.txt", ""));
  std::wstring dir = FreshTestFolder(L"报告 奇值往返");
  ExpectRoundTrip(dir);
  std::string json = FileBytes(dir + L"\\原机.json");
  const std::string typed[] = {"\"ChassisTypes\": [],", "\"Manufacturer\": null",
                               "\"Name\": \"Line one\\r\\nLine two\"", "\"ExtClock\": null,",
                               "\"Product\": \"Board\\t\\\"A\\\"\""};
  for (const std::string& piece : typed) EXPECT_NE(json.find(piece), std::string::npos) << piece;
  EXPECT_NE(json.find("ABCD\""), std::string::npos) << "the 4 KB text whole";
}

TEST(HungWmiReport, IsWrittenWithinTheDeadlineWithTheRowsOfAMachineWithoutWmi) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "hang"));
  std::wstring dir = FreshTestFolder(L"报告 卡死");
  Outcome run = RunProgram(dir, L"--report \"" + dir + L"\\r.json\"");
  EXPECT_EQ(run.exitCode, 0u) << run.errors;
  // The deadline, plus the start of a process under Wine.
  EXPECT_LT(run.elapsedMs, ql::kDetectionDeadlineMs + 5000);
  std::string json = FileBytes(dir + L"\\r.json");
  EXPECT_NE(json.find(RowsJson(RowsWithoutWmi())), std::string::npos) << json.substr(0, 1500);
  EXPECT_NE(json.find("\"disks\": [],"), std::string::npos);
}

}  // namespace
}  // namespace qltest
