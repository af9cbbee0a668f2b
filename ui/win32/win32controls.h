// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <array>

#include "controls.h"

namespace pemdra::win32 {

/// The window's texts for the handlers, over the real controls. Every read and
/// write tests what the Windows API answers, so a control that refuses one (or no
/// longer exists) gives the handler a named error instead of a wrong text.
class Win32Controls final : public Controls {
 public:
  Win32Controls(const std::array<HWND, kTextBoxCount>& textBoxes, HWND combo)
      : m_textBoxes(textBoxes), m_combo(combo) {}

 private:
  std::optional<std::u16string> readText(TextBox box) override;
  bool writeText(TextBox box, std::u16string_view text) override;
  std::optional<std::u16string> readComboText() override;
  bool appendComboItem(std::u16string_view item) override;

  std::array<HWND, kTextBoxCount> m_textBoxes;
  HWND m_combo;
};

}  // namespace pemdra::win32
