// SPDX-License-Identifier: MIT
// Keypad sequences on any starting text (the code units before the first U+0000;
// each byte after it is a key): every key changes the length by exactly what it
// does, and none leaves half of a surrogate pair behind.
#include <string>

#include "buttons.h"
#include "fuzz_input.h"
#include "memory_controls.h"

namespace {

using namespace pemdra;

bool isHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

bool hasLoneSurrogate(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isHigh(text[i])) {
      if (i + 1 == text.size() || !isLow(text[i + 1])) return true;
      ++i;
    } else if (isLow(text[i])) {
      return true;
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t end = 0;
  while (end + 1 < size && (data[end] != 0 || data[end + 1] != 0)) end += 2;
  testing::MemoryControls form;
  form.recording = false;
  form[TextBox::Text1] = fuzz::codeUnits(data, end);
  form[TextBox::Text2] = u"result";

  for (std::size_t i = end + 2; i < size; ++i) {
    // The keypad's rows of the button table: every one but the conversion button's.
    const Button& key = kButtons.at(data[i] % (kButtons.size() - 1));
    const std::u16string before = form[TextBox::Text1];
    fuzz::require(click(key, form).error.empty(), "a key raised an error");
    const std::u16string& after = form[TextBox::Text1];
    if (!key.typed.empty()) {
      fuzz::require(after == before + std::u16string(key.typed), "a key did not append its text");
    } else if (key.name == "Cb") {
      fuzz::require(after.empty(), "AC did not clear");
    } else {
      const std::size_t n = before.size();
      const bool pair = n >= 2 && isLow(before[n - 1]) && isHigh(before[n - 2]);
      const std::size_t removed = n == 0 ? 0 : pair ? 2 : 1;
      fuzz::require(after == before.substr(0, n - removed), "C did not remove the last character");
    }
    if (!hasLoneSurrogate(before)) {
      fuzz::require(!hasLoneSurrogate(after), "a key left half a character behind");
    }
  }
  fuzz::require(form[TextBox::Text2] == u"result", "the keypad touched a result box");
  return 0;
}
