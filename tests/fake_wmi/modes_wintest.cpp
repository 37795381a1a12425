// The provider's slow and hang modes, which the detection deadline tests
// build on: slow:N holds every query N ms (through the locator and through
// the script control) and still answers; hang never returns from
// ConnectServer, shown on a child process that is given a few seconds and
// then ended, so no test run can hang on it.
#include <windows.h>

#include <gtest/gtest.h>

#include "inventory/script_host_win.h"
#include "inventory/wmi_query_script.h"
#include "platform/scoped_win.h"
#include "platform/win_text.h"
#include "tests/fake_wmi/fake_wmi_wintest_support.h"
#include "tests/win_test_support.h"

namespace qltest {
namespace {

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, freq;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&freq);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

template <class F>
double TimeMs(F work) {
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  work();
  return MsSince(start);
}

TEST(SlowWmi, EveryQueryWaitsItsDelayFirstAndStillAnswers) {
  const std::string mode = ServedMode();
  ASSERT_EQ(mode.rfind("slow:", 0), 0u) << "run under tools/with-fake-wmi.sh DATA slow:N";
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", mode));
  const double delay = std::stod(mode.substr(5));
  ASSERT_GT(delay, 0);
  ql::ScopedComInit com = ql::InitializeCom();

  HRESULT hr = E_FAIL;
  ql::ScopedComPtr<IWbemServices> services;
  services = ConnectTo(L"root\\cimv2", &hr);
  ASSERT_EQ(hr, Hr(WBEM_S_NO_ERROR));
  for (int query = 0; query < 2; ++query) {
    ql::ScopedComPtr<IEnumWbemClassObject> objects;
    double took = TimeMs([&] { objects = RunQuery(services.Get(), L"Select * From Win32_DiskDrive", &hr); });
    ASSERT_EQ(hr, Hr(WBEM_S_NO_ERROR));
    EXPECT_GE(took, delay * 0.95) << "query " << query;
    EXPECT_EQ(TakeAll(objects.Get()).size(), 2u);
  }

  std::string record;
  double script = TimeMs([&] { record = ql::ScriptControlHost().EvaluateText(ql::BaseboardScript()); });
  EXPECT_EQ(record, "型号=PRIME B365M-A\r\n");
  EXPECT_GE(script, delay * 0.95);
}

std::wstring ProbePath() { return HostPath(QL_FAKE_WMI_DIR "/fake_wmi_probe.exe"); }

TEST(ProviderModes, HangNeverReturnsFromConnectServer) {
  ASSERT_TRUE(UnderTestProvider("worked-example.txt", ""));
  {
    // Served as usual, the probe connects, queries and ends at once.
    ChildProcess probe(ProbePath(), L"", L"-q");
    ASSERT_TRUE(probe.Started());
    EXPECT_EQ(probe.WaitExit(30000), 0u);
  }
  ScopedEnvironment hang(L"QL_FAKE_WMI_MODE", L"hang");
  ChildProcess probe(ProbePath(), L"", L"-q");
  ASSERT_TRUE(probe.Started());
  EXPECT_EQ(probe.WaitExit(3000), static_cast<DWORD>(STILL_ACTIVE)) << "ConnectServer came back";
  probe.Kill();
  EXPECT_NE(probe.WaitExit(5000), static_cast<DWORD>(STILL_ACTIVE));
}

}  // namespace
}  // namespace qltest
