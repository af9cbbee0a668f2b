// SPDX-License-Identifier: MIT
#pragma once

#include "form.h"

class QColor;
class QWidget;

namespace pemdra::ui {

/// The least contrast a text must have with its background to read well.
inline constexpr double kMinimumTextContrast = form::kMinimumTextContrast;

/// The contrast ratio of two colours by their relative luminance: 1 for equal
/// colours, 21 for black and white.
double contrastRatio(const QColor& first, const QColor& second);

/// Keeps the window legible under any desktop colour scheme, now and after the
/// scheme changes. Label2's text takes the system's label colour where it reads on
/// the label's pink, and black where it does not; a text box with the keyboard
/// focus shows a frame in its own text colour. No fixed colour of the window
/// changes. Call once the window's controls exist.
void keepLegible(QWidget& window);

}  // namespace pemdra::ui
