// SPDX-License-Identifier: MIT
#include "conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "buttons.h"
#include "error.h"
#include "memory_controls.h"

namespace pemdra {
namespace {

using testing::MemoryControls;

struct Lines {
  std::u16string dms, piRadians, radians, grads;
};

Lines convert(const std::u16string& angle, const std::u16string& pi) {
  MemoryControls form;
  form[TextBox::Text1] = angle;
  form.combo = pi;
  CY_Click(form);
  return {form[TextBox::Text2], form[TextBox::Text3], form[TextBox::Text5], form[TextBox::Text4]};
}

void expectLines(const Lines& got, const Lines& want) {
  EXPECT_EQ(got.dms, want.dms);
  EXPECT_EQ(got.piRadians, want.piRadians);
  EXPECT_EQ(got.radians, want.radians);
  EXPECT_EQ(got.grads, want.grads);
}

TEST(Conversion, WritesTheFourLinesForKnownAngles) {
  expectLines(convert(u"45", u"3,14159"),
              {u"045° 00' 00''+,0'' μοίρες / (squadron)", u"0,25  π ακτίνια/ (rad)",
               u"0,7853975 ακτίνια / (rad)", u"50 βαθμοί / (degrees)"});
  expectLines(convert(u"0", u"3,14159"),
              {u"000° 00' 00''+,0'' μοίρες / (squadron)", u"0  π ακτίνια/ (rad)",
               u"0 ακτίνια / (rad)", u"0 βαθμοί / (degrees)"});
  expectLines(convert(u"90", u"3,14"),
              {u"090° 00' 00''+,0'' μοίρες / (squadron)", u"0,5  π ακτίνια/ (rad)",
               u"1,57 ακτίνια / (rad)", u"100 βαθμοί / (degrees)"});
  expectLines(convert(u"360", u"3,14159265358979"),
              {u"360° 00' 00''+,0'' μοίρες / (squadron)", u"2  π ακτίνια/ (rad)",
               u"6,28318530717958 ακτίνια / (rad)", u"400 βαθμοί / (degrees)"});
  expectLines(convert(u"12,5", u"3,14"),
              {u"012° 30' 00''+,0'' μοίρες / (squadron)", u"0,0694444444444444  π ακτίνια/ (rad)",
               u"0,218055555555556 ακτίνια / (rad)", u"13,8888888888889 βαθμοί / (degrees)"});
}

TEST(Conversion, KeepsPlainDoubleArithmeticInTheSeconds) {
  // 12,5125 leaves 44,9999999999975 seconds: 44 whole and a fraction that shows as 1,0.
  EXPECT_EQ(convert(u"12,5125", u"").dms, u"012° 30' 44''+1,0'' μοίρες / (squadron)");
  // 1,1 leaves a tiny positive remainder, shown as ,0.
  EXPECT_EQ(convert(u"1,1", u"").dms, u"001° 06' 00''+,0'' μοίρες / (squadron)");
  EXPECT_EQ(convert(u"359,9999", u"").dms, u"359° 59' 59''+,6'' μοίρες / (squadron)");
  EXPECT_EQ(convert(u"12.5", u"").dms, u"012° 30' 00''+,0'' μοίρες / (squadron)");
}

TEST(Conversion, TakesTheBoundsAndRefusesWhatLiesOutside) {
  EXPECT_EQ(convert(u"0", u"").grads, u"0 βαθμοί / (degrees)");
  EXPECT_EQ(convert(u"360", u"").grads, u"400 βαθμοί / (degrees)");
  EXPECT_EQ(convert(u"-0", u"").grads, u"0 βαθμοί / (degrees)");
  for (const auto* outside : {u"360,5", u"-1", u"-0,0001", u"360,0000001", u"1e3"}) {
    const std::u16string error(kRangeError);
    expectLines(convert(outside, u"3,14"), {error, error, error, error});
  }
}

TEST(Conversion, NonNumericInputChangesOnlyText2) {
  MemoryControls form;
  form[TextBox::Text1] = u"45";
  form.combo = u"3,14159";
  CY_Click(form);
  auto expected = form.texts;
  form[TextBox::Text1] = u"4a5";
  CY_Click(form);
  expected[0] = u"4a5";
  expected[1] = u"error";
  EXPECT_EQ(form.texts, expected);
}

TEST(Conversion, ReadsAndWritesInItsFixedOrder) {
  MemoryControls form;
  form[TextBox::Text1] = u"45";
  form.combo = u"3,14";
  CY_Click(form);
  EXPECT_EQ(form.log, (std::vector<std::string>{
                          "read Text1", "read Text1", "read Text1", "read Text1",  // the check
                          "read Text1", "write Text2", "write Text3", "read Combo1", "read Combo1",
                          "write Text5", "write Text4"}));

  form.log.clear();
  form.combo.clear();
  CY_Click(form);
  EXPECT_EQ(form.log[7], "read Combo1");
  EXPECT_EQ(form.log[8], "write Text5");

  form.log.clear();
  form[TextBox::Text1] = u"x";
  CY_Click(form);
  EXPECT_EQ(form.log, (std::vector<std::string>{"read Text1", "write Text2", "read Text1"}));

  form.log.clear();
  form[TextBox::Text1] = u"400";
  CY_Click(form);
  EXPECT_EQ(form.log,
            (std::vector<std::string>{"read Text1", "read Text1", "read Text1", "read Text1",
                                      "write Text2", "write Text3", "write Text4", "write Text5"}));
}

TEST(Conversion, UsesThePiTextAsTheUserLeftIt) {
  EXPECT_EQ(convert(u"45", u"").radians, u"");
  EXPECT_EQ(convert(u"45", u"").grads, u"50 βαθμοί / (degrees)");
  EXPECT_EQ(convert(u"90", u"3,2").radians, u"1,6 ακτίνια / (rad)");
  EXPECT_EQ(convert(u"90", u" 3.2 ").radians, u"1,6 ακτίνια / (rad)");
}

TEST(Conversion, ReadsPastedNumbersWithInvisibleBlanksAtTheEnds) {
  const Lines want = {u"045° 00' 00''+,0'' μοίρες / (squadron)", u"0,25  π ακτίνια/ (rad)",
                      u"0,785 ακτίνια / (rad)", u"50 βαθμοί / (degrees)"};
  for (const auto* angle : {u"\u00A045", u"45\u00A0", u"\u200945", u"45\u202F", u"\u200B45",
                            u"\u200E45\u200E", u"45\u200F", u"\uFEFF45"}) {
    expectLines(convert(angle, u"3,14"), want);
  }
  for (const auto* pi :
       {u"\u00A03,14", u"3,14\u2009", u"\u202F3,14\u200B", u"\u200F3,14", u"\uFEFF3,14\u200E"}) {
    expectLines(convert(u"45", pi), want);
  }
  // Inside a number a blank is still no part of it.
  EXPECT_EQ(convert(u"4\u00A05", u"3,14").dms, kNotNumberError);
  EXPECT_EQ(convert(u"45", u"3\u00A0,14").radians, kRangeError);
}

TEST(Conversion, ShowsAnErrorForAPiTextThatIsNoNumber) {
  for (const auto* pi : {u"abc", u"3,1,4", u" ", u"π", u"1e400"}) {
    MemoryControls form;
    form[TextBox::Text1] = u"90";
    form[TextBox::Text4] = u"stale";
    form.combo = pi;
    ASSERT_NO_THROW(CY_Click(form));
    EXPECT_EQ(form[TextBox::Text2], u"090° 00' 00''+,0'' μοίρες / (squadron)");
    EXPECT_EQ(form[TextBox::Text3], u"0,5  π ακτίνια/ (rad)");
    EXPECT_EQ(form[TextBox::Text5], kRangeError);
    EXPECT_EQ(form[TextBox::Text4], u"100 βαθμοί / (degrees)");
  }
  // A π that is a number but makes the product overflow is no usable value either.
  const Lines overflow = convert(u"360", u"1e308");
  EXPECT_EQ(overflow.radians, kRangeError);
  EXPECT_EQ(overflow.grads, u"400 βαθμοί / (degrees)");
}

TEST(Conversion, GivesAnErrorTextForEveryBadInput) {
  const std::u16string bad[] = {
      u"",
      u",",
      u",,",
      u"1,2,3",
      u"12a",
      u"--1",
      u"1e999",
      u"\xD800",
      u"1\xDFFF",
      u"\U0001F600",
      std::u16string(1'000'000, u'7') + u"x",
      std::u16string(1'000'000, u'9'),
  };
  for (const auto& text : bad) {
    MemoryControls form;
    form[TextBox::Text1] = text;
    form[TextBox::Text3] = u"kept";
    ASSERT_NO_THROW(CY_Click(form));
    EXPECT_EQ(form[TextBox::Text2], u"error");
    EXPECT_EQ(form[TextBox::Text3], u"kept");
  }
  // A million digits that do make a number in range is converted, not refused.
  EXPECT_EQ(convert(u"1," + std::u16string(1'000'000, u'0'), u"").grads,
            u"1,11111111111111 βαθμοί / (degrees)");
}

TEST(Conversion, TellsAScreenReaderWhatTheClickWrote) {
  const struct {
    const char16_t* angle;
    const char16_t* pi;
    std::u16string told;
  } cases[] = {
      {u"45", u"3,14159",
       u"045° 00' 00''+,0'' μοίρες / (squadron)\n0,25  π ακτίνια/ (rad)\n"
       u"0,7853975 ακτίνια / (rad)\n50 βαθμοί / (degrees)"},
      // An empty π writes an empty Text5, which is not said.
      {u"90", u"",
       u"090° 00' 00''+,0'' μοίρες / (squadron)\n0,5  π ακτίνια/ (rad)\n"
       u"100 βαθμοί / (degrees)"},
      {u"abc", u"3,14", u"error"},
      {u"400", u"3,14", u"Σφάλμα, δώσε έγκυρο αριθμό."},
  };
  for (const auto& c : cases) {
    MemoryControls form;
    form[TextBox::Text1] = c.angle;
    form.combo = c.pi;
    for (const TextBox box : kResultBoxes) form[box] = u"stale";
    const Outcome outcome = click(convertButton(), form);
    EXPECT_EQ(outcome.announcement, c.told);
    EXPECT_TRUE(outcome.error.empty());
  }
}

TEST(Conversion, RaisesANamedErrorWhenAControlFails) {
  // Each access a conversion makes fails in its turn.
  MemoryControls whole;
  whole[TextBox::Text1] = u"45";
  whole.combo = u"3,14";
  CY_Click(whole);
  ASSERT_FALSE(whole.log.empty());
  for (std::size_t failing = 0; failing < whole.log.size(); ++failing) {
    MemoryControls form;
    form[TextBox::Text1] = u"45";
    form.combo = u"3,14";
    form.failAt = failing;
    try {
      CY_Click(form);
      ADD_FAILURE() << "access " << failing << " failed silently";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.code(), ErrorCode::ControlFailed);
      const std::string& failed = form.log.at(failing);
      EXPECT_NE(std::string(error.what()).find(failed.substr(failed.find(' ') + 1)),
                std::string::npos)
          << error.what();
      EXPECT_EQ(form.log.size(), failing + 1);  // nothing after the failure
      // What every front-end shows of it: the message and the error's number, with
      // what the click wrote before it told all the same.
      EXPECT_EQ(errorReport(std::current_exception()), std::string(error.what()) + " (440)");
      MemoryControls again;
      again[TextBox::Text1] = u"45";
      again.combo = u"3,14";
      again.failAt = failing;
      const Outcome outcome = click(convertButton(), again);
      EXPECT_EQ(outcome.error, std::string(error.what()) + " (440)");
      EXPECT_EQ(outcome.announcement.empty(), again[TextBox::Text2].empty()) << failing;
    }
  }
  EXPECT_EQ(errorReport(std::make_exception_ptr(std::runtime_error("x"))), "x");
  EXPECT_EQ(errorReport(std::make_exception_ptr(1)), "Άγνωστο σφάλμα");
}

}  // namespace
}  // namespace pemdra
