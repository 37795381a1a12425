// The shadow installed on a window of the test process: one shadow window
// per target, placement, visibility, removal and the restored procedure.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "support/gdiplus_win.h"
#include "support/window_shadow_win.h"
#include "tests/win_test_support.h"

namespace {

using qltest::SameRect;
using qltest::ScreenRect;
using qltest::TopWindowsOf;
using qltest::WaitUntil;

// What the display shows at a screen point: under Xvfb, a layered window's
// premultiplied pixels over the black root.
COLORREF ScreenAt(POINT p) {
  HDC screen = GetDC(nullptr);
  COLORREF c = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return c;
}

// Puts a picture of our own into the layered window: opaque white.
bool PutMarker(HWND shadow) {
  RECT rc = ScreenRect(shadow);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (dib && bits) {
    std::fill_n(static_cast<uint32_t*>(bits), size_t(w) * size_t(h), 0xFFFFFFFFu);
    HGDIOBJ old = SelectObject(mem, dib);
    SIZE extent{w, h};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ok = UpdateLayeredWindow(shadow, screen, nullptr, &extent, mem, &origin, 0, &blend, ULW_ALPHA) != FALSE;
    SelectObject(mem, old);
  }
  if (dib) DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return ok;
}

class ShadowInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ql::StartGdiplus();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ShadowTarget";
    RegisterClassExW(&wc);
    target_ = CreateWindowExW(0, L"ShadowTarget", L"t", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400, nullptr, nullptr,
                              wc.hInstance, nullptr);
    ASSERT_NE(target_, nullptr);
    original_ = GetWindowLongPtrW(target_, GWLP_WNDPROC);
  }
  void TearDown() override { DestroyWindow(target_); }
  int ShadowWindowsOwned() {
    int n = 0;
    for (HWND h : TopWindowsOf(GetCurrentProcessId(), ql::kShadowWindowClass))
      if (GetWindow(h, GW_OWNER) == target_) ++n;
    return n;
  }
  HWND target_ = nullptr;
  LONG_PTR original_ = 0;
};

TEST_F(ShadowInstallTest, InstallTwiceKeepsOneShadowAndSizeZeroRemovesIt) {
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0xFF8800, 8));
  HWND shadow = static_cast<HWND>(GetPropW(target_, ql::kShadowProp));
  ASSERT_TRUE(IsWindow(shadow));
  RECT s = ScreenRect(shadow);
  EXPECT_TRUE(SameRect(s, RECT{92, 92, 708, 508}));
  EXPECT_EQ(GetWindowLongPtrW(target_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ql::WindowShadowSubclassProc));
  EXPECT_EQ(GetWindowLongW(shadow, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
            WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);

  ASSERT_TRUE(ql::InstallWindowShadow(target_));  // the black default: 5 pixels
  EXPECT_EQ(GetPropW(target_, ql::kShadowProp), shadow);
  EXPECT_EQ(ShadowWindowsOwned(), 1);
  EXPECT_TRUE(SameRect(ScreenRect(shadow), RECT{95, 95, 705, 505}));
  EXPECT_EQ(GetPropW(target_, ql::kShadowProcProp), reinterpret_cast<HANDLE>(original_));

  // The subclass moves the shadow with its window.
  SetWindowPos(target_, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(SameRect(ScreenRect(shadow), RECT{295, 195, 905, 605}));
  ShowWindow(target_, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(target_, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(shadow));

  EXPECT_FALSE(ql::InstallWindowShadow(target_, 0, 0));
  EXPECT_FALSE(IsWindow(shadow));
  EXPECT_EQ(GetPropW(target_, ql::kShadowProp), nullptr);
  EXPECT_EQ(GetPropW(target_, ql::kShadowProcProp), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(target_, GWLP_WNDPROC), original_);
  EXPECT_EQ(ShadowWindowsOwned(), 0);
}

TEST_F(ShadowInstallTest, NotAWindowReturnsFalseAndMaximisedHides) {
  HWND bogus = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7FFF1234));
  EXPECT_FALSE(ql::InstallWindowShadow(bogus, 0xFF8800, 8));
  EXPECT_FALSE(ql::InstallWindowShadow(nullptr));
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 1, 5));
  HWND shadow = static_cast<HWND>(GetPropW(target_, ql::kShadowProp));
  ShowWindow(target_, SW_MAXIMIZE);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ShowWindow(target_, SW_RESTORE);
  EXPECT_TRUE(IsWindowVisible(shadow));
  ql::InstallWindowShadow(target_, 0, 0);
}

