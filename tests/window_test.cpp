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

#include "conversion.h"
#include "error.h"
#include "form.h"
#include "icon.h"
#include "pemdrawindow.h"
#include "pi_prefixes.h"
#include "qtform.h"
#include "window_fixture.h"

namespace pemdra::qt {
namespace {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { window = testing::openWindow(); }

  template <typename Widget = QWidget>
  Widget* control(const char* name) {
    return testing::findControl<Widget>(*window, name);
  }

  QLineEdit* box(int number) {
    return control<QLineEdit>(("Text" + std::to_string(number)).c_str());
  }

  std::unique_ptr<PemdraWindow> window;
};

TEST_F(WindowTest, IsTheFixedSizeFormWithItsTitleAndColour) {
  EXPECT_EQ(window->objectName(), QStringLiteral("pemdra"));
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Μετατροπέας"));
  EXPECT_EQ(window->size(), QSize(470, 366));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(255, 128, 128));
  EXPECT_EQ(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 24);
}

TEST_F(WindowTest, LaysOutEveryControlAsTheTableSays) {
  // Expected rectangles in pixels, worked out from the twips by hand.
  const std::map<std::string, QRect> rects = {
      {"Text1", {8, 48, 305, 33}},   {"Text2", {8, 208, 457, 33}},  {"Text3", {8, 248, 457, 33}},
      {"Text4", {8, 328, 457, 33}},  {"Text5", {40, 288, 425, 33}}, {"C1", {328, 8, 41, 33}},
      {"C2", {376, 8, 41, 33}},      {"C3", {424, 8, 41, 33}},      {"C4", {328, 48, 41, 33}},
      {"C5", {376, 48, 41, 33}},     {"C6", {424, 48, 41, 33}},     {"C7", {328, 88, 41, 33}},
      {"C8", {376, 88, 41, 33}},     {"C9", {424, 88, 41, 33}},     {"Cb", {280, 128, 41, 33}},
      {"CAC", {328, 128, 41, 33}},   {"C0", {376, 128, 41, 33}},    {"Ca", {424, 128, 41, 33}},
      {"CY", {328, 168, 137, 33}},   {"Label1", {8, 24, 257, 17}},  {"Label2", {128, 184, 129, 17}},
      {"Label3", {8, 104, 249, 25}}, {"Combo1", {8, 128, 265, 32}}, {"Line1", {8, 174, 305, 5}},
  };
  for (const auto& [name, rect] : rects) {
    const QWidget* widget = control(name.c_str());
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->geometry(), rect) << name;
    EXPECT_TRUE(widget->isVisible()) << name;
    EXPECT_TRUE(widget->isEnabled()) << name;
    EXPECT_FALSE(widget->accessibleName().isEmpty()) << name;
  }
  EXPECT_EQ(control("Text1")->accessibleName(), QStringLiteral("γωνία σε δεκαδικές μοίρες"));
}

