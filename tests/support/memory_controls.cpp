// SPDX-License-Identifier: MIT
#include "memory_controls.h"

#include "buttons.h"

namespace pemdra::testing {

bool MemoryControls::admit(std::string entry) {
  const std::size_t index = m_accesses++;
  if (recording) log.push_back(std::move(entry));
  return !(failAt && *failAt == index);
}

std::optional<std::u16string> MemoryControls::readText(TextBox box) {
  if (!admit("read " + std::string(controlName(box)))) return std::nullopt;
  return (*this)[box];
}

bool MemoryControls::writeText(TextBox box, std::u16string_view text) {
  if (!admit("write " + std::string(controlName(box)))) return false;
  (*this)[box] = text;
  return true;
}

std::optional<std::u16string> MemoryControls::readComboText() {
  if (!admit("read Combo1")) return std::nullopt;
  return combo;
}

bool MemoryControls::appendComboItem(std::u16string_view item) {
  if (!admit("add Combo1")) return false;
  comboItems.emplace_back(item);
  return true;
}

std::vector<std::u16string> CoreAnswer::results() const {
  std::vector<std::u16string> lines;
  for (const TextBox box : kResultBoxes) lines.push_back((*this)[box]);
  return lines;
}

CoreAnswer coreAnswer(std::u16string_view angle, std::u16string_view pi) {
  MemoryControls form;
  form[kInputBox] = angle;
  form.combo = pi;
  CoreAnswer answer;
  answer.announcement = click(convertButton(), form).announcement;
  answer.texts = form.texts;
  return answer;
}

}  // namespace pemdra::testing
