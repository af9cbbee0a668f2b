// SPDX-License-Identifier: MIT
// Pattern formatting: the "000", "00" and ".0" layouts of the result lines.
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "doubletext.h"
#include "numbertext.h"

namespace pemdra {

std::optional<FormatPattern> patternFromText(std::u16string_view pattern) {
  if (pattern == u"000") return FormatPattern::ThreeDigits;
  if (pattern == u"00") return FormatPattern::TwoDigits;
  if (pattern == u".0") return FormatPattern::OneDecimal;
  return std::nullopt;
}

namespace {

std::u16string widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// round(|value| * 10^decimals), half away from zero, worked on the 15 significant
// digits of |value|; the result as a decimal digit string without leading zeros.
std::string roundedDigits(double value, int decimals) {
  if (value == 0.0) return "0";
  std::array<char, 40> buffer{};
  const char* written = detail::printDouble(buffer.data(), buffer.data() + buffer.size(),
                                            std::fabs(value), detail::Notation::Scientific, 14);
  const std::string_view scientific(buffer.data(),
                                    static_cast<std::size_t>(written - buffer.data()));
  // "d.ddddddddddddddde+XX"
  std::string mantissa;
  mantissa.push_back(scientific[0]);
  const std::size_t exponentAt = scientific.find('e');
  mantissa.append(scientific.substr(2, exponentAt - 2));
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(exponentAt + 1);
  std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                  exponentText.data() + exponentText.size(), exponent);

  // Digits of the result before rounding: the mantissa digits that stand left of
  // the rounding place.
  const int kept = exponent + decimals + 1;
  const int available = static_cast<int>(mantissa.size());
  if (kept < 0) return "0";
  if (kept == 0) return mantissa[0] >= '5' ? "1" : "0";
  if (kept >= available)
    return mantissa + std::string(static_cast<std::size_t>(kept - available), '0');

  std::string digits = mantissa.substr(0, static_cast<std::size_t>(kept));
  if (mantissa[static_cast<std::size_t>(kept)] >= '5') {
    auto it = digits.rbegin();
    for (; it != digits.rend() && *it == '9'; ++it) *it = '0';
    if (it == digits.rend()) {
      digits.insert(digits.begin(), '1');
    } else {
      ++*it;
    }
  }
  const auto firstNonZero = digits.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
}

}  // namespace

std::u16string formatNumber(double value, FormatPattern pattern) {
  const int decimals = pattern == FormatPattern::OneDecimal ? 1 : 0;
  std::string digits = roundedDigits(value, decimals);
  const bool negative = value < 0 && digits != "0";

  std::string whole = digits;
  std::string fraction;
  if (decimals > 0) {
    if (digits.size() <= static_cast<std::size_t>(decimals)) {
      digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    }
    whole = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
  }

  std::size_t minimumWholeDigits = 0;
  switch (pattern) {
    case FormatPattern::ThreeDigits:
      minimumWholeDigits = 3;
      break;
    case FormatPattern::TwoDigits:
      minimumWholeDigits = 2;
      break;
    case FormatPattern::OneDecimal:
      if (whole == "0") whole.clear();
      break;
  }
  if (whole.size() < minimumWholeDigits) whole.insert(0, minimumWholeDigits - whole.size(), '0');

  std::string text = negative ? "-" : "";
  text += whole;
  if (decimals > 0) text += "," + fraction;
  return widen(text);
}

}  // namespace pemdra
