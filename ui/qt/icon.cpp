// SPDX-License-Identifier: MIT
#include "icon.h"

#include <QImage>
#include <QPixmap>

namespace pemdra::qt {

QIcon windowIcon() {
  QIcon icon;
  for (const IconImage& image : iconImages()) {
    // The pixels are static, so the image may point at them without a copy.
    const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.size, image.size,
                        QImage::Format_ARGB32);
    icon.addPixmap(QPixmap::fromImage(pixels));
  }
  return icon;
}

}  // namespace pemdra::qt
