// The visit counters, the update check and the package link, each reading
// its page from a local server; the views record what they are shown, the
// boxes and the shell are the recording prompts.
#include "tests/net/local_http_server.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>

#include "net/tool_package_win.h"
#include "net/update_check_win.h"
#include "net/visit_statistics_win.h"
#include "ql_version.h"
#include "support/control_actions.h"
#include "support/gbk_text.h"
#include "tests/support/recording_prompts.h"
#include "tests/win_test_support.h"

namespace {

using qltest::LocalHttpServer;

// What the features show, as the shell's labels would hold it. Written by the
// features' worker threads, read by the tests.
class RecordingViews final : public ql::VisitCountersView, public ql::UpdateCheckView {
 public:
  void ShowVisitCounters(const ql::VisitCounters& c) override {
    std::lock_guard<std::mutex> hold(lock_);
    labels_["昨日访问"] = c.yesterday;
    labels_["今日访问"] = c.today;
    labels_["累计访问"] = c.total;
  }
  void ShowUpdateHint(std::string_view hint) override {
    std::lock_guard<std::mutex> hold(lock_);
    labels_["标签30"] = std::string(hint);
  }
  void ShowUpdateLabels(const ql::UpdateLabels& l) override {
    std::lock_guard<std::mutex> hold(lock_);
    labels_["标签17"] = l.currentVersion;
    labels_["标签16"] = l.serverVersion;
    labels_["标签30"] = l.hint;
  }
  std::string Label(const std::string& name) {
    std::lock_guard<std::mutex> hold(lock_);
    return labels_[name];
  }
  void SetLabel(const std::string& name, const std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    labels_[name] = text;
  }

 private:
  std::mutex lock_;
  std::map<std::string, std::string> labels_;
};

class NetFeatures : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = qltest::FreshTestFolder(L"网络 测试");
    binDir_ = ql::Utf16ToGbk(std::u16string(folder_.begin(), folder_.end())) + "\\bin";
    prompts_.boxAnswer = IDYES;
  }
  std::string DeadPage() { return "http://127.0.0.1:" + std::to_string(LocalHttpServer::DeadPort()) + "/"; }

  // Static: a worker thread may still be returning from its last write when
  // a test ends.
  static RecordingViews& views_;
  qltest::RecordingPrompts prompts_;
  std::wstring folder_;
  std::string binDir_;
};
RecordingViews& NetFeatures::views_ = *new RecordingViews;

// (Built by append: "literal" + string trips a false -Wrestrict in GCC 12.)
std::string Joined(std::string_view a, std::string_view b) { return std::string(a).append(b); }

LocalHttpServer::Handler Page(const std::string& gbkText) {
  std::string utf8 = ql::GbkToUtf8(gbkText);
  return [utf8](const std::string&) { return LocalHttpServer::Response("200 OK", "", utf8); };
}

TEST_F(NetFeatures, CountersFromTheCounterPage) {
  // A page that declares its charset: the client may convert its text, the
  // counters are read from the bytes.
  LocalHttpServer server(Page("<meta charset=\"utf-8\"><p>昨日访问：5&#10;今日访问：7&#10;累计访问：99&#10;点击</p>"));
  ql::FetchVisitStatistics(views_, server.Url("/count"));
  EXPECT_EQ(views_.Label("昨日访问"), "5");
  EXPECT_EQ(views_.Label("今日访问"), "7");
  EXPECT_EQ(views_.Label("累计访问"), "99");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /count HTTP/1.1\r\n", 0), 0u);
}

TEST_F(NetFeatures, CounterThreadFillsTheLabelsAndAMissingMarkerLeavesOneEmpty) {
  LocalHttpServer server(Page("昨日访问：12&#10;今日访问：34&#10;累计访问：5678"));
  views_.SetLabel("昨日访问", "old");
  views_.SetLabel("累计访问", "old");
  ql::StartVisitStatisticsThread(views_, server.Url("/"));
  EXPECT_TRUE(qltest::WaitUntil([] { return views_.Label("昨日访问") == "12"; }, 15000));
  EXPECT_TRUE(qltest::WaitUntil([] { return views_.Label("累计访问").empty(); }, 15000));
  EXPECT_EQ(views_.Label("今日访问"), "34");
}

TEST_F(NetFeatures, UnreachableCounterPageEmptiesTheLabels) {
  views_.SetLabel("昨日访问", "x");
  ql::FetchVisitStatistics(views_, DeadPage());
  EXPECT_EQ(views_.Label("昨日访问"), "");
  EXPECT_EQ(views_.Label("累计访问"), "");
}

TEST_F(NetFeatures, UpdateCheckHintsThenWritesTheVersions) {
  LocalHttpServer server(Page("<div>最新版本：[2.5.4]</div>"));
  views_.SetLabel("标签30", "");
  ql::CheckForUpdate(views_, server.Url("/folder"));
  std::string waiting = views_.Label("标签30");
  EXPECT_TRUE(waiting == "提示：正在检测更新中...请稍等！" || waiting == "提示：有新版本可以更新，请点击按钮前往下载！")
      << waiting;
  EXPECT_TRUE(qltest::WaitUntil([] { return views_.Label("标签30") == "提示：有新版本可以更新，请点击按钮前往下载！"; },
                                15000));
  EXPECT_EQ(views_.Label("标签17"), Joined("当前版本：", ql::kProgramVersion));
  EXPECT_EQ(views_.Label("标签16"), "服务器版本：2.5.4");
}

