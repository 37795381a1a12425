// The conversions of result VARIANTs: texts, numbers, the first element of
// an array (Wine's chassis codes arrive that way), and failures as 0 or "".
#include "support/dispatch_call_win.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

// A one-dimensional array of VT_I4 values with the given lower bound.
SAFEARRAY* IntArray(std::initializer_list<LONG> values, LONG lowerBound = 0) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), lowerBound};
  SAFEARRAY* array = SafeArrayCreate(VT_I4, 1, &bound);
  LONG i = lowerBound;
  for (LONG v : values) {
    SafeArrayPutElement(array, &i, &v);
    ++i;
  }
  return array;
}

TEST(DispatchCall, ArraysGiveTheirElementAtTheLowerBound) {
  struct Case {
    const char* name;
    SAFEARRAY* array;
    VARTYPE type;
    double expected;
  };
  SAFEARRAYBOUND empty{0, 0};
  SAFEARRAYBOUND twoByTwo[2] = {{2, 1}, {2, 3}};
  SAFEARRAY* variants = SafeArrayCreate(VT_VARIANT, 1, &empty);
  SAFEARRAYBOUND two{2, 0};
  SAFEARRAY* mixed = SafeArrayCreate(VT_VARIANT, 1, &two);
  {
    ScopedBstr three = MakeBstr(L"3");
    VARIANT first = BstrArg(three.Get());
    LONG at = 0;
    SafeArrayPutElement(mixed, &at, &first);  // copies the text
    VARIANT second = IntArg(4);
    at = 1;
    SafeArrayPutElement(mixed, &at, &second);
  }
  SAFEARRAY* grid = SafeArrayCreate(VT_I4, 2, twoByTwo);
  LONG corner[2] = {1, 3};  // the lower bound of each dimension
  LONG seven = 7;
  SafeArrayPutElement(grid, corner, &seven);
  const Case cases[] = {
      {"ChassisTypes {9, 10}", IntArray({9, 10}), VT_I4, 9},
      {"Wine's element with a garbage high word", IntArray({0x010E0002}), VT_I4, 0x010E0002},
      {"lower bound 5", IntArray({11, 12}, 5), VT_I4, 11},
      {"empty array", variants, VT_VARIANT, 0},
      {"array of variants holding a text", mixed, VT_VARIANT, 3},
      {"two dimensions", grid, VT_I4, 7},
  };
  for (const auto& c : cases) {
    VARIANT raw{};
    raw.vt = static_cast<VARTYPE>(VT_ARRAY | c.type);
    raw.parray = c.array;
    ScopedVariant v(raw);  // owns and destroys the array
    EXPECT_EQ(VariantToDouble(v.Get()), c.expected) << c.name;
  }
}

TEST(DispatchCall, ScalarsAndFailures) {
  VARIANT rawNull{};
  rawNull.vt = VT_NULL;
  ScopedVariant null(rawNull);
  EXPECT_EQ(VariantToDouble(null.Get()), 0);
  EXPECT_EQ(VariantToGbk(null.Get()), "");
  EXPECT_EQ(VariantToGbk(IntArg(42)), "42");
  EXPECT_EQ(VariantToDouble(IntArg(-5)), -5);
  ScopedBstr word = MakeBstr(L"abc");
  EXPECT_EQ(VariantToDouble(BstrArg(word.Get())), 0);
  ScopedBstr chinese = MakeBstr(L"\u53f0\u5f0f\u7535\u8111");
  EXPECT_EQ(VariantToGbk(BstrArg(chinese.Get())), "台式电脑");
  VARIANT rawArray{};
  rawArray.vt = VT_ARRAY | VT_I4;
  rawArray.parray = IntArray({1});
  ScopedVariant array(rawArray);
  EXPECT_EQ(VariantToGbk(array.Get()), "");
}

TEST(DispatchCall, ObjectsThatCannotBeCreatedOrCalled) {
  ScopedComPtr<IDispatch> none;
  EXPECT_TRUE(FAILED(CreateDispatchObject(L"No.Such.ProgId", &none)));
  EXPECT_FALSE(none);
  ScopedVariant result;
  EXPECT_EQ(CallMethod(nullptr, L"Eval", {}, result.Put()), E_POINTER);
  EXPECT_EQ(GetProperty(nullptr, L"Count", result.Put()), E_POINTER);
}

}  // namespace
}  // namespace ql
