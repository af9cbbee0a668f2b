// SPDX-License-Identifier: MIT
#include "form.h"

#include <QFont>
#include <QStringList>

namespace pemdra::ui {
namespace {

using enum ControlKind;

const QColor kWhite{255, 255, 255};
const QColor kBlack{0, 0, 0};
const QColor kGrey{128, 128, 128};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;

}  // namespace

const std::array<ControlSpec, 24>& formControls() {
  // name, kind, caption, left, top, width, height (twips), tab index, points, bold,
  // text colour, background colour, alignment, accessible name
  static const std::array<ControlSpec, 24> kControls = {{
      {"Text1", TextBox, "", 120, 720, 4575, 495, 0, 13.5, false, kWhite, kBlack, kRight,
       "γωνία σε δεκαδικές μοίρες"},
      {"Text2", TextBox, "", 120, 3120, 6855, 495, 1, 13.5, false, kWhite, kBlack, kCentre,
       "μοίρες, λεπτά, δευτερόλεπτα"},
      {"Text3", TextBox, "", 120, 3720, 6855, 495, 2, 13.5, false, kWhite, kBlack, kCentre,
       "ακτίνια ως πολλαπλάσιο του π"},
      {"Text4", TextBox, "", 120, 4920, 6855, 495, 3, 13.5, false, kWhite, kBlack, kCentre,
       "βαθμοί"},
      {"C1", CommandButton, "1", 4920, 120, 615, 495, 4, 13.5, true, {}, {}, kCentre, "1"},
      {"C2", CommandButton, "2", 5640, 120, 615, 495, 5, 13.5, true, {}, {}, kCentre, "2"},
      {"C3", CommandButton, "3", 6360, 120, 615, 495, 6, 13.5, true, {}, {}, kCentre, "3"},
      {"C4", CommandButton, "4", 4920, 720, 615, 495, 7, 13.5, true, {}, {}, kCentre, "4"},
      {"C5", CommandButton, "5", 5640, 720, 615, 495, 8, 13.5, true, {}, {}, kCentre, "5"},
      {"C6", CommandButton, "6", 6360, 720, 615, 495, 9, 13.5, true, {}, {}, kCentre, "6"},
      {"C7", CommandButton, "7", 4920, 1320, 615, 495, 10, 13.5, true, {}, {}, kCentre, "7"},
      {"C8", CommandButton, "8", 5640, 1320, 615, 495, 11, 13.5, true, {}, {}, kCentre, "8"},
      {"C9", CommandButton, "9", 6360, 1320, 615, 495, 12, 13.5, true, {}, {}, kCentre, "9"},
      {"Cb",
       CommandButton,
       "AC",
       4200,
       1920,
       615,
       495,
       13,
       13.5,
       true,
       {},
       {},
       kCentre,
       "καθαρισμός"},
      {"C0", CommandButton, "0", 5640, 1920, 615, 495, 14, 13.5, true, {}, {}, kCentre, "0"},
      {"Ca",
       CommandButton,
       ",",
       6360,
       1920,
       615,
       495,
       15,
       13.5,
       true,
       {},
       {},
       kCentre,
       "υποδιαστολή"},
      {"CY",
       CommandButton,
       "ΜΕΤΑΤΡΟΠΗ >> ...",
       4920,
       2520,
       2055,
       495,
       16,
       8.25,
       true,
       {},
       {},
       kCentre,
       "μετατροπή"},
      {"Label1", Label, "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό :", 120, 360, 3855, 255, 17,
       9.75, true, kBlack, kFormColour, kTopLeft, "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό"},
      {"Label2",
       Label,
       "Ισοδύναμες τιμές :",
       1920,
       2760,
       1935,
       255,
       18,
       9.75,
       true,
       {},
       kFormColour,
       kTopLeft,
       "Ισοδύναμες τιμές"},
      {"CAC",
       CommandButton,
       "C",
       4920,
       1920,
       615,
       495,
       19,
       13.5,
       true,
       {},
       {},
       kCentre,
       "διαγραφή του τελευταίου χαρακτήρα"},
      {"Combo1", ComboBox, "", 120, 1920, 3975, 480, 20, 13.5, true, kWhite, kGrey, kLeft,
       "τιμή του π"},
      {"Label3", Label, "Διαλέξτε την τιμή του π :", 120, 1560, 3735, 375, 21, 9.75, true, kBlack,
       kFormColour, kTopLeft, "Διαλέξτε την τιμή του π"},
      {"Text5", TextBox, "", 600, 4320, 6375, 495, 22, 13.5, false, kWhite, kBlack, kCentre,
       "ακτίνια με την επιλεγμένη τιμή του π"},
      {"Line1",
       Line,
       "",
       120,
       2640,
       4560,
       0,
       -1,
       0,
       false,
       {},
       kGrey,
       kLeft,
       "διαχωριστική γραμμή"},
  }};
  return kControls;
}

QFont controlFont(const ControlSpec& control) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(control.pointSize);
  font.setBold(control.bold);
  return font;
}

}  // namespace pemdra::ui
