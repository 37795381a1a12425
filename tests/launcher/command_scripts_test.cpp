// The two command scripts byte for byte, and the end-session and Explorer
// decisions of the system operations.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "launcher/command_scripts.h"
#include "support/gbk_text.h"

namespace {

std::string Sp(int n) { return std::string(static_cast<size_t>(n), ' '); }

std::vector<std::string> Lines(const std::string& bytes) { return ql::SplitText(bytes, "\r\n"); }

void ExpectCleanCrLf(const std::string& bytes) {
  EXPECT_FALSE(bytes.ends_with("\r\n"));
  EXPECT_FALSE(bytes.ends_with("\n"));
  EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");  // no byte-order mark
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r') {
      EXPECT_EQ(i + 1 < bytes.size() ? bytes[i + 1] : 0, '\n') << i;
    }
    if (bytes[i] == '\n') {
      EXPECT_EQ(i > 0 ? bytes[i - 1] : 0, '\r') << i;
    }
  }
  // Valid GBK: every character converts and converts back to the same bytes.
  std::u16string wide = ql::GbkToUtf16(bytes);
  EXPECT_EQ(wide.find(u'\uFFFD'), std::u16string::npos);
  EXPECT_EQ(ql::Utf16ToGbk(wide), bytes);
}

TEST(IconCacheScript, SixLinesOf121Bytes) {
  std::string bytes = ql::ScriptFileBytes(ql::IconCacheScriptLines());
  EXPECT_EQ(bytes.size(), 121u);
  EXPECT_EQ(bytes,
            "@echo off\r\ntaskkill /f /im explorer.exe\r\nCD /d %userprofile%\\AppData\\Local\r\n"
            "DEL IconCache.db /a\r\nstart explorer.exe\r\necho");
  ExpectCleanCrLf(bytes);
}

TEST(JunkCleanScript, OneHundredFiveLinesWithTheMarkedTrailingSpaces) {
  const std::string address = "https://larkmere.example/";
  std::string bytes = ql::ScriptFileBytes(ql::JunkCleanScriptLines(address));
  ExpectCleanCrLf(bytes);
  std::vector<std::string> lines = Lines(bytes);
  ASSERT_EQ(lines.size(), 105u);

  std::set<int> trailing = {1, 13, 16, 17, 18, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 33, 91};
  for (int n = 34; n <= 74; ++n) trailing.insert(n);
  for (int n = 1; n <= 105; ++n) {
    const std::string& line = lines[static_cast<size_t>(n - 1)];
    ASSERT_FALSE(line.empty()) << n;
    EXPECT_EQ(line.back() == ' ', trailing.count(n) == 1) << "line " << n << ": [" << line << "]";
    if (trailing.count(n)) {
      EXPECT_NE(line[line.size() - 2], ' ') << "one space only, line " << n;
    }
  }

  auto at = [&](int n) { return lines[static_cast<size_t>(n - 1)]; };
  const std::string wideBanner = "echo ★☆ ★☆ ★☆ ★☆ ★☆★☆★☆ ★☆ ★☆ ★☆ ★☆★";
  const std::string closingBanner = "echo ★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★☆★";
  EXPECT_EQ(at(1), "@echo off ");
  for (int n : {2, 3, 9, 10}) EXPECT_EQ(at(n), wideBanner) << n;
  for (int n : {4, 5, 8}) EXPECT_EQ(at(n), "echo.★☆" + Sp(46) + "☆★") << n;
  EXPECT_EQ(at(6), "echo.★☆" + Sp(3) + "清理系统垃圾文件，请稍等......" + Sp(13) + "☆★");
  EXPECT_EQ(at(7), "echo ★☆" + Sp(33) + "larkmere" + Sp(4) + "☆★");
  EXPECT_EQ(at(12), "echo 官网：" + address);
  EXPECT_EQ(at(13), "del /f /s /q %systemdrive%\\*.tmp ");
  EXPECT_EQ(at(25), "del /f /q %userprofile%\\小甜饼s\\*.* ");
  EXPECT_EQ(at(27), "del /f /s /q \"%userprofile%\\Local Settings\\Temporary Internet Files\\*.*\" ");
  EXPECT_EQ(at(32), "sfc /purgecache '清理系统盘无用文件");
  EXPECT_EQ(at(42), "for /f %%i in (%windir%\\2950800.txt) do rd %windir%\\%%i /s /q ");
  EXPECT_EQ(at(70), "del /f /s /q \"%userprofile%\\local settings\\temporary internet files\\*.*\" ");
  EXPECT_EQ(at(89), "del /f /s /q \"%userprofile%\\recent\\*.*\"");
  for (int n : {92, 93, 102, 103}) EXPECT_EQ(at(n), closingBanner) << n;
  for (int n : {94, 97, 100}) EXPECT_EQ(at(n), "echo ★☆" + Sp(58) + "☆★") << n;
  for (int n : {95, 96, 99, 101}) EXPECT_EQ(at(n), "echo.★☆" + Sp(58) + "☆★") << n;
  EXPECT_EQ(at(98), "echo ★☆" + Sp(16) + "恭喜您！清理全部完成！" + Sp(20) + "☆★");
  EXPECT_EQ(at(104), "echo. & pause");
  EXPECT_EQ(at(105), "echo.");
  // The third pass (75-89) repeats the core deletions of the first without trailing spaces.
  EXPECT_EQ(at(75) + " ", at(13));
  EXPECT_EQ(at(84), "rd /s /q %windir%\\temp & md %windir%\\temp");
}

