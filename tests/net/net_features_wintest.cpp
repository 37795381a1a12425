// The visit counters, the update check and the package link, each reading
// its page from a local server; the box and the shell are stubs.
#include "tests/net/local_http_server.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/control_actions.h"
#include "app/main_controls_win.h"
#include "net/net_hooks_win.h"
#include "net/tool_package_win.h"
#include "net/update_check_win.h"
#include "net/visit_statistics_win.h"
#include "support/gbk_text.h"
#include "tests/win_test_support.h"

namespace {

using qltest::LocalHttpServer;

// The labels the features write, as real windows registered by layout name,
// and the hooks pointed at stubs that record what they were asked.
class NetFeatures : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"昨日访问", "今日访问", "累计访问", "标签17", "标签16", "标签30"}) {
      HWND h = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
      ASSERT_NE(h, nullptr);
      windows_.push_back(h);
      ql::RegisterMainControl(name, h);
    }
    ql::NetHooks& hooks = ql::TheNetHooks();
    hooks.messageBox = [this](std::string_view text, UINT style) {
      boxes_.push_back(std::string(text));
      styles_.push_back(style);
      return answer_;
    };
    hooks.openLink = [this](const std::string& link) { opened_.push_back(link); };
    folder_ = qltest::FreshTestFolder(L"网络 测试");
    hooks.appPaths = [this] {
      return ql::MakeAppPaths(ql::Utf16ToGbk(std::u16string(folder_.begin(), folder_.end())));
    };
    std::wstring dead = L"http://127.0.0.1:" + std::to_wstring(LocalHttpServer::DeadPort()) + L"/";
    hooks.counterPage = hooks.folderPage = std::string(dead.begin(), dead.end());
  }
  void TearDown() override {
    for (const char* name : {"昨日访问", "今日访问", "累计访问", "标签17", "标签16", "标签30"})
      ql::RegisterMainControl(name, nullptr);
    for (HWND h : windows_) DestroyWindow(h);
    ql::ResetNetHooks();
  }

  std::vector<HWND> windows_;
  std::vector<std::string> boxes_;
  std::vector<UINT> styles_;
  std::vector<std::string> opened_;
  int answer_ = IDYES;
  std::wstring folder_;
};

LocalHttpServer::Handler Page(const std::string& gbkText) {
  std::string utf8 = ql::GbkToUtf8(gbkText);
  return [utf8](const std::string&) { return LocalHttpServer::Response("200 OK", "", utf8); };
}

TEST_F(NetFeatures, CountersFromTheCounterPage) {
  // A page that declares its charset: the client may convert its text, the
  // counters are read from the bytes.
  LocalHttpServer server(Page("<meta charset=\"utf-8\"><p>昨日访问：5&#10;今日访问：7&#10;累计访问：99&#10;点击</p>"));
  ql::TheNetHooks().counterPage = server.Url("/count");
  ql::FetchVisitStatistics();
  EXPECT_EQ(ql::MainControlText("昨日访问"), "5");
  EXPECT_EQ(ql::MainControlText("今日访问"), "7");
  EXPECT_EQ(ql::MainControlText("累计访问"), "99");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /count HTTP/1.1\r\n", 0), 0u);
}

TEST_F(NetFeatures, CounterThreadFillsTheLabelsAndAMissingMarkerLeavesOneEmpty) {
  LocalHttpServer server(Page("昨日访问：12&#10;今日访问：34&#10;累计访问：5678"));
  ql::TheNetHooks().counterPage = server.Url("/");
  ql::SetMainControlText("累计访问", "old");
  ql::StartVisitStatisticsThread();
  EXPECT_TRUE(qltest::WaitUntil([] { return ql::MainControlText("昨日访问") == "12"; }, 15000));
  EXPECT_TRUE(qltest::WaitUntil([] { return ql::MainControlText("累计访问").empty(); }, 15000));
  EXPECT_EQ(ql::MainControlText("今日访问"), "34");
}

TEST_F(NetFeatures, UnreachableCounterPageEmptiesTheLabels) {
  ql::SetMainControlText("昨日访问", "x");
  ql::FetchVisitStatistics();
  EXPECT_EQ(ql::MainControlText("昨日访问"), "");
  EXPECT_EQ(ql::MainControlText("累计访问"), "");
}

