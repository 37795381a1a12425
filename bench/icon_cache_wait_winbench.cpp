// How the icon-cache operation's wait for its script treats the window of the
// waiting thread: another thread sends it a message every 10 ms while the
// stand-in interpreter runs for 3 s, and the figures are how long the
// operation blocked and how long each message waited for its answer.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

#include "launcher/command_scripts.h"
#include "platform/win_text.h"
#include "tests/launcher/fake_system_calls_win.h"
#include "tests/win_test_support.h"

namespace {

LRESULT CALLBACK AnsweringProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return msg == WM_APP + 3 ? 1 : DefWindowProcW(hwnd, msg, wp, lp);
}

double Milliseconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b, const LARGE_INTEGER& f) {
  return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main() {
  constexpr DWORD kScriptRunsMs = 3000;
  std::wstring bin = qltest::FreshTestFolder(L"icon-cache-wait-bench") + L"\\bin";
  CreateDirectoryW(bin.c_str(), nullptr);
  HWND window = qltest::CreateMessageWindow(L"QlIconWaitBench", AnsweringProc);
  HANDLE scriptEnd = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  qltest::FakeSystemCalls fake;
  qltest::FakeLauncher l(fake);
  fake.interpreterStandIn = scriptEnd;

  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  std::vector<double> latencies;
  int unanswered = 0;
  std::thread asker([&] {
    LARGE_INTEGER begin, a, b;
    QueryPerformanceCounter(&begin);
    for (;;) {
      QueryPerformanceCounter(&a);
      if (Milliseconds(begin, a, f) >= kScriptRunsMs) break;
      DWORD_PTR result = 0;
      bool ok = SendMessageTimeoutW(window, WM_APP + 3, 0, 0, SMTO_NORMAL, 5000, &result) && result == 1;
      QueryPerformanceCounter(&b);
      if (ok)
        latencies.push_back(Milliseconds(a, b, f));
      else
        ++unanswered;
      Sleep(10);
    }
    SetEvent(scriptEnd);
  });
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  l.operations.RebuildIconCacheWith(ql::Gbk(bin), ql::IconCacheScriptLines());
  QueryPerformanceCounter(&b);
  asker.join();

  std::sort(latencies.begin(), latencies.end());
  double median = latencies.empty() ? 0 : latencies[latencies.size() / 2];
  double worst = latencies.empty() ? 0 : latencies.back();
  std::printf("icon-cache wait: blocked %.0f ms for a %lu ms script\n", Milliseconds(a, b, f),
              static_cast<unsigned long>(kScriptRunsMs));
  std::printf(
      "messages to the waiting thread's window: %zu answered, %d unanswered; answer median %.2f ms, worst "
      "%.2f ms\n",
      latencies.size(), unanswered, median, worst);
  CloseHandle(scriptEnd);
  DestroyWindow(window);
  return 0;
}
