// GBK text primitives. Every text of the program is a GBK byte string; a byte
// of 0x80 or more begins a two-byte character, so a search never reports a
// match that starts on the trail byte of such a character. Positions here are
// 0-based byte offsets (npos when absent); callers speaking 1-based positions
// add one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// ASCII-only case folding: bytes of two-byte characters are left alone.
char FoldAsciiLower(char c);
std::string ToLowerAscii(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// The character boundaries: true when offset begins a character.
bool IsCharStart(std::string_view text, size_t offset);

// First match at or after `from` that begins on a character boundary.
size_t FindText(std::string_view text, std::string_view needle, size_t from = 0, bool ignoreCase = false);
// Last match that begins on a character boundary and ends at or before `end`.
size_t FindTextReverse(std::string_view text, std::string_view needle, size_t end = std::string_view::npos,
                       bool ignoreCase = false);
bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase = false);

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase = false);
// Splits on every occurrence of sep; empty parts are kept; an empty text gives one empty part.
std::vector<std::string> SplitText(std::string_view text, std::string_view sep);
std::string JoinText(const std::vector<std::string>& parts, std::string_view sep);

// Numbers as the program prints them: plain decimal integers, and fractional
// values in the shortest form with up to 13 significant digits ("%.13g").
std::string DecimalText(int64_t value);
std::string ShortestDecimal(double value);
// printf into a std::string; for the few fixed formats the texts need.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// GBK <-> UTF-16 with code page 936 explicitly (never the system ANSI code
// page). Bytes that are not GBK become U+FFFD; characters GBK lacks become '?'.
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
// UTF-8 (web pages, test data) <-> GBK.
std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

}  // namespace ql
