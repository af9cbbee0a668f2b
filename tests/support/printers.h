// SPDX-License-Identifier: MIT
#pragma once

// How a failing check prints the program's texts and Qt's geometry: as text, Greek
// included, and sizes as 470x366, instead of GoogleTest's bytes of an unknown type.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "utf8.h"

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
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// Qt's classes are in the global namespace, where GoogleTest finds these by name.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
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

#ifdef QT_GUI_LIB
#include <QColor>

inline void PrintTo(const QColor& colour, std::ostream* os) { *os << colour.name().toStdString(); }
#endif
