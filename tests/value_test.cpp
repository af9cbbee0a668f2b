// SPDX-License-Identifier: MIT
#include "value.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "error.h"

namespace pemdra {
namespace {

ErrorCode errorOf(auto&& operation) {
  try {
    operation();
  } catch (const RuntimeError& error) {
    return error.code();
  }
  ADD_FAILURE() << "no error raised";
  return ErrorCode::InvalidCall;
}

TEST(Add, ConcatenatesTwoTextsEvenWhenBothLookNumeric) {
  const Value sum = add(u"12", u"3");
  ASSERT_EQ(sum.kind(), Value::Kind::Text);
  EXPECT_EQ(sum.text(), u"123");
  EXPECT_EQ(add(u"", u",").text(), u",");
  EXPECT_EQ(add(u"abc", u"5").text(), u"abc5");
}

TEST(Add, AddsNumbersWhenEitherSideIsOne) {
  EXPECT_DOUBLE_EQ(add(u"12", std::int16_t{3}).number(), 15.0);
  EXPECT_EQ(add(std::int16_t{2}, std::int16_t{3}).kind(), Value::Kind::Integer);
  EXPECT_EQ(add(std::int16_t{32767}, std::int16_t{1}).kind(), Value::Kind::Double);
  EXPECT_DOUBLE_EQ(add(std::int16_t{32767}, std::int16_t{1}).number(), 32768.0);
  EXPECT_EQ(errorOf([] { (void)add(u"x", std::int16_t{1}); }), ErrorCode::TypeMismatch);
}

TEST(Arithmetic, ReadsTextOperandsWithACommaAndGivesDoubles) {
  const Value product = multiply(u"0,5", std::int16_t{3600});
  EXPECT_EQ(product.kind(), Value::Kind::Double);
  EXPECT_DOUBLE_EQ(product.number(), 1800.0);
  EXPECT_DOUBLE_EQ(subtract(u"12,5", 12.0).number(), 0.5);
  EXPECT_DOUBLE_EQ(divide(u"45", std::int16_t{180}).number(), 0.25);
  // Whole operands give a double too, also where the result would fit 16 bits.
  for (const Value& result :
       {subtract(std::int16_t{5}, std::int16_t{3}), multiply(std::int16_t{4}, std::int16_t{2}),
        divide(std::int16_t{4}, std::int16_t{2}),
        subtract(Value::boolean(true), std::int16_t{1})}) {
    EXPECT_EQ(result.kind(), Value::Kind::Double);
  }
  EXPECT_DOUBLE_EQ(multiply(std::int16_t{300}, std::int16_t{300}).number(), 90000.0);
  EXPECT_DOUBLE_EQ(multiply(Value::boolean(true), std::int16_t{2}).number(), -2.0);
}

TEST(Arithmetic, RaisesTypedErrorsNeverSilentValues) {
  EXPECT_EQ(errorOf([] { (void)multiply(0.25, u"abc"); }), ErrorCode::TypeMismatch);
  EXPECT_EQ(errorOf([] { (void)subtract(u"", 1.0); }), ErrorCode::TypeMismatch);
  EXPECT_EQ(errorOf([] { (void)multiply(2.0, u"1e308"); }), ErrorCode::Overflow);
  EXPECT_EQ(errorOf([] { (void)divide(1.0, std::int16_t{0}); }), ErrorCode::DivisionByZero);
  try {
    (void)multiply(1.0, u"3,1,4");
  } catch (const RuntimeError& error) {
    EXPECT_STREQ(error.what(), "Type mismatch");
  }
}

TEST(Int, RoundsDownForTextsAndNumbers) {
  EXPECT_DOUBLE_EQ(Int(u"12,5125").number(), 12.0);
  EXPECT_DOUBLE_EQ(Int(44.9999999999975).number(), 44.0);
  EXPECT_DOUBLE_EQ(Int(-1.5).number(), -2.0);
  EXPECT_EQ(Int(std::int16_t{7}).kind(), Value::Kind::Integer);
}

TEST(Comparisons, GiveBooleansWhoseTrueIsMinusOne) {
  const Value yes = greaterThan(std::int16_t{1}, std::int16_t{0});
  EXPECT_EQ(yes.kind(), Value::Kind::Boolean);
  EXPECT_DOUBLE_EQ(yes.number(), -1.0);
  EXPECT_FALSE(greaterThan(u"0", std::int16_t{0}).isTrue());
  EXPECT_EQ(compareText(u"", u""), 0);
  EXPECT_NE(compareText(u"3,14", u""), 0);
  EXPECT_NE(compareText(u"a", u"A"), 0);
}

TEST(TextOperations, CountAndCutWideCharacters) {
  EXPECT_DOUBLE_EQ(Len(u"12,5").number(), 4.0);
  EXPECT_DOUBLE_EQ(Len(u"π°").number(), 2.0);
  EXPECT_DOUBLE_EQ(Len(u"\U0001D70B").number(), 2.0);  // a surrogate pair is two
  EXPECT_EQ(Mid(u"12,5", 1, 3), u"12,");
  EXPECT_EQ(Mid(u"12,5", 3, 100), u",5");
  EXPECT_EQ(Mid(u"12,5", 9, 1), u"");
  EXPECT_EQ(Mid(u"", 1, 0), u"");
  EXPECT_EQ(errorOf([] { (void)Mid(u"a", 0, 1); }), ErrorCode::InvalidCall);
  EXPECT_EQ(errorOf([] { (void)Mid(u"a", 1, -1); }), ErrorCode::InvalidCall);
  EXPECT_EQ(concat(u"0,25", u"  π"), u"0,25  π");
}

TEST(IsNumeric, AgreesWithTextToNumber) {
  for (const auto* text : {u"45", u"12,5", u" 1e3 ", u"", u",", u"12a", u"--1", u"1e999"}) {
    const bool numeric = IsNumeric(text).isTrue();
    bool converts = true;
    try {
      (void)toDouble(text);
    } catch (const RuntimeError&) {
      converts = false;
    }
    EXPECT_EQ(numeric, converts) << std::string(text,
                                                text + std::char_traits<char16_t>::length(text));
  }
  EXPECT_DOUBLE_EQ(IsNumeric(u"1").number(), -1.0);
}

TEST(StrAndFormat, RoundTripThroughText) {
  EXPECT_EQ(Str(0.25), u"0,25");
  EXPECT_EQ(Str(u"45"), u"45");
  EXPECT_EQ(Format(Str(12.0), u"000"), u"012");
  EXPECT_EQ(Format(Str(0.9999999999974989), u".0"), u"1,0");
  EXPECT_EQ(Format(Str(3.410605131648481e-13), u".0"), u",0");
  EXPECT_EQ(errorOf([] { (void)Format(u"5", u"#.##"); }), ErrorCode::InvalidCall);
  EXPECT_EQ(errorOf([] { (void)Format(u"five", u"00"); }), ErrorCode::TypeMismatch);
}

}  // namespace
}  // namespace pemdra
