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

// The window's first-time work, which the start-up has the UI thread do
// while the start-up thread waits: first its controls (the home page's
// among them), then its default shadow, with the picture that its first
// showing would otherwise paint. Each call posts the next piece and returns
// false when none is left. Any thread.
bool PostMainWindowPreparation();
// On the UI thread: does now what is not done yet of the controls, or of
// everything.
void CompleteMainWindowContents();
void CompleteMainWindowPreparation();
// From now on builds the pages that do not exist yet, one per message.
void StartBuildingPages();

}  // namespace ql
