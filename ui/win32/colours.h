// SPDX-License-Identifier: MIT
#pragma once

// Which colours the window paints with. The decision is a pure function of the system's
// high-contrast setting and its colours, so that it can be tried with either setting on
// a system that cannot switch high contrast on (Wine).

#include <optional>

#include "form.h"

namespace pemdra::win32 {

/// The system colours the window paints with; the buttons, the selection and the list
/// draw themselves in the others.
struct SystemColours {
  form::Rgb window, windowText, buttonText, highlight;
  friend constexpr bool operator==(const SystemColours&, const SystemColours&) = default;
};

/// A control's text colour, and its background (nothing: the system's for its kind).
struct ControlColours {
  form::Rgb text;
  std::optional<form::Rgb> background;
  friend constexpr bool operator==(const ControlColours&, const ControlColours&) = default;
};

/// The table's colours while high contrast is off, the system's alone while it is on: a
/// user who needs high contrast never gets the table's own, low-contrast pairs (white on
/// the grey π field is 3.94:1).
struct ColourScheme {
  bool highContrast = false;
  SystemColours system{};

  /// A control's colours; a button's text is the system's and it has no background of
  /// its own either way.
  [[nodiscard]] ControlColours control(const form::Control& row) const;
  /// The form's background, which the labels share.
  [[nodiscard]] form::Rgb form() const;
  /// The rule, Line1, which stays visible on the form.
  [[nodiscard]] form::Rgb line(const form::Control& row) const;
  /// The focused text box's frame, where it has one.
  [[nodiscard]] std::optional<form::Rgb> focusFrame(const form::Control& row) const;
};

/// The system's high-contrast setting (SPI_GETHIGHCONTRAST) and colours, now.
ColourScheme systemColourScheme();

}  // namespace pemdra::win32
