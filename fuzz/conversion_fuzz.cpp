// SPDX-License-Identifier: MIT
// The conversion button on any (input, π) pair of texts, split at the first U+0000:
// the boxes hold the error texts or four lines whose numbers denote the angle, and
// no box is left half-written.
#include <cmath>
#include <string>

#include "conversion.h"
#include "fuzz_input.h"
#include "memory_controls.h"
#include "numbertext.h"
#include "result_lines.h"

namespace {

using namespace pemdra;

constexpr std::u16string_view kUntouched = u"untouched";

bool near(double got, double want, double relative) {
  return std::fabs(got - want) <= std::fabs(want) * relative + 1e-300;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string units = fuzz::codeUnits(data, size);
  const std::size_t split = units.find(u'\0');
  const std::u16string angle = units.substr(0, split);
  const std::u16string pi = split == std::u16string::npos ? u"" : units.substr(split + 1);

  testing::MemoryControls form;
  form.recording = false;
  for (auto& text : form.texts) text = kUntouched;
  form[TextBox::Text1] = angle;
  form.combo = pi;
  CY_Click(form);  // with controls that never fail, nothing may escape

  fuzz::require(form[TextBox::Text1] == angle, "the input was changed");
  const auto x = readNumber(angle);
  if (!x) {
    // The first box on screen says so; every other keeps what it had.
    for (const TextBox box : kResultBoxes) {
      const bool first = box == kResultBoxes.front();
      fuzz::require(form[box] == (first ? kNotNumberError : kUntouched),
                    first ? "no error for a non-number" : "a non-number changed a result box");
    }
    return 0;
  }
  if (*x < 0 || *x > 360) {
    for (const TextBox box : kResultBoxes) {
      fuzz::require(form[box] == kRangeError, "no range error for an angle outside 0-360");
    }
    return 0;
  }

  const auto dms = testing::readDms(form[TextBox::Text2]);
  fuzz::require(dms.has_value(), "the degrees line is not laid out as it should be");
  const double back = dms->degrees + dms->minutes / 60 + (dms->seconds + dms->fraction) / 3600;
  fuzz::require(std::fabs(back - *x) <= 0.05 / 3600 + 1e-12, "the degrees line is not the angle");

  const auto r = testing::numberBefore(form[TextBox::Text3], u"  π ακτίνια/ (rad)");
  const auto g = testing::numberBefore(form[TextBox::Text4], u" βαθμοί / (degrees)");
  fuzz::require(r && near(*r * 180, *x, 1e-14), "the multiple of π is not the angle");
  fuzz::require(g && near(*g * 0.9, *x, 1e-14), "the grads are not the angle");

  const std::u16string& radians = form[TextBox::Text5];
  const auto p = readNumber(pi);
  if (pi.empty()) {
    fuzz::require(radians.empty(), "an empty π did not empty the radians box");
  } else if (!p || !std::isfinite(*x / 180 * *p)) {
    fuzz::require(radians == kRangeError, "an unusable π did not give the error text");
  } else {
    const auto product = testing::numberBefore(radians, u" ακτίνια / (rad)");
    fuzz::require(product && near(*product, *r * *p, 2e-14), "the radians are not R × π");
  }
  return 0;
}
