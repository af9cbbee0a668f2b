// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "wnd.h"

namespace pemdra::win32 {

/// The π field, Combo1: a drop-down whose field is the row's height and whose list
/// opens beneath it, taking up to kTextLimit characters (a longer paste refused whole). Opening the
/// list, and closing it after typing, would put the first item that starts with the typed text in
/// the field: what was typed is put back. An item picked with the arrows or the mouse is the user's
/// choice.
struct PiDropDown final : Wnd {
  /// The field took the focus.
  std::function<void()> onFocus;

  bool create(const CreateArgs& args);
  [[nodiscard]] bool listOpen() const;

  bool owns(HWND window) const override;
  void onCommand(WORD notification) override;
  void onPosted(WPARAM argument) override;
  void place(UINT dpi, HFONT font) override;
  void nameForScreenReaders() override;

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  LONG accessibleRole(HWND window) const override;
  /// The field is its item's height and edges of the system's choosing: the item is
  /// set, the field measured, and the item corrected by what is missing or too much.
  void fitField() const;
  [[nodiscard]] std::wstring text() const;

  HWND m_edit = nullptr;
  HWND m_list = nullptr;
  /// What was typed while the list was open, kept through the list's closing.
  std::wstring m_typed;
  bool m_typedInList = false;
};

}  // namespace pemdra::win32
