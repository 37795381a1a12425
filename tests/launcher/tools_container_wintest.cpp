// The tools container in a test window under Wine: its pages and controls,
// the search box driven through the real combo box, category and back
// buttons with the top-bar title, tool buttons reaching the shell stand-in.
#include <windows.h>

#include <commctrl.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "launcher/system_operations_win.h"
#include "launcher/tool_catalog.h"
#include "launcher/tools_container_win.h"
#include "launcher/tools_layout.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/web_addresses.h"
#include "tests/launcher/fake_system_calls_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether the process of this id runs explorer.exe (any case).
bool IsExplorer(DWORD pid) {
  ql::ScopedHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32FirstW(snap.Get(), &entry); ok; ok = Process32NextW(snap.Get(), &entry))
    if (entry.th32ProcessID == pid) return lstrcmpiW(entry.szExeFile, L"explorer.exe") == 0;
  return false;
}

class ToolsContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = qltest::CreateHostWindow(L"QlLauncherTestHost", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 900, 700);
    ASSERT_NE(host_, nullptr);
    ql::ClearControlActions();
    ql::RegisterLauncherActions(launcher_.launcher, launcher_.operations, tools_);
    container_ = ql::CreateToolsContainer(host_, -8, 40, 828, 568);
    ASSERT_NE(container_, nullptr);
    ShowWindow(host_, SW_SHOW);
    box_ = ql::ToolsSearchBox();
    ASSERT_NE(box_, nullptr);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(box_, &info));
    edit_ = info.hwndItem;
    list_ = info.hwndList;
  }
  void TearDown() override {
    ql::ClearControlActions();
    if (host_) DestroyWindow(host_);
  }

  HWND Page(int p) {
    HWND page = nullptr;
    for (HWND c = GetWindow(container_, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (ql::GetWindowTextGbk(c) == ql::ToolsPageName(p)) page = c;
    return page;
  }
  HWND Button(int page, const std::string& caption) {
    std::vector<HWND> found = FindChildrenByText(Page(page), caption);
    return found.empty() ? nullptr : found[0];
  }
  void Click(HWND button) {
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
  }
  std::vector<std::string> ListItems() {
    std::vector<std::string> items;
    LRESULT n = SendMessageW(box_, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      wchar_t buf[256] = {};
      SendMessageW(box_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      items.push_back(ql::Gbk(buf));
    }
    return items;
  }
  void Type(const std::string& gbk) { SetWindowTextW(edit_, ql::Wide(gbk).c_str()); }
  bool Dropped() { return SendMessageW(box_, CB_GETDROPPEDSTATE, 0, 0) != 0; }
  void CloseList() {
    SendMessageW(box_, CB_SHOWDROPDOWN, 0, 0);
    WaitUntil([] { return false; }, 50);
  }
  // Picks list item k the way a user does: a click on it in the open list.
  void ClickListItem(int k) {
    RECT r{};
    SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(k), reinterpret_cast<LPARAM>(&r));
    LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(list_, WM_MOUSEMOVE, 0, at);
    SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list_, WM_LBUTTONUP, 0, at);
    WaitUntil([] { return false; }, 50);
  }
  std::string Title() { return tools_.titles.empty() ? std::string() : tools_.titles.back(); }

  FakeSystemCalls fake;
  FakeLauncher launcher_{fake};
  RecordingToolsHost tools_;
  HWND host_ = nullptr, container_ = nullptr, box_ = nullptr, edit_ = nullptr, list_ = nullptr;
};

TEST_F(ToolsContainerTest, TwelvePagesEveryRowAChildWithItsCaption) {
  for (int p = 0; p < ql::kToolsPageCount; ++p) {
    ASSERT_NE(Page(p), nullptr) << p;
    EXPECT_EQ(IsWindowVisible(Page(p)) != FALSE, p == 0) << p;
  }
  EXPECT_EQ(ql::ToolsContainerPage(), 0);
  for (const ql::ContainerControl& c : ql::ToolsContainerControls()) {
    const ql::LayoutRow& row = c.row;
    if (row.caption.empty()) continue;
    std::vector<HWND> found = FindChildrenByText(Page(row.parent), std::string(row.caption));
    ASSERT_FALSE(found.empty()) << row.caption;
    RECT r;
    GetWindowRect(found[0], &r);
    MapWindowPoints(nullptr, Page(row.parent), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, row.x) << row.caption;
    EXPECT_EQ(r.top, row.y) << row.caption;
  }
  // Editable drop-down combo box at (28, 69), 640 wide.
  EXPECT_EQ(GetWindowLongW(box_, GWL_STYLE) & 3, CBS_DROPDOWN);
  RECT r;
  GetWindowRect(box_, &r);
  EXPECT_EQ(r.right - r.left, 640);
  // Ten system functions and "工具无法打开？" carry a tooltip.
  HWND tip = nullptr;
  for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT)) {
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == GetCurrentProcessId() && lstrcmpW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(h, GW_OWNER) == host_) tip = h;
  }
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 11);
}

