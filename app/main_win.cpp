// Process entry: GDI+, the splash window (whose creation starts everything
// else), then the UI thread's message loop for the life of the process.
#include <windows.h>
#include <commctrl.h>

#include "app/command_line_win.h"
#include "app/splash_window_win.h"
#include "app/startup_phases_win.h"
#include "platform/ui_thread_win.h"
#include "support/gdiplus_win.h"
#include "support/layout_keys_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  ql::HandleCommandLineOptions();  // returns only when the window is wanted
  ql::MarkStartupPhase("entry");
  ql::StartGdiplus();
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LINK_CLASS};
  InitCommonControlsEx(&icc);
  ql::InitUiThread();
  ql::CreateSplashWindow(instance);
  ql::MarkStartupPhase("splash-created");
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (ql::HandleLayoutKeyboard(msg)) continue;  // Tab, Shift+Tab, Enter on push buttons
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
