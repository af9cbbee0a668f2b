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

// One rem at the browsers' own text size, in CSS pixels. Every length is in rem (or em
// in media queries), so the whole form follows the reader's text size, and at the
// default 16 px each control lies exactly in its table rectangle: every pixel count
// over 16 is a binary fraction, written whole.
constexpr double kRem = 16;

std::string rem(double pixels) {
  if (pixels == 0) return "0";
  char text[32];
  std::snprintf(text, sizeof text, "%.10grem", pixels / kRem);
  return text;
}

std::string em(double pixels) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10gem", pixels / kRem);
  return text;
}

// A phone held on its side: a coarse pointer, a screen wider than high and lower than
// this, whatever its width (the largest phones are 430 CSS px high on their side).
constexpr int kSidewaysHeight = 500;

}  // namespace

// Where each layout applies. The table's window needs the form's width, and a screen
// that is not a phone on its side; the touch layout takes the rest. In em, so that a
// larger text size moves to the touch layout where the grown window would not fit.
// (The older media-query syntax only, which every browser of 2022 reads.)
Queries queries() {
  const std::string wide = "(min-width: " + em(form::kClientWidth) + ")";
  const std::string low = em(kSidewaysHeight);
  Queries q;
  q.desktop = wide + " and (pointer: fine), " + wide + " and (pointer: none), " + wide +
              " and (orientation: portrait), " + wide + " and (min-height: " + low + ")";
  // Just under the desktop's least height, so that no height lies between the two.
  q.touch = "not all and " + wide +
            ", (pointer: coarse) and (orientation: landscape) and (max-height: " +
            em(kSidewaysHeight - 0.01) + ")";
  return q;
}

namespace {

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

std::string area(int row, int rows, int column, int columns) {
  return std::to_string(row) + " / " + std::to_string(column) + " / " + std::to_string(row + rows) +
         " / " + std::to_string(column + columns);
}

void place(const Control& c, int row, int rows, int column, int columns) {
  // The rule keeps its band's width.
  const std::string height =
      c.kind == ControlKind::Line ? " height: " + rem(c.pixels().height) + ";" : "";
  std::printf("%s { grid-area: %s;%s }\n", selector(c).c_str(),
              area(row, rows, column, columns).c_str(), height.c_str());
}

// The label that names the π field, whose row takes the π list's key where the field
// needs the whole width.
const Control* captionOf(const Control& box) {
  for (const form::CaptionTie& tie : form::kCaptionTies) {
    if (tie.box != box.name) continue;
    for (const Control& c : form::controls()) {
      if (c.name == tie.label) return &c;
    }
  }
  return nullptr;
}

// Below this width (in em, so at a larger text size sooner) the π field takes its row's
// whole width, so that the longest π value stays whole, and its list's key moves up to
// the caption's row.
constexpr int kWholePiWidth = 352;

// On its side from this width up (the narrowest phones are 568 CSS px wide on their
// side): narrower, a row of four keys beside the fields would be under 44 px a key.
constexpr int kSidewaysWidth = 560;

// The touch layout. Upright: one column, each caption above its field, the keypad
// above the rule that parts the input from the results, its rows taking the height
// left over.
void touchCss() {
  const Keypad pad = keypad();
  const std::vector<const Control*> fields = column();
  std::printf("@media %s {\n", queries().touch.c_str());
  std::string rows;
  std::map<std::string_view, std::string> areas;
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
    areas[c->name] = area(row, 1, 1, pad.columns);
    place(*c, row++, 1, 1, pad.columns);
    rows += " auto";
  }
  std::printf(
      "#pemdra { grid-template-columns: repeat(%d, minmax(0, 1fr)); grid-template-rows:%s; }\n",
      pad.columns, rows.c_str());
  std::printf("@media (max-width: %s) {\n", em(kWholePiWidth).c_str());
  for (const Control& c : form::controls()) {
    const Control* caption = c.kind == ControlKind::ComboBox ? captionOf(c) : nullptr;
    if (!caption) continue;
    std::printf(
        "#%s-list { grid-area: %s; }\n#pemdra > #%s { margin-right: 0; }\n#%s { margin-right: "
        "3.5rem; }\n",
        std::string(c.name).c_str(), areas[caption->name].c_str(), std::string(c.name).c_str(),
        std::string(caption->name).c_str());
  }
  std::printf("}\n");

