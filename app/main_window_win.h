// The main window: 1000 x 640, borderless, created hidden by the start-up.
#pragma once

#include <windows.h>

#include <string>

namespace ql {

inline constexpr wchar_t kMainWindowClass[] = L"QinglanMainWindow";

HWND CreateMainWindow(HINSTANCE instance);
HWND MainWindowHandle();
// Sets the period of the uptime timer to 1000 ms (start-up stage 2).
void StartUptimeClock();
// The text of the home page's machine-type label.
std::string MachineTypeLabelText();

}  // namespace ql
