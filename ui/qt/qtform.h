// SPDX-License-Identifier: MIT
#pragma once

// The window description of form.h in Qt's terms.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <Qt>

#include <string_view>

#include "form.h"

namespace pemdra::qt {

inline QString fromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor toQColor(form::Rgb colour) { return {colour.red, colour.green, colour.blue}; }

inline QRect toQRect(form::PixelRect rect) {
  return {rect.left, rect.top, rect.width, rect.height};
}

inline Qt::Alignment toQtAlignment(form::Alignment alignment) {
  switch (alignment) {
    case form::Alignment::Left:
      return Qt::AlignLeft | Qt::AlignVCenter;
    case form::Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case form::Alignment::Centre:
      return Qt::AlignCenter;
    case form::Alignment::TopLeft:
      return Qt::AlignLeft | Qt::AlignTop;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

/// The faces tried for every control, in order: "MS Sans Serif" first.
QStringList controlFamilies();

/// The font of a control: the first face of controlFamilies() that is installed, at
/// the table's size and weight.
QFont controlFont(const form::Control& control);

/// The widget of a control, a child of `window`, named, placed, coloured and in its
/// font as the table gives it: a line edit, a push button that Enter clicks while it
/// has the focus, a label, an editable combo box without completion, or the line.
/// Labels and the line take no focus.
QWidget* createControl(const form::Control& control, QWidget* window);

}  // namespace pemdra::qt
