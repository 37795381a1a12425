// VBScript's "&" over the values a query can deliver.
#include "inventory/script_value.h"

#include <cstdio>

namespace ql {

ScriptValue ScriptValue::OfText(std::string text) {
  ScriptValue v;
  v.kind = Kind::Text;
  v.text = std::move(text);
  return v;
}

ScriptValue ScriptValue::OfNull() { return OfKind(Kind::Null); }

ScriptValue ScriptValue::OfBoolean(bool value) {
  ScriptValue v;
  v.kind = Kind::Boolean;
  v.boolean = value;
  return v;
}

ScriptValue ScriptValue::OfInteger(int64_t value) {
  ScriptValue v;
  v.kind = Kind::Integer;
  v.integer = value;
  return v;
}

ScriptValue ScriptValue::OfUnsigned(uint64_t value) {
  ScriptValue v;
  v.kind = Kind::Unsigned;
  v.unsignedInteger = value;
  return v;
}

ScriptValue ScriptValue::OfSingle(float value) {
  ScriptValue v;
  v.kind = Kind::Single;
  v.real = value;
  return v;
}

ScriptValue ScriptValue::OfDouble(double value) {
  ScriptValue v;
  v.kind = Kind::Double;
  v.real = value;
  return v;
}

ScriptValue ScriptValue::OfKind(Kind kind) {
  ScriptValue v;
  v.kind = kind;
  return v;
}

std::string GeneralNumberText(double value, int digits, std::string_view decimalSeparator) {
  char buffer[64];
  int length = std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) return {};
  std::string printed(buffer, static_cast<size_t>(length));
  // C runtimes differ in exponent width ("1E+020" or "1E+20"); the system
  // writes at least two digits.
  size_t e = printed.find('E');
  if (e != std::string::npos && e + 1 < printed.size()) {
    std::string mantissa = printed.substr(0, e);
    char sign = printed[e + 1];
    std::string exponent = printed.substr(e + 2);
    size_t firstDigit = exponent.find_first_not_of('0');
    exponent = firstDigit == std::string::npos ? "0" : exponent.substr(firstDigit);
    if (exponent.size() < 2) exponent.insert(0, 2 - exponent.size(), '0');
    printed = mantissa + "E" + sign + exponent;
  }
  size_t point = printed.find('.');
  if (point != std::string::npos) printed.replace(point, 1, decimalSeparator);
  return printed;
}

std::optional<std::string> ConcatText(const ScriptValue& value, const ConcatStyle& style) {
  using Kind = ScriptValue::Kind;
  switch (value.kind) {
    case Kind::Empty:
    case Kind::Null: return std::string();
    case Kind::Boolean: return value.boolean ? style.trueText : style.falseText;
    case Kind::Integer: return std::to_string(value.integer);
    case Kind::Unsigned: return std::to_string(value.unsignedInteger);
    case Kind::Single: return GeneralNumberText(value.real, 7, style.decimalSeparator);
    case Kind::Double: return GeneralNumberText(value.real, 15, style.decimalSeparator);
    case Kind::Text: return value.text;
    case Kind::Array:
    case Kind::Other: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<ScriptValue> Concatenate(const ScriptValue& left, const ScriptValue& right, const ConcatStyle& style) {
  if (left.kind == ScriptValue::Kind::Null && right.kind == ScriptValue::Kind::Null) return ScriptValue::OfNull();
  std::optional<std::string> l = ConcatText(left, style);
  std::optional<std::string> r = ConcatText(right, style);
  if (!l || !r) return std::nullopt;
  return ScriptValue::OfText(*l + *r);
}

}  // namespace ql
