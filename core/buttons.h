// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "controls.h"

namespace pemdra {

/// One command button of the window: its control name, and what its click does: a key
/// that types appends `typed` to Text1 (typeKey); any other runs its own `handler`.
struct Button {
  std::string_view name;
  std::u16string_view typed;  ///< empty for "AC", "C" and the conversion button
  Handler* handler;           ///< nullptr for a key that types
};

/// Every button and what its click does: the keypad, then the conversion button.
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

/// Runs a handler over the form, catching whatever it raises: the load step.
[[nodiscard]] Outcome run(Handler* handler, Controls& form);

/// A click on the button: what its row says to do, run over the form as run() does.
/// Every front-end's buttons come here.
[[nodiscard]] Outcome click(const Button& button, Controls& form);

}  // namespace pemdra
