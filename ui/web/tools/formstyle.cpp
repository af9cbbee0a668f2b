// SPDX-License-Identifier: MIT
// The style of the page's form, from the window's table: from the form's width up each
// control lies in its rectangle, in CSS pixels; on a narrower screen the same elements
// are laid out for touch, in a grid drawn from the table too (pemdra.css has what does
// not come from it).
#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "form.h"
#include "markup.h"

namespace pemdra::web {
namespace {

using form::Alignment;
using form::Control;
using form::ControlKind;

// The width of the π list's button, at the right end of the π field's rectangle: the
// least a pointer's target should measure.
constexpr int kListButtonWidth = 24;

// After the table's faces, the browsers' own: the page measures and narrows any
// caption that still does not fit.
constexpr std::string_view kBrowserFaces = "Arial, sans-serif";

std::string px(int pixels) { return std::to_string(pixels) + "px"; }

std::string_view textAlign(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return "right";
    case Alignment::Centre:
      return "center";
    case Alignment::Left:
    case Alignment::TopLeft:
      break;
  }
  return "left";
}

std::string fontFamilies() {
  std::string families = "\"" + std::string(form::kFontFace) + "\"";
  for (const std::string_view face : form::kFallbackFaces) {
    families += ", \"" + std::string(face) + "\"";
  }
  return families + ", " + std::string(kBrowserFaces);
}

// The touch layout's keypad: the buttons in rows by their top, each row from the left;
// every row shares the same columns equally (so their number is a multiple of every
// row's length).
struct Keypad {
  std::vector<std::vector<const Control*>> rows;
  int columns = 1;
};

Keypad keypad() {
  std::map<int, std::vector<const Control*>> byTop;
  for (const Control& c : form::controls()) {
    if (c.kind == ControlKind::CommandButton) byTop[c.pixels().top].push_back(&c);
  }
  Keypad pad;
  for (auto& [top, row] : byTop) {
    std::sort(row.begin(), row.end(), [](const Control* a, const Control* b) {
      return a->pixels().left < b->pixels().left;
    });
    pad.columns = std::lcm(pad.columns, static_cast<int>(row.size()));
    pad.rows.push_back(row);
  }
  return pad;
}

// Every other control, from the top of the form down, and from the left.
std::vector<const Control*> column() {
  std::vector<const Control*> out;
  for (const Control& c : form::controls()) {
    if (c.kind != ControlKind::CommandButton) out.push_back(&c);
  }
  std::stable_sort(out.begin(), out.end(), [](const Control* a, const Control* b) {
    return std::pair(a->pixels().top, a->pixels().left) <
           std::pair(b->pixels().top, b->pixels().left);
  });
  return out;
}

// The selector of a control's element; the π field's list shares its place.
std::string selector(const Control& c) {
  const std::string id = "#" + std::string(c.name);
  return c.kind == ControlKind::ComboBox ? id + "-list, " + id : id;
}

void place(const Control& c, int row, int rows, int column, int columns) {
  // The rule keeps its band's width.
  const std::string height =
      c.kind == ControlKind::Line ? " height: " + px(c.pixels().height) + ";" : "";
  std::printf("%s { grid-area: %d / %d / %d / %d;%s }\n", selector(c).c_str(), row, column,
              row + rows, column + columns, height.c_str());
}

// The touch layout. Upright: one column, each caption above its field, the keypad
// above the rule that parts the input from the results, its rows taking the height
// left over.
void touchCss() {
  const Keypad pad = keypad();
  const std::vector<const Control*> fields = column();
  std::printf("@media not all and (min-width: %dpx) {\n", form::kClientWidth);
  std::string rows;
  int row = 1;
  for (const Control* c : fields) {
    if (c->kind == ControlKind::Line) {
      for (const auto& keys : pad.rows) {
        const int span = pad.columns / static_cast<int>(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
          place(*keys[i], row, 1, 1 + static_cast<int>(i) * span, span);
        }
        rows += " minmax(3rem, 1fr)";
        ++row;
      }
    }
    place(*c, row++, 1, 1, pad.columns);
    rows += " auto";
  }
  std::printf(
      "#pemdra { grid-template-columns: repeat(%d, minmax(0, 1fr)); grid-template-rows:%s; }\n",
      pad.columns, rows.c_str());

  // On its side: the fields above the rule at the left, the keypad at the right, both
  // over the same tracks (as many as both counts' least common multiple, so that each
  // field and each row of keys spans a whole number of them); the rule and the results
  // beneath, the full width.
  std::printf("@media (orientation: landscape) {\n");
  const auto rule = std::find_if(fields.begin(), fields.end(),
                                 [](const Control* c) { return c->kind == ControlKind::Line; });
  const int above = static_cast<int>(rule - fields.begin());
  const int keyRows = static_cast<int>(pad.rows.size());
  const int tracks = std::lcm(above, keyRows);
  for (int i = 0; i < above; ++i) {
    place(*fields[static_cast<std::size_t>(i)], 1 + i * tracks / above, tracks / above, 1, 1);
  }
  for (int r = 0; r < keyRows; ++r) {
    const auto& keys = pad.rows[static_cast<std::size_t>(r)];
    const int span = pad.columns / static_cast<int>(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      place(*keys[i], 1 + r * tracks / keyRows, tracks / keyRows, 2 + static_cast<int>(i) * span,
            span);
    }
  }
  int below = 0;
  for (auto c = rule; c != fields.end(); ++c, ++below) {
    place(**c, tracks + 1 + below, 1, 1, pad.columns + 1);
  }
  std::printf(
      "#pemdra { grid-template-columns: minmax(0, %dfr) repeat(%d, minmax(0, 1fr)); "
      "grid-template-rows: repeat(%d, auto); }\n}\n}\n",
      pad.columns, pad.columns, tracks + below);
}

// One rem at the browsers' own text size, in CSS pixels: the least text of the touch
// layout, which grows with the reader's text size.
constexpr double kRem = 16;

// Points to CSS pixels: 72 points, 96 pixels to the inch.
double cssPixels(double points) { return points * 96 / 72; }

}  // namespace

