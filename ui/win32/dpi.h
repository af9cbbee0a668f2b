// SPDX-License-Identifier: MIT
#pragma once

// Lengths at a monitor's dpi: the table's twips and points, and the window's frame.

#include <windows.h>

#include <cmath>

#include "form.h"

namespace pemdra::win32 {

/// A length in pixels at `dpi`: `length` units, `perInch` of which make an inch; twips by
/// default (the table's rectangles), form::kBaseDpi for pixels given at 96 dpi.
inline int scaled(int length, UINT dpi, int perInch = form::kTwipsPerInch) {
  return form::pixelsAt(static_cast<int>(dpi), length, perInch);
}

/// A font size in twips, 20 to the point, for scaled(): the table's sizes (13.5, 9.75,
/// 8.25 points) are whole twips.
inline int pointTwips(double points) {
  return static_cast<int>(std::lround(points * form::kTwipsPerInch / form::kPointsPerInch));
}

/// The window's dpi: its monitor's where Windows has per-monitor dpi (10, 1607 on),
/// the system's otherwise.
UINT windowDpi(HWND hwnd);

/// The dpi of a window not made yet: the system's (its primary monitor's).
UINT systemDpi();

/// The size of a window of `style` whose client area is the form's at that dpi.
SIZE frameSize(DWORD style, UINT dpi);

/// Where a window of `style` lies at that dpi centred on the monitor's work area,
/// frame included.
RECT centredFrame(HMONITOR monitor, DWORD style, UINT dpi);

/// Moves the window there on its own monitor, where it is not already.
void placeCentred(HWND hwnd, DWORD style, UINT dpi);

/// Corrects the window's size where its frame turns out other than computed, so that
/// its client area is still the form's at that dpi.
void fitClientArea(HWND hwnd, UINT dpi);

}  // namespace pemdra::win32