TEST_F(NetFeatures, UpdateCheckSameVersionAndUnreachablePage) {
  const std::string version(ql::kProgramVersion);
  LocalHttpServer server(Page(Joined(Joined("最新版本：[", version), "]")));
  ql::RunUpdateCheck(views_, server.Url("/"));
  EXPECT_EQ(views_.Label("标签30"), "提示：已是最新版本，无需更新！（请关注官方群更新消息）");
  EXPECT_EQ(views_.Label("标签16"), Joined("服务器版本：", version));

  ql::RunUpdateCheck(views_, DeadPage());
  EXPECT_EQ(views_.Label("标签16"), "服务器版本：版本号获取错误！请检查网络！");
  EXPECT_EQ(views_.Label("标签30"), "提示：网络错误");
}

TEST_F(NetFeatures, PackageLinkFromTheFolderPageIsOpened) {
  LocalHttpServer server(Page("说明 工具包下载地址：《https://dl.example/tools.zip》 完"));
  ql::OpenToolPackageLink(prompts_, server.Url("/"));
  EXPECT_EQ(prompts_.links, std::vector<std::string>{"https://dl.example/tools.zip"});
  ASSERT_EQ(prompts_.boxTexts.size(), 1u);
  EXPECT_EQ(prompts_.boxTexts[0], "准备为您安装工具包，此过程可能需要网络，点击确定立即获取！");
  EXPECT_EQ(prompts_.boxTitles[0], "信息：");
  EXPECT_EQ(prompts_.boxStyles[0], static_cast<UINT>(MB_OK));
}

TEST_F(NetFeatures, LocalProgramOrFileLinkOpensNothingAndShowsTheFailureBox) {
  for (const char* link : {"C:\\Windows\\System32\\calc.exe", "file:///C:/Windows/System32/calc.exe", ""}) {
    qltest::RecordingPrompts prompts;
    LocalHttpServer server(Page(std::string("工具包下载地址：《") + link + "》"));
    ql::OpenToolPackageLink(prompts, server.Url("/"));
    EXPECT_TRUE(prompts.links.empty()) << link;
    ASSERT_EQ(prompts.boxTexts.size(), 2u) << link;
    EXPECT_EQ(prompts.boxTexts[1], "网络错误！获取链接失败！");
    EXPECT_EQ(prompts.boxStyles[1], static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
  }
}

TEST_F(NetFeatures, OfferAsksOnlyWithoutTheMarkerAndFetchesOnlyOnYes) {
  LocalHttpServer server(Page("工具包下载地址：《http://dl.example/p》"));
  const std::string folderPage = server.Url("/");

  prompts_.boxAnswer = IDNO;
  ql::OfferToolPackage(prompts_, binDir_, folderPage);
  ASSERT_EQ(prompts_.boxTexts.size(), 1u);
  EXPECT_EQ(prompts_.boxTexts[0], "检测到您没有安装工具包\r\n请问是否安装？");
  EXPECT_EQ(prompts_.boxTitles[0], "信息：");
  EXPECT_EQ(prompts_.boxStyles[0], static_cast<UINT>(MB_YESNO));
  EXPECT_TRUE(server.Requests().empty());

  prompts_.boxAnswer = IDYES;
  prompts_.boxTexts.clear();
  ql::OfferToolPackage(prompts_, binDir_, folderPage);
  EXPECT_EQ(prompts_.boxTexts.size(), 2u);
  EXPECT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(prompts_.links, std::vector<std::string>{"http://dl.example/p"});

  // With bin\tool.ini in place nothing is asked or fetched.
  CreateDirectoryW((folder_ + L"\\bin").c_str(), nullptr);
  ASSERT_TRUE(qltest::WriteFileBytes(folder_ + L"\\bin\\tool.ini", "", 0));
  prompts_.boxTexts.clear();
  ql::OfferToolPackage(prompts_, binDir_, folderPage);
  EXPECT_TRUE(prompts_.boxTexts.empty());
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(NetFeatures, ControlActionsAreRegistered) {
  LocalHttpServer server(Page("最新版本：[9.9] 工具包下载地址：《https://x.example/》"));
  ql::ClearControlActions();
  ql::RegisterNetActions(views_, prompts_, server.Url("/"));
  EXPECT_TRUE(ql::RunControlAction("下载工具包"));
  EXPECT_EQ(prompts_.links, std::vector<std::string>{"https://x.example/"});
  views_.SetLabel("标签16", "");
  EXPECT_TRUE(ql::RunControlAction("点击检测更新"));
  EXPECT_TRUE(qltest::WaitUntil([] { return views_.Label("标签16") == "服务器版本：9.9"; }, 15000));
  ql::ClearControlActions();
}

}  // namespace
