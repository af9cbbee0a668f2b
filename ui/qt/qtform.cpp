// SPDX-License-Identifier: MIT
#include "qtform.h"

#include <QFontDatabase>
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
  // The first installed face of the list, looked up once: a face that is missing
  // would send every font request on a search through all the system's fonts. A
  // face installed under its own name is found in the font list; any other may be
  // installed under an alias, which costs a fontconfig match to learn, so the
  // look-up stops at the first face found.
  static const QStringList families = [] {
    QStringList faces = controlFamilies();
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : faces) {
      if (installed.contains(family, Qt::CaseInsensitive) || QFontDatabase::hasFamily(family)) {
        return QStringList{family};
      }
    }
    return faces;
  }();
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(control.pointSize);
  font.setBold(control.bold);
  return font;
}

}  // namespace pemdra::ui
