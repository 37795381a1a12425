// Page 10's update log: the browser or its fallback link, in this process
// over stand-ins (a fake control, no control, recorded links) and in the
// real program under Wine, where the engine can be switched off per program.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/main_layout.h"
#include "app/main_pages.h"
#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "app/update_log_view_win.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/web_addresses.h"
#include "tests/support/fake_browser_control_win.h"
#include "tests/support/recording_prompts.h"
#include "tests/win_test_support.h"

namespace {

using qltest::FakeBrowserControl;
using qltest::FakeControlSource;
using qltest::RecordingPrompts;

std::vector<HWND> DirectChildren(HWND parent) {
  std::vector<HWND> found;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) found.push_back(h);
  return found;
}

RECT RectInParent(HWND child) {
  RECT rc = qltest::ScreenRect(child);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// --- The view over stand-ins, in this process ---

class UpdateLogViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    page_ = qltest::CreateHostWindow(L"UpdateLogPageStandIn", WS_POPUP | WS_CLIPCHILDREN, 820, 580, L"更新日志");
    ASSERT_NE(page_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(page_)) DestroyWindow(page_);
    ql::ClearControlActions();
  }
  HINSTANCE Instance() const { return GetModuleHandleW(nullptr); }

  HWND page_ = nullptr;
  RecordingPrompts prompts_;
};

TEST_F(UpdateLogViewTest, WithoutAControlOneLinkOpensTheLogInTheDefaultBrowser) {
  FakeControlSource missing(nullptr, REGDB_E_CLASSNOTREG);
  ql::UpdateLogView view(prompts_, missing, ql::web::kMakerUpdateLogPage);
  view.Show(page_, Instance());
  view.Show(page_, Instance());  // opened again: nothing new
  EXPECT_EQ(missing.calls, 1);
  EXPECT_EQ(view.Browser(), nullptr);
  HWND link = view.FallbackLink();
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(DirectChildren(page_), std::vector<HWND>{link});
  EXPECT_EQ(qltest::TextOf(link), ql::kUpdateLogLinkCaption);
  EXPECT_TRUE(Inside(RectInParent(link), ql::kUpdateLogRect));
  EXPECT_TRUE(prompts_.links.empty());

  // The link acts as the button goes down, like every link of the program.
  SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  EXPECT_EQ(prompts_.links, std::vector<std::string>{std::string(ql::web::kMakerUpdateLogPage)});
}

TEST_F(UpdateLogViewTest, WithAControlTheBrowserFillsTheRectangleAndShowsTheLog) {
  FakeBrowserControl control;
  FakeControlSource source(&control);
  ql::UpdateLogView view(prompts_, source, ql::web::kMakerUpdateLogPage);
  view.Show(page_, Instance());
  view.Show(page_, Instance());
  EXPECT_EQ(source.calls, 1);
  HWND browser = view.Browser();
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(view.FallbackLink(), nullptr);
  EXPECT_EQ(DirectChildren(page_), std::vector<HWND>{browser});
  EXPECT_TRUE(qltest::SameRect(RectInParent(browser), ql::kUpdateLogRect));
  EXPECT_EQ(control.navigations, std::vector<std::wstring>{ql::Wide(ql::web::kMakerUpdateLogPage)});
  EXPECT_TRUE(prompts_.links.empty());
  DestroyWindow(page_);  // while the control exists
  EXPECT_EQ(control.HeldReferences(), 0);
}

