// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "controls.h"

namespace pemdra {

// The on-screen keypad's handlers. Each reads Text1 once and writes it at most
// once; none checks what it produces (a second comma, a leading zero, letters typed
// before): whether the text is an angle is decided only by the conversion.

/// The digit keys and the decimal comma (C0 ... C9, Ca), one handler for all: appends
/// the key's text, the `typed` of its row in kButtons, to Text1. The two are added as
/// texts, so 12 and 3 give 123, never 15.
void typeKey(Controls& form, std::u16string_view typed);
/// "AC": clears the input.
Handler Cb_Click;
/// "C": removes the last code point (both halves of a surrogate pair together);
/// writes nothing when the input is empty. For every text the keypad or a person
/// typing digits makes, that is the last character; of a sequence drawn as one
/// symbol (a flag, an emoji with a skin-tone modifier, a letter with a combining
/// accent) it removes only the last code point.
Handler CAC_Click;

}  // namespace pemdra