TEST_F(ToolsContainerTest, SearchShowsHitsAndSelectingOneSwitchesOnlyThePage) {
  Type("CPUZ");
  Click(Button(0, "点击搜索"));
  EXPECT_EQ(ListItems(), (std::vector<std::string>{"cpuz64", "cpuz86", "CPUZ64", "CPUZ32", "cpuz64", "cpuz86"}));
  EXPECT_TRUE(Dropped());
  EXPECT_EQ(ql::GetWindowTextGbk(edit_), "CPUZ");
  EXPECT_EQ(ql::ToolsContainerPage(), 0);  // a search alone switches nothing

  ClickListItem(2);  // "CPUZ64"
  EXPECT_EQ(ql::ToolsContainerPage(), 6);
  EXPECT_TRUE(IsWindowVisible(Page(6)));
  EXPECT_FALSE(IsWindowVisible(Page(0)));
  EXPECT_TRUE(tools_.titles.empty());       // a hit changes the page only
  ASSERT_NE(Button(6, "CPUZ64"), nullptr);  // the tool's button is there to press
}

TEST_F(ToolsContainerTest, EnterSearchesAndEachSearchReplacesTheList) {
  Type("dism");
  SendMessageW(edit_, WM_KEYDOWN, VK_RETURN, 0);
  SendMessageW(edit_, WM_CHAR, L'\r', 0);
  EXPECT_EQ(ListItems(), (std::vector<std::string>{"Dism++64", "Dism++86"}));
  CloseList();

  Type("没有这个工具");
  Click(Button(0, "点击搜索"));
  EXPECT_TRUE(ListItems().empty());
  EXPECT_EQ(ql::GetWindowTextGbk(edit_), "没有这个工具");
  EXPECT_TRUE(Dropped());  // opened also with no hit
  EXPECT_TRUE(ql::SearchHitPages().empty());
  CloseList();

  Type("");
  Click(Button(0, "点击搜索"));
  EXPECT_EQ(ListItems().size(), 41u);
  CloseList();

  // Bad input: 1,000 bytes of text, and a text that is not GBK at all.
  Type(std::string(1000, 'a'));
  Click(Button(0, "点击搜索"));
  EXPECT_TRUE(ListItems().empty());
  CloseList();
  SetWindowTextW(edit_, L"\U0001F600\u00E9");
  Click(Button(0, "点击搜索"));
  EXPECT_TRUE(ListItems().empty());
  CloseList();
  EXPECT_EQ(ql::ToolsContainerPage(), 0);
}

TEST_F(ToolsContainerTest, CategoryBackAndToolButtons) {
  Click(Button(0, "显示器工具"));
  EXPECT_EQ(ql::ToolsContainerPage(), 7);
  EXPECT_EQ(Title(), "显示器工具");

  Click(Button(7, "色域检测"));
  ASSERT_EQ(fake.shellCalls.size(), 1u);
  EXPECT_EQ(fake.shellCalls[0].file,
            ql::Wide(ql::CurrentAppPaths().programDir + "\\tools\\显示器工具\\色域检测\\monitorinfo.exe"));
  EXPECT_EQ(fake.shellCalls[0].show, SW_SHOWNORMAL);

  Click(Button(7, "返回"));
  EXPECT_EQ(ql::ToolsContainerPage(), 0);
  EXPECT_EQ(Title(), "功能");

  Click(Button(0, "cpu工具"));
  Click(Button(1, "CoreTemp64"));
  EXPECT_EQ(fake.shellCalls.back().show, SW_SHOW);
  Click(Button(1, "返回"));

  Click(Button(0, "工具目录"));
  EXPECT_EQ(fake.shellCalls.back().file, ql::Wide(ql::CurrentAppPaths().toolsDir));
  Click(Button(0, "Kinhdown下载器"));
  EXPECT_EQ(fake.prompts.links, std::vector<std::string>{std::string(ql::web::kKinhdownSite)});
  Click(Button(0, "下载工具包"));
  EXPECT_EQ(tools_.packageLinks, 1);
  Click(Button(0, "工具无法打开？"));
  EXPECT_EQ(fake.dialogIcons, std::vector<int>{0xFFFB});
  fake.prompts.boxAnswer = IDNO;
  Click(Button(0, "关机"));
  EXPECT_TRUE(fake.exitFlags.empty());
  EXPECT_EQ(fake.prompts.boxTexts.back(), "系统即将关机！真的要执行操作吗？");
}

