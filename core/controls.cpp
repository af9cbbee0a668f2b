// SPDX-License-Identifier: MIT
#include "controls.h"

#include <array>
#include <string>

#include "error.h"

namespace pemdra {
namespace {

[[noreturn]] void fail(std::string_view control, std::string_view what) {
  throw RuntimeError(ErrorCode::ControlFailed,
                     std::string(control) + ": " + std::string(what) + " failed");
}

}  // namespace

std::string_view controlName(TextBox box) {
  // The boxes are named by their number, so a new box needs no name written here.
  static const std::array<std::string, kTextBoxCount> kNames = [] {
    std::array<std::string, kTextBoxCount> names;
    for (std::size_t i = 0; i < names.size(); ++i) names.at(i) = "Text" + std::to_string(i + 1);
    return names;
  }();
  return kNames.at(indexOf(box));
}

std::u16string Controls::text(TextBox box) {
  std::optional<std::u16string> text = readText(box);
  if (!text) fail(controlName(box), "reading the text");
  return std::move(*text);
}

void Controls::setText(TextBox box, std::u16string_view text) {
  if (!writeText(box, text)) fail(controlName(box), "writing the text");
}

std::u16string Controls::comboText() {
  std::optional<std::u16string> text = readComboText();
  if (!text) fail(kPiBox, "reading the text");
  return std::move(*text);
}

void Controls::addComboItem(std::u16string_view item) {
  if (!appendComboItem(item)) fail(kPiBox, "adding a list item");
}

}  // namespace pemdra
