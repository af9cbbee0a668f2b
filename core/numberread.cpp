// SPDX-License-Identifier: MIT
// Reading: the one reader that decides both whether a text is a number and which.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "doubletext.h"
#include "numbertext.h"

namespace pemdra {
namespace {

using detail::scanDouble;
using detail::ScannedDouble;

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

}  // namespace pemdra