void writeStyle() {
  std::printf("#pemdra { background: %s; font-family: %s; }\n", colour(form::kFormColour).c_str(),
              fontFamilies().c_str());
  // What both layouts share: colours, weight, alignment, and at least 16 px of text,
  // in rem so that the reader's own text size applies, on touch screens.
  for (const Control& c : form::controls()) {
    std::string style;
    if (c.pointSize > 0) {
      char size[32];
      std::snprintf(size, sizeof size, "%grem", std::max(1.0, cssPixels(c.pointSize) / kRem));
      style += std::string(" font-size: ") + size + "; font-weight: " + (c.bold ? "700" : "400") +
               "; text-align: " + std::string(textAlign(c.alignment)) + ";";
    }
    if (c.foreground && c.kind != ControlKind::Line) {
      style += " color: " + colour(*c.foreground) + ";";
    }
    if (c.background) style += " background: " + colour(*c.background) + ";";
    std::printf("%s {%s }\n", selector(c).c_str(), style.c_str());
  }
  // The table's window, each control in its rectangle, from the form's width up.
  std::printf("@media (min-width: %dpx) {\n", form::kClientWidth);
  std::printf("#pemdra { width: %s; height: %s; }\n", px(form::kClientWidth).c_str(),
              px(form::kClientHeight).c_str());
  for (const Control& c : form::controls()) {
    auto rect = c.pixels();
    const auto box = [&rect] {
      return "left: " + px(rect.left) + "; top: " + px(rect.top) + "; width: " + px(rect.width) +
             "; height: " + px(rect.height) + ";";
    };
    std::string size;
    if (c.pointSize > 0) {
      char text[32];
      std::snprintf(text, sizeof text, " font-size: %gpx;", cssPixels(c.pointSize));
      size = text;
    }
    if (c.kind == ControlKind::ComboBox) {
      // The list's button at the right end of the rectangle, the field beside it: the
      // field covers no part of the list, which every engine then lets a pointer pick from.
      rect.width -= kListButtonWidth;
      std::printf("#%s { %s%s }\n", std::string(c.name).c_str(), box().c_str(), size.c_str());
      rect.left += rect.width;
      rect.width = kListButtonWidth;
      std::printf("#%s-list { %s%s }\n", std::string(c.name).c_str(), box().c_str(), size.c_str());
      continue;
    }
    std::printf("#%s { %s%s }\n", std::string(c.name).c_str(), box().c_str(), size.c_str());
  }
  std::printf("}\n");
  touchCss();
}

}  // namespace pemdra::web
