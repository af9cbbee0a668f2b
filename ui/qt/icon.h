// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

#include <array>
#include <cstdint>

namespace pemdra::ui {

/// One size of the window icon, decoded at build time: size × size ARGB32 pixels.
struct IconImage {
  int size;
  const std::uint32_t* pixels;
};

inline constexpr std::size_t kIconSizes = 5;  // 16, 24, 32, 48 and 64 pixels

/// The decoded sizes, smallest first (generated from ui/resources/icons).
const std::array<IconImage, kIconSizes>& iconImages();

/// The window icon in every decoded size; needs no image reader at run time.
QIcon windowIcon();

}  // namespace pemdra::ui
