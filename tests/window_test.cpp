// SPDX-License-Identifier: MIT
// The window on Qt's offscreen platform: every control as the form table lays it
// out, the start state, focus, typing, and clicks through to the handlers.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

#include <map>
#include <memory>
#include <string>

#include "buttons.h"
#include "conversion.h"
#include "error.h"
#include "form.h"
#include "formload.h"
#include "icon.h"
#include "memory_controls.h"
#include "pemdrawindow.h"
#include "pi_prefixes.h"
#include "qtform.h"
#include "window_fixture.h"

namespace pemdra::qt {
namespace {

using testing::coreAnswer;
using testing::CoreAnswer;
using testing::q;

Qt::Alignment horizontal(form::Alignment alignment) {
  switch (alignment) {
    case form::Alignment::Right:
      return Qt::AlignRight;
    case form::Alignment::Centre:
      return Qt::AlignHCenter;
    case form::Alignment::Left:
    case form::Alignment::TopLeft:
      break;
  }
  return Qt::AlignLeft;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { window = testing::openWindow(); }

  template <typename Widget = QWidget>
  Widget* control(const char* name) {
    return testing::findControl<Widget>(*window, name);
  }

  QLineEdit* box(TextBox which) {
    return control<QLineEdit>(std::string(controlName(which)).c_str());
  }
  QLineEdit* box(int number) { return box(static_cast<TextBox>(number - 1)); }

  /// The result boxes' texts, in their order on screen.
  QStringList results() {
    QStringList lines;
    for (const TextBox which : kResultBoxes) lines << box(which)->text();
    return lines;
  }

  std::unique_ptr<PemdraWindow> window;
};

TEST_F(WindowTest, IsTheFixedSizeFormWithItsTitleAndColour) {
  EXPECT_EQ(window->objectName(), q(form::kName));
  EXPECT_EQ(window->windowTitle(), q(form::kTitle));
  EXPECT_EQ(window->size(), QSize(form::kClientWidth, form::kClientHeight));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->palette().color(QPalette::Window), q(form::kFormColour));
  EXPECT_EQ(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(),
            qsizetype(form::kControlCount));
}

TEST_F(WindowTest, LaysOutEveryControlAsTheTableSays) {
  for (const form::Control& row : form::controls()) {
    const QWidget* widget = control(std::string(row.name).c_str());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), q(row.pixels())) << row.name;
    EXPECT_TRUE(widget->isVisible()) << row.name;
    EXPECT_TRUE(widget->isEnabled()) << row.name;
    EXPECT_EQ(widget->accessibleName(), q(row.accessibleName)) << row.name;
  }
}

TEST_F(WindowTest, ShowsEveryCaptionInItsFont) {
  for (const form::Control& row : form::controls()) {
    const std::string name(row.name);
    if (row.kind == form::ControlKind::CommandButton) {
      const auto* button = control<QPushButton>(name.c_str());
      ASSERT_NE(button, nullptr);
      EXPECT_EQ(button->text(), q(row.caption)) << name;
      EXPECT_DOUBLE_EQ(button->font().pointSizeF(), row.pointSize) << name;
      EXPECT_EQ(button->font().bold(), row.bold) << name;
      // A button's row holds no colours: it keeps the system's.
      for (const auto role : {QPalette::Button, QPalette::ButtonText}) {
        EXPECT_EQ(button->palette().color(role), QApplication::palette(button).color(role)) << name;
      }
    } else if (row.kind == form::ControlKind::Label) {
      const auto* label = control<QLabel>(name.c_str());
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->text(), q(row.caption)) << name;
      EXPECT_DOUBLE_EQ(label->font().pointSizeF(), row.pointSize) << name;
      EXPECT_EQ(label->font().bold(), row.bold) << name;
      EXPECT_TRUE(label->autoFillBackground());
      EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
      EXPECT_EQ(label->palette().color(QPalette::Window), q(*row.background)) << name;
      // A label without a colour of its own takes the system's text colour.
      EXPECT_EQ(label->palette().color(QPalette::WindowText),
                row.foreground ? q(*row.foreground)
                               : QApplication::palette(label).color(QPalette::WindowText))
          << name;
    }
  }
  // "MS Sans Serif" comes first; where it is missing, the first installed face of the
  // list takes its place, and every control has the same one.
  ASSERT_EQ(controlFamilies().value(0), QStringLiteral("MS Sans Serif"));
  QString firstInstalled;
  for (const QString& family : controlFamilies()) {
    if (firstInstalled.isEmpty() && QFontDatabase::hasFamily(family)) firstInstalled = family;
  }
  ASSERT_FALSE(firstInstalled.isEmpty());
  for (auto* widget : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (widget->objectName() == QStringLiteral("Line1")) continue;
    EXPECT_EQ(widget->font().families().value(0), firstInstalled)
        << widget->objectName().toStdString();
  }
}

