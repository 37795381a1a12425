// The splash window: 270 x 119, borderless, rounded, topmost, in the taskbar,
// its picture and the status label that the start-up stages overwrite.
#include "app/splash_window_win.h"

#include <algorithm>

#include "app/app_paths.h"
#include "app/feature_hosts_win.h"
#include "app/main_window_win.h"
#include "app/single_instance_win.h"
#include "app/startup.h"
#include "app/startup_phases.h"
#include "app/startup_phases_win.h"
#include "app/window_dpi_win.h"
#include "inventory/detection_run_win.h"
#include "net/visit_statistics_win.h"
#include "platform/scoped_win.h"
#include "platform/thread_win.h"
#include "platform/top_window_win.h"
#include "platform/ui_thread_win.h"
#include "platform/win_text.h"
#include "support/dpi_scale.h"
#include "support/task_dialog_win.h"
#include "support/web_addresses.h"
#include "support/window_shadow_win.h"

namespace ql {
namespace {

constexpr int kWidth = 270;
constexpr int kHeight = 119;
constexpr COLORREF kAccent = RGB(0x00, 0x88, 0xFF);
constexpr int kPictureId = 100;
constexpr int kStatusId = 101;

HWND g_splash = nullptr;
UINT g_dpi = kDesignDpi;  // the splash's resolution: its 96-DPI design scaled
HWND g_status = nullptr;
ScopedGdiObj<HFONT> g_statusFont;
// Starting the detectors' threads costs the UI thread some 15 ms under
// Wine; a thread of their own starts them while the windows are built. The
// start-up thread takes their results once this event says they all started.
ScopedHandle g_detectorsStarted;

int S(int v) { return ScaleForDpi(v, g_dpi); }

HFONT CreateUiFont(int height, int weight) {
  return CreateFontW(-S(height), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, Wide("微软雅黑").c_str());
}

// The splash picture, drawn in code at the splash's resolution (its shapes
// are given at 96 DPI): an accent band with the product name above a white
// strip that carries the status label.
void PaintSplashPicture(HDC dc, const RECT& rc) {
  TRIVERTEX v[2] = {{0, 0, 0x0000, 0x7000, 0xE800, 0}, {rc.right, S(88), 0x3000, 0xB000, 0xFF00, 0}};
  GRADIENT_RECT g = {0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_H);
  RECT bottom = {0, S(88), rc.right, rc.bottom};
  FillRect(dc, &bottom, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  // A small mark: two overlapping peaks, the 岚 of the name.
  ScopedGdiObj<HBRUSH> white(CreateSolidBrush(RGB(255, 255, 255)));
  ScopedGdiObj<HBRUSH> pale(CreateSolidBrush(RGB(0xBF, 0xE0, 0xFF)));
  ScopedGdiObj<HPEN> none(CreatePen(PS_NULL, 0, 0));
  ScopedSelection pen = SelectScoped(dc, none.Get());
  {
    ScopedSelection brush = SelectScoped(dc, pale.Get());
    POINT back[3] = {{S(40), S(62)}, {S(58), S(30)}, {S(76), S(62)}};
    Polygon(dc, back, 3);
  }
  {
    ScopedSelection brush = SelectScoped(dc, white.Get());
    POINT front[3] = {{S(24), S(62)}, {S(44), S(22)}, {S(64), S(62)}};
    Polygon(dc, front, 3);
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  ScopedGdiObj<HFONT> title(CreateUiFont(26, FW_BOLD));
  ScopedGdiObj<HFONT> small(CreateUiFont(13, FW_NORMAL));
  {
    ScopedSelection f = SelectScoped(dc, title.Get());
    RECT r = {S(90), S(18), rc.right - S(8), S(54)};
    DrawTextW(dc, Wide("青岚工具箱").c_str(), -1, &r, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  }
  {
    ScopedSelection f = SelectScoped(dc, small.Get());
    RECT r = {S(92), S(54), rc.right - S(8), S(76)};
    DrawTextW(dc, Wide("硬件检测 · 实用工具").c_str(), -1, &r, DT_LEFT | DT_SINGLELINE);
  }
  ScopedGdiObj<HBRUSH> accent(CreateSolidBrush(kAccent));
  RECT line = {0, S(88), rc.right, S(90)};
  FillRect(dc, &line, accent.Get());
}

// The start-up thread's view of the windows: every change is handed to the
// UI thread and waited for, so the changes happen in stage order.
class WinStartupActions final : public StartupActions {
 public:
  void SetSplashStatus(std::string_view text) override {
    for (size_t i = 0; i < std::size(kStageTexts); ++i)
      if (text == kStageTexts[i]) MarkStartupPhase(kStagePhases[i]);
    std::string t(text);
    RunOnUiThread([&] { SetWindowTextGbk(g_status, t); });
  }
  void ShowSplash() override {
    RunOnUiThread([] {
      ShowWindow(g_splash, SW_SHOW);
      UpdateWindow(g_splash);
    });
    MarkStartupPhase("splash-shown");
  }
  void HideSplash() override {
    RunOnUiThread([] { ShowWindow(g_splash, SW_HIDE); });
  }
  void EnsureBinDirectory() override { ql::EnsureBinDirectory(); }
  void StartUptimeClock() override {
    RunOnUiThread([] { ql::StartUptimeClock(); });
  }
  void WaitPumping(unsigned ms) override {
    // The UI thread is free while this thread waits: the main window's
    // first-time work is done then, a piece per wait.
    PostMainWindowPreparation();
    WaitPumpingMessages(ms);
  }
  void StartVisitStatistics() override {
    StartVisitStatisticsThread(MainVisitCounters(), std::string(web::kVisitCounterPage));
  }
  void RunDetection() override {
    // The detection writes the home page's labels: they must exist.
    RunOnUiThread([] { CompleteMainWindowContents(); });
    // Starting threads is all that thread does: the wait is short.
    if (g_detectorsStarted) WaitForSingleObject(g_detectorsStarted.Get(), INFINITE);
    RunStartupDetection(MainHomePage());
    MarkStartupPhase("detection-done");
  }
  std::string MachineTypeLabelText() override { return ql::MachineTypeLabelText(); }
  void ShowIncompleteDetectionDialog() override {
    // Shown from this thread: it blocks the stages, not the UI thread.
    ShowTaskDialog(MainWindowHandle(), kIncompleteInstruction, kIncompleteTitle, kIncompleteContent, 1, nullptr,
                   kTaskDialogErrorIcon);
  }
  void ShowMainWindow() override {
    RunOnUiThread([] {
      CompleteMainWindowPreparation();
      ShowWindow(MainWindowHandle(), SW_SHOW);
      MarkStartupPhase("main-window-shown");
      UpdateWindow(MainWindowHandle());
      MarkStartupPhase("main-window-painted");
    });
  }
  void InstallFinalShadow() override {
    RunOnUiThread([] { InstallWindowShadow(MainWindowHandle(), 0xFF8800, 8); });
    MarkStartupPhase("final-shadow");
  }
  void DestroySplash() override {
    RunOnUiThread([] { DestroyWindow(g_splash); });
    MarkStartupPhase("splash-destroyed");
  }
  void ClearMainWindowTopmost() override {
    RunOnUiThread(
        [] { SetWindowPos(MainWindowHandle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); });
    MarkStartupPhase("topmost-cleared");
    // The pages the user has not opened yet are built from now on, after
    // the start-up, so that none of them holds up its last steps.
    StartBuildingPages();
  }
};

void SplashCreated(HWND hwnd) {
  GuardSingleInstance("1");
  // The detectors need no window: they work while the main window is built.
  g_detectorsStarted.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  bool elsewhere = g_detectorsStarted && StartDetachedThread([] {
                     BeginStartupDetection();
                     SetEvent(g_detectorsStarted.Get());
                   });
  if (!elsewhere) {
    BeginStartupDetection();
    g_detectorsStarted.Reset();
  }
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
  CreateMainWindow(instance);
  MarkStartupPhase("main-window-created");
  StartDetachedThread([] {
    WinStartupActions actions;
    RunStartupStages(actions);
  });
}

LRESULT CALLBACK SplashProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      g_splash = hwnd;
      HINSTANCE inst = reinterpret_cast<LPCREATESTRUCTW>(lp)->hInstance;
      g_dpi = FitWindowToDpi(hwnd, kWidth, kHeight);
      // The outline's corner is designed for 270 x 119 (23 pixels) and
      // scaled with the rest.
      int corner = S(std::min(kWidth / 5, kHeight / 5));
      int w = S(kWidth), h = S(kHeight);
      SetWindowRgn(hwnd, CreateRoundRectRgn(0, 0, w + 1, h + 1, corner, corner), FALSE);
      CreateWindowExW(0, L"STATIC", Wide("启动画面").c_str(), WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, w, h, hwnd,
                      reinterpret_cast<HMENU>(kPictureId), inst, nullptr);
      g_status = CreateWindowExW(0, L"STATIC", Wide("初始化....").c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX, S(55), S(96), S(208),
                                 S(24), hwnd, reinterpret_cast<HMENU>(kStatusId), inst, nullptr);
      g_statusFont.Reset(CreateUiFont(14, FW_NORMAL));
      SendMessageW(g_status, WM_SETFONT, reinterpret_cast<WPARAM>(g_statusFont.Get()), FALSE);
      // The status label is drawn above the picture.
      SetWindowPos(g_status, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      SplashCreated(hwnd);
      return 0;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (item->CtlID == kPictureId) PaintSplashPicture(item->hDC, item->rcItem);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
      SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
      SetTextColor(reinterpret_cast<HDC>(wp), RGB(0x40, 0x40, 0x40));
      return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    case WM_DESTROY:
      g_splash = nullptr;
      g_status = nullptr;
      g_statusFont.Reset();
      return 0;  // destroying the splash does not end the process
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateSplashWindow(HINSTANCE instance) {
  return CreateCentredWindow(instance, kSplashWindowClass, SplashProc, "青岚工具箱 启动", WS_POPUP | WS_CLIPCHILDREN,
                             WS_EX_TOPMOST | WS_EX_APPWINDOW, ScaleForDpi(kWidth, CreationDpi()),
                             ScaleForDpi(kHeight, CreationDpi()));
}

}  // namespace ql