TEST(EndSession, FlagsForEachModeAndForce) {
  struct Case {
    int mode;
    bool force, nt;
    uint32_t flags;
  } cases[] = {
      {1, true, true, 0x8 | 0x4}, {1, false, true, 0x8}, {1, true, false, 0x1 | 0x4}, {1, false, false, 0x1},
      {2, true, true, 0x2 | 0x4}, {2, false, true, 0x2}, {3, true, true, 0x4},        {3, false, true, 0x0},
      {0, true, true, 0},         {4, true, true, 0},    {-1, true, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ql::EndSessionFlags(c.mode, c.force, c.nt), c.flags) << c.mode << c.force << c.nt;
    EXPECT_EQ(ql::IsEndSessionMode(c.mode), c.mode >= 1 && c.mode <= 3);
  }
}

TEST(RestartExplorer, TheTitledWindowDecidesOnlyWhenExplorerOwnsIt) {
  const std::vector<ql::ProcessEntry> shells = {
      {4, "System"}, {200, "EXPLORER.EXE"}, {300, "explorer.exe"}, {400, "fake.exe"}, {500, "explorer.exe.bak"}};
  const std::vector<ql::ProcessEntry> noShell = {{4, "System"}, {100, "cmd.exe"}, {101, "explorer.exe.bak"}};
  struct Case {
    const char* what;
    const std::vector<ql::ProcessEntry>* processes;
    std::vector<uint32_t> windowOwners;  // owners of the windows titled "explorer.exe"
    uint32_t ended;
  } cases[] = {
      {"titled window owned by explorer.exe", &shells, {300}, 300},
      {"titled window owned by another program", &shells, {400}, 200},
      {"owned by a program named like explorer", &shells, {500}, 200},
      {"owner gone from the snapshot", &shells, {999}, 200},
      {"another program's window first, then explorer's", &shells, {400, 300}, 300},
      {"no titled window: the first explorer, case ignored", &shells, {}, 200},
      {"no explorer.exe at all", &noShell, {100}, 0},
      {"no explorer.exe, no window", &noShell, {}, 0},
      {"empty snapshot", nullptr, {300}, 0},
  };
  const std::vector<ql::ProcessEntry> empty;
  for (const Case& c : cases)
    EXPECT_EQ(ql::ChooseExplorerProcess(c.processes ? *c.processes : empty, c.windowOwners), c.ended) << c.what;
}

}  // namespace
