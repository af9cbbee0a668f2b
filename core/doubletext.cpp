// SPDX-License-Identifier: MIT
#include "doubletext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <version>

namespace pemdra::detail {

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define PEMDRA_LIBRARY_CONVERTS_DOUBLES 1
#endif

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

}  // namespace pemdra::detail
