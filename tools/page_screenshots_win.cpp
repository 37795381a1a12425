// A tool, not a test: starts the program in a folder where the tool package
// counts as installed, opens every navigation target in turn and saves the
// main window's screen area of each as a BMP under <build>/screenshots, for
// looking at by eye (tools/screenshots.sh builds and runs it under Wine).
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/main_layout.h"
#include "app/main_pages.h"
#include "app/main_window_win.h"
#include "app/splash_window_win.h"
#include "platform/dpi_win.h"
#include "platform/scoped_win.h"
#include "tests/win_test_support.h"

namespace {

using namespace qltest;

// A 24-bit bottom-up BMP of the window's screen area.
bool SaveScreenshot(HWND window, const std::wstring& path) {
  RECT rc = ScreenRect(window);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  ql::ScopedWindowDC screen = ql::GetScopedDC(nullptr);
  ql::ScopedDC mem(CreateCompatibleDC(screen.Get()));
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ql::ScopedGdiObj<HBITMAP> dib(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return false;
  {
    ql::ScopedSelection keep = ql::SelectScoped(mem.Get(), dib.Get());
    BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), rc.left, rc.top, SRCCOPY);
  }
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{0x4D42, DWORD(sizeof fh + sizeof bi.bmiHeader + stride * h), 0, 0,
                      DWORD(sizeof fh + sizeof bi.bmiHeader)};
  std::string out(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.append(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
  out.append(static_cast<const char*>(bits), size_t(stride) * size_t(h));
  return WriteFileBytes(path, out.data(), out.size());
}

}  // namespace

int main() {
  ql::DeclareDpiAwareness();  // the screen's pixels as they are, at any resolution
  std::wstring dir = FreshTestFolder(L"截图");
  std::wstring exe = CopyProgramInto(dir);
  CreateDirectoryW((dir + L"\\bin").c_str(), nullptr);
  WriteFileBytes(dir + L"\\bin\\tool.ini", "[tool]\r\n", 8);
  ChildProcess app(exe, dir);
  HWND main = WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000);
  if (!main) {
    std::fprintf(stderr, "screenshots: the main window did not appear\n");
    return 1;
  }
  WaitUntil([&] { return TopWindowsOf(app.Id(), ql::kSplashWindowClass).empty(); }, 10000);
  std::wstring folder = HostPath(QL_TEST_BINARY_DIR) + L"\\screenshots";
  CreateDirectoryW(folder.c_str(), nullptr);
  int saved = 0;
  for (const ql::NavTarget& t : ql::NavTargets()) {
    HWND control = qltest::FindLayoutControl(main, t.control);
    if (!control) continue;
    SendMessageW(control, BM_CLICK, 0, 0);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
    std::wstring path = folder + L"\\page" + std::to_wstring(t.page) + L".bmp";
    if (SaveScreenshot(main, path)) ++saved;
  }
  std::printf("screenshots: %d pages saved under build/.../screenshots\n", saved);
  return saved > 0 ? 0 : 1;
}
