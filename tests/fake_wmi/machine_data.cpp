// The data file of the test WMI provider: line by line, strict, so that a
// typing mistake in a machine description is named rather than served.
#include "tests/fake_wmi/machine_data.h"

#include <charconv>
#include <initializer_list>
#include <limits>

namespace fakewmi {
namespace {

// Texts joined by appending (GCC 12 warns falsely about "literal" + string).
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out.append(p);
  return out;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsIdentifier(std::string_view s) {
  if (s.empty()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    char c = s[i];
    bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    bool digit = c >= '0' && c <= '9';
    if (!letter && !(digit && i > 0)) return false;
  }
  return true;
}

// Well-formed UTF-8 without NUL or other C0 controls but the tab.
bool IsCleanUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
      if (b < 0x20 && b != '\t') return false;
      ++i;
      continue;
    }
    size_t extra;
    uint32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + extra >= s.size()) return false;  // cut short
    for (size_t k = 1; k <= extra; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF.
    if ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += extra + 1;
  }
  return true;
}

bool ParseInt32(std::string_view s, int32_t& out) {
  if (s.empty()) return false;
  const char* first = s.data();
  const char* last = s.data() + s.size();
  if (*first == '+') return false;  // from_chars takes no '+', and neither do we
  auto [end, ec] = std::from_chars(first, last, out);
  return ec == std::errc() && end == last;
}

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

struct Parser {
  MachineData data;
  WmiObject* object = nullptr;  // the open [Class] section
  RegistryKey* key = nullptr;   // the open [HKLM\...] section
  bool inSection = false;
  std::string reason;  // set by a failing step

  bool Fail(std::string why) {
    reason = std::move(why);
    return false;
  }

  bool Section(std::string_view name) {
    object = nullptr;
    key = nullptr;
    constexpr std::string_view kHklm = "HKLM\\";
    if (name.size() >= kHklm.size() && EqualsIgnoringAsciiCase(name.substr(0, kHklm.size()), kHklm)) {
      std::string_view path = name.substr(kHklm.size());
      if (path.empty() || path.front() == '\\' || path.back() == '\\' || path.find("\\\\") != std::string_view::npos)
        return Fail(Join({"\"", name, "\" is not a registry key path"}));
      for (const RegistryKey& k : data.registryKeys)
        if (EqualsIgnoringAsciiCase(k.path, path)) return Fail(Join({"a second section for the key ", name}));
      data.registryKeys.push_back({std::string(path), {}});
      key = &data.registryKeys.back();
    } else {
      if (!IsIdentifier(name)) return Fail(Join({"\"", name, "\" is not a WMI class name"}));
      data.objects.push_back({std::string(name), {}});
      object = &data.objects.back();
    }
    inSection = true;
    return true;
  }

