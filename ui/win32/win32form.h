// SPDX-License-Identifier: MIT
#pragma once

// The window description of form.h in the Windows API's terms.

#include <windows.h>

#include <string>
#include <string_view>

#include "dpi.h"
#include "form.h"

namespace pemdra::win32 {

inline constexpr const wchar_t* kWindowClass = L"pemdra";

/// Registers the window's class: its procedure, icon and form colour.
void registerWindowClass(HINSTANCE instance, WNDPROC procedure, HBRUSH background);

/// A control's id is its row in the window description plus this: clear of IDOK
/// and IDCANCEL, so the dialog keys of IsDialogMessage reach no control.
inline constexpr int kFirstControlId = 100;

/// The id of the control of that name, or -1.
int controlId(std::string_view name);

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

inline COLORREF toColorRef(form::Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

/// Where a control lies in the client area at that dpi; the line is a band of
/// form::kLineWidth pixels (at 96 dpi) centred on its y, ends included.
RECT controlRect(const form::Control& control, UINT dpi);

/// The room a control's caption has at that dpi: a label's whole rectangle, a
/// button's less its frame.
SIZE captionRoom(const form::Control& control, UINT dpi);

/// The face of every control at that dpi: form::kFontFace where Windows gives it with
/// Greek glyphs and every caption fits its room; otherwise the first sans-serif face
/// with Greek glyphs in which they all fit (or, where none does, the one that cuts
/// the least). Measured on `dc`.
std::wstring controlFace(HDC dc, UINT dpi);

/// The control's font in that face at that dpi, with the Greek character set.
HFONT createFont(const form::Control& control, UINT dpi, const std::wstring& face);

}  // namespace pemdra::win32
