// SPDX-License-Identifier: MIT
#pragma once

// How a click becomes four result lines:
//
//   CY clicked -> click(button, form)   buttons.h: every front-end's one call for a button
//                                          (a key that types runs typeKey, keypad.h)
//     CY_Click(form)          reads Text1 afresh at each of its four steps
//      not a number  -> "error" into Text2, nothing else
//      outside 0-360 -> kRangeError into Text2, Text3, Text4, Text5
//      otherwise     -> ConvertAngle(form) reads Text1 once and the π text, and writes
//                       Text2 (deg-min-sec), Text3 (× π rad), Text5 (rad), Text4 (grads)
//   -> Outcome: what the click wrote, for a screen reader, and any error's report
//
// Every step goes through the value operations of value.h and the texts of
// controls.h, so the whole road runs without a window.

#include <string_view>

#include "controls.h"

namespace pemdra {

/// Written into Text2 when the input is not a number.
inline constexpr std::u16string_view kNotNumberError = u"error";
/// Written into every result box when the input is a number outside 0 to 360, and
/// into Text5 when the π text is not a usable number.
inline constexpr std::u16string_view kRangeError = u"Σφάλμα, δώσε έγκυρο αριθμό.";

/// The conversion button's handler: checks that Text1 holds a number from 0 to 360
/// and converts it, or writes the error texts.
void CY_Click(Controls& form);

/// Writes the four notations of the angle in Text1 into Text2, Text3, Text5 and
/// Text4, in that order. Expects Text1 to hold a number from 0 to 360.
void ConvertAngle(Controls& form);

}  // namespace pemdra