TEST_F(ShadowInstallTest, PictureIsPaintedOnlyWhenWhatItShowsChanges) {
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0xFF8800, 8));
  HWND shadow = static_cast<HWND>(GetPropW(target_, ql::kShadowProp));
  // A point of ring 6, three pixels left of the target, half-way down.
  auto ringPoint = [&] {
    RECT t = ScreenRect(target_);
    return POINT{t.left - 3, (t.top + t.bottom) / 2};
  };
  auto showsMarker = [&] { return ScreenAt(ringPoint()) == 0xFFFFFF; };
  auto showsRing = [&] {
    COLORREF c = ScreenAt(ringPoint());
    return c != 0xFFFFFF && c != 0;
  };
  ASSERT_TRUE(WaitUntil(showsRing, 3000));
  ASSERT_TRUE(PutMarker(shadow));
  ASSERT_TRUE(WaitUntil(showsMarker, 3000));

  // A move, hiding and showing, and the same settings again keep the picture.
  SetWindowPos(target_, nullptr, 140, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(SameRect(ScreenRect(shadow), RECT{132, 112, 748, 528}));
  EXPECT_TRUE(WaitUntil(showsMarker, 3000));
  ShowWindow(target_, SW_HIDE);
  ShowWindow(target_, SW_SHOWNA);
  EXPECT_TRUE(WaitUntil(showsMarker, 3000));
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0xFF8800, 8));
  EXPECT_TRUE(WaitUntil(showsMarker, 3000));

  // A new size, colour or shadow width paints afresh.
  SetWindowPos(target_, nullptr, 0, 0, 601, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_TRUE(WaitUntil(showsRing, 3000)) << "resize";
  ASSERT_TRUE(PutMarker(shadow));
  ASSERT_TRUE(WaitUntil(showsMarker, 3000));
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0x0000FF, 8));
  EXPECT_TRUE(WaitUntil(showsRing, 3000)) << "colour";
  ASSERT_TRUE(PutMarker(shadow));
  ASSERT_TRUE(WaitUntil(showsMarker, 3000));
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0x0000FF, 9));
  EXPECT_TRUE(WaitUntil(showsRing, 3000)) << "shadow width";
  ql::InstallWindowShadow(target_, 0, 0);
}

TEST_F(ShadowInstallTest, PreparedWhileHiddenShowsWithoutAPaint) {
  ShowWindow(target_, SW_HIDE);
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0xFF8800, 8));
  HWND shadow = static_cast<HWND>(GetPropW(target_, ql::kShadowProp));
  EXPECT_FALSE(IsWindowVisible(shadow));
  ql::PrepareWindowShadow(target_);
  // Placed for the target, still hidden.
  EXPECT_FALSE(IsWindowVisible(shadow));
  EXPECT_TRUE(SameRect(ScreenRect(shadow), RECT{92, 92, 708, 508}));
  // A picture put in while hidden is what showing the target shows: the
  // show itself paints nothing.
  ASSERT_TRUE(PutMarker(shadow));
  ShowWindow(target_, SW_SHOWNA);
  EXPECT_TRUE(IsWindowVisible(shadow));
  EXPECT_TRUE(WaitUntil([&] { return ScreenAt(POINT{97, 300}) == 0xFFFFFF; }, 3000));
  // Without the marker, the prepared rings are there at once.
  ShowWindow(target_, SW_HIDE);
  ASSERT_TRUE(ql::InstallWindowShadow(target_, 0x0000FF, 8));
  ql::PrepareWindowShadow(target_);
  ShowWindow(target_, SW_SHOWNA);
  EXPECT_TRUE(WaitUntil(
      [&] {
        COLORREF c = ScreenAt(POINT{97, 300});
        return c != 0xFFFFFF && c != 0;
      },
      3000));
  // Minimised, nothing is prepared: the picture waits for the restore.
  ShowWindow(target_, SW_MINIMIZE);
  ql::PrepareWindowShadow(target_);
  EXPECT_FALSE(IsWindowVisible(shadow));
  ql::InstallWindowShadow(target_, 0, 0);
}

}  // namespace
