// SPDX-License-Identifier: MIT
// The window's table against the core: the facts each front-end takes from both.
#include "form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "buttons.h"
#include "controls.h"

namespace pemdra::form {
namespace {

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
  ASSERT_NE(find(kPiBox), nullptr);
  EXPECT_EQ(find(kPiBox)->kind, ControlKind::ComboBox);
  // The result boxes stand on screen in the core's order, top to bottom.
  for (std::size_t i = 1; i < kResultBoxes.size(); ++i) {
    EXPECT_LT(find(controlName(kResultBoxes.at(i - 1)))->top,
              find(controlName(kResultBoxes.at(i)))->top);
  }
  // Only Label2's text takes the system's colour over a colour of the table's.
  for (const Control& control : controls()) {
    EXPECT_EQ(control.systemTextOnOwnBackground(), control.name == "Label2") << control.name;
  }
}

}  // namespace
}  // namespace pemdra::form
