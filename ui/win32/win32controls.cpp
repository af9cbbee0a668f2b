// SPDX-License-Identifier: MIT
#include "win32controls.h"

#include <string>

namespace pemdra::win32 {
namespace {

// wchar_t is 16 bits wide on Windows: both string types hold the same UTF-16 units.
std::wstring toWide(std::u16string_view text) { return {text.begin(), text.end()}; }

std::optional<std::u16string> windowText(HWND window) {
  if (IsWindow(window) == FALSE) return std::nullopt;
  // Both calls answer 0 for an empty text too; only the last error tells a failure.
  SetLastError(ERROR_SUCCESS);
  const int length = GetWindowTextLengthW(window);
  if (length == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SetLastError(ERROR_SUCCESS);
  const int read = GetWindowTextW(window, text.data(), length + 1);
  if (read == 0 && GetLastError() != ERROR_SUCCESS) return std::nullopt;
  text.resize(static_cast<std::size_t>(read));
  return std::u16string(text.begin(), text.end());
}

}  // namespace

std::optional<std::u16string> Win32Controls::readText(TextBox box) {
  return windowText(m_textBoxes.at(static_cast<std::size_t>(box)));
}

bool Win32Controls::writeText(TextBox box, std::u16string_view text) {
  const HWND edit = m_textBoxes.at(static_cast<std::size_t>(box));
  return IsWindow(edit) != FALSE && SetWindowTextW(edit, toWide(text).c_str()) != FALSE;
}

std::optional<std::u16string> Win32Controls::readComboText() { return windowText(m_combo); }

bool Win32Controls::appendComboItem(std::u16string_view item) {
  if (IsWindow(m_combo) == FALSE) return false;
  const std::wstring text = toWide(item);
  // -1 appends whatever the list's style; CB_ERR and CB_ERRSPACE are negative.
  return SendMessageW(m_combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(text.c_str())) >= 0;
}

}  // namespace pemdra::win32