TEST_F(WindowTest, ShowsEveryCaptionInItsFont) {
  const struct {
    const char* name;
    QString caption;
    double points;
    bool bold;
  } buttons[] = {
      {"C0", QStringLiteral("0"), 13.5, true},
      {"C1", QStringLiteral("1"), 13.5, true},
      {"C2", QStringLiteral("2"), 13.5, true},
      {"C3", QStringLiteral("3"), 13.5, true},
      {"C4", QStringLiteral("4"), 13.5, true},
      {"C5", QStringLiteral("5"), 13.5, true},
      {"C6", QStringLiteral("6"), 13.5, true},
      {"C7", QStringLiteral("7"), 13.5, true},
      {"C8", QStringLiteral("8"), 13.5, true},
      {"C9", QStringLiteral("9"), 13.5, true},
      {"Ca", QStringLiteral(","), 13.5, true},
      {"Cb", QStringLiteral("AC"), 13.5, true},
      {"CAC", QStringLiteral("C"), 13.5, true},
      {"CY", QStringLiteral("ΜΕΤΑΤΡΟΠΗ >> ..."), 8.25, true},
  };
  for (const auto& b : buttons) {
    const auto* button = control<QPushButton>(b.name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), b.caption) << b.name;
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), b.points) << b.name;
    EXPECT_EQ(button->font().bold(), b.bold) << b.name;
  }
  const struct {
    const char* name;
    QString caption;
  } labels[] = {
      {"Label1", QStringLiteral("Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό :")},
      {"Label2", QStringLiteral("Ισοδύναμες τιμές :")},
      {"Label3", QStringLiteral("Διαλέξτε την τιμή του π :")},
  };
  for (const auto& l : labels) {
    const auto* label = control<QLabel>(l.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), l.caption);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 9.75);
    EXPECT_TRUE(label->font().bold());
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 128, 128));
  }
  EXPECT_EQ(control("Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(control("Label3")->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  EXPECT_EQ(control("Label2")->palette().color(QPalette::WindowText),
            QApplication::palette(control("Label2")).color(QPalette::WindowText));
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
  for (int number = 1; number <= 5; ++number) {
    const QLineEdit* edit = box(number);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(255, 255, 255)) << number;
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(0, 0, 0)) << number;
    EXPECT_DOUBLE_EQ(edit->font().pointSizeF(), 13.5);
    EXPECT_FALSE(edit->font().bold());
    EXPECT_FALSE(edit->isReadOnly());
    EXPECT_EQ(edit->alignment() & Qt::AlignHorizontal_Mask,
              number == 1 ? Qt::AlignRight : Qt::AlignHCenter);
  }
  const auto* combo = control<QComboBox>("Combo1");
  EXPECT_EQ(combo->palette().color(QPalette::Base), QColor(128, 128, 128));
  EXPECT_EQ(combo->palette().color(QPalette::Text), QColor(255, 255, 255));
  EXPECT_TRUE(combo->font().bold());
  EXPECT_EQ(control("Line1")->palette().color(QPalette::Window), QColor(128, 128, 128));
}

TEST_F(WindowTest, StartsEmptyWithThreePiChoicesNoneSelected) {
  for (int number = 1; number <= 5; ++number) EXPECT_TRUE(box(number)->text().isEmpty());
  const auto* combo = control<QComboBox>("Combo1");
  ASSERT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->itemText(0), QStringLiteral("3,14"));
  EXPECT_EQ(combo->itemText(1), QStringLiteral("3,14159"));
  EXPECT_EQ(combo->itemText(2), QStringLiteral("3,14159265358979"));
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_TRUE(combo->currentText().isEmpty());
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(QApplication::focusWidget(), box(1));
}

TEST_F(WindowTest, TabWalksTheControlsInTabOrder) {
  const char* order[] = {"Text2", "Text3", "Text4", "C1",     "C2",    "C3",   "C4",
                         "C5",    "C6",    "C7",    "C8",     "C9",    "Cb",   "C0",
                         "Ca",    "CY",    "CAC",   "Combo1", "Text5", "Text1"};
  for (const char* name : order) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    // The combo box's text field takes the focus on its behalf.
    if (qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr) focus = focus->parentWidget();
    EXPECT_EQ(focus->objectName(), QString::fromLatin1(name));
  }
}

TEST_F(WindowTest, BoxesHaveNoLengthLimit) {
  const QString pasted(100'000, QLatin1Char('7'));
  box(1)->setText(pasted);
  EXPECT_EQ(box(1)->text().size(), pasted.size());
  QTest::mouseClick(control("CY"), Qt::LeftButton);
  EXPECT_EQ(box(2)->text(), QStringLiteral("error"));  // too large for a number
}

TEST_F(WindowTest, TypedTextsStayAndTheTypedPiIsWhatConverts) {
  QTest::keyClicks(box(3), QStringLiteral("my note"));
  EXPECT_EQ(box(3)->text(), QStringLiteral("my note"));

  auto* combo = control<QComboBox>("Combo1");
  QTest::keyClicks(combo->lineEdit(), QStringLiteral("3,2"));
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(combo->count(), 3);  // a typed value is never added to the list
  QTest::keyClicks(box(1), QStringLiteral("90"));
  QTest::mouseClick(control("CY"), Qt::LeftButton);
  EXPECT_EQ(box(2)->text(), QStringLiteral("090° 00' 00''+,0'' μοίρες / (squadron)"));
  EXPECT_EQ(box(3)->text(), QStringLiteral("0,5  π ακτίνια/ (rad)"));
  EXPECT_EQ(box(5)->text(), QStringLiteral("1,6 ακτίνια / (rad)"));
  EXPECT_EQ(box(4)->text(), QStringLiteral("100 βαθμοί / (degrees)"));
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
    EXPECT_EQ(box(5)->text(),
              QString::fromUtf8(prefix.radians) + QStringLiteral(" ακτίνια / (rad)"))
        << prefix.typed;
  }
  EXPECT_EQ(combo->count(), 3);
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
  EXPECT_EQ(combo->count(), 3);
}

