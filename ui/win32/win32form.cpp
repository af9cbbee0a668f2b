// SPDX-License-Identifier: MIT
#include "win32form.h"

#include <cmath>

namespace pemdra::win32 {

int controlId(std::string_view name) {
  const auto& controls = form::controls();
  for (std::size_t row = 0; row < controls.size(); ++row) {
    if (controls[row].name == name) return kFirstControlId + static_cast<int>(row);
  }
  return -1;
}

const form::Control* controlOfId(int id) {
  const auto& controls = form::controls();
  const int row = id - kFirstControlId;
  if (row < 0 || row >= static_cast<int>(controls.size())) return nullptr;
  return &controls[static_cast<std::size_t>(row)];
}

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
  return text;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int size = static_cast<int>(utf16.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

RECT controlRect(const form::Control& control, UINT dpi) {
  const int left = scaled(control.left, dpi);
  const int top = scaled(control.top, dpi);
  if (control.kind == form::ControlKind::Line) {
    const int width = MulDiv(form::kLineWidth, static_cast<int>(dpi), 96);
    return {left, top - width / 2, left + scaled(control.width, dpi) + 1, top - width / 2 + width};
  }
  return {left, top, left + scaled(control.width, dpi), top + scaled(control.height, dpi)};
}

HFONT createFont(const form::Control& control, UINT dpi) {
  const int height = -static_cast<int>(std::lround(control.pointSize * dpi / 72.0));
  LOGFONTW font{};
  font.lfHeight = height;
  font.lfWeight = control.bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = static_cast<BYTE>(form::kGreekCharset);
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
  const std::wstring face = widen(form::kFontFace);
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

}  // namespace pemdra::win32
