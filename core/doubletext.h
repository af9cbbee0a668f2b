// SPDX-License-Identifier: MIT
#pragma once

// Doubles to ASCII and back, exact both ways, for the number texts of numbertext.h.
// The standard library's own conversions where it has them for floating point; where
// it does not (the C++ library of the WebAssembly build), the C library's, whose
// printf and strtod round correctly and whose decimal point there is always '.': it
// has no locales.

namespace pemdra::detail {

enum class Notation { General, Scientific };

/// Writes value in printf's %.*g or %.*e form; the text ends at the returned pointer.
char* printDouble(char* first, char* last, double value, Notation notation, int precision);

struct ScannedDouble {
  double value = 0.0;
  bool whole = false;       ///< the text was a number to its end
  bool outOfRange = false;  ///< too large or too small for a double; value is unset
};

/// Reads the whole of [first, last), which the caller has followed by a '\0'.
ScannedDouble scanDouble(const char* first, const char* last);

}  // namespace pemdra::detail
