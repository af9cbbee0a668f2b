// SPDX-License-Identifier: MIT
// For angles across the whole range, the numbers read back out of the four lines
// must denote the angle, whatever the arithmetic inside did.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "conversion.h"
#include "memory_controls.h"
#include "numbertext.h"
#include "result_lines.h"

namespace pemdra {
namespace {

using testing::MemoryControls;
using testing::numberBefore;
using testing::readDms;

constexpr double kPi = 3.14159265358979;
// A 15-significant-digit text is within half a unit of its 15th digit.
constexpr double kWritten = 1e-14;

void checkAngle(const std::u16string& text) {
  const double x = *readNumber(text);
  MemoryControls form;
  form.recording = false;
  form[TextBox::Text1] = text;
  form.combo = u"3,14159265358979";
  CY_Click(form);
  const std::string shown(text.begin(), text.end());

  const auto dms = readDms(form[TextBox::Text2]);
  ASSERT_TRUE(dms) << shown;
  EXPECT_LT(dms->minutes, 60) << shown;
  EXPECT_LT(dms->seconds, 60) << shown;
  const double back = dms->degrees + dms->minutes / 60 + (dms->seconds + dms->fraction) / 3600;
  EXPECT_NEAR(back, x, 0.05 / 3600 + 1e-12) << shown;

  const auto r = numberBefore(form[TextBox::Text3], u"  π ακτίνια/ (rad)");
  const auto p = numberBefore(form[TextBox::Text5], u" ακτίνια / (rad)");
  const auto g = numberBefore(form[TextBox::Text4], u" βαθμοί / (degrees)");
  ASSERT_TRUE(r && p && g) << shown;
  EXPECT_NEAR(*r * 180, x, x * kWritten) << shown;
  EXPECT_NEAR(*g * 0.9, x, x * kWritten) << shown;
  EXPECT_NEAR(*p, *r * kPi, *r * kPi * kWritten) << shown;
}

TEST(ConversionProperty, LinesDenoteTheAngleOnAFineGrid) {
  for (int i = 0; i <= 360'000; ++i) {
    checkAngle(writeNumber(i / 1000.0));
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

TEST(ConversionProperty, LinesDenoteRandomAngles) {
  std::mt19937_64 random(20261208);
  std::uniform_real_distribution<double> angle(0.0, 360.0);
  for (int i = 0; i < 200'000; ++i) {
    checkAngle(writeNumber(angle(random)));
    if (HasFatalFailure() || HasNonfatalFailure()) return;
  }
}

}  // namespace
}  // namespace pemdra
