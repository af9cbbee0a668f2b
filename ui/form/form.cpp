// SPDX-License-Identifier: MIT
#include "form.h"

#include <algorithm>
#include <cmath>

namespace pemdra::form {
namespace {

using enum ControlKind;
using enum Alignment;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kPink = kFormColour;
constexpr std::optional<Rgb> kSystem;

// One row a control, so rows compare at a glance; the formatter leaves the table be.
// clang-format off
constexpr std::array<Control, kControlCount> kControls = {{
//  name      kind           caption                                            left   top  width height tab  points  bold   text     back     align   accessible name
    {"Text1",  TextBox,       "",                                                120,   720, 4575, 495,   0, 13.5,  false, kWhite,  kBlack,  Right,  "γωνία σε δεκαδικές μοίρες"},
    {"Text2",  TextBox,       "",                                                120,  3120, 6855, 495,   1, 13.5,  false, kWhite,  kBlack,  Centre, "μοίρες, λεπτά, δευτερόλεπτα"},
    {"Text3",  TextBox,       "",                                                120,  3720, 6855, 495,   2, 13.5,  false, kWhite,  kBlack,  Centre, "ακτίνια ως πολλαπλάσιο του π"},
    {"Text4",  TextBox,       "",                                                120,  4920, 6855, 495,   3, 13.5,  false, kWhite,  kBlack,  Centre, "βαθμοί"},
    {"C1",     CommandButton, "1",                                              4920,   120,  615, 495,   4, 13.5,  true,  kSystem, kSystem, Centre, "1"},
    {"C2",     CommandButton, "2",                                              5640,   120,  615, 495,   5, 13.5,  true,  kSystem, kSystem, Centre, "2"},
    {"C3",     CommandButton, "3",                                              6360,   120,  615, 495,   6, 13.5,  true,  kSystem, kSystem, Centre, "3"},
    {"C4",     CommandButton, "4",                                              4920,   720,  615, 495,   7, 13.5,  true,  kSystem, kSystem, Centre, "4"},
    {"C5",     CommandButton, "5",                                              5640,   720,  615, 495,   8, 13.5,  true,  kSystem, kSystem, Centre, "5"},
    {"C6",     CommandButton, "6",                                              6360,   720,  615, 495,   9, 13.5,  true,  kSystem, kSystem, Centre, "6"},
    {"C7",     CommandButton, "7",                                              4920,  1320,  615, 495,  10, 13.5,  true,  kSystem, kSystem, Centre, "7"},
    {"C8",     CommandButton, "8",                                              5640,  1320,  615, 495,  11, 13.5,  true,  kSystem, kSystem, Centre, "8"},
    {"C9",     CommandButton, "9",                                              6360,  1320,  615, 495,  12, 13.5,  true,  kSystem, kSystem, Centre, "9"},
    {"Cb",     CommandButton, "AC",                                             4200,  1920,  615, 495,  13, 13.5,  true,  kSystem, kSystem, Centre, "AC, καθαρισμός"},
    {"C0",     CommandButton, "0",                                              5640,  1920,  615, 495,  14, 13.5,  true,  kSystem, kSystem, Centre, "0"},
    {"Ca",     CommandButton, ",",                                              6360,  1920,  615, 495,  15, 13.5,  true,  kSystem, kSystem, Centre, ", υποδιαστολή"},
    {"CY",     CommandButton, "ΜΕΤΑΤΡΟΠΗ >> ...",                               4920,  2520, 2055, 495,  16, 8.25,  true,  kSystem, kSystem, Centre, "ΜΕΤΑΤΡΟΠΗ >> ..."},
    {"Label1", Label,         "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό :",   120,   360, 3855, 255,  17, 9.75,  true,  kBlack,  kPink,   TopLeft, "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό"},
    {"Label2", Label,         "Ισοδύναμες τιμές :",                             1920,  2760, 1935, 255,  18, 9.75,  true,  kSystem, kPink,   TopLeft, "Ισοδύναμες τιμές"},
    {"CAC",    CommandButton, "C",                                              4920,  1920,  615, 495,  19, 13.5,  true,  kSystem, kSystem, Centre, "C, διαγραφή του τελευταίου χαρακτήρα"},
    {"Combo1", ComboBox,      "",                                                120,  1920, 3975, 480,  20, 13.5,  true,  kWhite,  kGrey,   Left,   "τιμή του π"},
    {"Label3", Label,         "Διαλέξτε την τιμή του π :",                       120,  1560, 3735, 375,  21, 9.75,  true,  kBlack,  kPink,   TopLeft, "Διαλέξτε την τιμή του π"},
    {"Text5",  TextBox,       "",                                                600,  4320, 6375, 495,  22, 13.5,  false, kWhite,  kBlack,  Centre, "ακτίνια με την επιλεγμένη τιμή του π"},
    {"Line1",  Line,          "",                                                120,  2640, 4560,   0,  -1, 0,     false, kSystem, kGrey,   Left,   "διαχωριστική γραμμή"},
}};
// clang-format on

// A button takes the system's colours on every front-end, as buttons do (docs/behaviour.md):
// its row holds none, so no front-end has a colour path for buttons to keep in step.
static_assert(std::none_of(kControls.begin(), kControls.end(), [](const Control& c) {
  return c.kind == CommandButton && (c.foreground || c.background);
}));

double linearChannel(std::uint8_t channel) {
  const double value = channel / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double relativeLuminance(Rgb colour) {
  return 0.2126 * linearChannel(colour.red) + 0.7152 * linearChannel(colour.green) +
         0.0722 * linearChannel(colour.blue);
}

}  // namespace

double contrastRatio(Rgb first, Rgb second) {
  const double a = relativeLuminance(first);
  const double b = relativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb readableText(Rgb system, Rgb background) {
  return contrastRatio(system, background) >= kMinimumTextContrast ? system : kBlack;
}

const std::array<Control, kControlCount>& controls() { return kControls; }

const std::vector<const Control*>& tabOrder() {
  static const std::vector<const Control*> kOrder = [] {
    std::vector<const Control*> order;
    for (const Control& control : kControls) {
      if (control.takesFocus()) order.push_back(&control);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
  }();
  return kOrder;
}

const Control* find(std::string_view name) {
  for (const Control& control : kControls) {
    if (control.name == name) return &control;
  }
  return nullptr;
}

}  // namespace pemdra::form
