// SPDX-License-Identifier: MIT
#pragma once

// The window's fonts and brushes, each made once and deleted with its cache.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "form.h"

namespace pemdra::win32 {

/// The controls' fonts at one dpi, in the face controlFace() picks for it: the table
/// has four among its 24 controls, each made when first asked for.
class FontCache final {
 public:
  FontCache() = default;
  /// The face is measured on `window`'s device context.
  FontCache(HWND window, UINT dpi);
  ~FontCache();
  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;
  FontCache(FontCache&& other) noexcept;
  FontCache& operator=(FontCache&& other) noexcept;

  HFONT font(const form::Control& control);

 private:
  void release();

  UINT m_dpi = form::kBaseDpi;
  std::wstring m_face;
  std::vector<std::pair<std::pair<double, bool>, HFONT>> m_fonts;  ///< by points and weight
};

/// Solid brushes by colour.
class BrushCache final {
 public:
  BrushCache() = default;
  ~BrushCache();
  BrushCache(const BrushCache&) = delete;
  BrushCache& operator=(const BrushCache&) = delete;
  BrushCache(BrushCache&&) = delete;
  BrushCache& operator=(BrushCache&&) = delete;

  HBRUSH brush(form::Rgb colour);

 private:
  std::vector<std::pair<COLORREF, HBRUSH>> m_brushes;
};

}  // namespace pemdra::win32
