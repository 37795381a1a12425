// The splash window and the start-up thread that walks the stages.
#pragma once

#include <windows.h>

namespace ql {

inline constexpr wchar_t kSplashWindowClass[] = L"QinglanSplashWindow";

// Creates the splash window (hidden; stage 1 shows it). Its creation handler
// runs the single-instance guard, creates the main window and starts the
// start-up thread.
HWND CreateSplashWindow(HINSTANCE instance);

}  // namespace ql
