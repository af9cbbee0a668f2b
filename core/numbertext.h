// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pemdra {

/// Reads the number a text denotes, or nothing when the text is not a number.
///
/// Accepted: optional blanks, an optional + or -, digits with at most one decimal
/// separator (a comma, the program's own convention, or a point), at least one
/// digit, an optional exponent (E or e, optional sign, digits), optional blanks.
/// Blanks, at the two ends only, are ASCII white space, the Unicode space separators
/// (U+00A0, U+2000 to U+200A, U+202F ...) and the invisible marks U+200B, U+200E,
/// U+200F and U+FEFF. Nothing else: no thousands separators, currency signs, hex, inner spaces,
/// "inf" or "nan". A value too large for a double is not a number; one too small
/// reads as zero. This one reader decides both "is it a number" and "which number",
/// so the two answers never disagree.
[[nodiscard]] std::optional<double> readNumber(std::u16string_view text);

/// Writes a number as the program shows it (docs/behaviour.md): at most 15
/// significant digits, trailing zeros dropped, a comma as decimal separator, a zero
/// before the separator, and the exponent form (1E+15, 1E-05) when the decimal
/// exponent is below -4 or at least 15. Negative zero is written "0". Non-finite
/// values are written "INF", "-INF", "NAN". Every finite value is written as a text
/// that readNumber() reads back: the few doubles above 1,79769313486231E+308 are
/// written as that.
[[nodiscard]] std::u16string writeNumber(double value);

/// The layouts that the result lines use.
enum class FormatPattern {
  ThreeDigits,  ///< "000": a whole number, zero-padded to at least three digits
  TwoDigits,    ///< "00": a whole number, zero-padded to at least two digits
  OneDecimal,   ///< ".0": one decimal, no digit before the comma when the whole part is 0
};

/// The pattern a pattern text names, or nothing for a pattern the program does not use.
[[nodiscard]] std::optional<FormatPattern> patternFromText(std::u16string_view pattern);

/// Lays out a number by a pattern, rounding half away from zero on the number's
/// 15-significant-digit decimal form (the form writeNumber shows), so that a
/// written text formats as its digits suggest: "0,25" gives ",3".
[[nodiscard]] std::u16string formatNumber(double value, FormatPattern pattern);

}  // namespace pemdra
