// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

namespace pemdra::qt {

/// Keeps the window legible under any desktop colour scheme, now and after the
/// scheme changes. Label2's text takes the system's label colour where it reads on
/// the label's pink, and black where it does not (form::readableText); a text box with the keyboard
/// focus shows a frame in its own text colour. No fixed colour of the window
/// changes. Call once the window's controls exist.
void keepLegible(QWidget& window);

}  // namespace pemdra::qt
