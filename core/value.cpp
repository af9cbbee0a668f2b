// SPDX-License-Identifier: MIT
#include "value.h"

#include <cmath>
#include <limits>

#include "error.h"
#include "numbertext.h"

namespace pemdra {
namespace {

[[noreturn]] void typeMismatch() { throw RuntimeError(ErrorCode::TypeMismatch, "Type mismatch"); }

double finite(double result) {
  if (!std::isfinite(result)) throw RuntimeError(ErrorCode::Overflow, "Overflow");
  return result;
}

bool isWhole(const Value& value) {
  return value.kind() == Value::Kind::Integer || value.kind() == Value::Kind::Boolean;
}

// Addition of two whole operands keeps a whole result while it fits 16 bits;
// anything else is a double.
template <typename Operation>
Value wholeWhereItFits(const Value& left, const Value& right, Operation operation) {
  const double l = left.number();
  const double r = right.number();
  const double result = finite(operation(l, r));
  if (isWhole(left) && isWhole(right) && result >= std::numeric_limits<std::int16_t>::min() &&
      result <= std::numeric_limits<std::int16_t>::max()) {
    return static_cast<std::int16_t>(result);
  }
  return result;
}

}  // namespace

const std::u16string& Value::text() const {
  if (const auto* text = std::get_if<std::u16string>(&m_data)) return *text;
  typeMismatch();
}

double Value::number() const {
  switch (kind()) {
    case Kind::Text:
      return toDouble(std::get<std::u16string>(m_data));
    case Kind::Integer:
      return std::get<std::int16_t>(m_data);
    case Kind::Double:
      return std::get<double>(m_data);
    case Kind::Boolean:
      return std::get<Bool>(m_data).truth ? -1.0 : 0.0;
  }
  typeMismatch();
}

std::u16string Value::toText() const {
  switch (kind()) {
    case Kind::Text:
      return std::get<std::u16string>(m_data);
    case Kind::Boolean:
      return std::get<Bool>(m_data).truth ? u"True" : u"False";
    case Kind::Integer:
    case Kind::Double:
      return writeNumber(number());
  }
  typeMismatch();
}

bool Value::isTrue() const { return number() != 0.0; }

Value add(const Value& left, const Value& right) {
  if (left.kind() == Value::Kind::Text && right.kind() == Value::Kind::Text) {
    return concat(left.text(), right.text());
  }
  return wholeWhereItFits(left, right, [](double l, double r) { return l + r; });
}

Value subtract(const Value& left, const Value& right) {
  const double l = left.number();
  const double r = right.number();
  return finite(l - r);
}

Value multiply(const Value& left, const Value& right) {
  const double l = left.number();
  const double r = right.number();
  return finite(l * r);
}

Value divide(const Value& left, const Value& right) {
  const double l = left.number();
  const double r = right.number();
  if (r == 0.0) throw RuntimeError(ErrorCode::DivisionByZero, "Division by zero");
  return finite(l / r);
}

std::u16string concat(std::u16string left, std::u16string_view right) {
  left.append(right);
  return left;
}

Value Int(const Value& value) {
  if (isWhole(value)) return value;
  return std::floor(value.number());
}

Value greaterThan(const Value& left, const Value& right) {
  const double l = left.number();
  const double r = right.number();
  return Value::boolean(l > r);
}

int compareText(std::u16string_view left, std::u16string_view right) {
  const int order = left.compare(right);
  return (order > 0) - (order < 0);
}

Value Len(const Value& value) {
  const std::size_t length = value.toText().size();
  if (length <= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
    return static_cast<std::int16_t>(length);
  }
  return static_cast<double>(length);
}

std::u16string Mid(std::u16string_view text, std::int64_t start, std::int64_t length) {
  if (start < 1 || length < 0) {
    throw RuntimeError(ErrorCode::InvalidCall, "Invalid procedure call or argument");
  }
  const auto from = static_cast<std::uint64_t>(start - 1);
  if (from >= text.size()) return {};
  return std::u16string(
      text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length)));
}

Value IsNumeric(const Value& value) {
  if (value.kind() != Value::Kind::Text) return Value::boolean(true);
  return Value::boolean(readNumber(value.text()).has_value());
}

double toDouble(std::u16string_view text) {
  const std::optional<double> number = readNumber(text);
  if (!number) typeMismatch();
  return *number;
}

std::u16string Str(const Value& value) { return writeNumber(value.number()); }

std::u16string Format(const Value& value, std::u16string_view pattern) {
  const std::optional<FormatPattern> layout = patternFromText(pattern);
  if (!layout) throw RuntimeError(ErrorCode::InvalidCall, "Invalid procedure call or argument");
  return formatNumber(value.number(), *layout);
}

}  // namespace pemdra
