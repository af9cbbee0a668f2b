// SPDX-License-Identifier: MIT
#include "keypad.h"

#include <cstdint>

#include "value.h"

namespace pemdra {
namespace {

constexpr bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void typeKey(Controls& form, std::u16string_view typed) {
  // Value addition of two texts: the key lands at the right end, never summed.
  const Value sum = add(form.text(TextBox::Text1), std::u16string(typed));
  form.setText(TextBox::Text1, sum.text());
}

void Cb_Click(Controls& form) { form.setText(TextBox::Text1, u""); }

void CAC_Click(Controls& form) {
  const std::u16string t = form.text(TextBox::Text1);
  const Value length = Len(t);
  if (!greaterThan(length, std::int16_t{0}).isTrue()) return;
  // A character outside the Basic Multilingual Plane is two code units; cutting
  // one would leave half a character behind.
  const std::size_t size = t.size();
  const bool pair = size >= 2 && isLowSurrogate(t[size - 1]) && isHighSurrogate(t[size - 2]);
  const auto keep = static_cast<std::int64_t>(size - (pair ? 2 : 1));
  form.setText(TextBox::Text1, Mid(t, 1, keep));
}

}  // namespace pemdra
