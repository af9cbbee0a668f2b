// SPDX-License-Identifier: MIT
// Writing: a double as the program shows it.
#include <array>
#include <cmath>
#include <string>

#include "doubletext.h"
#include "numbertext.h"

namespace pemdra {

std::u16string writeNumber(double value) {
  if (value == 0.0) return u"0";  // also negative zero
  // The largest doubles round up, at 15 digits, past the largest double; their
  // text would not read back as a number. They are written one unit lower.
  constexpr double kLargestWritten = 1.79769313486231e308;
  if (std::fabs(value) > kLargestWritten) value = std::copysign(kLargestWritten, value);
  std::array<char, 32> buffer{};
  const char* written = detail::printDouble(buffer.data(), buffer.data() + buffer.size(), value,
                                            detail::Notation::General, 15);
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

}  // namespace pemdra
