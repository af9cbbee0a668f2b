// SPDX-License-Identifier: MIT
#include "numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace pemdra {
namespace {

TEST(ReadNumber, AcceptsDecimalTextsWithCommaOrPoint) {
  const struct {
    std::u16string text;
    double value;
  } cases[] = {
      {u"45", 45.0},         {u"12,5", 12.5},  {u"12.5", 12.5},
      {u",5", 0.5},          {u"5,", 5.0},     {u"  7 ", 7.0},
      {u"\t-3,25\n", -3.25}, {u"+360", 360.0}, {u"1E3", 1000.0},
      {u"2,5e-1", 0.25},     {u"1e+2", 100.0}, {u"000012", 12.0},
      {u"3,14159", 3.14159}, {u"1e-400", 0.0}, {u"0e99999999999999999999", 0.0},
  };
  for (const auto& c : cases) {
    const auto value = readNumber(c.text);
    ASSERT_TRUE(value.has_value()) << std::string(c.text.begin(), c.text.end());
    EXPECT_DOUBLE_EQ(*value, c.value) << std::string(c.text.begin(), c.text.end());
  }
  EXPECT_TRUE(std::signbit(*readNumber(u"-0")));
}

TEST(ReadNumber, RefusesEverythingElse) {
  const std::u16string refused[] = {
      u"",    u" ",    u",",      u",,",      u"1,2,3", u"1,2.3",  u"12a",
      u"--1", u"+-1",  u"1 000",  u"1.000,5", u"$5",    u"0x1A",   u"inf",
      u"nan", u"1e",   u"1e+",    u"e5",      u"1e999", u"-1e999", u"1,5e3,0",
      u"١٢",  u"１２", u"\xD800", u"1\xDC00", u"+",     u"- 1",    u"1-",
  };
  for (const auto& text : refused) {
    EXPECT_FALSE(readNumber(text).has_value()) << std::string(text.begin(), text.end());
  }
}

TEST(ReadNumber, SkipsInvisibleBlanksAtTheEndsOnly) {
  // What a number pasted from a web page or a document carries around it.
  const std::u16string blanks[] = {
      u"\u00A0", u"\u2009", u"\u202F", u"\u200B", u"\u200E",
      u"\u200F", u"\uFEFF", u"\u2000", u"\u200A", u"\u3000",
  };
  for (const auto& blank : blanks) {
    const auto hex = std::to_string(static_cast<int>(blank[0]));
    EXPECT_EQ(readNumber(blank + u"45"), 45.0) << hex;
    EXPECT_EQ(readNumber(u"45" + blank), 45.0) << hex;
    EXPECT_EQ(readNumber(blank + u" -12,5" + blank + blank), -12.5) << hex;
    EXPECT_FALSE(readNumber(u"4" + blank + u"5").has_value()) << hex;
    EXPECT_FALSE(readNumber(u"-" + blank + u"5").has_value()) << hex;
    EXPECT_FALSE(readNumber(u"1" + blank + u"e5").has_value()) << hex;
    EXPECT_FALSE(readNumber(blank).has_value()) << hex;
  }
  // Other invisible or look-alike characters stay refused.
  for (const char16_t* text : {u"45\u200D",
                               u"\u2060"
                               u"45",
                               u"45\u00AD",
                               u"\u2028"
                               u"45"}) {
    EXPECT_FALSE(readNumber(text).has_value());
  }
}

TEST(ReadNumber, ReadsVeryLongTexts) {
  EXPECT_FALSE(readNumber(std::u16string(1'000'000, u'9')).has_value());  // overflows
  EXPECT_DOUBLE_EQ(*readNumber(u"0," + std::u16string(1'000'000, u'0') + u"1"), 0.0);
  EXPECT_DOUBLE_EQ(*readNumber(u"1," + std::u16string(1'000'000, u'0')), 1.0);
}

TEST(WriteNumber, WritesFifteenSignificantDigitsWithAComma) {
  const struct {
    double value;
    std::u16string text;
  } cases[] = {
      {0.0, u"0"},
      {-0.0, u"0"},
      {0.25, u"0,25"},
      {0.1 + 0.2, u"0,3"},
      {400.0, u"400"},
      {360.0, u"360"},
      {-1.5, u"-1,5"},
      {0.7853975, u"0,7853975"},
      {3.410605131648481e-13, u"3,41060513164848E-13"},
      {0.9999999999974989, u"0,999999999997499"},
      {0.0001, u"0,0001"},
      {0.00001, u"1E-05"},
      {1e14, u"100000000000000"},
      {1e15, u"1E+15"},
      {123456789012345678.0, u"1,23456789012346E+17"},
      {std::numeric_limits<double>::max(), u"1,79769313486231E+308"},  // still reads back
      {-std::numeric_limits<double>::max(), u"-1,79769313486231E+308"},
      {1.79769313486231e308, u"1,79769313486231E+308"},
      {std::numeric_limits<double>::denorm_min(), u"4,94065645841247E-324"},
  };
  for (const auto& c : cases) EXPECT_EQ(writeNumber(c.value), c.text) << c.value;
}

TEST(FormatNumber, PadsWholeNumbers) {
  EXPECT_EQ(formatNumber(5, FormatPattern::ThreeDigits), u"005");
  EXPECT_EQ(formatNumber(360, FormatPattern::ThreeDigits), u"360");
  EXPECT_EQ(formatNumber(1234, FormatPattern::ThreeDigits), u"1234");
  EXPECT_EQ(formatNumber(0, FormatPattern::TwoDigits), u"00");
  EXPECT_EQ(formatNumber(59, FormatPattern::TwoDigits), u"59");
  EXPECT_EQ(formatNumber(-0.0, FormatPattern::TwoDigits), u"00");
  EXPECT_EQ(formatNumber(-7, FormatPattern::ThreeDigits), u"-007");
  EXPECT_EQ(formatNumber(1e20, FormatPattern::ThreeDigits), u"100000000000000000000");
}

TEST(FormatNumber, RoundsHalfAwayFromZero) {
  EXPECT_EQ(formatNumber(2.5, FormatPattern::TwoDigits), u"03");
  EXPECT_EQ(formatNumber(-2.5, FormatPattern::TwoDigits), u"-03");
  EXPECT_EQ(formatNumber(59.5, FormatPattern::TwoDigits), u"60");
  EXPECT_EQ(formatNumber(0.49, FormatPattern::ThreeDigits), u"000");
  EXPECT_EQ(formatNumber(0.5, FormatPattern::ThreeDigits), u"001");
  EXPECT_EQ(formatNumber(0.25, FormatPattern::OneDecimal), u",3");
  EXPECT_EQ(formatNumber(0.15, FormatPattern::OneDecimal), u",2");  // decimal digits, not binary
  EXPECT_EQ(formatNumber(-0.04, FormatPattern::OneDecimal), u",0");
}

TEST(FormatNumber, WritesOneDecimalWithoutALeadingZero) {
  EXPECT_EQ(formatNumber(0, FormatPattern::OneDecimal), u",0");
  EXPECT_EQ(formatNumber(0.04, FormatPattern::OneDecimal), u",0");
  EXPECT_EQ(formatNumber(0.96, FormatPattern::OneDecimal), u"1,0");
  EXPECT_EQ(formatNumber(0.9999999999974989, FormatPattern::OneDecimal), u"1,0");
  EXPECT_EQ(formatNumber(3.410605131648481e-13, FormatPattern::OneDecimal), u",0");
  EXPECT_EQ(formatNumber(12.345, FormatPattern::OneDecimal), u"12,3");
  EXPECT_EQ(formatNumber(99.95, FormatPattern::OneDecimal), u"100,0");
  EXPECT_EQ(formatNumber(-1.25, FormatPattern::OneDecimal), u"-1,3");
}

TEST(FormatNumber, KnowsOnlyItsThreePatterns) {
  EXPECT_EQ(patternFromText(u"000"), FormatPattern::ThreeDigits);
  EXPECT_EQ(patternFromText(u"00"), FormatPattern::TwoDigits);
  EXPECT_EQ(patternFromText(u".0"), FormatPattern::OneDecimal);
  for (const auto* other : {u"", u"0", u"0000", u",0", u"0.0", u"#"}) {
    EXPECT_FALSE(patternFromText(other).has_value());
  }
}

}  // namespace
}  // namespace pemdra
