// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
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

/// What the core leaves in every box when the user types `angle`, leaves `pi` in the π
/// field and clicks the conversion button: what a front-end's window must show then.
/// The front-end tests check against it, so that only the core's tests spell out lines.
struct CoreAnswer {
  std::array<std::u16string, kTextBoxCount> texts;
  std::u16string announcement;
  [[nodiscard]] const std::u16string& operator[](TextBox box) const {
    return texts.at(indexOf(box));
  }
  /// The result boxes' texts in their order on screen.
  [[nodiscard]] std::vector<std::u16string> results() const;
};
[[nodiscard]] CoreAnswer coreAnswer(std::u16string_view angle, std::u16string_view pi);

}  // namespace pemdra::testing