TEST_F(WindowTest, ColoursAndAlignsTheBoxes) {
  for (const form::Control& row : form::controls()) {
    const std::string name(row.name);
    if (row.kind == form::ControlKind::TextBox) {
      const auto* edit = control<QLineEdit>(name.c_str());
      ASSERT_NE(edit, nullptr);
      EXPECT_EQ(edit->palette().color(QPalette::Text), q(*row.foreground)) << name;
      EXPECT_EQ(edit->palette().color(QPalette::Base), q(*row.background)) << name;
      EXPECT_DOUBLE_EQ(edit->font().pointSizeF(), row.pointSize) << name;
      EXPECT_EQ(edit->font().bold(), row.bold) << name;
      EXPECT_FALSE(edit->isReadOnly()) << name;
      EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask, horizontal(row.alignment)) << name;
    } else if (row.kind == form::ControlKind::ComboBox) {
      const auto* combo = control<QComboBox>(name.c_str());
      EXPECT_EQ(combo->palette().color(QPalette::Base), q(*row.background));
      EXPECT_EQ(combo->palette().color(QPalette::Text), q(*row.foreground));
      EXPECT_EQ(combo->font().bold(), row.bold);
    } else if (row.kind == form::ControlKind::Line) {
      EXPECT_EQ(control(name.c_str())->palette().color(QPalette::Window), q(*row.background));
    }
  }
}

TEST_F(WindowTest, StartsEmptyWithThePiChoicesNoneSelected) {
  for (std::size_t i = 0; i < kTextBoxCount; ++i) {
    EXPECT_TRUE(box(static_cast<TextBox>(i))->text().isEmpty());
  }
  const auto* combo = control<QComboBox>(std::string(kPiBox).c_str());
  ASSERT_EQ(combo->count(), qsizetype(kPiChoices.size()));
  for (std::size_t i = 0; i < kPiChoices.size(); ++i) {
    EXPECT_EQ(combo->itemText(int(i)), q(kPiChoices.at(i)));
  }
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_TRUE(combo->currentText().isEmpty());
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(QApplication::focusWidget(), box(kInputBox));
}

TEST_F(WindowTest, TabWalksTheControlsInTabOrder) {
  // From Text1, where the focus starts, round the whole order and back to Text1.
  std::vector<const form::Control*> order(form::tabOrder().begin() + 1, form::tabOrder().end());
  order.push_back(form::tabOrder().front());
  for (const form::Control* next : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    // The combo box's text field takes the focus on its behalf.
    if (qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) focus = focus->parentWidget();
    EXPECT_EQ(focus->objectName(), q(next->name));
  }
}

