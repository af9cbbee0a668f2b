// SPDX-License-Identifier: MIT
#pragma once

#include "controls.h"

namespace pemdra::web {

/// The window's texts for the handlers, kept in the page's own elements: every read
/// and write crosses to the page (webimports.js), which answers whether the element
/// was there to read or write.
class WebControls final : public Controls {
 private:
  std::optional<std::u16string> readText(TextBox box) override;
  bool writeText(TextBox box, std::u16string_view text) override;
  std::optional<std::u16string> readComboText() override;
  bool appendComboItem(std::u16string_view item) override;
};

}  // namespace pemdra::web
