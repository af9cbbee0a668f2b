// SPDX-License-Identifier: MIT
#pragma once

#include <windows.h>

#include <string>

namespace pemdra::win32 {

/// What a screen reader asks a control for (WM_GETOBJECT) answered with Windows' own
/// accessible object for it, save its name and role, which are the ones given: a
/// label lying beneath the control would otherwise name it, or nothing would. Call
/// from the control's window procedure; 0 where the control's own answer stands.
LRESULT accessibleObject(HWND control, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                         LONG role);

}  // namespace pemdra::win32
