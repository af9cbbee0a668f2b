// SPDX-License-Identifier: MIT
// The number reader on any text: the numeric test and text-to-number agree, and
// what is accepted writes back as a text that reads as the same number to 15
// significant digits.
#include <cmath>

#include "error.h"
#include "fuzz_input.h"
#include "numbertext.h"
#include "value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pemdra;
  const std::u16string text = fuzz::codeUnits(data, size);
  const bool numeric = IsNumeric(text).isTrue();
  double value = 0;
  bool converted = true;
  try {
    value = toDouble(text);
  } catch (const RuntimeError& error) {
    fuzz::require(error.code() == ErrorCode::TypeMismatch, "text-to-number raised another error");
    converted = false;
  }
  fuzz::require(numeric == converted, "IsNumeric and text-to-number disagree");
  if (!converted) return 0;

  fuzz::require(std::isfinite(value), "a text read as a non-finite number");
  const auto back = readNumber(writeNumber(value));
  fuzz::require(back.has_value(), "a written number does not read back");
  fuzz::require(std::fabs(*back - value) <= std::fabs(value) * 1e-14,
                "a written number reads back as another number");
  return 0;
}