TEST_F(UpdateLogViewTest, AnAddressThatIsNotAWebAddressIsNeitherShownNorOpened) {
  const char* addresses[] = {"file:///C:/Windows/win.ini", "C:\\Windows\\notepad.exe", "mailto:log@larkmere.example",
                             "javascript:alert(1)", ""};
  for (const char* address : addresses) {
    SCOPED_TRACE(address);
    HWND page = CreateWindowExW(0, L"UpdateLogPageStandIn", L"", WS_POPUP, 0, 0, 820, 580, nullptr, nullptr, Instance(),
                                nullptr);
    FakeBrowserControl control;
    FakeControlSource source(&control);
    ql::UpdateLogView withBrowser(prompts_, source, address);
    withBrowser.Show(page, Instance());
    EXPECT_NE(withBrowser.Browser(), nullptr);
    EXPECT_TRUE(control.navigations.empty());

    FakeControlSource missing(nullptr, REGDB_E_CLASSNOTREG);
    ql::UpdateLogView withLink(prompts_, missing, address);
    withLink.Show(page, Instance());
    ASSERT_NE(withLink.FallbackLink(), nullptr);
    SendMessageW(withLink.FallbackLink(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    EXPECT_TRUE(prompts_.links.empty());
    DestroyWindow(page);
  }
}

// --- The real program ---

HWND PageOf(HWND main, int page) {
  HWND area = GetDlgItem(main, ql::kPageAreaId);
  return area ? GetDlgItem(area, ql::kPageIdBase + page) : nullptr;
}

BOOL CALLBACK CollectHost(HWND h, LPARAM out) {
  wchar_t name[64] = {};
  GetClassNameW(h, name, 64);
  if (lstrcmpW(name, ql::kWebBrowserHostClass) == 0) reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
  return TRUE;
}

std::vector<HWND> HostsUnder(HWND root) {
  std::vector<HWND> found;
  EnumChildWindows(root, CollectHost, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Any window text that the invented changelog or the plain-text address left behind.
BOOL CALLBACK FindOldText(HWND h, LPARAM found) {
  std::string text = qltest::TextOf(h);
  for (std::string_view old :
       {std::string_view("首页配置检测更准确"), std::string_view("V2.5.0"), ql::web::kMakerUpdateLogPage})
    if (text.find(old) != std::string::npos) *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool HoldsOldText(HWND root) {
  bool found = false;
  EnumChildWindows(root, FindOldText, reinterpret_cast<LPARAM>(&found));
  return found;
}

// One copy of the program, started under `exeName` in a folder where the
// tool package counts as installed.
class ProgramCopy {
 public:
  explicit ProgramCopy(const std::wstring& exeName) {
    std::wstring dir = qltest::FreshTestFolder(L"更新日志 " + exeName);
    std::wstring exe = dir + L"\\" + exeName;
    CopyFileW(qltest::ProgramPath().c_str(), exe.c_str(), FALSE);
    CreateDirectoryW((dir + L"\\bin").c_str(), nullptr);
    qltest::WriteFileBytes(dir + L"\\bin\\tool.ini", "[tool]\r\n", 8);
    app_ = std::make_unique<qltest::ChildProcess>(exe, dir);
    main_ = qltest::WaitForTopWindow(app_->Id(), ql::kMainWindowClass, true, 30000);
    qltest::WaitUntil([&] { return qltest::TopWindowsOf(app_->Id(), ql::kSplashWindowClass).empty(); }, 10000);
  }
  HWND Main() const { return main_; }
  qltest::ChildProcess& App() { return *app_; }
  void Click(std::string_view layoutName) {
    HWND control = qltest::FindLayoutControl(main_, layoutName);
    ASSERT_NE(control, nullptr) << layoutName;
    SendMessageW(control, BM_CLICK, 0, 0);
  }

 private:
  std::unique_ptr<qltest::ChildProcess> app_;
  HWND main_ = nullptr;
};

// Under Wine the HTML engine is switched off in the test prefix (no Gecko),
// while the control itself (ieframe) exists: either outcome is right here,
// as long as it is exactly one of them.
TEST(UpdateLogPage, TheFirstVisitMakesTheBrowserOrTheLinkOnceAndCloseStillEndsAtOnce) {
  ProgramCopy program(L"qinglan.exe");
  HWND main = program.Main();
  ASSERT_NE(main, nullptr);
  HWND page = PageOf(main, ql::kUpdateLogPage);
  ASSERT_NE(page, nullptr);
  // The pages are built in the background once the window shows; the
  // browser is not among what they build.
  ASSERT_TRUE(qltest::WaitUntil([&] { return !qltest::FindChildrenByText(page, "| 更新日志").empty(); }, 10000));
  EXPECT_TRUE(HostsUnder(main).empty());
  EXPECT_TRUE(qltest::FindChildrenByText(main, std::string(ql::kUpdateLogLinkCaption)).empty());
  EXPECT_FALSE(HoldsOldText(main));

  program.Click("更新日志");
  std::vector<HWND> hosts = HostsUnder(main);
  std::vector<HWND> links = qltest::FindChildrenByText(main, std::string(ql::kUpdateLogLinkCaption));
  ASSERT_EQ(hosts.size() + links.size(), 1u) << hosts.size() << " hosts, " << links.size() << " links";
  HWND shown = hosts.empty() ? links[0] : hosts[0];
  EXPECT_EQ(GetParent(shown), page);
  if (!hosts.empty())
    EXPECT_TRUE(qltest::SameRect(RectInParent(shown), ql::kUpdateLogRect));
  else
    EXPECT_TRUE(Inside(RectInParent(shown), ql::kUpdateLogRect));
  EXPECT_FALSE(HoldsOldText(main));

  // Opened again: the same window, and still only one.
  program.Click("主页");
  program.Click("更新日志");
  EXPECT_EQ(HostsUnder(main).size() + qltest::FindChildrenByText(main, std::string(ql::kUpdateLogLinkCaption)).size(),
            1u);
  EXPECT_TRUE(IsWindow(shown));
  EXPECT_TRUE(IsWindowVisible(shown));

  // The close button with page 10 open ends the process at once, with 0.
  program.Click("gb");
  EXPECT_EQ(program.App().WaitExit(5000), 0u);
}

// Wine reads DLL overrides per program from the registry: ieframe switched
// off for one copy of the program takes the control away from it only.
class EngineOverride {
 public:
  EngineOverride(const std::wstring& exeName, const wchar_t* ieframe)
      : key_(L"Software\\Wine\\AppDefaults\\" + exeName) {
    ql::ScopedHKey k;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        k.Put(), nullptr) == ERROR_SUCCESS)
      RegSetValueExW(k.Get(), L"ieframe", 0, REG_SZ, reinterpret_cast<const BYTE*>(ieframe),
                     DWORD((wcslen(ieframe) + 1) * sizeof(wchar_t)));
  }
  ~EngineOverride() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }

 private:
  std::wstring key_;
};

TEST(UpdateLogPage, EachOutcomeWhereItIsForced) {
  if (!qltest::RunningUnderWine()) GTEST_SKIP() << "the per-program DLL overrides are Wine's";
  struct Case {
    const wchar_t* exeName;
    const wchar_t* ieframe;  // "" switches the DLL off, "builtin" keeps Wine's own
    bool browser;
  };
  const Case cases[] = {
      {L"qinglan_engine.exe", L"builtin", true},
      {L"qinglan_noengine.exe", L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(ql::Gbk(c.exeName));
    EngineOverride engine(c.exeName, c.ieframe);
    ProgramCopy program(c.exeName);
    HWND main = program.Main();
    ASSERT_NE(main, nullptr);
    program.Click("更新日志");
    std::vector<HWND> hosts = HostsUnder(main);
    std::vector<HWND> links = qltest::FindChildrenByText(main, std::string(ql::kUpdateLogLinkCaption));
    EXPECT_EQ(hosts.size(), c.browser ? 1u : 0u);
    EXPECT_EQ(links.size(), c.browser ? 0u : 1u);
    if (c.browser && hosts.size() == 1) {
      EXPECT_TRUE(qltest::SameRect(RectInParent(hosts[0]), ql::kUpdateLogRect));
      // The control's own window fills the host.
      HWND embedding = GetWindow(hosts[0], GW_CHILD);
      ASSERT_NE(embedding, nullptr);
      EXPECT_TRUE(qltest::SameRect(RectInParent(embedding), RECT{0, 0, 812, 416}));
    }
    // Closed the other way (the window destroyed), page 10 still open.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.App().WaitExit(5000), 0u);
  }
}

}  // namespace
