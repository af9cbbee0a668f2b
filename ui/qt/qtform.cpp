// SPDX-License-Identifier: MIT
#include "qtform.h"

#include <QStringList>

namespace pemdra::ui {

QFont controlFont(const form::Control& control) {
  QFont font;
  font.setFamilies({fromUtf8(form::kFontFace), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(control.pointSize);
  font.setBold(control.bold);
  return font;
}

}  // namespace pemdra::ui
