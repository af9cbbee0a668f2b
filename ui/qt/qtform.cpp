// SPDX-License-Identifier: MIT
#include "qtform.h"

#include <QStringList>

namespace pemdra::ui {

QStringList controlFamilies() {
  // Where "MS Sans Serif" is missing: narrow sans-serif faces with Greek glyphs in
  // which every caption fits its rectangle at the table's size and weight (the
  // longest, Label1's, takes 241 of its 257 pixels in Liberation Sans Narrow), then
  // wider faces, which cut Label1's end, for systems that have none of those.
  return {fromUtf8(form::kFontFace),
          QStringLiteral("Liberation Sans Narrow"),
          QStringLiteral("Nimbus Sans Narrow"),
          QStringLiteral("Roboto Condensed"),
          QStringLiteral("Liberation Sans"),
          QStringLiteral("DejaVu Sans")};
}

QFont controlFont(const form::Control& control) {
  QFont font;
  font.setFamilies(controlFamilies());
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(control.pointSize);
  font.setBold(control.bold);
  return font;
}

}  // namespace pemdra::ui
