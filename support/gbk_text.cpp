// GBK text primitives: searching, folding, splitting and number forms.
#include "support/gbk_text.h"

#include <cstdarg>
#include <algorithm>
#include <cstdio>

namespace ql {

char FoldAsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

static char FoldAsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldAsciiLower(c);
  return out;
}

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldAsciiUpper(c);
  return out;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAsciiLower(a[i]) != FoldAsciiLower(b[i])) return false;
  return true;
}

bool IsCharStart(std::string_view text, size_t offset) {
  if (offset > text.size()) return false;
  size_t i = 0;
  while (i < offset) i += IsLeadByte(text[i]) ? 2 : 1;
  return i == offset;
}

// `at` begins a character. Ignoring case folds ASCII letters only: the trail
// byte of a two-byte character (which may look like a letter) compares exactly.
static bool MatchesAt(std::string_view text, size_t at, std::string_view needle, bool ignoreCase) {
  if (!ignoreCase) return text.compare(at, needle.size(), needle) == 0;
  bool trail = false;
  for (size_t k = 0; k < needle.size(); ++k) {
    char t = text[at + k];
    if (trail ? t != needle[k] : FoldAsciiLower(t) != FoldAsciiLower(needle[k])) return false;
    trail = !trail && IsLeadByte(t);
  }
  return true;
}

// The first match at or after `boundary`, which must begin a character.
static size_t FindFromBoundary(std::string_view text, std::string_view needle, size_t boundary, bool ignoreCase) {
  for (size_t i = boundary; i + needle.size() <= text.size(); i += IsLeadByte(text[i]) ? 2 : 1)
    if (MatchesAt(text, i, needle, ignoreCase)) return i;
  return std::string_view::npos;
}

// The first character boundary at or after `offset`.
static size_t BoundaryAtOrAfter(std::string_view text, size_t from, size_t offset) {
  size_t i = from;
  while (i < offset && i < text.size()) i += IsLeadByte(text[i]) ? 2 : 1;
  return i;
}

size_t FindText(std::string_view text, std::string_view needle, size_t from, bool ignoreCase) {
  if (needle.size() > text.size()) return std::string_view::npos;
  // Walk character by character from the start so that a lead byte is never
  // mistaken for the start of the character after it.
  return FindFromBoundary(text, needle, BoundaryAtOrAfter(text, 0, from), ignoreCase);
}

size_t FindTextReverse(std::string_view text, std::string_view needle, size_t end, bool ignoreCase) {
  if (end > text.size()) end = text.size();
  size_t found = std::string_view::npos;
  for (size_t i = 0; i + needle.size() <= end; ++i) {
    if (MatchesAt(text, i, needle, ignoreCase)) found = i;
    if (i < text.size() && IsLeadByte(text[i])) ++i;
    if (i >= text.size()) break;  // an empty needle also matches at the very end, once
  }
  return found;
}

bool ContainsText(std::string_view text, std::string_view needle, bool ignoreCase) {
  return FindText(text, needle, 0, ignoreCase) != std::string_view::npos;
}

// Calls `onHit` for each non-overlapping match, walking the text once.
template <class OnHit>
static size_t ForEachMatch(std::string_view text, std::string_view sep, bool ignoreCase, OnHit onHit) {
  size_t pos = 0;
  for (size_t hit; (hit = FindFromBoundary(text, sep, pos, ignoreCase)) != std::string_view::npos;) {
    onHit(pos, hit);
    pos = BoundaryAtOrAfter(text, hit, hit + sep.size());
  }
  return pos;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to, bool ignoreCase) {
  if (from.empty()) return std::string(text);
  std::string out;
  size_t rest = ForEachMatch(text, from, ignoreCase, [&](size_t pos, size_t hit) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
  });
  out.append(text.substr(std::min(rest, text.size())));
  return out;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view sep) {
  std::vector<std::string> parts;
  if (sep.empty()) {
    parts.emplace_back(text);
    return parts;
  }
  size_t rest =
      ForEachMatch(text, sep, false, [&](size_t pos, size_t hit) { parts.emplace_back(text.substr(pos, hit - pos)); });
  parts.emplace_back(text.substr(std::min(rest, text.size())));
  return parts;
}

std::string JoinText(const std::vector<std::string>& parts, std::string_view sep) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out.append(sep);
    out.append(parts[i]);
  }
  return out;
}

std::string DecimalText(int64_t value) { return std::to_string(value); }

std::string ShortestDecimal(double value) { return FormatText("%.13g", value); }

std::string FormatText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

}  // namespace ql
