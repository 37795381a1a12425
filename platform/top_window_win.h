// The program's two top-level windows share their set-up: a class with the
// program icon, an arrow cursor and a white background, centred on the screen.
#pragma once

#include <windows.h>

#include <string_view>

namespace ql {

HWND CreateCentredWindow(HINSTANCE instance, const wchar_t* className, WNDPROC proc, std::string_view title,
                         DWORD style, DWORD exStyle, int width, int height);

}  // namespace ql
