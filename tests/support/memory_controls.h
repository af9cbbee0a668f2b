// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "controls.h"

namespace pemdra::testing {

/// The window's texts in memory, for running handlers without a window. It records
/// every access in order ("read Text1", "write Text2", "read Combo1", "add Combo1")
/// and can be told to fail one chosen access.
class MemoryControls final : public Controls {
 public:
  std::array<std::u16string, kTextBoxCount> texts;
  std::u16string combo;
  std::vector<std::u16string> comboItems;
  std::vector<std::string> log;
  /// The position in the log (0 = the first access) of the access that fails.
  std::optional<std::size_t> failAt;
  bool recording = true;

  std::u16string& operator[](TextBox box) { return texts.at(static_cast<std::size_t>(box)); }

 private:
  bool admit(std::string entry);
  std::optional<std::u16string> readText(TextBox box) override;
  bool writeText(TextBox box, std::u16string_view text) override;
  std::optional<std::u16string> readComboText() override;
  bool appendComboItem(std::u16string_view item) override;

  std::size_t m_accesses = 0;
};

}  // namespace pemdra::testing
