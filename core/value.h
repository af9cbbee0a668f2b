// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace pemdra {

/// A dynamically typed value, as the handlers keep their intermediate results:
/// a text (UTF-16, so lengths and substrings count wide characters), a 16-bit
/// integer (every numeric constant of the program), a double (every computed
/// number) or a boolean whose true counts as -1 in arithmetic.
///
/// A text stays a text until an operation needs its number; that operation reads
/// it with readNumber() and raises ErrorCode::TypeMismatch when it is not one.
/// A double held here is always finite: operations raise ErrorCode::Overflow
/// rather than produce an infinity.
class Value {
 public:
  enum class Kind { Text, Integer, Double, Boolean };

  Value() : m_data(std::u16string{}) {}
  Value(std::u16string text) : m_data(std::move(text)) {}
  Value(const char16_t* text) : m_data(std::u16string(text)) {}
  Value(std::int16_t integer) : m_data(integer) {}
  Value(double number) : m_data(number) {}
  static Value boolean(bool truth) { return Value(Bool{truth}); }

  [[nodiscard]] Kind kind() const noexcept { return static_cast<Kind>(m_data.index()); }

  /// The text of a Text value; raises TypeMismatch for any other kind.
  [[nodiscard]] const std::u16string& text() const;
  /// The number the value stands for; raises TypeMismatch for a text that is no number.
  [[nodiscard]] double number() const;
  /// The value as a text: a text as it is, a number as writeNumber() writes it,
  /// a boolean as "True" or "False".
  [[nodiscard]] std::u16string toText() const;
  /// The truth of a boolean, or of a number (non-zero is true).
  [[nodiscard]] bool isTrue() const;

 private:
  struct Bool {
    bool truth;
  };
  explicit Value(Bool b) : m_data(b) {}

  std::variant<std::u16string, std::int16_t, double, Bool> m_data;
};

// The operations, named after what they do. Int, Len, Mid, IsNumeric, Str and Format
// keep the names the handlers are written in, so that a handler reads as its steps
// (docs/behaviour.md); the rest are camelCase. In every two-operand operation the
// left operand is evaluated before the right one by the caller's argument order;
// none of them keeps state.

/// Value addition: two texts concatenate (left first, even when both look numeric);
/// otherwise the numbers add.
[[nodiscard]] Value add(const Value& left, const Value& right);
/// The numbers subtract, always giving a double; a text operand counts as its number.
[[nodiscard]] Value subtract(const Value& left, const Value& right);
/// The numbers multiply, always giving a double; a text operand counts as its number.
[[nodiscard]] Value multiply(const Value& left, const Value& right);
/// The numbers divide, always giving a double.
[[nodiscard]] Value divide(const Value& left, const Value& right);
/// Text concatenation, left text then right text. The left text is taken by value,
/// so a line built piece by piece grows in place.
[[nodiscard]] std::u16string concat(std::u16string left, std::u16string_view right);
/// The whole part (rounded down), of a text operand too.
[[nodiscard]] Value Int(const Value& value);
/// True only if left > right, as numbers.
[[nodiscard]] Value greaterThan(const Value& left, const Value& right);
/// Compares two texts by code unit: 0 exactly when equal, else -1 or 1.
[[nodiscard]] int compareText(std::u16string_view left, std::u16string_view right);
/// The number of wide characters of the value's text.
[[nodiscard]] Value Len(const Value& value);
/// `length` wide characters of `text` from `start` (1 is the first); fewer near the end.
[[nodiscard]] std::u16string Mid(std::u16string_view text, std::int64_t start, std::int64_t length);
/// True only for a text (or number) that text-to-number accepts.
[[nodiscard]] Value IsNumeric(const Value& value);
/// Text-to-number: the double a text denotes; TypeMismatch when it denotes none.
[[nodiscard]] double toDouble(std::u16string_view text);
/// Number-to-text, as writeNumber() writes it.
[[nodiscard]] std::u16string Str(const Value& value);
/// Lays out the value's number by one of the patterns "000", "00" or ".0";
/// InvalidCall for any other pattern.
[[nodiscard]] std::u16string Format(const Value& value, std::u16string_view pattern);

}  // namespace pemdra
