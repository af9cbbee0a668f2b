// SPDX-License-Identifier: MIT
#include "webcontrols.h"

#include <emscripten/emscripten.h>

#include <string>
#include <utility>

namespace {

// The page's side of the texts (webimports.js). A field is named by its control's
// name. Texts cross as UTF-16 code units, so whatever a field holds, lone surrogates
// included, comes back unchanged.
extern "C" {
/// Copies the field's text into a buffer it asks of pemdra_text_buffer(), and
/// answers its length in code units, or -1 when the page has no such field.
int pemdra_page_read(const char* field);
/// Replaces the field's text; answers 0 when the page has no such field.
int pemdra_page_write(const char* field, const char16_t* text, std::size_t length);
/// Appends an item to the field's list; answers 0 when the page has no such list.
int pemdra_page_append(const char* field, const char16_t* text, std::size_t length);
}

std::u16string& readBuffer() {
  static std::u16string buffer;
  return buffer;
}

// controlName() views a std::string and kPiBox a string literal: both end in a zero.
const char* fieldName(pemdra::TextBox box) { return pemdra::controlName(box).data(); }

std::optional<std::u16string> read(const char* field) {
  const int length = pemdra_page_read(field);
  std::u16string text = std::exchange(readBuffer(), std::u16string());
  if (length < 0 || static_cast<std::size_t>(length) > text.size()) return std::nullopt;
  text.resize(static_cast<std::size_t>(length));
  return text;
}

}  // namespace

/// Room for a text of length code units that the page is about to copy in.
extern "C" EMSCRIPTEN_KEEPALIVE char16_t* pemdra_text_buffer(std::size_t length) {
  std::u16string& buffer = readBuffer();
  buffer.assign(length, u'\0');
  return buffer.data();
}

namespace pemdra::web {

std::optional<std::u16string> WebControls::readText(TextBox box) { return read(fieldName(box)); }

bool WebControls::writeText(TextBox box, std::u16string_view text) {
  return pemdra_page_write(fieldName(box), text.data(), text.size()) != 0;
}

std::optional<std::u16string> WebControls::readComboText() { return read(pemdra::kPiBox.data()); }

bool WebControls::appendComboItem(std::u16string_view item) {
  return pemdra_page_append(pemdra::kPiBox.data(), item.data(), item.size()) != 0;
}

}  // namespace pemdra::web
