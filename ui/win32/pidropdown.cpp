// SPDX-License-Identifier: MIT
#include "pidropdown.h"

#include <commctrl.h>
#include <oleacc.h>

#include "win32form.h"

namespace pemdra::win32 {
namespace {

/// How far the list reaches beneath the field, in pixels at 96 dpi: the window's height
/// given to a drop-down holds its list too.
constexpr int kListHeight = 120;

}  // namespace

bool PiDropDown::create(const CreateArgs& args) {
  if (!Wnd::create(args, WC_COMBOBOXW,
                   WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0,
                   scaled(kListHeight, args.dpi, form::kBaseDpi))) {
    return false;
  }
  SendMessageW(hwnd, CB_LIMITTEXT, kTextLimit, 0);
  COMBOBOXINFO parts{};
  parts.cbSize = sizeof parts;
  if (GetComboBoxInfo(hwnd, &parts) != FALSE) {
    m_edit = parts.hwndItem;
    m_list = parts.hwndList;
  }
  fitField();
  return true;
}

bool PiDropDown::listOpen() const { return SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }

bool PiDropDown::owns(HWND window) const {
  return window != nullptr && (window == hwnd || window == m_edit || window == m_list);
}

void PiDropDown::onCommand(WORD notification) {
  switch (notification) {
    case CBN_DROPDOWN:
      m_typed = text();
      PostMessageW(GetParent(hwnd), kReflectPosted, 1, reinterpret_cast<LPARAM>(hwnd));
      break;
    case CBN_EDITUPDATE:
      m_typedInList = listOpen();
      if (m_typedInList) m_typed = text();
      break;
    case CBN_SELCHANGE:
      m_typedInList = false;
      break;
    case CBN_CLOSEUP:
      if (m_typedInList) {
        PostMessageW(GetParent(hwnd), kReflectPosted, 0, reinterpret_cast<LPARAM>(hwnd));
      }
      break;
    case CBN_SETFOCUS:
      if (onFocus) onFocus();
      break;
    case CBN_KILLFOCUS:  // a picked item's selection does not stay lit once focus moves on
      SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(-1, 0));
      break;
    default:
      break;
  }
}

void PiDropDown::onPosted(WPARAM argument) {
  // 1: the list has just opened; 0: it has closed after typing.
  if (argument == 0 && !m_typedInList) return;
  m_typedInList = false;
  if (text() == m_typed) return;
  SetWindowTextW(hwnd, m_typed.c_str());
  const auto end = static_cast<WORD>(m_typed.size());
  SendMessageW(hwnd, CB_SETEDITSEL, 0, MAKELPARAM(end, end));
}

void PiDropDown::place(UINT dpi, HFONT font) {
  placeAt(dpi, font, scaled(kListHeight, dpi, form::kBaseDpi));
  fitField();
}

void PiDropDown::nameForScreenReaders() {
  subclass(hwnd);
  subclass(m_edit);  // named as its box is, as a text
}

LRESULT PiDropDown::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == m_edit && refusesPaste(window, message, wParam)) return 0;
  return Wnd::onMessage(window, message, wParam, lParam);
}

LONG PiDropDown::accessibleRole(HWND window) const {
  return window == hwnd ? ROLE_SYSTEM_COMBOBOX : ROLE_SYSTEM_TEXT;
}

void PiDropDown::fitField() const {
  const RECT rect = controlRect(*row, m_dpi);
  const int height = rect.bottom - rect.top;
  auto item = static_cast<int>(SendMessageW(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int tries = 0; tries < 3; ++tries) {
    RECT field{};
    GetWindowRect(hwnd, &field);
    const int missing = height - (field.bottom - field.top);
    if (missing == 0 || item + missing < 1) return;
    item += missing;
    SendMessageW(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  }
}

std::wstring PiDropDown::text() const {
  std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  typed.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, typed.data(), static_cast<int>(typed.size()))));
  return typed;
}

}  // namespace pemdra::win32
