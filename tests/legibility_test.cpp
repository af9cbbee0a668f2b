// SPDX-License-Identifier: MIT
// The window under dark and light desktop colour schemes, on Qt's offscreen
// platform: Label2's text reads on its pink, a focused black box shows its focus,
// and every fixed colour stays as it is.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTest>

#include <algorithm>
#include <memory>

#include "form.h"
#include "legibility.h"
#include "pemdrawindow.h"
#include "window_fixture.h"

namespace pemdra::qt {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

/// A dark desktop scheme: light grey text on dark grey.
QPalette darkScheme() {
  QPalette palette(QColor(53, 53, 53));
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(role, QColor(238, 238, 238));
  }
  palette.setColor(QPalette::Base, QColor(42, 42, 42));
  palette.setColor(QPalette::Highlight, QColor(42, 60, 90));
  return palette;
}

/// A scheme whose label text is a readable dark colour other than black.
QPalette navyScheme() {
  QPalette palette = QApplication::style()->standardPalette();
  palette.setColor(QPalette::WindowText, QColor(20, 20, 80));
  return palette;
}

class LegibilityTest : public ::testing::Test {
 protected:
  void TearDown() override {
    window.reset();
    QApplication::setPalette(QApplication::style()->standardPalette());
  }

  void open(const QPalette& scheme) {
    QApplication::setPalette(scheme);
    window = testing::openWindow();
  }

  template <typename Widget = QWidget>
  Widget* control(const char* name) const {
    return testing::findControl<Widget>(*window, name);
  }

  QColor label2Text() const { return control("Label2")->palette().color(QPalette::WindowText); }

  // Every colour the table gives stays as it is, whatever the theme.
  void expectFixedColours() const {
    EXPECT_EQ(window->palette().color(QPalette::Window), testing::q(form::kFormColour));
    for (const form::Control& row : form::controls()) {
      const std::string name(row.name);
      const QPalette palette = control(name.c_str())->palette();
      const bool boxed =
          row.kind == form::ControlKind::TextBox || row.kind == form::ControlKind::ComboBox;
      if (row.background) {
        EXPECT_EQ(palette.color(boxed ? QPalette::Base : QPalette::Window),
                  testing::q(*row.background))
            << name;
      }
      if (row.foreground) {
        EXPECT_EQ(palette.color(boxed ? QPalette::Text : QPalette::WindowText),
                  testing::q(*row.foreground))
            << name;
      }
    }
  }

  /// Whether every pixel of the box's 2-pixel edge has the colour.
  static bool edgeIs(QWidget* box, const QColor& colour) {
    const QImage image = box->grab().toImage();
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (int x = 0; x <= right; ++x) {
      for (const int y : {0, 1, bottom - 1, bottom}) {
        if (image.pixelColor(x, y) != colour) return false;
      }
    }
    for (int y = 0; y <= bottom; ++y) {
      for (const int x : {0, 1, right - 1, right}) {
        if (image.pixelColor(x, y) != colour) return false;
      }
    }
    return true;
  }

  std::unique_ptr<PemdraWindow> window;
};

TEST(ContrastRatio, FollowsRelativeLuminance) {
  using form::contrastRatio;
  EXPECT_DOUBLE_EQ(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0);
  EXPECT_DOUBLE_EQ(contrastRatio(form::kFormColour, form::kFormColour), 1.0);
  EXPECT_NEAR(contrastRatio(form::kFormColour, {0, 0, 0}), 8.65, 0.01);
  EXPECT_NEAR(contrastRatio({238, 238, 238}, form::kFormColour), 2.0, 0.1);  // the dark grey
  EXPECT_NEAR(contrastRatio({20, 20, 80}, form::kFormColour), 6.9, 0.1);
}

TEST_F(LegibilityTest, Label2TurnsBlackWhereTheSystemLabelColourIsTooLight) {
  open(darkScheme());
  EXPECT_EQ(label2Text(), kBlack);
  EXPECT_EQ(control("Label2")->palette().color(QPalette::Inactive, QPalette::WindowText), kBlack);
  // Drawn black, not only set: the label's darkest pixel is its text.
  const QImage image = control("Label2")->grab().toImage();
  int darkest = 255;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x)
      darkest = std::min(darkest, image.pixelColor(x, y).value());
  }
  EXPECT_LT(darkest, 40);
  expectFixedColours();

  // A mid grey reads no better on the pink, and a light scheme's black reads.
  QPalette grey = darkScheme();
  grey.setColor(QPalette::WindowText, QColor(128, 128, 128));
  QApplication::setPalette(grey);
  EXPECT_EQ(label2Text(), kBlack);
  expectFixedColours();
}

TEST_F(LegibilityTest, Label2KeepsTheSystemLabelColourWhereItReads) {
  open(navyScheme());
  EXPECT_EQ(label2Text(), QColor(20, 20, 80));
  expectFixedColours();

  // The scheme changes while the window is open: each time Label2 follows.
  QApplication::setPalette(darkScheme());
  EXPECT_EQ(label2Text(), kBlack);
  QApplication::setPalette(navyScheme());
  EXPECT_EQ(label2Text(), QColor(20, 20, 80));
  expectFixedColours();
}

TEST_F(LegibilityTest, AFocusedBlackBoxShowsAFrameInItsTextColour) {
  open(darkScheme());
  auto* text1 = control<QLineEdit>("Text1");
  auto* text2 = control<QLineEdit>("Text2");
  ASSERT_TRUE(text1->hasFocus());
  EXPECT_TRUE(edgeIs(text1, kWhite));
  EXPECT_FALSE(edgeIs(text2, kWhite));

  QTest::keyClick(text1, Qt::Key_Tab);
  ASSERT_TRUE(text2->hasFocus());
  EXPECT_TRUE(edgeIs(text2, kWhite));
  EXPECT_FALSE(edgeIs(text1, kWhite));
  expectFixedColours();
}

}  // namespace
}  // namespace pemdra::qt