TEST_F(NetFeatures, UpdateCheckHintsThenWritesTheVersions) {
  LocalHttpServer server(Page("<div>最新版本：[2.5.4]</div>"));
  ql::TheNetHooks().folderPage = server.Url("/folder");
  ql::CheckForUpdate();
  std::string waiting = ql::MainControlText("标签30");
  EXPECT_TRUE(waiting == "提示：正在检测更新中...请稍等！" || waiting == "提示：有新版本可以更新，请点击按钮前往下载！")
      << waiting;
  EXPECT_TRUE(qltest::WaitUntil(
      [] { return ql::MainControlText("标签30") == "提示：有新版本可以更新，请点击按钮前往下载！"; }, 15000));
  EXPECT_EQ(ql::MainControlText("标签17"), "当前版本：2.5.5");
  EXPECT_EQ(ql::MainControlText("标签16"), "服务器版本：2.5.4");
}

TEST_F(NetFeatures, UpdateCheckSameVersionAndUnreachablePage) {
  LocalHttpServer server(Page("最新版本：[2.5.5]"));
  ql::TheNetHooks().folderPage = server.Url("/");
  ql::RunUpdateCheck();
  EXPECT_EQ(ql::MainControlText("标签30"), "提示：已是最新版本，无需更新！（请关注官方群更新消息）");
  EXPECT_EQ(ql::MainControlText("标签16"), "服务器版本：2.5.5");

  ql::TheNetHooks().folderPage = "http://127.0.0.1:" + std::to_string(LocalHttpServer::DeadPort()) + "/";
  ql::RunUpdateCheck();
  EXPECT_EQ(ql::MainControlText("标签16"), "服务器版本：版本号获取错误！请检查网络！");
  EXPECT_EQ(ql::MainControlText("标签30"), "提示：网络错误");
}

TEST_F(NetFeatures, PackageLinkFromTheFolderPageIsOpened) {
  LocalHttpServer server(Page("说明 工具包下载地址：《https://dl.example/tools.zip》 完"));
  ql::TheNetHooks().folderPage = server.Url("/");
  ql::OpenToolPackageLink();
  EXPECT_EQ(opened_, std::vector<std::string>{"https://dl.example/tools.zip"});
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "准备为您安装工具包，此过程可能需要网络，点击确定立即获取！");
  EXPECT_EQ(styles_[0], static_cast<UINT>(MB_OK));
}

TEST_F(NetFeatures, LocalProgramOrFileLinkOpensNothingAndShowsTheFailureBox) {
  for (const char* link : {"C:\\Windows\\System32\\calc.exe", "file:///C:/Windows/System32/calc.exe", ""}) {
    boxes_.clear();
    styles_.clear();
    LocalHttpServer server(Page(std::string("工具包下载地址：《") + link + "》"));
    ql::TheNetHooks().folderPage = server.Url("/");
    ql::OpenToolPackageLink();
    EXPECT_TRUE(opened_.empty()) << link;
    ASSERT_EQ(boxes_.size(), 2u) << link;
    EXPECT_EQ(boxes_[1], "网络错误！获取链接失败！");
    EXPECT_EQ(styles_[1], static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  }
}

TEST_F(NetFeatures, OfferAsksOnlyWithoutTheMarkerAndFetchesOnlyOnYes) {
  LocalHttpServer server(Page("工具包下载地址：《http://dl.example/p》"));
  ql::TheNetHooks().folderPage = server.Url("/");

  answer_ = IDNO;
  ql::OfferToolPackage();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0], "检测到您没有安装工具包\r\n请问是否安装？");
  EXPECT_EQ(styles_[0], static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(server.Requests().empty());

  answer_ = IDYES;
  boxes_.clear();
  ql::OfferToolPackage();
  EXPECT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(opened_, std::vector<std::string>{"http://dl.example/p"});

  // With bin\tool.ini in place nothing is asked or fetched.
  CreateDirectoryW((folder_ + L"\\bin").c_str(), nullptr);
  ASSERT_TRUE(qltest::WriteFileBytes(folder_ + L"\\bin\\tool.ini", "", 0));
  boxes_.clear();
  ql::OfferToolPackage();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(NetFeatures, ControlActionsAreRegistered) {
  ql::ClearControlActions();
  ql::RegisterNetActions();
  EXPECT_TRUE(ql::HasControlAction("点击检测更新"));
  LocalHttpServer server(Page("工具包下载地址：《https://x.example/》"));
  ql::TheNetHooks().folderPage = server.Url("/");
  EXPECT_TRUE(ql::RunControlAction("下载工具包"));
  EXPECT_EQ(opened_, std::vector<std::string>{"https://x.example/"});
  ql::ClearControlActions();
}

}  // namespace