TEST_F(WindowTest, BoxesHaveNoLengthLimit) {
  const QString pasted(100'000, QLatin1Char('7'));
  box(1)->setText(pasted);
  EXPECT_EQ(box(1)->text().size(), pasted.size());
  QTest::mouseClick(control("CY"), Qt::LeftButton);
  EXPECT_EQ(box(2)->text(), q(kNotNumberError));  // too large for a number
}

TEST_F(WindowTest, TypedTextsStayAndTheTypedPiIsWhatConverts) {
  QTest::keyClicks(box(3), QStringLiteral("my note"));
  EXPECT_EQ(box(3)->text(), QStringLiteral("my note"));

  auto* combo = control<QComboBox>("Combo1");
  QTest::keyClicks(combo->lineEdit(), QStringLiteral("3,2"));
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(combo->count(), qsizetype(kPiChoices.size()));  // a typed π is never added
  QTest::keyClicks(box(1), QStringLiteral("90"));
  QTest::mouseClick(control("CY"), Qt::LeftButton);
  EXPECT_EQ(results(), q(coreAnswer(u"90", u"3,2").results()));
}

// Typing 90 and then each prefix of each π item into the field: the field holds
// exactly what was typed (no completion from the list) and that is what converts.
TEST_F(WindowTest, ATypedPiPrefixIsWhatConverts) {
  auto* combo = control<QComboBox>("Combo1");
  QTest::keyClicks(box(1), QStringLiteral("90"));
  combo->setFocus();  // as a user types: the field has the focus
  ASSERT_TRUE(combo->lineEdit()->hasFocus());
  for (const auto& prefix : testing::kPiPrefixes) {
    const QString typed = QString::fromUtf8(prefix.typed);
    combo->lineEdit()->clear();
    QTest::keyClicks(combo->lineEdit(), typed);
    EXPECT_EQ(combo->currentText(), typed);
    EXPECT_FALSE(combo->lineEdit()->hasSelectedText()) << prefix.typed;
    QTest::mouseClick(control("CY"), Qt::LeftButton);
    const CoreAnswer core = coreAnswer(u"90", typed.toStdU16String());
    EXPECT_EQ(box(5)->text(), q(core[TextBox::Text5])) << prefix.typed;
    EXPECT_TRUE(box(5)->text().startsWith(QString::fromUtf8(prefix.radians) + u' '))
        << prefix.typed;
  }
  EXPECT_EQ(combo->count(), qsizetype(kPiChoices.size()));
  EXPECT_EQ(combo->currentIndex(), -1);
  for (QWidget* popup : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(popup->isVisible() && popup->windowType() == Qt::Popup);  // no completion list
  }
}

TEST_F(WindowTest, PicksAListItemByKeyboard) {
  auto* combo = control<QComboBox>("Combo1");
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
  ASSERT_TRUE(combo->view()->isVisible());
  QTest::keyClick(combo->view(), Qt::Key_Down);
  const int row = combo->view()->currentIndex().row();
  ASSERT_GE(row, 0);
  QTest::keyClick(combo->view(), Qt::Key_Return);
  EXPECT_FALSE(combo->view()->isVisible());
  EXPECT_EQ(combo->currentText(), combo->itemText(row));
  EXPECT_EQ(combo->count(), qsizetype(kPiChoices.size()));
}

TEST_F(WindowTest, EnterClicksTheFocusedButtonOnly) {
  box(1)->setText(QStringLiteral("45"));
  QTest::keyClick(box(1), Qt::Key_Return);  // no button is the window's default
  EXPECT_EQ(box(1)->text(), QStringLiteral("45"));
  EXPECT_TRUE(box(2)->text().isEmpty());
  QTest::keyClick(control<QComboBox>("Combo1")->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(box(2)->text().isEmpty());

  box(1)->setFocus();
  const auto& order = form::tabOrder();
  const auto tabs = std::ranges::find(order, form::find(convertButton().name)) - order.begin();
  for (auto i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), control("CY"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(results(), q(coreAnswer(u"45", u"").results()));

  control("C7")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(box(1)->text(), QStringLiteral("4577"));
  control("Cb")->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_TRUE(box(1)->text().isEmpty());
  for (auto* button : window->findChildren<QPushButton*>()) {
    EXPECT_FALSE(button->isDefault()) << button->objectName().toStdString();
  }
}

TEST_F(WindowTest, DrawsLabelsBeneathTheControls) {
  const QImage shot = window->grab().toImage();
  const QRect combo = control("Combo1")->geometry();
  // Label3 reaches a pixel into Combo1's top row; the combo box's frame shows there.
  ASSERT_EQ(control("Label3")->geometry().bottom(), combo.top());
  EXPECT_NE(shot.pixelColor(combo.center().x(), combo.top()), QColor(255, 128, 128));
  const QWidgetList children = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  qsizetype lastOnForm = -1;
  qsizetype firstControl = children.size();
  for (qsizetype i = 0; i < children.size(); ++i) {
    const bool onForm = qobject_cast<QLabel*>(children[i]) != nullptr ||
                        children[i]->objectName() == QStringLiteral("Line1");
    if (onForm) lastOnForm = std::max(lastOnForm, i);
    if (!onForm) firstControl = std::min(firstControl, i);
  }
  EXPECT_LT(lastOnForm, firstControl);  // children() lists the stacking order, bottom first
}

TEST_F(WindowTest, EveryCaptionFitsItsControl) {
  for (auto* label : window->findChildren<QLabel*>()) {
    const int width = label->fontMetrics().horizontalAdvance(label->text());
    EXPECT_LE(width, label->contentsRect().width())
        << label->objectName().toStdString() << " in " << label->font().family().toStdString();
  }
  for (auto* button : window->findChildren<QPushButton*>()) {
    const int width = button->fontMetrics().horizontalAdvance(button->text());
    EXPECT_LE(width, button->width() - 8) << button->objectName().toStdString();
  }
}

TEST_F(WindowTest, CarriesItsIconInSeveralSizesWithoutAnImageReader) {
  const QIcon icon = windowIcon();
  for (const int size : {16, 24, 32, 48, 64}) {
    const QImage png(QStringLiteral(PEMDRA_ICONS "/pemdra-%1.png").arg(size));
    ASSERT_FALSE(png.isNull()) << size;
    // A pixmap keeps premultiplied pixels; so does the reference here.
    EXPECT_EQ(icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              png.convertToFormat(QImage::Format_ARGB32_Premultiplied))
        << size;
  }
}

TEST_F(WindowTest, PickedPiItemConverts) {
  auto* combo = control<QComboBox>("Combo1");
  combo->setCurrentIndex(1);
  box(1)->setText(QStringLiteral("45"));
  QTest::mouseClick(control("CY"), Qt::LeftButton);
  EXPECT_EQ(results(), q(coreAnswer(u"45", kPiChoices.at(1)).results()));
  EXPECT_EQ(combo->currentText(), q(kPiChoices.at(1)));
}

TEST_F(WindowTest, TheRoadOfOneConversionByClicks) {
  const auto click = [&](const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); };
  click("C4");
  click("C5");
  EXPECT_EQ(box(1)->text(), QStringLiteral("45"));
  auto* combo = control<QComboBox>("Combo1");
  combo->showPopup();
  auto* list = combo->view();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(combo->model()->index(1, 0)).center());
  EXPECT_EQ(combo->currentText(), q(kPiChoices.at(1)));
  click("CY");
  const QStringList for45 = q(coreAnswer(u"45", kPiChoices.at(1)).results());
  EXPECT_EQ(results(), for45);

  click("CAC");  // the keypad leaves the results on show while the input changes
  EXPECT_EQ(results(), for45);
  click("C9");
  EXPECT_EQ(box(1)->text(), QStringLiteral("49"));
  click("CY");
  const QStringList for49 = q(coreAnswer(u"49", kPiChoices.at(1)).results());
  EXPECT_EQ(results(), for49);
  click("Ca");
  click("Cb");
  EXPECT_TRUE(box(1)->text().isEmpty());
  EXPECT_EQ(results(), for49);
  EXPECT_EQ(combo->currentText(), q(kPiChoices.at(1)));
}

TEST_F(WindowTest, ShowsAnUntrappedErrorWithoutBlockingOrEnding) {
  window->dispatch(
      [](Controls&) { throw RuntimeError(ErrorCode::ControlFailed, "Text1: failed"); });
  auto* box = window->findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), q(form::kErrorTitle));
  EXPECT_TRUE(box->text().contains(QStringLiteral("Text1: failed")));
  box->close();

  QString reported;
  window->setErrorReporter([&](const QString& message) { reported = message; });
  window->dispatch([](Controls&) { throw std::runtime_error("out of memory"); });
  EXPECT_EQ(reported, QStringLiteral("out of memory"));
  EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace pemdra::qt
