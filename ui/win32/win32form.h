// SPDX-License-Identifier: MIT
#pragma once

// The window description of form.h in the Windows API's terms.

#include <windows.h>

#include <string>
#include <string_view>

#include "form.h"

namespace pemdra::win32 {

inline constexpr const wchar_t* kWindowClass = L"pemdra";

/// A control's id is its row in the window description plus this: clear of IDOK
/// and IDCANCEL, so the dialog keys of IsDialogMessage reach no control.
inline constexpr int kFirstControlId = 100;

/// The id of the control of that name, or -1.
int controlId(std::string_view name);
/// The row of the window description for a control id, or nullptr.
const form::Control* controlOfId(int id);

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

inline COLORREF toColorRef(form::Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

/// Twips to pixels at a monitor's dpi (1440 twips to the inch).
inline int scaled(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

/// Where a control lies in the client area at that dpi; the line is a band of
/// form::kLineWidth pixels (at 96 dpi) centred on its y, ends included.
RECT controlRect(const form::Control& control, UINT dpi);

/// The control's font at that dpi: form::kFontFace with the Greek character set, so
/// Windows' font mapping picks the face where that one is missing.
HFONT createFont(const form::Control& control, UINT dpi);

}  // namespace pemdra::win32
