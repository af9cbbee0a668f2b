// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pemdra {

/// The text boxes of the window: the input, then the result boxes in the order they
/// were added to the window, which is their number, not their place on screen.
enum class TextBox { Text1, Text2, Text3, Text4, Text5 };

/// The angle the user types or builds on the keypad.
inline constexpr TextBox kInputBox = TextBox::Text1;

/// The result boxes in their order on screen, top to bottom, which is also the order
/// in which a conversion writes them. Text5, the radians with the chosen π, was added
/// last and placed between Text3 and Text4 (docs/behaviour.md). A new result box is a
/// TextBox value and its place here; every count of boxes follows from this list.
inline constexpr std::array kResultBoxes = {TextBox::Text2, TextBox::Text3, TextBox::Text5,
                                            TextBox::Text4};

/// Every text box: the input and the result boxes.
inline constexpr std::size_t kTextBoxCount = 1 + kResultBoxes.size();

/// The box's place in an array of kTextBoxCount, one a box.
[[nodiscard]] constexpr std::size_t indexOf(TextBox box) { return static_cast<std::size_t>(box); }

/// The control's name as the window knows it: "Text1" for the first value, and on.
[[nodiscard]] std::string_view controlName(TextBox box);

/// The name of the π combo box, whose text field and list the handlers use.
inline constexpr std::string_view kPiBox = "Combo1";

/// The window's texts as the handlers see them, and nothing more: the whole text
/// of each text box, the text field of the π combo box and the end of its list.
///
/// An implementation answers each access with a status; the public calls test it
/// at once and raise RuntimeError(ErrorCode::ControlFailed) naming the control, so
/// no handler ever goes on with a text it did not get.
class Controls {
 public:
  Controls() = default;
  Controls(const Controls&) = delete;
  Controls& operator=(const Controls&) = delete;
  Controls(Controls&&) = delete;
  Controls& operator=(Controls&&) = delete;
  virtual ~Controls() = default;

  [[nodiscard]] std::u16string text(TextBox box);
  void setText(TextBox box, std::u16string_view text);
  [[nodiscard]] std::u16string comboText();
  void addComboItem(std::u16string_view item);

 private:
  virtual std::optional<std::u16string> readText(TextBox box) = 0;
  virtual bool writeText(TextBox box, std::u16string_view text) = 0;
  virtual std::optional<std::u16string> readComboText() = 0;
  virtual bool appendComboItem(std::u16string_view item) = 0;
};

/// What every handler of the window is: it takes the form's texts and answers nothing.
using Handler = void(Controls& form);

}  // namespace pemdra
