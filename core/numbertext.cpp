// SPDX-License-Identifier: MIT
#include "numbertext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <version>

namespace pemdra {
namespace {

// What may stand around a number: ASCII white space, every Unicode space separator
// (no-break, thin, narrow no-break, ideographic ...), and the invisible marks that
// text pasted from a web page or a document carries (zero-width space, the two
// direction marks, the byte-order mark). The box shows none of them.
constexpr bool isBlank(char16_t c) {
  switch (c) {
    case u' ':
    case u'\t':
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case u'\u00A0':  // no-break space
    case u'\u1680':  // ogham space mark
    case u'\u202F':  // narrow no-break space
    case u'\u205F':  // medium mathematical space
    case u'\u3000':  // ideographic space
    case u'\u200B':  // zero-width space
    case u'\u200E':  // left-to-right mark
    case u'\u200F':  // right-to-left mark
    case u'\uFEFF':  // byte-order mark, zero-width no-break space
      return true;
    default:
      return c >= u'\u2000' && c <= u'\u200A';  // en quad ... hair space, thin space among them
  }
}

constexpr bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

// Doubles to ASCII and back, exact both ways. The standard library's own
// conversions where it has them for floating point; where it does not (the C++
// library of the WebAssembly build), the C library's, whose printf and strtod round
// correctly and whose decimal point there is always '.': it has no locales.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define PEMDRA_LIBRARY_CONVERTS_DOUBLES 1
#endif

enum class Notation { General, Scientific };

/// Writes value in printf's %.*g or %.*e form; the text ends at the returned pointer.
char* printDouble(char* first, char* last, double value, Notation notation, int precision) {
#ifdef PEMDRA_LIBRARY_CONVERTS_DOUBLES
  const auto format =
      notation == Notation::General ? std::chars_format::general : std::chars_format::scientific;
  return std::to_chars(first, last, value, format, precision).ptr;
#else
  const int written =
      std::snprintf(first, static_cast<std::size_t>(last - first),
                    notation == Notation::General ? "%.*g" : "%.*e", precision, value);
  return first + std::clamp(written, 0, static_cast<int>(last - first) - 1);
#endif
}

struct ScannedDouble {
  double value = 0.0;
  bool whole = false;       ///< the text was a number to its end
  bool outOfRange = false;  ///< too large or too small for a double; value is unset
};

/// Reads the whole of [first, last), which the caller has followed by a '\0'.
ScannedDouble scanDouble(const char* first, const char* last) {
  ScannedDouble scanned;
#ifdef PEMDRA_LIBRARY_CONVERTS_DOUBLES
  const auto [ptr, ec] = std::from_chars(first, last, scanned.value);
  scanned.whole = ptr == last && (ec == std::errc{} || ec == std::errc::result_out_of_range);
  scanned.outOfRange = ec == std::errc::result_out_of_range;
#else
  char* end = nullptr;
  scanned.value = std::strtod(first, &end);
  scanned.whole = end == last;
  // Too large: strtod gives infinity. Too small: the correctly rounded value, zero,
  // which is what the caller makes of the standard reader's out-of-range answer.
  scanned.outOfRange = std::isinf(scanned.value);
#endif
  return scanned;
}

// The decimal exponent an exponent field adds, saturated far beyond any double so
// that a text of a million exponent digits cannot overflow the count.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

}  // namespace

std::optional<double> readNumber(std::u16string_view text) {
  std::size_t pos = 0;
  std::size_t end = text.size();
  while (pos < end && isBlank(text[pos])) ++pos;
  while (end > pos && isBlank(text[end - 1])) --end;

  bool negative = false;
  if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
    negative = text[pos] == u'-';
    ++pos;
  }

