// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include <array>

#include "controls.h"

class QComboBox;
class QLineEdit;

namespace pemdra::qt {

/// The window's texts for the handlers, over the real widgets. An access to a
/// widget that no longer exists fails, and the handler gets a named error.
class QtControls final : public Controls {
 public:
  QtControls(const std::array<QLineEdit*, kTextBoxCount>& textBoxes, QComboBox* combo);

 private:
  std::optional<std::u16string> readText(TextBox box) override;
  bool writeText(TextBox box, std::u16string_view text) override;
  std::optional<std::u16string> readComboText() override;
  bool appendComboItem(std::u16string_view item) override;

  std::array<QPointer<QLineEdit>, kTextBoxCount> m_textBoxes;
  QPointer<QComboBox> m_combo;
};

}  // namespace pemdra::qt