  // On its side, as a phone is held for two hands: the input, the π field, the rule and
  // the results in the wider column at the left, the keypad at the right, both over the
  // same tracks (as many as both counts' least common multiple, so that each field and
  // each row of keys spans a whole number of them), the keys as high as the fields
  // beside them.
  std::printf("@media (orientation: landscape) and (min-width: %s) {\n",
              em(kSidewaysWidth).c_str());
  const int count = static_cast<int>(fields.size());
  const int keyRows = static_cast<int>(pad.rows.size());
  const int tracks = std::lcm(count, keyRows);
  for (int i = 0; i < count; ++i) {
    place(*fields[static_cast<std::size_t>(i)], 1 + i * tracks / count, tracks / count, 1, 1);
  }
  for (int r = 0; r < keyRows; ++r) {
    const auto& keys = pad.rows[static_cast<std::size_t>(r)];
    const int span = pad.columns / static_cast<int>(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      place(*keys[i], 1 + r * tracks / keyRows, tracks / keyRows, 2 + static_cast<int>(i) * span,
            span);
    }
  }
  std::printf(
      "#pemdra { grid-template-columns: minmax(0, %dfr) repeat(%d, minmax(0, 1fr)); "
      "grid-template-rows: repeat(%d, auto); }\n}\n}\n",
      pad.columns * 3 / 2, pad.columns, tracks);
}

// Points to CSS pixels: 72 points, 96 pixels to the inch.
double cssPixels(double points) { return points * 96 / 72; }

}  // namespace

void writeStyle() {
  std::printf("#pemdra { background: %s; font-family: %s; }\n", colour(form::kFormColour).c_str(),
              fontFamilies().c_str());
  // What both layouts share: colours, weight, alignment, and at least 1 rem of text
  // (16 px at the browsers' own text size) on touch screens.
  for (const Control& c : form::controls()) {
    std::string style;
    if (c.pointSize > 0) {
      style += " font-size: " + rem(std::max(kRem, cssPixels(c.pointSize))) +
               "; font-weight: " + (c.bold ? "700" : "400") +
               "; text-align: " + std::string(textAlign(c.alignment)) + ";";
    }
    if (c.foreground && c.kind != ControlKind::Line) {
      style += " color: " + colour(*c.foreground) + ";";
    }
    if (c.background) style += " background: " + colour(*c.background) + ";";
    std::printf("%s {%s }\n", selector(c).c_str(), style.c_str());
  }
  // The table's window, each control in its rectangle and at its text size.
  std::printf("@media %s {\n", queries().desktop.c_str());
  std::printf("#pemdra { width: %s; height: %s; }\n", rem(form::kClientWidth).c_str(),
              rem(form::kClientHeight).c_str());
  for (const Control& c : form::controls()) {
    auto rect = c.pixels();
    const auto box = [&rect] {
      return "left: " + rem(rect.left) + "; top: " + rem(rect.top) + "; width: " + rem(rect.width) +
             "; height: " + rem(rect.height) + ";";
    };
    const std::string size =
        c.pointSize > 0 ? " font-size: " + rem(cssPixels(c.pointSize)) + ";" : "";
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
    // A result box is a text area: one line, its spaces kept, centred in its height as in
    // an input, whatever the face's own line height (the box's borders are 1 px each).
    if (c.kind == ControlKind::TextBox) {
      std::printf("#pemdra > textarea#%s { white-space: pre; line-height: calc(%s - 2px); }\n",
                  std::string(c.name).c_str(), rem(rect.height).c_str());
    }
  }
  std::printf("}\n");
  touchCss();
}

}  // namespace pemdra::web
