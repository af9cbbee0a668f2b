// SPDX-License-Identifier: MIT
#pragma once

#include "controls.h"

namespace pemdra {

// The on-screen keypad's handlers. Each reads Text1 once and writes it at most
// once; none checks what it produces (a second comma, a leading zero, letters typed
// before): whether the text is an angle is decided only by the conversion.
void C0_Click(Controls& form);
void C1_Click(Controls& form);
void C2_Click(Controls& form);
void C3_Click(Controls& form);
void C4_Click(Controls& form);
void C5_Click(Controls& form);
void C6_Click(Controls& form);
void C7_Click(Controls& form);
void C8_Click(Controls& form);
void C9_Click(Controls& form);
/// Appends the decimal comma.
void Ca_Click(Controls& form);
/// "AC": clears the input.
void Cb_Click(Controls& form);
/// "C": removes the last code point (both halves of a surrogate pair together);
/// writes nothing when the input is empty. For every text the keypad or a person
/// typing digits makes, that is the last character; of a sequence drawn as one
/// symbol (a flag, an emoji with a skin-tone modifier, a letter with a combining
/// accent) it removes only the last code point.
void CAC_Click(Controls& form);

}  // namespace pemdra
