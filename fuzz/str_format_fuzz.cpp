// SPDX-License-Identifier: MIT
// Str then Format on any finite double: the texts read back as the number they
// stand for, and Format rounds to its pattern's place.
#include <cmath>
#include <cstring>

#include "fuzz_input.h"
#include "numbertext.h"
#include "value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pemdra;
  if (size < sizeof(double)) return 0;
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  if (!std::isfinite(value)) return 0;

  const std::u16string written = Str(value);
  const auto back = readNumber(written);
  fuzz::require(back.has_value(), "Str wrote a text that is no number");
  fuzz::require(std::fabs(*back - value) <= std::fabs(value) * 1e-14, "Str lost the number");
  fuzz::require(Str(*back) == written, "Str is not stable through its own text");

  const double magnitude = std::fabs(*back);
  const struct {
    const char16_t* pattern;
    double step;
  } patterns[] = {{u"000", 1.0}, {u"00", 1.0}, {u".0", 0.1}};
  for (const auto& p : patterns) {
    const std::u16string laid = Format(written, p.pattern);
    const auto number = readNumber(laid);
    fuzz::require(number.has_value(), "Format wrote a text that is no number");
    // Rounded to the pattern's place, on 15 significant digits.
    fuzz::require(std::fabs(*number - *back) <= p.step / 2 + magnitude * 1e-14,
                  "Format moved the number by more than half a step");
  }
  return 0;
}
