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

void table() {
  static constexpr std::string_view kKinds[] = {"text box", "button", "label", "combo box", "line"};
  std::printf(
      "{\"window\": {\"name\": %s, \"title\": %s, \"width\": %d, \"height\": %d, "
      "\"colour\": %s, \"errorTitle\": %s},\n",
      quoted(form::kName).c_str(), quoted(form::kTitle).c_str(), form::kClientWidth,
      form::kClientHeight, colour(form::kFormColour).c_str(), quoted(form::kErrorTitle).c_str());
  std::printf(" \"controls\": [\n");
  const char* separator = "";
  for (const form::Control& c : form::controls()) {
    const form::PixelRect r = c.pixels();
    std::printf(
        "%s  {\"name\": %s, \"kind\": %s, \"caption\": %s, \"accessibleName\": %s, "
        "\"rect\": [%d, %d, %d, %d], \"tabIndex\": %d, \"takesFocus\": %s, "
        "\"foreground\": %s, \"background\": %s}",
        separator, quoted(c.name).c_str(), quoted(kKinds[static_cast<int>(c.kind)]).c_str(),
        quoted(c.caption).c_str(), quoted(c.accessibleName).c_str(), r.left, r.top, r.width,
        r.height, c.tabIndex, c.takesFocus() ? "true" : "false", colour(c.foreground).c_str(),
        colour(c.background).c_str());
    separator = ",\n";
  }
  std::printf("],\n \"tabOrder\": [");
  separator = "";
  for (const form::Control* c : form::tabOrder()) {
    std::printf("%s%s", separator, quoted(c->name).c_str());
    separator = ", ";
  }
  std::printf("],\n \"buttons\": [");
  separator = "";
  for (const Button& b : kButtons) {
    std::printf("%s{\"name\": %s, \"typed\": %s}", separator, quoted(b.name).c_str(),
                quoted(b.typed).c_str());
    separator = ", ";
  }
  std::printf(
      "],\n \"convertButton\": %s, \"inputBox\": %s, \"piBox\": %s, \"resultsHeading\": %s,"
      "\n \"resultBoxes\": [",
      quoted(convertButton().name).c_str(), quoted(controlName(kInputBox)).c_str(),
      quoted(kPiBox).c_str(), quoted(form::kResultsHeading).c_str());
  separator = "";
  for (const TextBox box : kResultBoxes) {
    std::printf("%s%s", separator, quoted(controlName(box)).c_str());
    separator = ", ";
  }
  std::printf("],\n \"piChoices\": [");
  separator = "";
  for (const std::u16string_view choice : kPiChoices) {
    std::printf("%s%s", separator, quoted(choice).c_str());
    separator = ", ";
  }
  std::printf("],\n \"captionTies\": {");
  separator = "";
  for (const form::CaptionTie& tie : form::kCaptionTies) {
    std::printf("%s%s: %s", separator, quoted(tie.label).c_str(), quoted(tie.box).c_str());
    separator = ", ";
  }
  std::printf("}}\n");
}

void conversion(std::string_view angle, std::string_view pi) {
  const testing::CoreAnswer answer = testing::coreAnswer(utf16(angle), utf16(pi));
  std::printf("{\"texts\": {");
  const char* separator = "";
  for (std::size_t i = 0; i < kTextBoxCount; ++i) {
    const auto box = static_cast<TextBox>(i);
    std::printf("%s%s: %s", separator, quoted(controlName(box)).c_str(),
                quoted(answer[box]).c_str());
    separator = ", ";
  }
  std::printf("}, \"results\": [");
  separator = "";
  for (const std::u16string& line : answer.results()) {
    std::printf("%s%s", separator, quoted(line).c_str());
    separator = ", ";
  }
  std::printf("], \"announcement\": %s}\n", quoted(answer.announcement).c_str());
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
