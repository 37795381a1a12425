// VBScript's "&" over the values WMI delivers: what each kind becomes as
// text, where the concatenation raises a type mismatch, and the number forms
// the system writes.
#include "inventory/script_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ql {
namespace {

TEST(ScriptValue, EachKindAsConcatenationText) {
  const ConcatStyle english;
  ConcatStyle chinese;
  chinese.trueText = "真";
  chinese.falseText = "假";
  chinese.decimalSeparator = ",";
  struct Case {
    const char* what;
    ScriptValue value;
    const ConcatStyle& style;
    std::optional<std::string> expected;
  };
  const Case cases[] = {
      {"Empty", ScriptValue(), english, ""},
      {"Null", ScriptValue::OfNull(), english, ""},
      {"True", ScriptValue::OfBoolean(true), english, "True"},
      {"False", ScriptValue::OfBoolean(false), english, "False"},
      {"True, Chinese", ScriptValue::OfBoolean(true), chinese, "真"},
      {"False, Chinese", ScriptValue::OfBoolean(false), chinese, "假"},
      {"VT_I4", ScriptValue::OfInteger(536870912), english, "536870912"},
      {"negative", ScriptValue::OfInteger(-480), english, "-480"},
      {"VT_I8 beyond 32 bits", ScriptValue::OfInteger(25276121088), english, "25276121088"},
      {"VT_UI8 beyond 63 bits", ScriptValue::OfUnsigned(18446744073709551615u), english, "18446744073709551615"},
      {"Double fraction", ScriptValue::OfDouble(1.5), english, "1.5"},
      {"Double separator", ScriptValue::OfDouble(1.5), chinese, "1,5"},
      {"Double 15 digits", ScriptValue::OfDouble(1.0 / 3), english, "0.333333333333333"},
      {"Double exponent", ScriptValue::OfDouble(1e20), english, "1E+20"},
      {"Double small exponent", ScriptValue::OfDouble(1e-5), english, "1E-05"},
      {"Double rounded", ScriptValue::OfDouble(123456789012345678.0), english, "1.23456789012346E+17"},
      {"Double whole", ScriptValue::OfDouble(2666), english, "2666"},
      {"Single 7 digits", ScriptValue::OfSingle(1.0f / 3), english, "0.3333333"},
      {"Single exponent", ScriptValue::OfSingle(123456789.0f), english, "1.234568E+08"},
      {"Single 0.1 keeps its short form", ScriptValue::OfSingle(0.1f), english, "0.1"},
      {"Text", ScriptValue::OfText("型号=A\r\n"), english, "型号=A\r\n"},
      {"Array", ScriptValue::OfKind(ScriptValue::Kind::Array), english, std::nullopt},
      {"Object", ScriptValue::OfKind(ScriptValue::Kind::Other), english, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ConcatText(c.value, c.style), c.expected) << c.what;
}

TEST(ScriptValue, ConcatenationNullOnlyFromTwoNullsAndMismatchFromArrays) {
  const ConcatStyle style;
  std::optional<ScriptValue> both = Concatenate(ScriptValue::OfNull(), ScriptValue::OfNull(), style);
  ASSERT_TRUE(both);
  EXPECT_EQ(both->kind, ScriptValue::Kind::Null);

  std::optional<ScriptValue> one = Concatenate(ScriptValue::OfText("速度="), ScriptValue::OfNull(), style);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->kind, ScriptValue::Kind::Text);
  EXPECT_EQ(one->text, "速度=");

  std::optional<ScriptValue> fromEmpty = Concatenate(ScriptValue(), ScriptValue::OfInteger(7), style);
  ASSERT_TRUE(fromEmpty);
  EXPECT_EQ(fromEmpty->kind, ScriptValue::Kind::Text);
  EXPECT_EQ(fromEmpty->text, "7");

  EXPECT_FALSE(Concatenate(ScriptValue::OfText("x"), ScriptValue::OfKind(ScriptValue::Kind::Array), style));
  EXPECT_FALSE(Concatenate(ScriptValue::OfKind(ScriptValue::Kind::Other), ScriptValue::OfNull(), style));
}

TEST(ScriptValue, GeneralNumberForms) {
  struct Case {
    double value;
    int digits;
    const char* expected;
  };
  const Case cases[] = {
      {0, 15, "0"},          {-0.5, 15, "-0.5"},     {1e15, 15, "1E+15"},    {123456789012345.0, 15, "123456789012345"},
      {1e100, 15, "1E+100"}, {1e-100, 15, "1E-100"}, {0.0001, 15, "0.0001"}, {2.5e-7, 7, "2.5E-07"},
  };
  for (const Case& c : cases) EXPECT_EQ(GeneralNumberText(c.value, c.digits, "."), c.expected) << c.value;
}

}  // namespace
}  // namespace ql
