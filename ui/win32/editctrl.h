// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "wnd.h"

namespace pemdra::win32 {

/// A text box: an edit control of one line, aligned as its row says, taking up to
/// kTextLimit characters; a longer paste is refused whole. Focused, it shows a frame in its text
/// colour over its sunken edge, so it is subclassed from its creation.
struct EditCtrl final : Wnd {
  /// The box took the focus.
  std::function<void()> onFocus;

  bool create(const CreateArgs& args);

 private:
  void onCommand(WORD notification) override;
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LONG accessibleRole(HWND window) const override;
  void paintFocusFrame() const;
};

}  // namespace pemdra::win32
