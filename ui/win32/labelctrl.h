// SPDX-License-Identifier: MIT
#pragma once

#include "wnd.h"

namespace pemdra::win32 {

/// A label: a static text of one line with its row's caption, no mnemonics.
struct LabelCtrl final : Wnd {
  bool create(const CreateArgs& args);

 private:
  LONG accessibleRole(HWND window) const override;
};

}  // namespace pemdra::win32
