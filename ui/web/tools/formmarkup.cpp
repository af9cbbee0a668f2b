// SPDX-License-Identifier: MIT
// Writes the page's form from the window's one table, at build time, so the page
// shows the whole form before any script runs:
//
//   formmarkup html      the 24 controls as elements, each with its control's name as id
//   formmarkup css       their rectangles, fonts, colours and alignment (formstyle.cpp)
//   formmarkup media     the two layouts' media queries, a line each, for pemdra.css
//   formmarkup title     the window's title
//   formmarkup manifest  the installable app's manifest
//
// Nothing here is a rule of the core: the page gets those from it.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "controls.h"
#include "form.h"
#include "markup.h"

namespace {

using pemdra::form::Control;
using pemdra::form::ControlKind;
using pemdra::web::colour;
using pemdra::web::escaped;

// Who labels whom, as the desktop windows tie them: a caption names its field; Label2
// is the heading of the result boxes.
using pemdra::form::kResultsHeading;

bool isResultBox(std::string_view name) {
  return std::any_of(pemdra::kResultBoxes.begin(), pemdra::kResultBoxes.end(),
                     [name](pemdra::TextBox box) { return pemdra::controlName(box) == name; });
}

const pemdra::form::CaptionTie* captionOf(std::string_view name) {
  for (const pemdra::form::CaptionTie& tie : pemdra::form::kCaptionTies) {
    if (tie.label == name) return &tie;
  }
  return nullptr;
}

std::string accessibleName(const Control& c) {
  return " aria-label=\"" + escaped(c.accessibleName) + "\"";
}

void element(const Control& c) {
  const std::string id = std::string(c.name);
  const std::string caption = escaped(c.caption);
  switch (c.kind) {
    case ControlKind::Line:
      std::printf("<hr id=\"%s\"%s>\n", id.c_str(), accessibleName(c).c_str());
      break;
    case ControlKind::Label:
      if (c.name == kResultsHeading) {
        std::printf("<h2 id=\"%s\"><span>%s</span></h2>\n", id.c_str(), caption.c_str());
      } else if (const auto* tie = captionOf(c.name)) {
        std::printf("<label id=\"%s\" for=\"%s\"><span>%s</span></label>\n", id.c_str(),
                    std::string(tie->box).c_str(), caption.c_str());
      } else {
        std::printf("<div id=\"%s\"><span>%s</span></div>\n", id.c_str(), caption.c_str());
      }
      break;
    case ControlKind::CommandButton: {
      const std::string name = c.accessibleName == c.caption ? "" : accessibleName(c);
      std::printf("<button type=\"button\" id=\"%s\"%s><span>%s</span></button>\n", id.c_str(),
                  name.c_str(), caption.c_str());
      break;
    }
    case ControlKind::TextBox: {
      // The input is named by its caption; a result box by the heading, then its own name.
      std::string attributes;
      if (isResultBox(c.name)) {
        attributes = accessibleName(c) + " aria-labelledby=\"" + std::string(kResultsHeading) +
                     " " + id + "\"";
      } else {
        attributes = " inputmode=\"decimal\"";
      }
      // Focus starts in the control with the lowest tab index.
      if (c.tabIndex == 0) attributes += " autofocus";
      // A result line that does not fit its box (a larger text size, a narrow phone)
      // wraps in the touch layout rather than being cut: the result boxes are one-row
      // text areas, single lines like the input in the table's window (the page keeps
      // Enter from breaking one).
      if (isResultBox(c.name)) {
        std::printf(
            "<textarea id=\"%s\"%s rows=\"1\" autocomplete=\"off\" autocapitalize=\"off\" "
            "spellcheck=\"false\"></textarea>\n",
            id.c_str(), attributes.c_str());
      } else {
        std::printf(
            "<input type=\"text\" id=\"%s\"%s autocomplete=\"off\" autocapitalize=\"off\" "
            "spellcheck=\"false\">\n",
            id.c_str(), attributes.c_str());
      }
      break;
    }
    case ControlKind::ComboBox:
      // The field keeps what is typed (no completion); the values are picked from the
      // list at its right end, which takes no place in the tab order: F4 or Alt+Down
      // opens it. The list's blank first entry is where it rests between picks.
      std::printf(
          "<select id=\"%s-list\" tabindex=\"-1\"%s><option hidden></option></select>"
          "<input type=\"text\" id=\"%s\" inputmode=\"decimal\" autocomplete=\"off\" "
          "autocapitalize=\"off\" spellcheck=\"false\">\n",
          id.c_str(), accessibleName(c).c_str(), id.c_str());
      break;
  }
}

void html() {
  std::printf("<main id=\"%s\" aria-label=\"%s\" data-error-title=\"%s\">\n",
              std::string(pemdra::form::kName).c_str(), escaped(pemdra::form::kTitle).c_str(),
              escaped(pemdra::form::kErrorTitle).c_str());
  // The window's title, for screen readers, as the desktops' title bars tell it.
  std::printf("<h1>%s</h1>\n", escaped(pemdra::form::kTitle).c_str());
  // What is drawn on the form first, beneath the rest; then the rest in tab order, which
  // is the page's order for Tab.
  std::vector<const Control*> drawn;
  for (const Control& c : pemdra::form::controls()) {
    if (c.drawnOnForm()) drawn.push_back(&c);
  }
  std::stable_sort(drawn.begin(), drawn.end(),
                   [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
  for (const Control* c : drawn) element(*c);
  for (const Control* c : pemdra::form::tabOrder()) element(*c);
  // What a click wrote into the result boxes, for screen readers.
  std::printf("<div id=\"results\" role=\"status\" aria-live=\"polite\"></div>\n");
  std::printf("</main>\n");
}

void manifest() {
  const std::string title = std::string(pemdra::form::kTitle);
  const std::string background = colour(pemdra::form::kFormColour);
  std::printf(
      "{\n  \"id\": \"./\",\n  \"name\": \"%s\",\n  \"short_name\": \"%s\",\n  \"lang\": \"el\",\n"
      "  \"start_url\": \"./\",\n  \"scope\": \"./\",\n  \"display\": \"standalone\",\n"
      "  \"background_color\": \"%s\",\n  \"theme_color\": \"%s\",\n  \"icons\": [\n"
      "    { \"src\": \"icons/pemdra.svg\", \"sizes\": \"any\", \"type\": \"image/svg+xml\" },\n"
      "    { \"src\": \"icons/pemdra-128.png\", \"sizes\": \"128x128\", \"type\": \"image/png\" "
      "},\n"
      "    { \"src\": \"icons/pemdra-256.png\", \"sizes\": \"256x256\", \"type\": \"image/png\" }\n"
      "  ]\n}\n",
      title.c_str(), title.c_str(), background.c_str(), background.c_str());
}

}  // namespace

namespace pemdra::web {

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string colour(form::Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  return text;
}

}  // namespace pemdra::web

int main(int argc, char** argv) {
  const std::string_view what = argc > 1 ? argv[1] : "";
  if (what == "html") {
    html();
  } else if (what == "css") {
    pemdra::web::writeStyle();
  } else if (what == "media") {
    const pemdra::web::Queries queries = pemdra::web::queries();
    std::printf("%s\n%s\n", queries.desktop.c_str(), queries.touch.c_str());
  } else if (what == "title") {
    std::printf("%s\n", escaped(pemdra::form::kTitle).c_str());
  } else if (what == "manifest") {
    manifest();
  } else {
    std::fprintf(stderr, "usage: formmarkup html|css|media|title|manifest\n");
    return 2;
  }
  return 0;
}
