// SPDX-License-Identifier: MIT
#pragma once

// What formmarkup's two halves share: the markup (formmarkup.cpp) and the style
// (formstyle.cpp) of the page's form, both written from the window's table.

#include <string>
#include <string_view>

#include "form.h"

namespace pemdra::web {

/// The text with &, <, > and " escaped, for markup and its attributes.
std::string escaped(std::string_view text);
/// "#rrggbb".
std::string colour(form::Rgb rgb);
/// The media queries of the two layouts: the table's window, and the touch layout.
struct Queries {
  std::string desktop, touch;
};
Queries queries();
/// The form's style: the table's window from its width up, the touch layout below.
void writeStyle();

}  // namespace pemdra::web
