// SPDX-License-Identifier: MIT
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace pemdra {

/// What went wrong in a value operation or a control access. The numbers are the
/// traditional ones of BASIC-family runtimes, so a user's report can name them.
enum class ErrorCode {
  InvalidCall = 5,      ///< an argument outside what the operation takes
  Overflow = 6,         ///< a result too large for a double
  DivisionByZero = 11,  ///< a quotient with a zero divisor
  TypeMismatch = 13,    ///< a number was needed and the text is not one
  ControlFailed = 440,  ///< a control refused a read or write of its text
};

/// The one error type of the core. Handlers trap none of these: they travel to
/// whatever dispatched the click, which decides how to show them.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(ErrorCode code, const std::string& message)
      : std::runtime_error(message), m_code(code) {}

  [[nodiscard]] ErrorCode code() const noexcept { return m_code; }

 private:
  ErrorCode m_code;
};

/// What a front-end shows for an error that reached it from a handler, UTF-8: a
/// RuntimeError's message and number, another exception's message, or that the
/// error is unknown.
std::string errorReport(const std::exception_ptr& error);

}  // namespace pemdra
