// Figures for the update log's browser: what the first visit of page 10
// costs (the first host in the process, which loads the control's DLLs and
// writes the emulation value), then a warm host's creation and teardown
// (medians), with the system's control and with a stand-in that costs
// nothing, so the container's own share shows.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "support/web_browser_host_win.h"
#include "tests/support/fake_browser_control_win.h"
#include "tests/support/recording_prompts.h"
#include "tests/win_test_support.h"

namespace {

constexpr RECT kRect = {4, 148, 816, 564};

double Ms(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  HWND page = qltest::CreateHostWindow(L"BenchPage", WS_POPUP, 820, 580, L"");
  qltest::RecordingPrompts prompts;

  auto start = std::chrono::steady_clock::now();
  HWND first = ql::CreateWebBrowserHost(page, kRect, prompts);
  double firstMs = Ms(start);
  if (!first) {
    std::printf("web browser host: the system's control cannot be created here\n");
    return 1;
  }
  DestroyWindow(first);

  std::vector<double> create, destroy, fakeCreate, fakeDestroy;
  for (int i = 0; i < 21; ++i) {
    start = std::chrono::steady_clock::now();
    HWND host = ql::CreateWebBrowserHost(page, kRect, prompts);
    create.push_back(Ms(start));
    start = std::chrono::steady_clock::now();
    DestroyWindow(host);
    destroy.push_back(Ms(start));

    qltest::FakeBrowserControl control;
    qltest::FakeControlSource source(&control);
    start = std::chrono::steady_clock::now();
    host = ql::CreateWebBrowserHost(page, kRect, prompts, source);
    fakeCreate.push_back(Ms(start));
    start = std::chrono::steady_clock::now();
    DestroyWindow(host);
    fakeDestroy.push_back(Ms(start));
  }
  std::printf("web browser host, first in the process (system control): %.1f ms\n", firstMs);
  std::printf("web browser host, warm (system control): create %.2f ms, destroy %.2f ms (medians of 21)\n",
              Median(create), Median(destroy));
  std::printf("web browser host, warm (stand-in control): create %.3f ms, destroy %.3f ms (medians of 21)\n",
              Median(fakeCreate), Median(fakeDestroy));
  std::printf("host objects alive afterwards: %ld\n", ql::WebBrowserHostObjectsAlive());
  DestroyWindow(page);
  return 0;
}
