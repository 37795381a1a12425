// Code-page conversions on Windows: always code page 936 (and 65001 for
// UTF-8), never CP_ACP, so Chinese shows correctly on any system language.
#include <windows.h>

#include "support/gbk_text.h"

namespace ql {
namespace {

constexpr UINT kGbk = 936;

std::u16string ToUtf16(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::u16string out(static_cast<size_t>(n), u'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<wchar_t*>(out.data()),
                      n);
  return out;
}

std::string FromUtf16(UINT codePage, std::u16string_view text) {
  if (text.empty()) return {};
  auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) { return ToUtf16(kGbk, gbk); }
std::string Utf16ToGbk(std::u16string_view utf16) { return FromUtf16(kGbk, utf16); }
std::string Utf8ToGbk(std::string_view utf8) { return FromUtf16(kGbk, ToUtf16(CP_UTF8, utf8)); }
std::string GbkToUtf8(std::string_view gbk) { return FromUtf16(CP_UTF8, ToUtf16(kGbk, gbk)); }

}  // namespace ql
