#include "support/json_text.h"

#include "support/gbk_text.h"

namespace ql {
namespace {

void AppendEscape(std::string& out, unsigned unit) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out.push_back(kHex[(unit >> shift) & 0xF]);
}

void AppendStrayByte(std::string& out, unsigned char byte) { AppendEscape(out, 0xDC00 + byte); }

void AppendAscii(std::string& out, char c) {
  switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\r': out += "\\r"; return;
    case '\n': out += "\\n"; return;
    case '\t': out += "\\t"; return;
    default: break;
  }
  if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
    AppendEscape(out, static_cast<unsigned char>(c));
  else
    out.push_back(c);
}

void AppendCodePoint(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    AppendAscii(out, static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// The character a GBK pair stands for, or 0 when code page 936 has none
// (the conversion's replacement characters mean exactly that).
uint32_t GbkPair(unsigned char lead, unsigned char trail) {
  if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  std::u16string wide = GbkToUtf16(std::string_view(pair, 2));
  if (wide.size() != 1 || wide[0] == u'\xFFFD' || wide[0] < 0x80) return 0;
  if (wide[0] >= 0xD800 && wide[0] <= 0xDFFF) return 0;
  return wide[0];
}

// The length of a well-formed UTF-8 sequence at `p` (shortest form, no
// surrogates, at most U+10FFFF) and its code point; 0 when there is none.
size_t Utf8Sequence(std::string_view text, size_t p, uint32_t& cp) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b = byte(p);
  size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
  if (length == 0 || b > 0xF4 || p + length > text.size()) return 0;
  cp = b & (0x3F >> (length - 1));
  for (size_t k = 1; k < length; ++k) {
    if ((byte(p + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(p + k) & 0x3F);
  }
  static constexpr uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string JsonStringFromGbk(std::string_view gbk) {
  std::string out = "\"";
  for (size_t p = 0; p < gbk.size(); ++p) {
    auto lead = static_cast<unsigned char>(gbk[p]);
    if (lead < 0x80) {
      AppendAscii(out, gbk[p]);
      continue;
    }
    uint32_t cp = p + 1 < gbk.size() ? GbkPair(lead, static_cast<unsigned char>(gbk[p + 1])) : 0;
    if (cp) {
      AppendCodePoint(out, cp);
      ++p;
    } else {
      AppendStrayByte(out, lead);  // the next byte starts afresh
    }
  }
  return out + "\"";
}

std::string JsonStringFromUtf8(std::string_view utf8) {
  std::string out = "\"";
  for (size_t p = 0; p < utf8.size();) {
    auto b = static_cast<unsigned char>(utf8[p]);
    if (b < 0x80) {
      AppendAscii(out, utf8[p++]);
      continue;
    }
    uint32_t cp = 0;
    size_t length = Utf8Sequence(utf8, p, cp);
    if (length == 0) {
      AppendStrayByte(out, b);
      ++p;
    } else {
      out.append(utf8.substr(p, length));
      p += length;
    }
  }
  return out + "\"";
}

void JsonWriter::NewLine() {
  out_.push_back('\n');
  out_.append(2 * empty_.size(), ' ');
}

void JsonWriter::Value(std::string_view literal) {
  if (!afterKey_ && !empty_.empty()) {
    if (!empty_.back()) out_.push_back(',');
    empty_.back() = false;
    NewLine();
  }
  afterKey_ = false;
  out_.append(literal);
}

void JsonWriter::Key(std::string_view gbkKey) {
  if (!empty_.back()) out_.push_back(',');
  empty_.back() = false;
  NewLine();
  out_ += JsonStringFromGbk(gbkKey) + ": ";
  afterKey_ = true;
}

void JsonWriter::Integer(int64_t value) { Value(DecimalText(value)); }

void JsonWriter::Open(char bracket) {
  Value(std::string_view(&bracket, 1));
  empty_.push_back(true);
}

void JsonWriter::Close(char bracket) {
  bool wasEmpty = empty_.back();
  empty_.pop_back();
  if (!wasEmpty) NewLine();
  out_.push_back(bracket);
}

}  // namespace ql
