// The values a query script works with, as VBScript holds them, and the one
// operation the scripts apply to them: "&", which turns both sides into text.
// A property value arrives from WMI as a VARIANT; the Windows side maps it to
// a ScriptValue and keeps the VARIANT itself beside it, so a result taken
// unchanged ("R = obj.ChassisTypes") is converted exactly as the script
// control's result would be.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ql {

struct ScriptValue {
  enum class Kind {
    Empty,     // a variable never assigned (VT_EMPTY)
    Null,      // a property without a value (VT_NULL)
    Boolean,   // VT_BOOL
    Integer,   // VT_I1 .. VT_I8, VT_UI1 .. VT_UI4, VT_INT, VT_UINT
    Unsigned,  // VT_UI8
    Single,    // VT_R4
    Double,    // VT_R8
    Text,      // VT_BSTR (as GBK), and the values the system writes as text itself
    Array,     // any VT_ARRAY
    Other,     // an object, an error value: "&" cannot take it
  };
  Kind kind = Kind::Empty;
  bool boolean = false;
  int64_t integer = 0;
  uint64_t unsignedInteger = 0;
  double real = 0;   // Single and Double
  std::string text;  // GBK
  // The value as the system delivered it (a VARIANT on Windows); empty for
  // values made here.
  std::shared_ptr<const void> native;

  static ScriptValue OfText(std::string text);
  static ScriptValue OfNull();
  static ScriptValue OfBoolean(bool value);
  static ScriptValue OfInteger(int64_t value);
  static ScriptValue OfUnsigned(uint64_t value);
  static ScriptValue OfSingle(float value);
  static ScriptValue OfDouble(double value);
  static ScriptValue OfKind(Kind kind);  // Empty, Array, Other
};

// How this system's "&" writes what is not text: the words for the two
// booleans and the decimal separator of fractions. VBScript takes them from
// the user's locale (under a Chinese locale Wine writes True as "真"); the
// Windows side reads them from the system once, tests use these defaults.
struct ConcatStyle {
  std::string trueText = "True";
  std::string falseText = "False";
  std::string decimalSeparator = ".";
};

// The text "&" makes of one operand: Empty and Null give "", booleans the
// style's words, integers their decimal digits, Single 7 and Double 15
// significant digits (exponent written E+NN when %G would choose it); nullopt
// for an array or object, where VBScript raises a type mismatch.
std::optional<std::string> ConcatText(const ScriptValue& value, const ConcatStyle& style);
// left & right: Null only when both are Null, otherwise the two texts joined;
// nullopt when either side cannot be text.
std::optional<ScriptValue> Concatenate(const ScriptValue& left, const ScriptValue& right, const ConcatStyle& style);

// A fraction as the system writes it: printf "%.{digits}G" with at least two
// exponent digits and the style's decimal separator.
std::string GeneralNumberText(double value, int digits, std::string_view decimalSeparator);

}  // namespace ql
