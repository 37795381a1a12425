// The detection deadline on the real program under the test provider. A WMI
// that never answers (hang): the main window comes within 12 s with the
// "WMI unavailable" rows and no dialog, and a re-detect returns within the
// deadline while the window answers messages. A slow but healthy WMI
// (slow:2500, every query 2.5 s): every row complete. Answers that come
// after the deadline (slow:10500): the rows stay the failed ones.
#include <windows.h>

#include <gtest/gtest.h>

#include "inventory/detection_deadline.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/fake_wmi/real_program_win.h"

namespace qltest {
namespace {

// Whether the window's thread handles a message sent to it within 2 s.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0;
}

TEST(HungWmiHomePage, MainWindowWithinTwelveSecondsWithTheRowsWithoutWmi) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "hang"));
  RealProgram app(L"假WMI 挂起");
  ASSERT_NE(app.Main(), nullptr);
  EXPECT_LE(app.ShownAfterMs(), 12000u);
  EXPECT_TRUE(TopWindowsOf(app.Id(), L"#32770").empty()) << "no dialog: the machine type holds its space";
  ExpectHomePage(app, {"；；"}, RowsWithoutWmi());
}

TEST(HungWmiHomePage, RedetectReturnsWithinTheDeadlineAndTheWindowAnswersMeanwhile) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "hang"));
  RealProgram app(L"假WMI 挂起 重新检测");
  ASSERT_NE(app.Main(), nullptr);
  std::vector<HWND> links = FindChildrenByText(app.Main(), "检测不准？点我重新检测");
  ASSERT_EQ(links.size(), 1u);
  HWND link = links[0];
  ASSERT_TRUE(IsWindowEnabled(link));

  PostMessageW(link, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(link); }, 5000)) << "the re-detect began";
  DWORD began = GetTickCount();
  EXPECT_TRUE(HasChildWithText(app.Main(), "配置正在检测，请稍后........"));
  int answered = 0;
  bool ended = WaitUntil(
      [&] {
        if (IsWindowEnabled(link)) return true;
        if (Answers(app.Main())) ++answered;
        return false;
      },
      ql::kDetectionDeadlineMs + 5000);
  DWORD took = GetTickCount() - began;
  ASSERT_TRUE(ended) << "the re-detect never returned";
  EXPECT_LE(took, ql::kDetectionDeadlineMs + 1500) << "returned after the deadline";
  EXPECT_GE(took, ql::kDetectionDeadlineMs - 1500) << "a hung WMI cannot answer sooner";
  EXPECT_GT(answered, 3) << "the window answered while the run waited";
  ExpectHomePage(app, {"；；"}, RowsWithoutWmi());
}

TEST(HealthySlowWmiHomePage, EveryRowIsComplete) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "slow:2500"));
  RealProgram app(L"假WMI 慢");
  ASSERT_NE(app.Main(), nullptr);
  ExpectHomePage(app, WorkedExampleHeaders(), WorkedExampleRows());
}

TEST(LateWmiHomePage, AnswersAfterTheDeadlineAreNeverWritten) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", "slow:10500"));
  RealProgram app(L"假WMI 迟到");
  ASSERT_NE(app.Main(), nullptr);
  // Every query answers 10.5 s after it began, past the run's deadline; give
  // the first answers time to come, then read the rows.
  Sleep(3000);
  ExpectHomePage(app, {"；；"}, RowsWithoutWmi());
  for (const Row& r : WorkedExampleRows()) {
    if (std::string(r.caption) == "网卡" || std::string(r.caption) == "电池") continue;  // not WMI's
    EXPECT_FALSE(HasChildWithText(app.Main(), r.value)) << ql::GbkToUtf8(r.value) << " came late and was written";
  }
}

}  // namespace
}  // namespace qltest
