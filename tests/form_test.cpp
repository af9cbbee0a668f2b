// SPDX-License-Identifier: MIT
// The window's table against the core: the facts each front-end takes from both.
#include "form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "buttons.h"
#include "controls.h"

namespace pemdra::form {
namespace {

// The window as its users know it, pixels at 96 dpi: the one place a test spells out a
// caption, name, font, colour or place. Every other test takes these from the table.
constexpr std::string_view kGoldenWindow =
    R"(window pemdra | "Μετατροπέας" | 470x366 | pink | errors titled "Σφάλμα εκτέλεσης"
Text1 | text box | "" | 8,48 305x33 | tab 0 | 13.5 pt | white on black | right | γωνία σε δεκαδικές μοίρες
Text2 | text box | "" | 8,208 457x33 | tab 1 | 13.5 pt | white on black | centre | μοίρες, λεπτά, δευτερόλεπτα
Text3 | text box | "" | 8,248 457x33 | tab 2 | 13.5 pt | white on black | centre | ακτίνια ως πολλαπλάσιο του π
Text4 | text box | "" | 8,328 457x33 | tab 3 | 13.5 pt | white on black | centre | βαθμοί
C1 | button | "1" | 328,8 41x33 | tab 4 | 13.5 pt bold | system on system | centre | 1
C2 | button | "2" | 376,8 41x33 | tab 5 | 13.5 pt bold | system on system | centre | 2
C3 | button | "3" | 424,8 41x33 | tab 6 | 13.5 pt bold | system on system | centre | 3
C4 | button | "4" | 328,48 41x33 | tab 7 | 13.5 pt bold | system on system | centre | 4
C5 | button | "5" | 376,48 41x33 | tab 8 | 13.5 pt bold | system on system | centre | 5
C6 | button | "6" | 424,48 41x33 | tab 9 | 13.5 pt bold | system on system | centre | 6
C7 | button | "7" | 328,88 41x33 | tab 10 | 13.5 pt bold | system on system | centre | 7
C8 | button | "8" | 376,88 41x33 | tab 11 | 13.5 pt bold | system on system | centre | 8
C9 | button | "9" | 424,88 41x33 | tab 12 | 13.5 pt bold | system on system | centre | 9
Cb | button | "AC" | 280,128 41x33 | tab 13 | 13.5 pt bold | system on system | centre | AC, καθαρισμός
C0 | button | "0" | 376,128 41x33 | tab 14 | 13.5 pt bold | system on system | centre | 0
Ca | button | "," | 424,128 41x33 | tab 15 | 13.5 pt bold | system on system | centre | , υποδιαστολή
CY | button | "ΜΕΤΑΤΡΟΠΗ >> ..." | 328,168 137x33 | tab 16 | 8.25 pt bold | system on system | centre | ΜΕΤΑΤΡΟΠΗ >> ...
Label1 | label | "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό :" | 8,24 257x17 | tab 17 | 9.75 pt bold | black on pink | top left | Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό
Label2 | label | "Ισοδύναμες τιμές :" | 128,184 129x17 | tab 18 | 9.75 pt bold | system on pink | top left | Ισοδύναμες τιμές
CAC | button | "C" | 328,128 41x33 | tab 19 | 13.5 pt bold | system on system | centre | C, διαγραφή του τελευταίου χαρακτήρα
Combo1 | combo box | "" | 8,128 265x32 | tab 20 | 13.5 pt bold | white on grey | left | τιμή του π
Label3 | label | "Διαλέξτε την τιμή του π :" | 8,104 249x25 | tab 21 | 9.75 pt bold | black on pink | top left | Διαλέξτε την τιμή του π
Text5 | text box | "" | 40,288 425x33 | tab 22 | 13.5 pt | white on black | centre | ακτίνια με την επιλεγμένη τιμή του π
Line1 | line | "" | 8,174 305x5 | no tab | - | system on grey | left | διαχωριστική γραμμή
Tab walks Text1 Text2 Text3 Text4 C1 C2 C3 C4 C5 C6 C7 C8 C9 Cb C0 Ca CY CAC Combo1 Text5
)";

std::string colourName(const std::optional<Rgb>& colour) {
  if (!colour) return "system";
  if (*colour == Rgb{255, 255, 255}) return "white";
  if (*colour == Rgb{0, 0, 0}) return "black";
  if (*colour == Rgb{128, 128, 128}) return "grey";
  if (*colour == Rgb{255, 128, 128}) return "pink";
  std::ostringstream rgb;
  rgb << +colour->red << ',' << +colour->green << ',' << +colour->blue;
  return rgb.str();
}

std::string describe(const Control& c) {
  static constexpr std::string_view kKinds[] = {"text box", "button", "label", "combo box", "line"};
  static constexpr std::string_view kAlignments[] = {"left", "right", "centre", "top left"};
  const PixelRect r = c.pixels();
  std::ostringstream row;
  row << c.name << " | " << kKinds[static_cast<int>(c.kind)] << " | \"" << c.caption << "\" | "
      << r.left << ',' << r.top << ' ' << r.width << 'x' << r.height << " | ";
  if (c.tabIndex < 0) {
    row << "no tab | -";
  } else {
    row << "tab " << c.tabIndex << " | " << c.pointSize << " pt" << (c.bold ? " bold" : "");
  }
  row << " | " << colourName(c.foreground) << " on " << colourName(c.background) << " | "
      << kAlignments[static_cast<int>(c.alignment)] << " | " << c.accessibleName;
  return row.str();
}

TEST(Form, IsTheWindowItsUsersKnow) {
  std::ostringstream window;
  window << "window " << kName << " | \"" << kTitle << "\" | " << kClientWidth << 'x'
         << kClientHeight << " | " << colourName(kFormColour) << " | errors titled \""
         << kErrorTitle << '"';
  std::vector<std::string> got = {window.str()};
  for (const Control& control : controls()) got.push_back(describe(control));
  std::ostringstream walk;
  walk << "Tab walks";
  for (const Control* control : tabOrder()) walk << ' ' << control->name;
  got.push_back(walk.str());

  std::vector<std::string> want;
  std::istringstream golden{std::string(kGoldenWindow)};
  for (std::string line; std::getline(golden, line);) want.push_back(line);
  // Row by row, so that a failure names the row that changed and shows both as text.
  for (std::size_t i = 0; i < std::max(got.size(), want.size()); ++i) {
    const std::string table = i < got.size() ? got[i] : "(no row)";
    const std::string expected = i < want.size() ? want[i] : "(no row)";
    if (table != expected) {
      ADD_FAILURE() << "row " << i << " differs\n  table:  " << table << "\n  golden: " << expected;
    }
  }
}

TEST(Form, ScalesTwipsAndTheRuleToAnyDpi) {
  EXPECT_EQ(pixelsAt(96, 7050), 470);
  EXPECT_EQ(pixelsAt(120, 4575), 381);  // 381,25
  EXPECT_EQ(pixelsAt(144, 5, 96), 8);   // 7,5 rounds away from zero
  // Line1 at 144 dpi: from (12, 264) 456 pixels long, ends included, 8 pixels thick.
  EXPECT_EQ(find("Line1")->pixels(144), (PixelRect{12, 260, 457, 8}));
  EXPECT_EQ(find("Line1")->pixels(), (PixelRect{8, 174, 305, 5}));
  EXPECT_EQ(find("Text5")->pixels(192), (PixelRect{80, 576, 850, 66}));
}

TEST(Form, AgreesWithTheCoresButtonsAndBoxes) {
  // Every button of the table runs a handler of the core's table, and the other way round.
  const auto buttons = std::ranges::count(controls(), ControlKind::CommandButton, &Control::kind);
  EXPECT_EQ(static_cast<std::size_t>(buttons), kButtons.size());
  for (const Button& button : kButtons) {
    const Control* control = find(button.name);
    ASSERT_NE(control, nullptr) << button.name;
    EXPECT_EQ(control->kind, ControlKind::CommandButton) << button.name;
    // A voice-control user says what the button shows.
    EXPECT_TRUE(control->accessibleName.starts_with(control->caption)) << button.name;
  }
  // Every text box of the core has its row, and the table has no other.
  const auto boxes = std::ranges::count(controls(), ControlKind::TextBox, &Control::kind);
  EXPECT_EQ(static_cast<std::size_t>(boxes), kTextBoxCount);
  for (std::size_t i = 0; i < kTextBoxCount; ++i) {
    const Control* box = find(controlName(static_cast<TextBox>(i)));
    ASSERT_NE(box, nullptr) << controlName(static_cast<TextBox>(i));
    EXPECT_EQ(box->kind, ControlKind::TextBox) << box->name;
  }
  ASSERT_NE(find(kPiBox), nullptr);
  EXPECT_EQ(find(kPiBox)->kind, ControlKind::ComboBox);
  // The result boxes stand on screen in the core's order, top to bottom.
  for (std::size_t i = 1; i < kResultBoxes.size(); ++i) {
    EXPECT_LT(find(controlName(kResultBoxes.at(i - 1)))->top,
              find(controlName(kResultBoxes.at(i)))->top);
  }
  // Tab walks every control that takes the focus once, by rising tab index, and only those.
  const auto& order = tabOrder();
  EXPECT_EQ(static_cast<std::size_t>(std::ranges::count_if(controls(), &Control::takesFocus)),
            order.size());
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_LT(order[i - 1]->tabIndex, order[i]->tabIndex) << order[i]->name;
  }
  EXPECT_TRUE(std::ranges::none_of(order, &Control::drawnOnForm));
  // Only Label2's text takes the system's colour over a colour of the table's.
  for (const Control& control : controls()) {
    EXPECT_EQ(control.systemTextOnOwnBackground(), control.name == "Label2") << control.name;
  }
}

}  // namespace
}  // namespace pemdra::form
