// SPDX-License-Identifier: MIT
#include "buttons.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "conversion.h"
#include "error.h"
#include "keypad.h"

namespace pemdra {

const std::array<Button, 14> kButtons = {{
    {"C0", u"0", &C0_Click},
    {"C1", u"1", &C1_Click},
    {"C2", u"2", &C2_Click},
    {"C3", u"3", &C3_Click},
    {"C4", u"4", &C4_Click},
    {"C5", u"5", &C5_Click},
    {"C6", u"6", &C6_Click},
    {"C7", u"7", &C7_Click},
    {"C8", u"8", &C8_Click},
    {"C9", u"9", &C9_Click},
    {"Ca", u",", &Ca_Click},
    {"Cb", u"", &Cb_Click},
    {"CAC", u"", &CAC_Click},
    {"CY", u"", &CY_Click},
}};

const Button* findButton(std::string_view name) {
  // The WebAssembly build's library has no std::ranges.
  const auto* found = std::find_if(kButtons.begin(), kButtons.end(),
                                   [name](const Button& button) { return button.name == name; });
  return found == kButtons.end() ? nullptr : found;
}

namespace {

/// The form as a handler sees it, passed through, keeping what is written into the
/// result boxes. A failing access raises the form's own error.
class WrittenTexts final : public Controls {
 public:
  explicit WrittenTexts(Controls& form) : m_form(form) {}

  [[nodiscard]] std::u16string announcement() const {
    std::u16string lines;
    const std::u16string* said = nullptr;
    for (const TextBox box : kResultBoxes) {
      const std::optional<std::u16string>& text = m_written.at(static_cast<std::size_t>(box));
      if (!text || text->empty() || (said != nullptr && *said == *text)) continue;
      if (!lines.empty()) lines += u'\n';
      lines += *text;
      said = &*text;
    }
    return lines;
  }

 private:
  std::optional<std::u16string> readText(TextBox box) override { return m_form.text(box); }
  bool writeText(TextBox box, std::u16string_view text) override {
    m_form.setText(box, text);
    if (std::find(kResultBoxes.begin(), kResultBoxes.end(), box) != kResultBoxes.end()) {
      m_written.at(static_cast<std::size_t>(box)) = std::u16string(text);
    }
    return true;
  }
  std::optional<std::u16string> readComboText() override { return m_form.comboText(); }
  bool appendComboItem(std::u16string_view item) override {
    m_form.addComboItem(item);
    return true;
  }

  Controls& m_form;
  std::array<std::optional<std::u16string>, kTextBoxCount> m_written;
};

}  // namespace

Outcome run(Handler* handler, Controls& form) {
  WrittenTexts written(form);
  Outcome outcome;
  try {
    handler(written);
  } catch (...) {
    outcome.error = errorReport(std::current_exception());
  }
  outcome.announcement = written.announcement();
  return outcome;
}

}  // namespace pemdra
