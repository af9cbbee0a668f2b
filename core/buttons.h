// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "controls.h"

namespace pemdra {

/// One command button of the window: its control name, the text it appends to Text1
/// (empty for "AC", "C" and the conversion button) and its click handler.
struct Button {
  std::string_view name;
  std::u16string_view typed;
  Handler* click;
};

/// Every button and the handler its click runs: the keypad, then the conversion button.
/// The front-ends bind their buttons from this table and nothing else.
extern const std::array<Button, 14> kButtons;

/// The conversion button, `CY`, the last row of kButtons.
inline const Button& convertButton() { return kButtons.back(); }

/// The row of that name, or nullptr.
[[nodiscard]] const Button* findButton(std::string_view name);

/// What one run of a handler leaves for its front-end to show.
struct Outcome {
  /// What a screen reader should hear, without the focus moving: the texts the run
  /// wrote into the result boxes, in their order on screen (kResultBoxes), one a line,
  /// empty texts left out and a text equal to the line before it said once. After a
  /// conversion the four lines; after a non-numeric input only "error"; after one out of
  /// range the Greek error once; after a keypad key nothing.
  std::u16string announcement;
  /// The report (UTF-8) of an error that a handler raised and did not trap; empty
  /// when none did. What the run wrote before the error is announced all the same.
  std::string error;
};

/// Runs a handler over the form, catching whatever it raises.
[[nodiscard]] Outcome run(Handler* handler, Controls& form);

/// Runs the button's handler over the form: a click.
[[nodiscard]] inline Outcome click(const Button& button, Controls& form) {
  return run(button.click, form);
}

}  // namespace pemdra