  // The digits go to an ASCII copy with a point and a final '\0', for the library's
  // reader: on the stack for any text a person types, on the heap for longer ones. Beside it, the
  // decimal magnitude of the first significant digit, which tells an overflow from
  // an underflow when the reader says the value is out of range.
  std::array<char, 64> small{};
  std::string large;
  char* ascii = small.data();
  if (end - pos >= small.size()) {
    large.resize(end - pos + 1);
    ascii = large.data();
  }
  std::size_t length = 0;
  bool sawDigit = false;
  bool sawSeparator = false;
  bool sawSignificant = false;
  std::int64_t magnitude = 0;
  for (; pos < end; ++pos) {
    const char16_t c = text[pos];
    if (isDigit(c)) {
      sawDigit = true;
      if (c != u'0') sawSignificant = true;
      if (!sawSeparator && sawSignificant) ++magnitude;
      if (sawSeparator && !sawSignificant) --magnitude;
      ascii[length++] = static_cast<char>(c);
    } else if ((c == u',' || c == u'.') && !sawSeparator) {
      sawSeparator = true;
      ascii[length++] = '.';
    } else {
      break;
    }
  }
  if (!sawDigit) return std::nullopt;

  if (pos < end && (text[pos] == u'e' || text[pos] == u'E')) {
    ++pos;
    ascii[length++] = 'e';
    bool negativeExponent = false;
    if (pos < end && (text[pos] == u'+' || text[pos] == u'-')) {
      negativeExponent = text[pos] == u'-';
      ascii[length++] = static_cast<char>(text[pos]);
      ++pos;
    }
    std::int64_t exponent = 0;
    const std::size_t exponentStart = pos;
    for (; pos < end && isDigit(text[pos]); ++pos) {
      exponent = std::min(kExponentLimit, exponent * 10 + (text[pos] - u'0'));
      ascii[length++] = static_cast<char>(text[pos]);
    }
    if (pos == exponentStart) return std::nullopt;
    magnitude += negativeExponent ? -exponent : exponent;
  }
  if (pos != end) return std::nullopt;

  ascii[length] = '\0';
  const ScannedDouble scanned = scanDouble(ascii, ascii + length);
  if (!scanned.whole) return std::nullopt;
  double value = scanned.value;
  if (scanned.outOfRange) {
    if (magnitude > 0) return std::nullopt;  // too large for a double
    value = 0.0;                             // too small: it reads as zero
  }
  return negative ? -value : value;
}

std::u16string writeNumber(double value) {
  if (value == 0.0) return u"0";  // also negative zero
  // The largest doubles round up, at 15 digits, past the largest double; their
  // text would not read back as a number. They are written one unit lower.
  constexpr double kLargestWritten = 1.79769313486231e308;
  if (std::fabs(value) > kLargestWritten) value = std::copysign(kLargestWritten, value);
  std::array<char, 32> buffer{};
  const char* written =
      printDouble(buffer.data(), buffer.data() + buffer.size(), value, Notation::General, 15);
  std::u16string text;
  text.reserve(static_cast<std::size_t>(written - buffer.data()));
  for (const char* c = buffer.data(); c != written; ++c) {
    switch (*c) {
      case '.':
        text.push_back(u',');
        break;
      case 'e':
        text.push_back(u'E');
        break;
      case 'i':
        return value < 0 ? u"-INF" : u"INF";
      case 'n':
        return u"NAN";
      default:
        text.push_back(static_cast<char16_t>(*c));
    }
  }
  return text;
}

std::optional<FormatPattern> patternFromText(std::u16string_view pattern) {
  if (pattern == u"000") return FormatPattern::ThreeDigits;
  if (pattern == u"00") return FormatPattern::TwoDigits;
  if (pattern == u".0") return FormatPattern::OneDecimal;
  return std::nullopt;
}

namespace {

// round(|value| * 10^decimals), half away from zero, worked on the 15 significant
// digits of |value|; the result as a decimal digit string without leading zeros.
std::string roundedDigits(double value, int decimals) {
  if (value == 0.0) return "0";
  std::array<char, 40> buffer{};
  const char* written = printDouble(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                    Notation::Scientific, 14);
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
