// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string_view>

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

/// One key of the keypad: its button, what it does, and its handler.
struct KeypadKey {
  std::string_view button;    ///< the button's control name
  std::u16string_view typed;  ///< the text it appends; empty for "AC" and "C"
  void (*click)(Controls&);
};

inline constexpr std::array<KeypadKey, 13> kKeypad = {{
    {"C0", u"0", &C0_Click},
    {"C1", u"1", &C1_Click},
    {"C2", u"2", &C2_Click},
    {"C3", u"3", &C3_Click},
    {"C4", u"4", &C4_Click},
    {"C5", u"5", &C5_Click},
    {"C6", u"6", &C6_Click},
    {"C7", u"7", &C7_Click},
    {"C8", u"8", &C8_Click},
    {"C9", u"9", &C9_Click},
    {"Ca", u",", &Ca_Click},
    {"Cb", u"", &Cb_Click},
    {"CAC", u"", &CAC_Click},
}};

}  // namespace pemdra
