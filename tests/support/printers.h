// SPDX-License-Identifier: MIT
#pragma once

// How a failing check prints the program's texts and Qt's geometry: as text, Greek
// included, and sizes as 470x366, instead of GoogleTest's bytes of an unknown type.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace pemdra::testing {

/// UTF-16 as UTF-8; a lone half of a surrogate pair as U+FFFD, so that it shows.
inline std::string utf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace pemdra::testing

namespace testing::internal {

// std::u16string is the standard library's: a PrintTo for it would have to live in
// namespace std, so GoogleTest's printer for it is specialised here instead.
template <>
class UniversalPrinter<std::u16string> {
 public:
  static void Print(const std::u16string& text, std::ostream* os) {
    *os << '"' << pemdra::testing::utf8(text) << '"';
  }
};

}  // namespace testing::internal

#ifdef QT_CORE_LIB
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Qt's classes are in the global namespace, where GoogleTest finds these by name.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& colour, std::ostream* os) {
  *os << colour.name().toStdString();
}
inline void PrintTo(const QSize& size, std::ostream* os) {
  *os << size.width() << 'x' << size.height();
}
inline void PrintTo(const QPoint& point, std::ostream* os) {
  *os << '(' << point.x() << ", " << point.y() << ')';
}
inline void PrintTo(const QRect& rect, std::ostream* os) {
  *os << rect.width() << 'x' << rect.height() << " at (" << rect.x() << ", " << rect.y() << ')';
}
#endif
