// SPDX-License-Identifier: MIT
// What a screen reader gets of the window on Qt's offscreen platform, through Qt's
// own accessibility interfaces: roles, Greek names, the captions' ties to their
// boxes, and the events sent when a conversion fills the result boxes.
#include <gtest/gtest.h>

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "pemdrawindow.h"
#include "window_fixture.h"

namespace pemdra::qt {
namespace {

struct RecordedEvent {
  QAccessible::Event type;
  QObject* object;
  QString inserted;  ///< the new text of a text update
};

std::vector<RecordedEvent>& recorded() {
  static std::vector<RecordedEvent> events;
  return events;
}

void record(QAccessibleEvent* event) {
  QString inserted;
  if (event->type() == QAccessible::TextUpdated) {
    inserted = static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
  } else if (event->type() == QAccessible::TextInserted) {
    inserted = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
  }
  recorded().push_back({event->type(), event->object(), inserted});
}

class AccessibilityTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = testing::openWindow();
    recorded().clear();
  }

  QWidget* control(const char* name) const { return testing::findControl(*window, name); }

  QAccessibleInterface* accessible(const char* name) const {
    return QAccessible::queryAccessibleInterface(control(name));
  }

  /// The objects that `name`'s interface names for the relation.
  QList<QObject*> related(const char* name, QAccessible::Relation relation) const {
    QList<QObject*> objects;
    for (const auto& [other, kind] : accessible(name)->relations(relation)) {
      objects.append(other->object());
    }
    return objects;
  }

  std::unique_ptr<PemdraWindow> window;
};

TEST_F(AccessibilityTest, ExposesTheWindowAndEveryControlByRoleAndGreekName) {
  QAccessibleInterface* windowInterface = QAccessible::queryAccessibleInterface(window.get());
  ASSERT_NE(windowInterface, nullptr);
  EXPECT_EQ(windowInterface->role(), QAccessible::Window);
  EXPECT_EQ(windowInterface->text(QAccessible::Name), QStringLiteral("Μετατροπέας"));
  EXPECT_EQ(windowInterface->childCount(), 24);

  const struct {
    const char* name;
    QAccessible::Role role;
    QString accessibleName;
  } expected[] = {
      {"Text1", QAccessible::EditableText, QStringLiteral("γωνία σε δεκαδικές μοίρες")},
      {"Text2", QAccessible::EditableText, QStringLiteral("μοίρες, λεπτά, δευτερόλεπτα")},
      {"Text3", QAccessible::EditableText, QStringLiteral("ακτίνια ως πολλαπλάσιο του π")},
      {"Text4", QAccessible::EditableText, QStringLiteral("βαθμοί")},
      {"Text5", QAccessible::EditableText, QStringLiteral("ακτίνια με την επιλεγμένη τιμή του π")},
      {"C0", QAccessible::Button, QStringLiteral("0")},
      {"C1", QAccessible::Button, QStringLiteral("1")},
      {"C9", QAccessible::Button, QStringLiteral("9")},
      {"Cb", QAccessible::Button, QStringLiteral("AC, καθαρισμός")},
      {"Ca", QAccessible::Button, QStringLiteral(", υποδιαστολή")},
      {"CAC", QAccessible::Button, QStringLiteral("C, διαγραφή του τελευταίου χαρακτήρα")},
      {"CY", QAccessible::Button, QStringLiteral("ΜΕΤΑΤΡΟΠΗ >> ...")},
      {"Label1", QAccessible::StaticText,
       QStringLiteral("Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό")},
      {"Label2", QAccessible::Heading, QStringLiteral("Ισοδύναμες τιμές")},
      {"Label3", QAccessible::StaticText, QStringLiteral("Διαλέξτε την τιμή του π")},
      {"Combo1", QAccessible::ComboBox, QStringLiteral("τιμή του π")},
      {"Line1", QAccessible::Separator, QStringLiteral("διαχωριστική γραμμή")},
  };
  for (const auto& e : expected) {
    QAccessibleInterface* interface = accessible(e.name);
    ASSERT_NE(interface, nullptr) << e.name;
    EXPECT_EQ(interface->role(), e.role) << e.name;
    EXPECT_EQ(interface->text(QAccessible::Name), e.accessibleName) << e.name;
    EXPECT_EQ(interface->parent()->object(), window.get()) << e.name;
  }
}

TEST_F(AccessibilityTest, TiesEachCaptionToItsBox) {
  EXPECT_EQ(related("Label1", QAccessible::Labelled), QList<QObject*>{control("Text1")});
  EXPECT_EQ(related("Text1", QAccessible::Label), QList<QObject*>{control("Label1")});
  EXPECT_EQ(related("Label3", QAccessible::Labelled), QList<QObject*>{control("Combo1")});
  EXPECT_EQ(related("Combo1", QAccessible::Label), QList<QObject*>{control("Label3")});
  // The heading labels the result boxes in their order on screen.
  EXPECT_EQ(
      related("Label2", QAccessible::Labelled),
      (QList<QObject*>{control("Text2"), control("Text3"), control("Text5"), control("Text4")}));
  // It groups them without naming them: each keeps its own name, its unit.
  for (const char* box : {"Text2", "Text3", "Text5", "Text4"}) {
    EXPECT_TRUE(related(box, QAccessible::Label).isEmpty()) << box;
  }

  // The combo box is named by what it holds once it holds something, and its
  // caption still labels it.
  auto* combo = qobject_cast<QComboBox*>(control("Combo1"));
  combo->setCurrentIndex(1);
  EXPECT_EQ(accessible("Combo1")->text(QAccessible::Name), QStringLiteral("3,14159"));
  EXPECT_EQ(related("Combo1", QAccessible::Label), QList<QObject*>{control("Label3")});
}