  bool Unescape(std::string_view raw, std::string& out) {
    out.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] != '\\') {
        out.push_back(raw[i]);
        continue;
      }
      if (i + 1 == raw.size()) return Fail("a lone backslash ends the value");
      switch (raw[++i]) {
        case 'r': out.push_back('\r'); break;
        case 'n': out.push_back('\n'); break;
        case 't': out.push_back('\t'); break;
        case '\\': out.push_back('\\'); break;
        default: return Fail(Join({"unknown escape \\", raw.substr(i, 1)}));
      }
    }
    return true;
  }

  bool WmiValue(std::string_view name, std::string_view type, bool hasValue, std::string_view raw) {
    if (!IsIdentifier(name)) return Fail(Join({"\"", name, "\" is not a property name"}));
    if (object->Find(name)) return Fail(Join({"a second ", name, " in this object"}));
    Value v;
    if (type == "null") {
      if (hasValue) return Fail("a null property takes no value");
      v.kind = ValueKind::kNull;
    } else if (!hasValue) {
      return Fail("no '=' in the line");
    } else if (type.empty()) {
      v.kind = ValueKind::kText;
      v.text = std::string(raw);
    } else if (type == "esc") {
      v.kind = ValueKind::kText;
      if (!Unescape(raw, v.text)) return false;
    } else if (type == "i4") {
      v.kind = ValueKind::kInt32;
      if (!ParseInt32(raw, v.number)) return Fail(Join({"\"", raw, "\" is not a 32-bit integer"}));
    } else if (type == "i4[]") {
      v.kind = ValueKind::kInt32Array;
      std::string_view rest = raw;
      while (!rest.empty()) {
        size_t comma = rest.find(',');
        std::string_view item = TrimSpaces(rest.substr(0, comma));
        int32_t n = 0;
        if (!ParseInt32(item, n)) return Fail(Join({"\"", item, "\" is not a 32-bit integer"}));
        v.numbers.push_back(n);
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
        if (rest.empty()) return Fail("the list ends with a comma");
      }
    } else if (type == "bool") {
      v.kind = ValueKind::kBoolean;
      if (EqualsIgnoringAsciiCase(raw, "true")) {
        v.flag = true;
      } else if (!EqualsIgnoringAsciiCase(raw, "false")) {
        return Fail(Join({"\"", raw, "\" is neither true nor false"}));
      }
    } else {
      return Fail(Join({"\"", type, "\" is not a property type (i4, i4[], bool, null, esc)"}));
    }
    object->properties.push_back({std::string(name), std::move(v)});
    return true;
  }

  bool RegistryValueLine(std::string_view name, std::string_view type, bool hasValue, std::string_view raw) {
    if (name.empty()) return Fail("a registry value without a name");
    for (const RegistryValue& existing : key->values)
      if (EqualsIgnoringAsciiCase(existing.name, name)) return Fail(Join({"a second ", name, " in this key"}));
    if (!hasValue) return Fail("no '=' in the line");
    RegistryValue v;
    v.name = std::string(name);
    if (type == "sz") {
      v.kind = RegistryKind::kString;
      v.text = std::string(raw);
    } else if (type == "hex") {
      v.kind = RegistryKind::kBinary;
      std::string digits;
      for (char c : raw)
        if (c != ' ') digits.push_back(c);
      if (digits.size() % 2) return Fail("an odd number of hexadecimal digits");
      for (size_t i = 0; i < digits.size(); i += 2) {
        uint8_t byte = 0;
        auto [end, ec] = std::from_chars(digits.data() + i, digits.data() + i + 2, byte, 16);
        if (ec != std::errc() || end != digits.data() + i + 2)
          return Fail(Join({"\"", std::string_view(digits).substr(i, 2), "\" is not a hexadecimal byte"}));
        v.bytes.push_back(byte);
      }
    } else {
      return Fail("a registry value needs the type :hex or :sz");
    }
    key->values.push_back(std::move(v));
    return true;
  }

  bool Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return true;
    if (line.find_first_not_of(" \t") == std::string_view::npos) return true;
    if (!IsCleanUtf8(line)) return Fail("the line is not clean UTF-8 text");
    if (line.front() == '[') {
      if (line.back() != ']' || line.size() < 3) return Fail("a section line must be [Name]");
      return Section(line.substr(1, line.size() - 2));
    }
    if (!inSection) return Fail("a value before the first [section]");
    size_t eq = line.find('=');
    bool hasValue = eq != std::string_view::npos;
    std::string_view left = line.substr(0, eq);
    std::string_view raw = hasValue ? line.substr(eq + 1) : std::string_view();
    size_t colon = left.find(':');
    std::string_view name = left.substr(0, colon);
    std::string_view type = colon == std::string_view::npos ? std::string_view() : left.substr(colon + 1);
    if (colon != std::string_view::npos && type.empty()) return Fail("an empty type after ':'");
    return object ? WmiValue(name, type, hasValue, raw) : RegistryValueLine(name, type, hasValue, raw);
  }
};

}  // namespace

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

const Property* WmiObject::Find(std::string_view name) const {
  for (const Property& p : properties)
    if (EqualsIgnoringAsciiCase(p.name, name)) return &p;
  return nullptr;
}

ParseResult ParseMachineData(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Parser parser;
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!parser.Line(line)) return {MachineData{}, ParseError{lineNumber, parser.reason}};
    if (lineNumber == std::numeric_limits<int>::max()) return {MachineData{}, ParseError{lineNumber, "too many lines"}};
  }
  return {std::move(parser.data), std::nullopt};
}

std::string DescribeParseError(std::string_view fileName, const ParseError& error) {
  return Join({"fake wmi: ", fileName, ", line ", std::to_string(error.line), ": ", error.reason});
}

}  // namespace fakewmi
