// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

#include "wnd.h"

namespace pemdra::win32 {

/// A command button: a push button with its row's caption.
struct ButtonCtrl final : Wnd {
  /// The button was clicked, with the mouse, Space or Enter.
  std::function<void()> onClick;

  bool create(const CreateArgs& args);
  /// Takes back the default frame the keyboard gave the button when the focus moved on:
  /// this window has no default button.
  void dropDefaultFrame() const;

 private:
  void onCommand(WORD notification) override;
  LONG accessibleRole(HWND window) const override;
};

}  // namespace pemdra::win32
