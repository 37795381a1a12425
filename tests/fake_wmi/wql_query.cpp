// The WQL subset: a small tokenizer, a fixed grammar, and the selection of
// objects from the machine's data.
#include "tests/fake_wmi/wql_query.h"

#include <charconv>
#include <cstdint>

namespace fakewmi {
namespace {

enum class TokenKind { kWord, kString, kNumber, kStar, kComma, kEquals };

struct Token {
  TokenKind kind;
  std::string text;
};

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

std::optional<std::vector<Token>> Tokenize(std::string_view s) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < s.size()) {
    char c = s[i];
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      ++i;
    } else if (c == '*' || c == ',' || c == '=') {
      tokens.push_back({c == '*' ? TokenKind::kStar : c == ',' ? TokenKind::kComma : TokenKind::kEquals, {}});
      ++i;
    } else if (c == '\'' || c == '"') {
      std::string value;
      size_t j = i + 1;
      for (;; ++j) {
        if (j >= s.size()) return std::nullopt;  // unterminated
        if (s[j] == c) break;
        if (s[j] == '\\') {
          if (j + 1 >= s.size()) return std::nullopt;
          char next = s[++j];
          if (next != '\\' && next != '\'' && next != '"') return std::nullopt;
          value.push_back(next);
        } else {
          value.push_back(s[j]);
        }
      }
      tokens.push_back({TokenKind::kString, std::move(value)});
      i = j + 1;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      size_t j = i + 1;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      if (c == '-' && j == i + 1) return std::nullopt;
      tokens.push_back({TokenKind::kNumber, std::string(s.substr(i, j - i))});
      i = j;
    } else if (IsWordChar(c)) {
      size_t j = i;
      while (j < s.size() && IsWordChar(s[j])) ++j;
      tokens.push_back({TokenKind::kWord, std::string(s.substr(i, j - i))});
      i = j;
    } else {
      return std::nullopt;
    }
  }
  return tokens;
}

bool IsName(const Token& t) {
  if (t.kind != TokenKind::kWord) return false;
  char c = t.text[0];
  return !(c >= '0' && c <= '9');
}

bool IsKeyword(const Token& t, std::string_view word) {
  return t.kind == TokenKind::kWord && EqualsIgnoringAsciiCase(t.text, word);
}

bool ParseWholeInt(std::string_view s, int64_t& out) {
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size();
}

bool Matches(const Value& v, const WqlCondition& c) {
  switch (v.kind) {
    case ValueKind::kText: return EqualsIgnoringAsciiCase(v.text, c.literal);
    case ValueKind::kInt32: {
      int64_t n = 0;
      return ParseWholeInt(c.literal, n) && n == v.number;
    }
    case ValueKind::kBoolean: return EqualsIgnoringAsciiCase(c.literal, v.flag ? "true" : "false");
    case ValueKind::kInt32Array:
    case ValueKind::kNull: return false;
  }
  return false;
}

// The classes the toolbox reads.
constexpr std::string_view kStandardClasses[] = {
    "Win32_SystemEnclosure", "Win32_Processor",       "Win32_BIOS",
    "Win32_BaseBoard",       "Win32_OperatingSystem", "Win32_PhysicalMemory",
    "Win32_VideoController", "Win32_DesktopMonitor",  "Win32_DiskDrive",
};

bool IsKnownClass(const MachineData& data, std::string_view name) {
  for (std::string_view c : kStandardClasses)
    if (EqualsIgnoringAsciiCase(c, name)) return true;
  for (const WmiObject& o : data.objects)
    if (EqualsIgnoringAsciiCase(o.className, name)) return true;
  return false;
}

}  // namespace

std::optional<WqlQuery> ParseWqlQuery(std::string_view text) {
  std::optional<std::vector<Token>> tokens = Tokenize(text);
  if (!tokens) return std::nullopt;
  const std::vector<Token>& t = *tokens;
  size_t i = 0;
  auto at = [&](size_t k) -> const Token* { return k < t.size() ? &t[k] : nullptr; };

  WqlQuery q;
  if (!at(i) || !IsKeyword(t[i], "select")) return std::nullopt;
  ++i;
  if (at(i) && t[i].kind == TokenKind::kStar) {
    ++i;
  } else {
    for (;;) {
      if (!at(i) || !IsName(t[i]) || IsKeyword(t[i], "from")) return std::nullopt;
      q.properties.push_back(t[i++].text);
      if (at(i) && t[i].kind == TokenKind::kComma) {
        ++i;
        continue;
      }
      break;
    }
  }
  if (!at(i) || !IsKeyword(t[i], "from")) return std::nullopt;
  ++i;
  if (!at(i) || !IsName(t[i]) || IsKeyword(t[i], "where")) return std::nullopt;
  q.className = t[i++].text;
  if (at(i)) {
    if (!IsKeyword(t[i], "where") || !at(i + 3)) return std::nullopt;
    const Token& property = t[i + 1];
    const Token& equals = t[i + 2];
    const Token& literal = t[i + 3];
    if (!IsName(property) || equals.kind != TokenKind::kEquals) return std::nullopt;
    WqlCondition c{property.text, literal.text, literal.kind == TokenKind::kString};
    if (literal.kind == TokenKind::kWord && !IsKeyword(literal, "true") && !IsKeyword(literal, "false"))
      return std::nullopt;
    if (literal.kind != TokenKind::kString && literal.kind != TokenKind::kNumber && literal.kind != TokenKind::kWord)
      return std::nullopt;
    q.condition = std::move(c);
    i += 4;
    if (at(i)) return std::nullopt;
  }
  return q;
}

QueryResult RunQuery(const MachineData& data, std::string_view text) {
  QueryResult result;
  std::optional<WqlQuery> q = ParseWqlQuery(text);
  if (!q) {
    result.outcome = QueryOutcome::kInvalidQuery;
    return result;
  }
  if (!IsKnownClass(data, q->className)) {
    result.outcome = QueryOutcome::kInvalidClass;
    return result;
  }
  for (const WmiObject& o : data.objects) {
    if (!EqualsIgnoringAsciiCase(o.className, q->className)) continue;
    if (q->condition) {
      const Property* p = o.Find(q->condition->property);
      if (!p || !Matches(p->value, *q->condition)) continue;
    }
    if (q->properties.empty()) {
      result.objects.push_back(o);
      continue;
    }
    WmiObject cut{o.className, {}};
    for (const Property& p : o.properties)
      for (const std::string& wanted : q->properties)
        if (EqualsIgnoringAsciiCase(p.name, wanted)) {
          cut.properties.push_back(p);
          break;
        }
    result.objects.push_back(std::move(cut));
  }
  return result;
}

bool IsServedNamespace(std::string_view resource) {
  std::string path(resource);
  for (char& c : path)
    if (c == '/') c = '\\';
  std::string_view rest = path;
  if (rest.substr(0, 2) == "\\\\") {
    rest.remove_prefix(2);
    size_t slash = rest.find('\\');
    if (slash == std::string_view::npos) return false;
    std::string_view server = rest.substr(0, slash);
    if (server != "." && !EqualsIgnoringAsciiCase(server, "localhost")) return false;
    rest.remove_prefix(slash + 1);
  }
  return EqualsIgnoringAsciiCase(rest, "root\\cimv2");
}

}  // namespace fakewmi
