// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>

#include <array>
#include <optional>
#include <string_view>

namespace pemdra::ui {

/// The form's coordinates are in twips: 15 of them make one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

enum class ControlKind { TextBox, CommandButton, Label, ComboBox, Line };

/// One control of the window, as the window description gives it.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;      ///< UTF-8; the initial text of text boxes is empty
  int left, top, width, height;  ///< twips; a line gives its two ends' span, height 0
  int tabIndex;                  ///< -1 for the line, which takes no focus
  double pointSize;              ///< 0 for the line
  bool bold;
  std::optional<QColor> foreground;  ///< nothing: the system's colour for the kind
  std::optional<QColor> background;
  Qt::Alignment alignment;
  std::string_view accessibleName;  ///< UTF-8, Greek like the rest of the window

  /// The rectangle in device-independent pixels.
  [[nodiscard]] constexpr QRect rect() const {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
  }
};

inline const QColor kFormColour{255, 128, 128};
inline const QString kFormTitle = QStringLiteral("Μετατροπέας");
inline constexpr int kClientWidth = 7050 / kTwipsPerPixel;   // 470
inline constexpr int kClientHeight = 5490 / kTwipsPerPixel;  // 366
inline constexpr int kLineWidth = 5;                         // pixels

/// The 24 controls, in tab order, the line last.
const std::array<ControlSpec, 24>& formControls();

/// The font of a control: "MS Sans Serif" first, then a sans-serif face with Greek glyphs.
QFont controlFont(const ControlSpec& control);

}  // namespace pemdra::ui