// Each of the ten system buttons, clicked in the container, reaches its
// operation: every final call lands in the recording stand-in, none in the
// system. The scripts are written into folders of the test's own.
TEST_F(ToolsContainerTest, EveryTenSystemButtonsReachTheirOperation) {
  std::wstring dir = FreshTestFolder(L"系统功能 按钮");
  ASSERT_TRUE(CreateDirectoryW((dir + L"\\bin").c_str(), nullptr));
  const std::string programDir = ql::Gbk(dir);
  const HWND owner = host_;

  struct Case {
    const char* caption;
    int answer;
    std::vector<std::string> order;  // empty: checked by `check` alone
    std::function<void(const FakeSystemCalls&)> check;
  };
  const Case cases[] = {
      {"重启资源管理器",
       IDOK,
       {},
       [](const FakeSystemCalls& f) {
         ASSERT_FALSE(f.order.empty());
         EXPECT_EQ(f.order[0], "messageBox");  // the box before Explorer ends
         EXPECT_EQ(f.prompts.boxTexts, std::vector<std::string>{"重启资源管理器成功"});
         EXPECT_EQ(f.prompts.boxStyles, std::vector<unsigned>{MB_OK});
         // At most one process, and only one named explorer.exe.
         ASSERT_LE(f.terminated.size(), 1u);
         EXPECT_EQ(f.order.size(), 1 + f.terminated.size());
         for (DWORD pid : f.terminated) EXPECT_TRUE(IsExplorer(pid)) << pid;
       }},
      {"重建图标缓存",
       IDNO,
       {"shellOpenWaitable", "shellOpen"},
       [&](const FakeSystemCalls& f) {
         EXPECT_EQ(f.waitableStarts, std::vector<std::wstring>{dir + L"\\bin\\清理图标缓存.bat"});
         EXPECT_EQ(f.shellCalls.back().file, L"C:\\Windows\\explorer.exe");
         EXPECT_FALSE(Exists(dir + L"\\bin\\清理图标缓存.bat"));  // removed once started
       }},
      {"打开关于系统",
       IDNO,
       {"shellAbout"},
       [&](const FakeSystemCalls& f) {
         EXPECT_EQ(f.aboutOwners, std::vector<HWND>{owner});
         EXPECT_EQ(f.aboutTexts,
                   (std::vector<std::string>{"Windows系统信息-larkmere", "青岚工具箱 larkmere 祝您好运！"}));
       }},
      {"垃圾清理",
       IDNO,
       {"shellOpen"},
       [](const FakeSystemCalls& f) {
         EXPECT_EQ(f.shellCalls[0].file, L"cleanmgr");
         EXPECT_EQ(f.shellCalls[0].show, SW_SHOW);
       }},
      {"高级垃圾清理",
       IDYES,
       {"messageBox", "shellOpen"},
       [&](const FakeSystemCalls& f) {
         EXPECT_EQ(f.prompts.boxTexts, std::vector<std::string>{std::string(ql::kJunkCleanQuestion)});
         ASSERT_EQ(f.shellCalls.size(), 1u);
         EXPECT_EQ(f.shellCalls[0].file, L"C.bat");
         EXPECT_EQ(f.shellCalls[0].show, SW_SHOW);
         EXPECT_TRUE(Exists(dir + L"\\C.bat"));  // written into the current directory, not run
       }},
      {"关闭屏幕",
       IDNO,
       {"screenOff"},
       [&](const FakeSystemCalls& f) { EXPECT_EQ(f.screenOffWindows, std::vector<HWND>{owner}); }},
      {"打开注册表",
       IDNO,
       {"shellOpen"},
       [](const FakeSystemCalls& f) {
         EXPECT_EQ(f.shellCalls[0].file, L"C:\\Windows\\regedit.exe");
         EXPECT_EQ(f.shellCalls[0].show, SW_SHOW);
       }},
      {"关机",
       IDYES,
       {"messageBox", "enableShutdownPrivilege", "endWindowsSession"},
       [](const FakeSystemCalls& f) {
         EXPECT_EQ(f.prompts.boxTexts, std::vector<std::string>{"系统即将关机！真的要执行操作吗？"});
         EXPECT_EQ(f.exitFlags, std::vector<UINT>{EWX_POWEROFF | EWX_FORCE});
       }},
      {"重启",
       IDYES,
       {"messageBox", "enableShutdownPrivilege", "endWindowsSession"},
       [](const FakeSystemCalls& f) {
         EXPECT_EQ(f.prompts.boxTexts, std::vector<std::string>{"系统即将重启！真的要执行操作吗？"});
         EXPECT_EQ(f.exitFlags, std::vector<UINT>{EWX_REBOOT | EWX_FORCE});
       }},
      {"注销",
       IDYES,
       {"messageBox", "enableShutdownPrivilege", "endWindowsSession"},
       [](const FakeSystemCalls& f) {
         EXPECT_EQ(f.prompts.boxTexts, std::vector<std::string>{"系统即将注销！真的要执行操作吗？"});
         EXPECT_EQ(f.exitFlags, std::vector<UINT>{EWX_LOGOFF | EWX_FORCE});
       }},
  };
  ASSERT_EQ(std::size(cases), 10u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    FakeSystemCalls calls;
    calls.ownerWindow = owner;
    calls.prompts.boxAnswer = c.answer;
    FakeLauncher local(calls, ql::MakeAppPaths(programDir));
    ql::ClearControlActions();
    ql::RegisterLauncherActions(local.launcher, local.operations, tools_);
    {
      CurrentDirectory cd(dir);
      Click(Button(0, c.caption));
    }
    if (!c.order.empty()) {
      EXPECT_EQ(calls.order, c.order);
    }
    c.check(calls);
    EXPECT_TRUE(fake.order.empty());  // the fixture's stand-in saw nothing
  }
}

}  // namespace
