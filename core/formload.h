// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

#include "controls.h"

namespace pemdra {

/// The values of π offered in Combo1's list, in their order.
inline constexpr std::array<std::u16string_view, 3> kPiChoices = {u"3,14", u"3,14159",
                                                                  u"3,14159265358979"};

/// The window's load step: appends the π choices to the end of Combo1's list. It
/// touches no other control, selects no item and moves no focus.
void Form_Load(Controls& form);

}  // namespace pemdra
