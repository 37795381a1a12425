// The main window's controls by their layout name (标签1, 标签71, 时钟2 …),
// for the subsystems that write texts into them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ql {

void RegisterMainControl(std::string_view layoutName, HWND control);
// nullptr when the layout has no such control (yet).
HWND MainControl(std::string_view layoutName);
// Safe from any thread: SetWindowText on another thread's window is sent to it.
void SetMainControlText(std::string_view layoutName, std::string_view gbk);
std::string MainControlText(std::string_view layoutName);
// Starts (period > 0) or stops (0) the main window's timer of that layout
// name; each tick runs the control action with the same key.
void SetMainTimer(std::string_view layoutName, unsigned periodMs);
// The layout name of a timer started by SetMainTimer ("" when unknown).
std::string MainTimerName(UINT_PTR timerId);

}  // namespace ql
