// The home page of the real program under Wine: the rows hold what this
// machine's detectors yield through our code, the battery row is written by
// its timer, the copy link fills the clipboard, and a machine without WMI
// still starts with the degraded rows.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_layout.h"
#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "inventory/detection_run.h"
#include "inventory/detection_run_win.h"
#include "inventory/home_page_rows.h"
#include "inventory/installed_memory_win.h"
#include "support/gbk_text.h"
#include "platform/win_text.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

struct RecordingLabels final : ql::HomePageLabels {
  std::map<std::string, std::string> last;
  void StartBatteryTimer() override {}
  void Write(std::string_view name, std::string_view text) override { last[std::string(name)] = std::string(text); }
};

// Starts a copy of the program and waits until start-up has finished.
HWND StartAndWait(ChildProcess& app) {
  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 60000);
  if (main) WaitUntil([&] { return TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty(); }, 30000);
  return main;
}

bool HasChildWithText(HWND main, const std::string& text) { return !FindChildrenByText(main, text).empty(); }

// A control of the program's main window by its layout name.
HWND LabelOf(HWND main, std::string_view layoutName) { return qltest::FindLayoutControl(main, layoutName); }

// WM_GETTEXT: the text a control holds, also in another process.
std::string SentText(HWND h) {
  wchar_t buf[4096] = {};
  SendMessageW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf));
  return ql::Gbk(buf);
}

TEST(HomePage, RowsHoldWhatThisMachineYields) {
  // What our detectors yield here, computed in this process on the same Wine.
  RecordingLabels expected;
  ql::HardwareSnapshot snapshot;
  ql::RunMachineDetection(expected, snapshot);
  ASSERT_EQ(expected.last.size(), 9u);
  // This Wine has the board, graphics and Windows data.
  EXPECT_NE(expected.last["标签76"], " ");
  EXPECT_NE(expected.last["标签68"], "；；");

  std::wstring dir = FreshTestFolder(L"主页 检测");
  ChildProcess app(CopyProgramInto(dir), dir);
  HWND main = StartAndWait(app);
  ASSERT_NE(main, nullptr);
  for (const auto& [label, text] : expected.last) {
    if (text.empty() || text == " ") continue;  // not unique enough to find by text
    EXPECT_TRUE(HasChildWithText(main, text)) << label << " should read " << ql::GbkToUtf8(text);
  }
  EXPECT_FALSE(HasChildWithText(main, "配置正在检测，请稍后........"));

  // The battery row is the timer's: it appears within a tick or two.
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);
  std::string battery = ql::BatteryText(
      {raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent, static_cast<uint32_t>(raw.BatteryLifeTime)});
  EXPECT_TRUE(WaitUntil([&] { return HasChildWithText(main, battery); }, 5000)) << ql::GbkToUtf8(battery);
}

TEST(HomePage, CopyPutsEightLinesOnTheClipboardInBothFormats) {
  std::wstring dir = FreshTestFolder(L"主页 复制");
  ChildProcess app(CopyProgramInto(dir), dir);
  HWND main = StartAndWait(app);
  ASSERT_NE(main, nullptr);
  auto links = FindChildrenByText(main, "一键复制");
  ASSERT_EQ(links.size(), 1u);
  HWND link = links[0];

  // The eight lines in copy order: each caption, "：" and what its value label
  // shows (read from the program's own labels), CR LF between, none after.
  // The battery row is its timer's: copy once it has been written.
  const std::pair<const char*, const char*> rows[] = {
      {"中央处理器", "标签71"}, {"内存", "标签84"}, {"显卡", "标签81"}, {"主板", "标签76"},
      {"显示器", "标签75"},     {"硬盘", "标签74"}, {"网卡", "标签73"}, {"电池", "标签72"},
  };
  const std::string detecting = "配置正在检测，请稍后.........";
  ASSERT_TRUE(WaitUntil([&] { return SentText(LabelOf(main, "标签72")) != detecting; }, 5000));
  std::string expected;
  for (const auto& [caption, label] : rows) {
    HWND value = LabelOf(main, label);
    ASSERT_NE(value, nullptr) << label;
    std::string text = SentText(value);
    EXPECT_NE(text, detecting) << label;
    EXPECT_NE(text, "配置正在检测，请稍后........") << label;
    if (!expected.empty()) expected += "\r\n";
    expected += std::string(caption) + "：" + text;
  }

  PostMessageW(link, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return TextOf(link) == "已复制到剪切板！"; }, 5000));
  DWORD confirmed = GetTickCount();

  std::string gbk;
  std::wstring unicode;
  ASSERT_TRUE(WaitUntil([&] { return OpenClipboard(nullptr) != FALSE; }, 2000));
  if (HANDLE h = GetClipboardData(CF_TEXT)) {
    gbk = static_cast<const char*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    unicode = static_cast<const wchar_t*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();

  EXPECT_EQ(gbk, expected) << ql::GbkToUtf8(gbk);
  // This Wine's board line, as the home-page rows read it.
  EXPECT_NE(gbk.find("\r\n主板：The Wine Project Base Board"), std::string::npos) << ql::GbkToUtf8(gbk);
  EXPECT_EQ(ql::Gbk(unicode), gbk);

  // The confirmation stays about a second, then the caption returns.
  ASSERT_TRUE(WaitUntil([&] { return TextOf(link) == "一键复制"; }, 5000));
  DWORD shown = GetTickCount() - confirmed;
  EXPECT_GE(shown, 700u);
  EXPECT_LE(shown, 3000u);
}

TEST(HomePage, WithoutWmiStartUpStillEndsWithTheDegradedRows) {
  std::wstring dir = FreshTestFolder(L"主页 无WMI");
  std::wstring exe = dir + L"\\qinglan-nowmi.exe";
  ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), exe.c_str(), FALSE));
  // Wine's per-program settings: this copy cannot load the WMI provider.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\qinglan-nowmi.exe\\DllOverrides", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, L"wbemprox", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(wchar_t));
  RegCloseKey(key);
  ChildProcess app(exe, dir);
  HWND main = StartAndWait(app);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(HasChildWithText(main, "；；"));
  EXPECT_TRUE(HasChildWithText(main, "|  总共: 1块"));
  EXPECT_TRUE(HasChildWithText(main, " 总共: 0块"));
  EXPECT_TRUE(HasChildWithText(main, "(MHz) | 总共 1 根。共: 0MB (约" + ql::InstalledMemoryText() + ")"));
  // The machine-type label holds its single space, so no error dialog came.
  EXPECT_TRUE(TopWindowsOf(app.Id(), L"#32770").empty());
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\qinglan-nowmi.exe");
}

}  // namespace
