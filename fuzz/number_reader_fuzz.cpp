// SPDX-License-Identifier: MIT
// The number reader on any text: the numeric test and text-to-number agree, blanks
// at the ends change nothing, and what is accepted writes back as a text that reads
// as the same number to 15 significant digits.
#include <cmath>
#include <string_view>

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

  // A blank a user cannot see, pasted at either end, changes nothing.
  constexpr std::u16string_view kBlanks = u"\u00A0\u2009\u202F\u200B\u200E\u200F\uFEFF\u3000 \t";
  const char16_t blank = kBlanks[size % kBlanks.size()];
  const auto padded = readNumber(blank + text + blank);
  fuzz::require(padded.has_value() == converted,
                "a blank at the ends changed whether it is a number");
  fuzz::require(!converted || *padded == value, "a blank at the ends changed the number");
  if (!converted) return 0;

  fuzz::require(std::isfinite(value), "a text read as a non-finite number");
  const auto back = readNumber(writeNumber(value));
  fuzz::require(back.has_value(), "a written number does not read back");
  fuzz::require(std::fabs(*back - value) <= std::fabs(value) * 1e-14,
                "a written number reads back as another number");
  return 0;
}
