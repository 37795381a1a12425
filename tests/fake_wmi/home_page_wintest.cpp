// The real program under the test provider. On the worked example's machine
// every home row reads as that example gives it, and the copy link puts the
// eight rows on the clipboard in order; with WMI failing (fail mode), and
// with a malformed machine file, the rows are the "WMI unavailable" ones. Installed memory, network adapters and the
// battery are this machine's, so those parts are computed here.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "inventory/home_page_rows.h"
#include "inventory/installed_memory_win.h"
#include "inventory/network_adapters.h"
#include "support/gbk_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/win_test_support.h"

namespace qltest {
namespace {

struct Row {
  const char* caption;
  std::string value;
};

std::string ThisMachinesNetworkRow() {
  std::vector<ql::NetworkAdapterInfo> adapters;
  ql::ListNetworkAdapters(adapters);
  std::string row;
  for (const ql::NetworkAdapterInfo& a : adapters) row += a.AdapterDescription + "| ";
  return row;
}

std::string ThisMachinesBatteryRow() {
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);
  return ql::BatteryText(
      {raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent, static_cast<uint32_t>(raw.BatteryLifeTime)});
}

bool HasChildWithText(HWND main, const std::string& text) { return !FindChildrenByText(main, text).empty(); }

// Starts a copy of the program (it inherits the runner's environment, so
// it loads the test provider) and waits until start-up has finished.
class RealProgram {
 public:
  explicit RealProgram(const wchar_t* folder) : dir_(FreshTestFolder(folder)), app_(CopyProgramInto(dir_), dir_) {
    main_ = WaitForTopWindow(app_.Id(), ql::kMainWindowClass, true, 60000);
    if (main_) WaitUntil([&] { return TopWindowsOf(app_.Id(), ql::kSplashWindowClass).empty(); }, 30000);
  }
  HWND Main() const { return main_; }
  DWORD ExitCodeNow() { return app_.WaitExit(0); }

  // Clicks the copy link and returns the CF_TEXT the program put on the clipboard.
  std::string CopiedText() {
    auto links = FindChildrenByText(main_, "一键复制");
    if (links.size() != 1) return "<no copy link>";
    PostMessageW(links[0], BM_CLICK, 0, 0);
    if (!WaitUntil([&] { return TextOf(links[0]) == "已复制到剪切板！"; }, 5000)) return "<not copied>";
    std::string text = "<no text>";
    if (WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, 2000)) {
      if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
      }
      CloseClipboard();
    }
    return text;
  }

 private:
  std::wstring dir_;
  ChildProcess app_;
  HWND main_ = nullptr;
};

std::string Joined(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& r : rows) {
    if (!text.empty()) text += "\r\n";
    text += r.caption;
    text += "：";
    text += r.value;
  }
  return text;
}

void ExpectHomePage(RealProgram& app, const std::vector<std::string>& headers, const std::vector<Row>& rows) {
  HWND main = app.Main();
  for (const std::string& header : headers)
    EXPECT_TRUE(HasChildWithText(main, header)) << "header " << ql::GbkToUtf8(header);
  for (const Row& r : rows) {
    if (r.value.empty() || r.value == " ") continue;  // not to be found by text; the copy below shows them
    EXPECT_TRUE(WaitUntil([&] { return HasChildWithText(main, r.value); }, 5000))
        << ql::GbkToUtf8(r.caption) << " should read " << ql::GbkToUtf8(r.value);
  }
  EXPECT_FALSE(HasChildWithText(main, "配置正在检测，请稍后........."));
  EXPECT_EQ(app.CopiedText(), Joined(rows));
}

TEST(WorkedExampleHomePage, RowsMonitorAndCopiedTextReadAsTheExampleGivesThem) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  RealProgram app(L"假WMI 主页");
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, {"LENOVO 台式电脑", "Microsoft Windows 10 专业版；123；64 位\r\n"},
                 {
                     {"中央处理器", "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0"},
                     {"内存", "Kingston(2666MHz) | Kingston(2666MHz) | 总共 2 根。共: 16384MB (约" +
                                  ql::InstalledMemoryText() + ")"},
                     {"显卡", "NVIDIA GeForce GTX 1660 SUPER|  总共: 1块"},
                     {"主板", "American Megatrends Inc. PRIME B365M-A\r\n"},
                     {"显示器", "戴尔 DELA0A4 DEL DELL P2414H\n|"},
                     {"硬盘", "Samsung SSD 860 EVO 500GB| WDC WD10EZEX-08WN4A0|  总共: 2块"},
                     {"网卡", ThisMachinesNetworkRow()},
                     {"电池", ThisMachinesBatteryRow()},
                 });
}

// Part of what a machine without WMI shows; the rest is this machine's own.
std::vector<Row> RowsWithoutWmi() {
  return {
      {"中央处理器", " "},
      {"内存", "(MHz) | 总共 1 根。共: 0MB (约" + ql::InstalledMemoryText() + ")"},
      {"显卡", "|  总共: 1块"},
      {"主板", " "},
      {"显示器", ""},
      {"硬盘", " 总共: 0块"},
      {"网卡", ThisMachinesNetworkRow()},
      {"电池", ThisMachinesBatteryRow()},
  };
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
