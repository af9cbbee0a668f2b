// SPDX-License-Identifier: MIT
#include "gdicache.h"

#include "win32form.h"

namespace pemdra::win32 {

FontCache::FontCache(HWND window, UINT dpi) : m_dpi(dpi) {
  const HDC dc = GetDC(window);
  m_face = controlFace(dc, dpi);
  ReleaseDC(window, dc);
}

FontCache::~FontCache() { release(); }

FontCache::FontCache(FontCache&& other) noexcept
    : m_dpi(other.m_dpi), m_face(std::move(other.m_face)), m_fonts(std::move(other.m_fonts)) {
  other.m_fonts.clear();
}

FontCache& FontCache::operator=(FontCache&& other) noexcept {
  if (this != &other) {
    release();
    m_dpi = other.m_dpi;
    m_face = std::move(other.m_face);
    m_fonts = std::move(other.m_fonts);
    other.m_fonts.clear();
  }
  return *this;
}

void FontCache::release() {
  for (const auto& [key, font] : m_fonts) DeleteObject(font);
  m_fonts.clear();
}

HFONT FontCache::font(const form::Control& control) {
  const std::pair<double, bool> key{control.pointSize, control.bold};
  for (const auto& [known, font] : m_fonts) {
    if (known == key) return font;
  }
  return m_fonts.emplace_back(key, createFont(control, m_dpi, m_face)).second;
}

BrushCache::~BrushCache() {
  for (const auto& [colour, handle] : m_brushes) DeleteObject(handle);
}

HBRUSH BrushCache::brush(form::Rgb colour) {
  const COLORREF value = toColorRef(colour);
  for (const auto& [known, handle] : m_brushes) {
    if (known == value) return handle;
  }
  return m_brushes.emplace_back(value, CreateSolidBrush(value)).second;
}

}  // namespace pemdra::win32
