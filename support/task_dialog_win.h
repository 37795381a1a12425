// A task dialog with GBK texts.
#pragma once

#include <windows.h>

#include <string_view>

namespace ql {

// The pressed button's identifier, or -1 when the dialog could not be shown.
int ShowTaskDialog(HWND owner, std::string_view mainInstruction, std::string_view windowTitle, std::string_view content,
                   int commonButtons, HINSTANCE instance, int icon);

// The system's predefined task-dialog icons, as integer resources.
inline constexpr int kTaskDialogErrorIcon = 0xFFF9;
inline constexpr int kTaskDialogInformationIcon = 0xFFFB;

}  // namespace ql
