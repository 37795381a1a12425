// Figures for the shadow and the main window: one RenderWindowShadow of a
// 1000 x 640 window (1016 x 656 with size 8 rings, size 5 nine-slice), and
// of its two parts: computing the pixels, and pushing a ready bitmap of that
// size with UpdateLayeredWindow (the platform's share, which no painting
// can make smaller); one move and one resize of a shadowed window, and the
// program's private memory once its main window shows. Medians.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "support/gdiplus_win.h"
#include "support/window_shadow_pixels.h"
#include "support/window_shadow_win.h"
#include "tests/win_test_support.h"

namespace {

double MedianRenderMs(HWND target, COLORREF colour, int size, int runs) {
  ql::InstallWindowShadow(target, colour, size);
  int w = 1000 + 2 * size, h = 640 + 2 * size;
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    ql::RenderWindowShadow(target, w, h);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

template <class F>
double MedianMs(int runs, F work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// The pixels alone, into a cleared buffer already in use.
double MedianPaintMs(COLORREF colour, int size) {
  std::vector<uint32_t> pixels(size_t(1016) * 656);
  std::vector<double> ms;
  for (int i = 0; i < 41; ++i) {
    std::fill(pixels.begin(), pixels.end(), 0u);
    auto start = std::chrono::steady_clock::now();
    ql::PaintShadow({pixels.data(), 1016, 1016, 656}, colour, size);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// UpdateLayeredWindow of a ready 1016 x 656 bitmap onto the shadow window.
double MedianPushMs(HWND target) {
  ql::InstallWindowShadow(target, 0xFF8800, 8);
  HWND shadow = static_cast<HWND>(GetPropW(target, ql::kShadowProp));
  HDC screen = GetDC(shadow);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 1016, 656, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  ql::PaintShadow({static_cast<uint32_t*>(bits) + size_t(655) * 1016, -1016, 1016, 656}, 0xFF8800, 8);
  double ms = MedianMs(41, [&] {
    SIZE extent{1016, 656};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(shadow, screen, nullptr, &extent, mem, &origin, 0, &blend, ULW_ALPHA);
  });
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(shadow, screen);
  return ms;
}

// Private bytes of a fresh program run, sampled once its main window shows
// and the start-up has settled.
double PrivateMemoryMiB() {
  qltest::ChildProcess app(qltest::ProgramPath());
  if (!app.Started() || !qltest::WaitForTopWindow(app.Id(), ql::kMainWindowClass, true, 30000)) return -1;
  Sleep(1500);
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  if (!GetProcessMemoryInfo(app.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc)) return -1;
  // Wine leaves PrivateUsage at 0; the commit charge is the same figure on Windows.
  return double(pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage) / (1024.0 * 1024.0);
}

}  // namespace

int main() {
  ql::StartGdiplus();
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ShadowBenchTarget";
  RegisterClassExW(&wc);
  HWND target = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 100, 80, 1000, 640, nullptr,
                                nullptr, wc.hInstance, nullptr);
  MedianRenderMs(target, 0xFF8800, 8, 5);  // warm-up: class, images, GDI+ caches
  double rings = MedianRenderMs(target, 0xFF8800, 8, 41);
  double nine = MedianRenderMs(target, 0x000000, 5, 41);
  std::printf("RenderWindowShadow 1016x656 size 8 (rings):      median %.2f ms (41 runs)\n", rings);
  std::printf("  pixels only, rings 1016x656:                   median %.2f ms\n", MedianPaintMs(0xFF8800, 8));
  std::printf("  pixels only, nine-slice 1016x656:              median %.2f ms\n", MedianPaintMs(0x000000, 5));
  std::printf("  UpdateLayeredWindow of a ready 1016x656 bitmap: median %.2f ms\n", MedianPushMs(target));
  std::printf("RenderWindowShadow 1010x650 size 5 (nine-slice): median %.2f ms (41 runs)\n", nine);
  {
    // The same 1016 x 656 bitmap with the black default, as asked.
    ql::InstallWindowShadow(target, 0x000000, 5);
    std::vector<double> ms;
    for (int i = 0; i < 41; ++i) {
      auto start = std::chrono::steady_clock::now();
      ql::RenderWindowShadow(target, 1016, 656);
      ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("RenderWindowShadow 1016x656 size 5 (nine-slice): median %.2f ms (41 runs)\n", ms[ms.size() / 2]);
  }
  {
    // One step of a drag (a move by one pixel) and of a resize, through the
    // subclass, with the start-up shadow.
    ql::InstallWindowShadow(target, 0xFF8800, 8);
    auto median = [&](int dx, int dw) {
      std::vector<double> ms;
      for (int i = 0; i < 41; ++i) {
        RECT rc{};
        GetWindowRect(target, &rc);
        int step = i % 2 ? -1 : 1;
        auto start = std::chrono::steady_clock::now();
        SetWindowPos(target, nullptr, rc.left + dx * step, rc.top, rc.right - rc.left + dw * step, rc.bottom - rc.top,
                     SWP_NOACTIVATE | SWP_NOZORDER);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      }
      std::sort(ms.begin(), ms.end());
      return ms[ms.size() / 2];
    };
    double move = median(1, 0), resize = median(0, 1);
    std::printf("Moving the shadowed window by 1 px:              median %.2f ms (41 runs)\n", move);
    std::printf("Resizing the shadowed window by 1 px:            median %.2f ms (41 runs)\n", resize);
  }
  std::vector<double> mem;
  for (int i = 0; i < 3; ++i) mem.push_back(PrivateMemoryMiB());
  std::sort(mem.begin(), mem.end());
  std::printf("Private memory once the main window shows:       median %.1f MiB (3 runs)\n", mem[1]);
  DestroyWindow(target);
  return 0;
}
