// The keyboard in a window of layout rows, as the message loop sees it
// before dispatching: Tab and Shift+Tab move the focus through the controls
// in reading order, Enter on a push button clicks it. Enter and Space on a
// drawn control act in the control itself (support/layout_window_win.cpp);
// Alt+F4 is the system's (its Close ends the program, app/main_window_win).
#pragma once

#include <windows.h>

namespace ql {

// True when the message was the window's keyboard navigation and has been
// handled; the loop then neither translates nor dispatches it.
bool HandleLayoutKeyboard(const MSG& msg);

}  // namespace ql
