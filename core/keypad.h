// SPDX-License-Identifier: MIT
#pragma once

#include "controls.h"

namespace pemdra {

// The on-screen keypad's handlers. Each reads Text1 once and writes it at most
// once; none checks what it produces (a second comma, a leading zero, letters typed
// before): whether the text is an angle is decided only by the conversion.

/// The digit keys and the decimal comma: each appends its caption.
Handler C0_Click, C1_Click, C2_Click, C3_Click, C4_Click, C5_Click, C6_Click, C7_Click, C8_Click,
    C9_Click, Ca_Click;
/// "AC": clears the input.
Handler Cb_Click;
/// "C": removes the last code point (both halves of a surrogate pair together);
/// writes nothing when the input is empty. For every text the keypad or a person
/// typing digits makes, that is the last character; of a sequence drawn as one
/// symbol (a flag, an emoji with a skin-tone modifier, a letter with a combining
/// accent) it removes only the last code point.
Handler CAC_Click;

}  // namespace pemdra
