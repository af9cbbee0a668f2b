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
  static constexpr std::array<std::string_view, kTextBoxCount> kNames = {"Text1", "Text2", "Text3",
                                                                         "Text4", "Text5"};
  return kNames.at(static_cast<std::size_t>(box));
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
