// SPDX-License-Identifier: MIT
#include "qtcontrols.h"

#include <QComboBox>
#include <QLineEdit>

namespace pemdra::qt {
namespace {

QString toQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtControls::QtControls(const std::array<QLineEdit*, kTextBoxCount>& textBoxes, QComboBox* combo)
    : m_combo(combo) {
  for (std::size_t i = 0; i < textBoxes.size(); ++i) m_textBoxes[i] = textBoxes[i];
}

std::optional<std::u16string> QtControls::readText(TextBox box) {
  const QLineEdit* edit = m_textBoxes.at(static_cast<std::size_t>(box));
  if (edit == nullptr) return std::nullopt;
  return edit->text().toStdU16String();
}

bool QtControls::writeText(TextBox box, std::u16string_view text) {
  QLineEdit* edit = m_textBoxes.at(static_cast<std::size_t>(box));
  if (edit == nullptr) return false;
  edit->setText(toQString(text));
  return true;
}

std::optional<std::u16string> QtControls::readComboText() {
  if (m_combo == nullptr) return std::nullopt;
  return m_combo->currentText().toStdU16String();
}

bool QtControls::appendComboItem(std::u16string_view item) {
  if (m_combo == nullptr) return false;
  // Appending never selects: Qt makes the first item of an empty list current
  // and copies it into the text field, which is undone here.
  const int current = m_combo->currentIndex();
  const QString typed = m_combo->currentText();
  m_combo->addItem(toQString(item));
  if (m_combo->currentIndex() != current) {
    m_combo->setCurrentIndex(current);
    m_combo->setEditText(typed);
  }
  return true;
}

}  // namespace pemdra::qt
