// GBK texts at the Win32 boundary.
#include "platform/win_text.h"

#include "support/gbk_text.h"

namespace ql {

std::wstring Wide(std::string_view gbk) {
  std::u16string u = GbkToUtf16(gbk);
  return std::wstring(u.begin(), u.end());
}

std::string Gbk(std::wstring_view wide) {
  return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

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
