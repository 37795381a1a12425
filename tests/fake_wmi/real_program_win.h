// The real program under the test provider, and what its home page reads:
// the worked example's rows, and the rows of a machine whose WMI gives
// nothing. Installed memory, network adapters and the battery are this
// machine's, so those parts are computed here.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "inventory/home_page_rows.h"
#include "inventory/installed_memory_win.h"
#include "inventory/network_adapters.h"
#include "support/gbk_text.h"
#include "tests/win_test_support.h"

namespace qltest {

struct Row {
  const char* caption;
  std::string value;
};

inline std::string ThisMachinesNetworkRow() {
  std::vector<ql::NetworkAdapterInfo> adapters;
  ql::ListNetworkAdapters(adapters);
  std::string row;
  for (const ql::NetworkAdapterInfo& a : adapters) row += a.AdapterDescription + "| ";
  return row;
}

inline std::string ThisMachinesBatteryRow() {
  SYSTEM_POWER_STATUS raw{};
  GetSystemPowerStatus(&raw);
  return ql::BatteryText(
      {raw.ACLineStatus, raw.BatteryFlag, raw.BatteryLifePercent, static_cast<uint32_t>(raw.BatteryLifeTime)});
}

inline bool HasChildWithText(HWND main, const std::string& text) { return !FindChildrenByText(main, text).empty(); }

// Starts the program (a fresh copy, or the given one; it inherits the
// runner's environment, so it loads the test provider) and waits until
// start-up has finished: the main window shown, the splash gone.
class RealProgram {
 public:
  explicit RealProgram(const wchar_t* folder) : RealProgram(FreshTestFolder(folder), L"") {}
  RealProgram(const std::wstring& folder, const std::wstring& exe)
      : dir_(folder), started_(GetTickCount()), app_(exe.empty() ? CopyProgramInto(dir_) : exe, dir_) {
    main_ = WaitForTopWindow(app_.Id(), ql::kMainWindowClass, true, 60000);
    shownAfterMs_ = GetTickCount() - started_;
    if (main_) WaitUntil([&] { return TopWindowsOf(app_.Id(), ql::kSplashWindowClass).empty(); }, 30000);
  }
  HWND Main() const { return main_; }
  DWORD Id() const { return app_.Id(); }
  // From the process's start to its visible main window.
  DWORD ShownAfterMs() const { return shownAfterMs_; }
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
    // The confirmation goes after a second; the next copy waits for it.
    WaitUntil([&] { return TextOf(links[0]) == "一键复制"; }, 5000);
    return text;
  }

 private:
  std::wstring dir_;
  DWORD started_;
  ChildProcess app_;
  HWND main_ = nullptr;
  DWORD shownAfterMs_ = 0;
};

inline std::string Joined(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& r : rows) {
    if (!text.empty()) text += "\r\n";
    text += r.caption;
    text += "：";
    text += r.value;
  }
  return text;
}

inline void ExpectHomePage(RealProgram& app, const std::vector<std::string>& headers, const std::vector<Row>& rows) {
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

inline std::vector<std::string> WorkedExampleHeaders() {
  return {"LENOVO 台式电脑", "Microsoft Windows 10 专业版；123；64 位\r\n"};
}

inline std::vector<Row> WorkedExampleRows() {
  return {
      {"中央处理器", "AMD Ryzen 5 3600 6-Core Processor AMD64 Family 23 Model 113 Stepping 0"},
      {"内存", "Kingston(2666MHz) | Kingston(2666MHz) | 总共 2 根。共: 16384MB (约" + ql::InstalledMemoryText() + ")"},
      {"显卡", "NVIDIA GeForce GTX 1660 SUPER|  总共: 1块"},
      {"主板", "American Megatrends Inc. PRIME B365M-A\r\n"},
      {"显示器", "戴尔 DELA0A4 DEL DELL P2414H\n|"},
      {"硬盘", "Samsung SSD 860 EVO 500GB| WDC WD10EZEX-08WN4A0|  总共: 2块"},
      {"网卡", ThisMachinesNetworkRow()},
      {"电池", ThisMachinesBatteryRow()},
  };
}

// Part of what a machine without WMI shows; the rest is this machine's own.
inline std::vector<Row> RowsWithoutWmi() {
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

}  // namespace qltest
