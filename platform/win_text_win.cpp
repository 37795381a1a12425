// GBK texts at the Win32 boundary: the code-page conversions live here, at
// the bottom, and support/gbk_convert_win.cpp builds on them.
#include "platform/win_text.h"

namespace ql {
namespace {

constexpr UINT kGbk = 936;

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Wide(std::string_view gbk) { return ToWide(kGbk, gbk); }
std::string Gbk(std::wstring_view wide) { return FromWide(kGbk, wide); }
std::wstring WideFromUtf8(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }
std::string Utf8FromWide(std::wstring_view wide) { return FromWide(CP_UTF8, wide); }

std::string GetWindowTextGbk(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  int got = GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return Gbk(text);
}

void SetWindowTextGbk(HWND hwnd, std::string_view gbk) { SetWindowTextW(hwnd, Wide(gbk).c_str()); }

int MessageBoxGbk(HWND owner, std::string_view text, std::string_view title, UINT style) {
  return MessageBoxW(owner, Wide(text).c_str(), Wide(title).c_str(), style);
}

}  // namespace ql