TEST_F(WindowTest, EnterClicksTheFocusedButtonOnly) {
  box(1)->setText(QStringLiteral("45"));
  QTest::keyClick(box(1), Qt::Key_Return);  // no button is the window's default
  EXPECT_EQ(box(1)->text(), QStringLiteral("45"));
  EXPECT_TRUE(box(2)->text().isEmpty());
  QTest::keyClick(control<QComboBox>("Combo1")->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(box(2)->text().isEmpty());

  box(1)->setFocus();
  for (int i = 0; i < 16; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), control("CY"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(box(2)->text(), QStringLiteral("045° 00' 00''+,0'' μοίρες / (squadron)"));
  EXPECT_EQ(box(4)->text(), QStringLiteral("50 βαθμοί / (degrees)"));

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
  EXPECT_EQ(box(5)->text(), QStringLiteral("0,7853975 ακτίνια / (rad)"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("3,14159"));
}

TEST_F(WindowTest, TheRoadOfOneConversionByClicks) {
  const auto click = [&](const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); };
  const auto results = [&] {
    return QStringList{box(2)->text(), box(3)->text(), box(5)->text(), box(4)->text()};
  };
  click("C4");
  click("C5");
  EXPECT_EQ(box(1)->text(), QStringLiteral("45"));
  auto* combo = control<QComboBox>("Combo1");
  combo->showPopup();
  auto* list = combo->view();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(combo->model()->index(1, 0)).center());
  EXPECT_EQ(combo->currentText(), QStringLiteral("3,14159"));
  click("CY");
  const QStringList for45 = {QStringLiteral("045° 00' 00''+,0'' μοίρες / (squadron)"),
                             QStringLiteral("0,25  π ακτίνια/ (rad)"),
                             QStringLiteral("0,7853975 ακτίνια / (rad)"),
                             QStringLiteral("50 βαθμοί / (degrees)")};
  EXPECT_EQ(results(), for45);

  click("CAC");  // the keypad leaves the results on show while the input changes
  EXPECT_EQ(results(), for45);
  click("C9");
  EXPECT_EQ(box(1)->text(), QStringLiteral("49"));
  click("CY");
  EXPECT_EQ(results(), (QStringList{QStringLiteral("049° 00' 00''+,0'' μοίρες / (squadron)"),
                                    QStringLiteral("0,272222222222222  π ακτίνια/ (rad)"),
                                    QStringLiteral("0,855210611111111 ακτίνια / (rad)"),
                                    QStringLiteral("54,4444444444444 βαθμοί / (degrees)")}));
  click("Ca");
  click("Cb");
  EXPECT_TRUE(box(1)->text().isEmpty());
  EXPECT_EQ(results().value(3), QStringLiteral("54,4444444444444 βαθμοί / (degrees)"));
  EXPECT_EQ(combo->currentText(), QStringLiteral("3,14159"));
}

TEST_F(WindowTest, ShowsAnUntrappedErrorWithoutBlockingOrEnding) {
  window->dispatch(
      [](Controls&) { throw RuntimeError(ErrorCode::ControlFailed, "Text1: failed"); });
  auto* box = window->findChild<QMessageBox*>();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), QStringLiteral("Σφάλμα εκτέλεσης"));
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
