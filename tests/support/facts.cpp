// SPDX-License-Identifier: MIT
// The window's table and the core's facts as JSON, for the checks written in Python and
// shell, so that they too take every caption, name, place, order and result line from the
// one place the program takes them.
//
//   pemdra_facts                 the window, its controls, the tab order, the buttons,
//                                the result boxes and the π choices
//   pemdra_facts ANGLE PI        what the core leaves in every box when ANGLE is typed,
//                                PI is in the π field and the conversion button clicked,
//                                and what a screen reader hears of it
#include <cstdio>
#include <string>
#include <string_view>

#include "buttons.h"
#include "form.h"
#include "formload.h"
#include "memory_controls.h"
#include "utf8.h"

namespace {

using namespace pemdra;

std::string quoted(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}
std::string quoted(std::u16string_view text) { return quoted(testing::utf8(text)); }

std::u16string utf16(std::string_view utf8) {
  // The arguments are what a test types: decoded from UTF-8 as far as the BMP goes.
  std::u16string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (code >> 10));
      out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    } else {
      out += static_cast<char16_t>(code);
    }
    i += length;
  }
  return out;
}

std::string colour(const std::optional<form::Rgb>& rgb) {
  if (!rgb) return "null";
  char text[24];
  std::snprintf(text, sizeof text, "[%d, %d, %d]", rgb->red, rgb->green, rgb->blue);
  return text;
}

/// A JSON array of what `item` makes of each element.
template <typename Range, typename Item>
std::string array(const Range& range, Item item) {
  std::string out = "[";
  for (const auto& element : range) out += (out.size() > 1 ? ", " : "") + item(element);
  return out + "]";
}
const auto text = [](const auto& t) { return quoted(t); };

void table() {
  static constexpr std::string_view kKinds[] = {"text box", "button", "label", "combo box", "line"};
  std::printf(
      "{\"window\": {\"name\": %s, \"title\": %s, \"width\": %d, \"height\": %d, "
      "\"colour\": %s, \"errorTitle\": %s},\n",
      quoted(form::kName).c_str(), quoted(form::kTitle).c_str(), form::kClientWidth,
      form::kClientHeight, colour(form::kFormColour).c_str(), quoted(form::kErrorTitle).c_str());
  const std::string controls = array(form::controls(), [](const form::Control& c) {
    const form::PixelRect r = c.pixels();
    char rect[64];
    std::snprintf(rect, sizeof rect, "[%d, %d, %d, %d], \"tabIndex\": %d", r.left, r.top, r.width,
                  r.height, c.tabIndex);
    return "\n  {\"name\": " + quoted(c.name) +
           ", \"kind\": " + quoted(kKinds[static_cast<int>(c.kind)]) +
           ", \"caption\": " + quoted(c.caption) +
           ", \"accessibleName\": " + quoted(c.accessibleName) + ", \"rect\": " + rect +
           ", \"takesFocus\": " + (c.takesFocus() ? "true" : "false") +
           ", \"foreground\": " + colour(c.foreground) +
           ", \"background\": " + colour(c.background) + "}";
  });
  std::printf(" \"controls\": %s,\n", controls.c_str());
  std::printf(" \"tabOrder\": %s,\n", array(form::tabOrder(), [](const form::Control* c) {
                                        return quoted(c->name);
                                      }).c_str());
  std::printf(" \"buttons\": %s,\n", array(kButtons, [](const Button& b) {
                                       return "{\"name\": " + quoted(b.name) +
                                              ", \"typed\": " + quoted(b.typed) + "}";
                                     }).c_str());
  std::printf(
      " \"convertButton\": %s, \"inputBox\": %s, \"piBox\": %s, "
      "\"resultsHeading\": %s,\n",
      quoted(convertButton().name).c_str(), quoted(controlName(kInputBox)).c_str(),
      quoted(kPiBox).c_str(), quoted(form::kResultsHeading).c_str());
  std::printf(" \"resultBoxes\": %s,\n",
              array(kResultBoxes, [](TextBox box) { return quoted(controlName(box)); }).c_str());
  std::printf(" \"piChoices\": %s,\n", array(kPiChoices, text).c_str());
  std::printf(" \"captionTies\": %s}\n", array(form::kCaptionTies, [](const form::CaptionTie& tie) {
                                           return std::string(1, '[') + quoted(tie.label) + ", " +
                                                  quoted(tie.box) + "]";
                                         }).c_str());
}

void conversion(std::string_view angle, std::string_view pi) {
  const testing::CoreAnswer answer = testing::coreAnswer(utf16(angle), utf16(pi));
  std::string texts = "{";
  for (std::size_t i = 0; i < kTextBoxCount; ++i) {
    const auto box = static_cast<TextBox>(i);
    texts += (i > 0 ? ", " : "") + quoted(controlName(box)) + ": " + quoted(answer[box]);
  }
  std::printf("{\"texts\": %s}, \"results\": %s, \"announcement\": %s}\n", texts.c_str(),
              array(answer.results(), text).c_str(), quoted(answer.announcement).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    table();
  } else if (argc == 3) {
    conversion(argv[1], argv[2]);
  } else {
    std::fprintf(stderr, "usage: pemdra_facts [ANGLE PI]\n");
    return 2;
  }
  return 0;
}