TEST_F(AccessibilityTest, GivesABoxsTextAsOneRunAndItsSelectionWhole) {
  qobject_cast<QLineEdit*>(control("Text1"))->setText(QStringLiteral("45"));
  qobject_cast<QLineEdit*>(control("Text1"))->selectAll();
  QAccessibleTextInterface* text = accessible("Text1")->textInterface();
  ASSERT_NE(text, nullptr);
  int start = -1;
  int end = -1;
  for (const int offset : {0, 1, 2}) {
    text->attributes(offset, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 2)) << offset;
  }
  text->selection(0, &start, &end);
  EXPECT_EQ(text->text(start, end), QStringLiteral("45"));
}

TEST_F(AccessibilityTest, AConversionTellsTheResultLinesWithoutMovingTheFocus) {
  qobject_cast<QLineEdit*>(control("Text1"))->setText(QStringLiteral("45"));
  qobject_cast<QComboBox*>(control("Combo1"))->setCurrentIndex(1);
  QWidget* button = control("CY");
  button->setFocus();
  recorded().clear();
  QTest::keyClick(button, Qt::Key_Space);

  const QStringList lines = {QStringLiteral("045° 00' 00''+,0'' μοίρες / (squadron)"),
                             QStringLiteral("0,25  π ακτίνια/ (rad)"),
                             QStringLiteral("0,7853975 ακτίνια / (rad)"),
                             QStringLiteral("50 βαθμοί / (degrees)")};
  const char* boxes[] = {"Text2", "Text3", "Text5", "Text4"};
  for (int i = 0; i < 4; ++i) {
    const auto box = std::ranges::find_if(recorded(), [&](const RecordedEvent& event) {
      return event.object == control(boxes[i]) && !event.inserted.isEmpty();
    });
    ASSERT_NE(box, recorded().end()) << boxes[i];
    EXPECT_EQ(box->inserted, lines[i]) << boxes[i];
  }
  const auto described = [&] {
    return std::ranges::count_if(recorded(), [&](const RecordedEvent& event) {
      return event.object == button && event.type == QAccessible::DescriptionChanged;
    });
  };
  EXPECT_EQ(described(), 1);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description),
            lines.join(QLatin1Char('\n')));
  EXPECT_EQ(QApplication::focusWidget(), button);

  // A notification, no widget of the window's, shows itself named by the lines.
  const auto shown = [&] {
    std::vector<QObject*> objects;
    for (const RecordedEvent& event : recorded()) {
      if (event.type == QAccessible::ObjectShow) objects.push_back(event.object);
    }
    return objects;
  };
  ASSERT_EQ(shown().size(), 1U);
  QObject* notification = shown().front();
  EXPECT_FALSE(notification->isWidgetType());
  EXPECT_EQ(notification->parent(), window.get());
  QAccessibleInterface* notice = QAccessible::queryAccessibleInterface(notification);
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(notice->role(), QAccessible::Notification);
  EXPECT_EQ(notice->text(QAccessible::Name), lines.join(QLatin1Char('\n')));
  EXPECT_EQ(notice->parent()->object(), window.get());

  // The same results again are told again; an error is told as the click wrote it,
  // once, with none of the stale lines beside it; a keypad key tells nothing.
  const std::pair<QString, QString> again[] = {
      {QStringLiteral("45"), lines.join(QLatin1Char('\n'))},
      {QStringLiteral("400"), QStringLiteral("Σφάλμα, δώσε έγκυρο αριθμό.")},
      {QStringLiteral("abc"), QStringLiteral("error")},
  };
  for (const auto& [angle, told] : again) {
    qobject_cast<QLineEdit*>(control("Text1"))->setText(angle);
    recorded().clear();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(described(), 1) << angle.toStdString();
    EXPECT_EQ(shown(), std::vector<QObject*>{notification}) << angle.toStdString();
    EXPECT_EQ(notice->text(QAccessible::Name), told);
    EXPECT_EQ(QApplication::focusWidget(), button);
  }
  recorded().clear();
  QTest::mouseClick(control("C1"), Qt::LeftButton);
  EXPECT_TRUE(shown().empty());
}

}  // namespace
}  // namespace pemdra::qt

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The offscreen platform has no screen reader to turn accessibility on; the
  // test stands in for one and takes the events.
  QAccessible::installUpdateHandler(&pemdra::qt::record);
  QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
