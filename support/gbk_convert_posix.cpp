// Code-page conversions for the native build, through iconv's CP936.
#include <iconv.h>

#include <cerrno>

#include "support/gbk_text.h"

namespace ql {
namespace {

// Converts with iconv; an unconvertible input unit is replaced and skipped so
// that bad bytes never stop the conversion.
std::string Convert(const char* to, const char* from, const char* in, size_t inSize, size_t unit,
                    std::string_view replacement) {
  std::string out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char buffer[256];
  char* src = const_cast<char*>(in);
  size_t left = inSize;
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out.append(replacement);
      size_t skip = left < unit ? left : unit;
      src += skip;
      left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  std::string bytes = Convert("UTF-16LE", "CP936", gbk.data(), gbk.size(), 1, std::string_view("\xFD\xFF", 2));
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t c : utf16) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return Convert("CP936", "UTF-16LE", bytes.data(), bytes.size(), 2, "?");
}

std::string Utf8ToGbk(std::string_view utf8) { return Convert("CP936", "UTF-8", utf8.data(), utf8.size(), 1, "?"); }

std::string GbkToUtf8(std::string_view gbk) {
  return Convert("UTF-8", "CP936", gbk.data(), gbk.size(), 1, "\xEF\xBF\xBD");
}

}  // namespace ql
