// The main window: fixed size, borderless, centred; its layout comes from the
// row table. Closing it in any way ends the process at once with exit code 0.
#include "app/main_window_win.h"

#include <atomic>

#include "app/feature_hosts_win.h"
#include "app/main_controls_win.h"
#include "app/main_layout_win.h"
#include "app/main_pages.h"
#include "app/update_log_view_win.h"
#include "app/uptime_text.h"
#include "app/window_dpi_win.h"
#include "platform/top_window_win.h"
#include "platform/win_text.h"
#include "support/control_actions.h"
#include "support/layout_names.h"
#include "support/layout_window_win.h"
#include "support/web_addresses.h"
#include "support/window_shadow_win.h"

namespace ql {
namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 640;
// Builds the next page that does not exist yet, one per message, once the
// start-up is over: the message loop stays responsive in between.
constexpr UINT kBuildNextPage = WM_APP + 40;
// Does one piece of the window's first-time work (wParam: which).
constexpr UINT kPrepare = WM_APP + 41;
HWND g_main = nullptr;
HINSTANCE g_instance = nullptr;
BuiltLayout g_layout;
UINT g_dpi = kDesignDpi;  // the resolution the window is laid out for

// The first-time work, in the order it is done.
enum Preparation : int { kContents, kFirstShow, kPreparationCount };
bool g_prepared[kPreparationCount] = {};  // UI thread only
std::atomic<int> g_posted{0};

void Prepare(int piece) {
  if (piece < 0 || piece >= kPreparationCount || g_prepared[piece]) return;
  g_prepared[piece] = true;
  switch (piece) {
    case kContents: g_layout = BuildMainLayout(g_main, g_instance, g_dpi); break;
    case kFirstShow:
      InstallWindowShadow(g_main);  // the defaults: black, 5 pixels
      PrepareWindowShadow(g_main);
      break;
  }
}

UpdateLogView& ProgramUpdateLog() {
  static UpdateLogView view(ProgramPrompts(), SystemBrowserControl(), web::kMakerUpdateLogPage);
  return view;
}

// ShowMainPage's view of the real windows.
class WindowPageView : public MainPageView {
 public:
  std::string ControlCaption(std::string_view control) override { return MainControlText(control); }
  void SetTitle(std::string_view title) override { SetMainControlText(layout::kTitle, title); }
  void SelectPage(int page) override {
    BuildMainPage(g_layout, page);
    if (page == kUpdateLogPage) ProgramUpdateLog().Show(g_layout.pages[size_t(page)], g_layout.instance);
    // Show the new page before hiding the others: no blank frame between.
    ShowWindow(g_layout.pages[size_t(page)], SW_SHOW);
    for (int p = 0; p < kMainPageCount; ++p)
      if (p != page) ShowWindow(g_layout.pages[size_t(p)], SW_HIDE);
  }
  // The bar's place in the table's 96-DPI units, whatever the resolution.
  int BarTop() override {
    RECT rc{};
    return LayoutDesignRect(MainControl(layout::kSelectionBar), &rc) ? int(rc.top) : 0;
  }
  void MoveBar(int left, int top) override { MoveLayoutWindow(MainControl(layout::kSelectionBar), left, top); }
  void OfferToolPackage() override { OfferProgramToolPackage(); }
};

void ShowPageFor(std::string_view control) {
  WindowPageView view;
  const NavTarget* t = FindNavTarget(control);
  if (!t) return;
  // The drawn selection follows the control, except for the two cards.
  if (t->bar != BarMove::Keep) SetSelectedNav(g_layout.nav, control);
  ShowMainPage(view, control);
}

void UptimeTick() { SetMainControlText(layout::kUptime, UptimeText(GetTickCount64())); }

void EndProcessNow() { TerminateProcess(GetCurrentProcess(), 0); }

void RegisterWindowActions() {
  for (const NavTarget& t : NavTargets()) {
    std::string control(t.control);
    RegisterControlAction(std::string(kNavActionPrefix) + control, [control] { ShowPageFor(control); });
  }
  RegisterControlAction("nav:zxh", [] { ShowWindow(g_main, SW_MINIMIZE); });  // MinimizeClicked
  RegisterControlAction("nav:gb", EndProcessNow);                             // CloseClicked
  RegisterControlAction(layout::kUptimeTimer, UptimeTick);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      g_main = hwnd;
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      RegisterWindowActions();
      RegisterFeatureActions();
      g_instance = reinterpret_cast<LPCREATESTRUCTW>(lp)->hInstance;
      g_dpi = FitWindowToDpi(hwnd, kWidth, kHeight);
      // The controls and the default shadow follow (PostMainWindowPreparation):
      // creating their windows takes the UI thread 40 to 130 ms under Wine,
      // and the start-up's two waits are time it has for them.
      return 0;
    }
    case kPrepare: Prepare(static_cast<int>(wp)); return 0;
    case kBuildNextPage:
      for (int p = 0; p < kMainPageCount; ++p)
        if (BuildMainPage(g_layout, p)) {
          PostMessageW(hwnd, kBuildNextPage, 0, 0);
          break;
        }
      return 0;
    case WM_TIMER: RunControlAction(MainTimerName(wp)); return 0;
    case WM_NCHITTEST: {
      // Borderless: any point that does not handle the mouse itself drags the window.
      LRESULT hit = DefWindowProcW(hwnd, msg, wp, lp);
      return hit == HTCLIENT ? HTCAPTION : hit;
    }
    case WM_GETMINMAXINFO: return 0;
    case WM_DPICHANGED:
      // Moved to a display of another resolution: the system's rectangle,
      // and every control laid out again for it.
      g_dpi = HIWORD(wp);
      g_layout.dpi = g_dpi;
      TakeSuggestedRect(hwnd, lp);
      RescaleLayoutWindows(hwnd, g_dpi);
      return 0;
    case WM_SYSCOMMAND:
      // Not resizable and not maximisable, also through the system menu or a double click.
      if ((wp & 0xFFF0) == SC_MAXIMIZE || (wp & 0xFFF0) == SC_SIZE) return 0;
      break;
    case WM_NCLBUTTONDBLCLK:
      if (wp == HTCAPTION) return 0;
      break;
    case WM_DESTROY:  // MainWindowDestroying
      EndProcessNow();
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateCentredWindow(instance, kMainWindowClass, MainWindowProc, "青岚工具箱",
                             WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_SYSMENU, WS_EX_APPWINDOW,
                             ScaleForDpi(kWidth, CreationDpi()), ScaleForDpi(kHeight, CreationDpi()));
}

HWND MainWindowHandle() { return g_main; }

void StartUptimeClock() { SetMainTimer(layout::kUptimeTimer, 1000); }

std::string MachineTypeLabelText() { return MainControlText(layout::kMachineType); }

bool PostMainWindowPreparation() {
  int piece = g_posted.fetch_add(1);
  if (piece >= kPreparationCount || !g_main) return false;
  return PostMessageW(g_main, kPrepare, static_cast<WPARAM>(piece), 0) != FALSE;
}

void CompleteMainWindowContents() { Prepare(kContents); }

void CompleteMainWindowPreparation() {
  for (int piece = 0; piece < kPreparationCount; ++piece) Prepare(piece);
}

void StartBuildingPages() {
  if (g_main) PostMessageW(g_main, kBuildNextPage, 0, 0);
}

}  // namespace ql
