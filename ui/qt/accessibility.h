// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace pemdra::qt {

/// What a screen reader needs of the window beyond the widgets' own names: the
/// window as a window named by its title, Line1 as a separator, each caption tied
/// to its box (Label1 to Text1, Label3 to Combo1), Label2 as the heading of the
/// four result boxes (each named by its own unit), and the object that announces
/// a conversion's lines. Call once the window's controls exist.
void setUpAccessibility(QWidget& window);

/// Tells a screen reader what a click wrote into the result boxes (the core's
/// announcement, one line a box) without moving the focus, even when it is what
/// they held before: a notification named by the lines shows itself, and the lines
/// become the accessible description of the conversion button, which holds the
/// focus after a click.
void announceResults(QWidget& window, const QString& lines);

}  // namespace pemdra::qt
