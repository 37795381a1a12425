// GBK texts at the Win32 boundary: convert with code page 936 and call the W
// functions, so the program shows Chinese correctly on any system language.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ql {

std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);

std::string GetWindowTextGbk(HWND hwnd);
void SetWindowTextGbk(HWND hwnd, std::string_view gbk);

// A message box with GBK texts (no owner unless given, task-modal).
int MessageBoxGbk(HWND owner, std::string_view text, std::string_view title, UINT style);

}  // namespace ql
