// GBK texts at the Win32 boundary: convert with code page 936 and call the W
// functions, so the program shows Chinese correctly on any system language.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace ql {

// Code page 936 explicitly, never the system ANSI code page. Bytes that are
// not GBK become U+FFFD; characters GBK lacks become '?'.
std::wstring Wide(std::string_view gbk);
std::string Gbk(std::wstring_view wide);
// UTF-8 (web pages) <-> UTF-16, code page 65001.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

std::string GetWindowTextGbk(HWND hwnd);
void SetWindowTextGbk(HWND hwnd, std::string_view gbk);

// A message box with GBK texts (no owner unless given, task-modal).
int MessageBoxGbk(HWND owner, std::string_view text, std::string_view title, UINT style);

}  // namespace ql
