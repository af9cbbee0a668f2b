// SPDX-License-Identifier: MIT
#pragma once

#include <QStringList>

class QWidget;

namespace pemdra::ui {

/// What a screen reader needs of the window beyond the widgets' own names: the
/// window as a window named by its title, Line1 as a separator, each caption tied
/// to its box (Label1 to Text1, Label3 to Combo1), Label2 as the heading of the
/// four result boxes (each named by its own unit), and the object that announces
/// a conversion's lines. Call once the window's controls exist.
void setUpAccessibility(QWidget& window);

/// The four result lines in their order on screen: Text2, Text3, Text5, Text4.
QStringList resultLines(const QWidget& window);

/// Tells a screen reader the result lines of a conversion without moving the
/// focus, even when they are those of the previous conversion: a notification
/// named by the lines shows itself, and the lines become the accessible
/// description of the conversion button, which holds the focus after a click.
void announceResults(QWidget& window);

}  // namespace pemdra::ui
