// SPDX-License-Identifier: MIT
#include "buttons.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "conversion.h"
#include "error.h"
#include "keypad.h"

namespace pemdra {

// The controls' own names: Cb is "AC" (clear), CAC is "C" (delete the last character),
// as the window has always named them (docs/behaviour.md).
const std::array<Button, 14> kButtons = {{
    {"C0", u"0", nullptr},
    {"C1", u"1", nullptr},
    {"C2", u"2", nullptr},
    {"C3", u"3", nullptr},
    {"C4", u"4", nullptr},
    {"C5", u"5", nullptr},
    {"C6", u"6", nullptr},
    {"C7", u"7", nullptr},
    {"C8", u"8", nullptr},
    {"C9", u"9", nullptr},
    {"Ca", u",", nullptr},
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
      const std::optional<std::u16string>& text = m_written.at(indexOf(box));
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
      m_written.at(indexOf(box)) = std::u16string(text);
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

template <typename Body>
Outcome runOver(Controls& form, const Body& body) {
  WrittenTexts written(form);
  Outcome outcome;
  try {
    body(written);
  } catch (...) {
    outcome.error = errorReport(std::current_exception());
  }
  outcome.announcement = written.announcement();
  return outcome;
}

}  // namespace

Outcome run(Handler* handler, Controls& form) { return runOver(form, handler); }

Outcome click(const Button& button, Controls& form) {
  return runOver(form, [&button](Controls& texts) {
    if (button.handler != nullptr) {
      button.handler(texts);
    } else {
      typeKey(texts, button.typed);
    }
  });
}

}  // namespace pemdra
