// SPDX-License-Identifier: MIT
#pragma once

// The one description of the window `pemdra`: its own settings and its 24 controls.
// The front-ends (ui/qt, ui/win32 and ui/web) build their controls from it, so a difference
// between two windows is a bug in one front-end, never a second table. Standard
// C++ only: colours as RGB, alignment as the program's own enum, texts as UTF-8.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace pemdra::form {

/// The form's coordinates are in twips: 1440 to the inch, so 15 of them make one pixel
/// at 96 dpi, the dpi at which the table's pixels are given.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kBaseDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kBaseDpi;
inline constexpr int kPointsPerInch = 72;

/// A length of `length` units, `perInch` of which make an inch, in pixels at `dpi`,
/// rounded to the nearest pixel (halves away from zero).
[[nodiscard]] constexpr int pixelsAt(int dpi, int length, int perInch = kTwipsPerInch) {
  const long long scaled = static_cast<long long>(length) * dpi;
  const long long half = perInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / perInch : (scaled - half) / perInch);
}

enum class ControlKind { TextBox, CommandButton, Label, ComboBox, Line };

/// Where a control shows its text. Labels lie at the top left of their rectangle;
/// every other control centres its text vertically.
enum class Alignment { Left, Right, Centre, TopLeft };

struct Rgb {
  std::uint8_t red, green, blue;
  friend constexpr bool operator==(Rgb, Rgb) = default;
};

/// A rectangle in pixels at 96 dpi.
struct PixelRect {
  int left, top, width, height;
  friend constexpr bool operator==(PixelRect, PixelRect) = default;
};

/// One control of the window, as the window description gives it.
struct Control {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;      ///< UTF-8; the initial text of text boxes is empty
  int left, top, width, height;  ///< twips; a line gives its two ends' span, height 0
  int tabIndex;                  ///< -1 for the line, which takes no focus
  double pointSize;              ///< 0 for the line
  bool bold;
  std::optional<Rgb> foreground;  ///< nothing: the system's colour for the kind
  std::optional<Rgb> background;
  Alignment alignment;
  std::string_view accessibleName;  ///< UTF-8, Greek like the rest of the window

  /// Where the control lies in the client area, in pixels at `dpi`. The line is a band
  /// of kLineWidth pixels (at 96 dpi) centred on its y, both ends included.
  [[nodiscard]] constexpr PixelRect pixels(int dpi = kBaseDpi) const;
  /// Labels and the line are drawn on the form itself, beneath every other control.
  [[nodiscard]] constexpr bool drawnOnForm() const {
    return kind == ControlKind::Label || kind == ControlKind::Line;
  }
  /// Whether Tab stops at the control: every control but the labels and the line.
  [[nodiscard]] constexpr bool takesFocus() const { return !drawnOnForm(); }
  /// A text in the system's colour over a background of the table's own: Label2's on
  /// the pink. Only there may the system's colour not read, so the front-ends give it
  /// through readableText().
  [[nodiscard]] constexpr bool systemTextOnOwnBackground() const {
    return kind != ControlKind::Line && !foreground && background;
  }
};

inline constexpr std::string_view kName = "pemdra";
inline constexpr std::string_view kTitle = "Μετατροπέας";  // UTF-8
inline constexpr Rgb kFormColour{255, 128, 128};
inline constexpr int kClientWidthTwips = 7050;
inline constexpr int kClientHeightTwips = 5490;
inline constexpr int kClientWidth = kClientWidthTwips / kTwipsPerPixel;    // 470
inline constexpr int kClientHeight = kClientHeightTwips / kTwipsPerPixel;  // 366
inline constexpr int kLineWidth = 5;                                       // pixels
/// The face of every control; where it is missing, each front-end picks a
/// sans-serif face with Greek glyphs in which every caption fits its rectangle.
inline constexpr std::string_view kFontFace = "MS Sans Serif";
inline constexpr int kGreekCharset = 161;
/// Where kFontFace is missing: sans-serif faces with Greek glyphs, narrow ones first,
/// in which every caption fits its rectangle at the table's sizes (Label1 takes 241 of
/// its 257 pixels in Liberation Sans Narrow); then wider ones, which cut Label1's end,
/// for systems that have none of those. A front-end may append its platform's own.
inline constexpr std::array<std::string_view, 6> kFallbackFaces = {
    "Liberation Sans Narrow", "Nimbus Sans Narrow", "Roboto Condensed",
    "Arial Narrow",           "Liberation Sans",    "DejaVu Sans"};

/// The title of the message that shows an error no handler trapped.
inline constexpr std::string_view kErrorTitle = "Σφάλμα εκτέλεσης";  // UTF-8

/// The least contrast a text must have with its background to read well.
inline constexpr double kMinimumTextContrast = 4.5;
/// The frame a focused text box shows in its own text colour, in pixels at 96 dpi:
/// a system's own focus mark can vanish on the black boxes.
inline constexpr int kFocusFrameWidth = 2;

/// The contrast ratio of two colours by their relative luminance: 1 for equal
/// colours, 21 for black and white.
double contrastRatio(Rgb first, Rgb second);

/// The colour for a text the system colours (`system`) over `background`: the
/// system's where it reads, black where it does not.
Rgb readableText(Rgb system, Rgb background);

/// How screen readers are told which caption names which box: Label1 and Label3
/// name their fields; Label2 is the heading of the four result boxes (the core's
/// kResultBoxes, in their order on screen).
struct CaptionTie {
  std::string_view label, box;
};
inline constexpr std::array<CaptionTie, 2> kCaptionTies = {
    {{"Label1", "Text1"}, {"Label3", "Combo1"}}};
inline constexpr std::string_view kResultsHeading = "Label2";

inline constexpr std::size_t kControlCount = 24;

/// The 24 controls, in tab order, the line last.
const std::array<Control, kControlCount>& controls();

/// The control of that name, or nullptr.
const Control* find(std::string_view name);

/// The controls that take the focus, in the order Tab walks them: by tab index. The
/// labels keep the tab indexes the table gives them but take no focus, as labels never
/// do; the line has none. Every front-end makes its focusable controls in this order
/// and the ones drawnOnForm() apart, beneath them.
const std::vector<const Control*>& tabOrder();

constexpr PixelRect Control::pixels(int dpi) const {
  const int x = pixelsAt(dpi, left);
  const int y = pixelsAt(dpi, top);
  if (kind == ControlKind::Line) {
    const int band = pixelsAt(dpi, kLineWidth, kBaseDpi);
    return {x, y - band / 2, pixelsAt(dpi, width) + 1, band};
  }
  return {x, y, pixelsAt(dpi, width), pixelsAt(dpi, height)};
}

}  // namespace pemdra::form
