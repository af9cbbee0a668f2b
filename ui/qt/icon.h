// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

#include <cstdint>
#include <span>

namespace pemdra::qt {

/// One size of the window icon, decoded at build time: size × size ARGB32 pixels.
struct IconImage {
  int size;
  const std::uint32_t* pixels;
};

/// The decoded sizes, smallest first: those ui/qt/CMakeLists.txt names, generated
/// from ui/resources/icons.
std::span<const IconImage> iconImages();

/// The window icon in every decoded size; needs no image reader at run time.
QIcon windowIcon();

}  // namespace pemdra::qt
