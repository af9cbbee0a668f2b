// SPDX-License-Identifier: MIT
#include "colours.h"

#include <windows.h>

namespace pemdra::win32 {
namespace {

form::Rgb systemColour(int element) {
  const COLORREF colour = GetSysColor(element);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

}  // namespace

ControlColours ColourScheme::control(const form::Control& row) const {
  using form::ControlKind;
  if (row.kind == ControlKind::CommandButton) return {system.buttonText, std::nullopt};
  if (highContrast) return {system.windowText, system.window};
  // A label's system colour is the button text's, as on a dialog; a box's the window text's.
  form::Rgb text = row.foreground
                       ? *row.foreground
                       : (row.kind == ControlKind::Label ? system.buttonText : system.windowText);
  // A label on the pink in the system's text colour turns black where that would not read.
  if (row.systemTextOnOwnBackground()) text = form::readableText(text, *row.background);
  return {text, row.background};
}

form::Rgb ColourScheme::form() const { return highContrast ? system.window : form::kFormColour; }

form::Rgb ColourScheme::line(const form::Control& row) const {
  if (highContrast || !row.background) return system.windowText;
  return *row.background;
}

std::optional<form::Rgb> ColourScheme::focusFrame(const form::Control& row) const {
  if (!row.foreground) return std::nullopt;  // a box in the system's colours has its own
  return highContrast ? system.highlight : *row.foreground;
}

ColourScheme systemColourScheme() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  const bool on =
      SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) != FALSE &&
      (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return {on,
          {systemColour(COLOR_WINDOW), systemColour(COLOR_WINDOWTEXT), systemColour(COLOR_BTNTEXT),
           systemColour(COLOR_HIGHLIGHT)}};
}

}  // namespace pemdra::win32
