// Code-page conversions on Windows, over the platform's explicit code pages
// (936 for GBK, 65001 for UTF-8; never CP_ACP).
#include "platform/win_text.h"
#include "support/gbk_text.h"

namespace ql {
namespace {

std::wstring_view AsWide(std::u16string_view text) {
  return std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  std::wstring w = Wide(gbk);
  return std::u16string(w.begin(), w.end());
}
std::string Utf16ToGbk(std::u16string_view utf16) { return Gbk(AsWide(utf16)); }
std::string Utf8ToGbk(std::string_view utf8) { return Gbk(WideFromUtf8(utf8)); }
std::string GbkToUtf8(std::string_view gbk) { return Utf8FromWide(Wide(gbk)); }

}  // namespace ql
