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

#include "buttons.h"
#include "form.h"
#include "formload.h"
#include "memory_controls.h"
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

using testing::q;

/// The role a screen reader is told for the row's kind.
QAccessible::Role roleOf(const form::Control& row) {
  switch (row.kind) {
    case form::ControlKind::TextBox:
      return QAccessible::EditableText;
    case form::ControlKind::CommandButton:
      return QAccessible::Button;
    case form::ControlKind::Label:
      return row.name == form::kResultsHeading ? QAccessible::Heading : QAccessible::StaticText;
    case form::ControlKind::ComboBox:
      return QAccessible::ComboBox;
    case form::ControlKind::Line:
      break;
  }
  return QAccessible::Separator;
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
  EXPECT_EQ(windowInterface->text(QAccessible::Name), q(form::kTitle));
  EXPECT_EQ(windowInterface->childCount(), int(form::kControlCount));

  for (const form::Control& row : form::controls()) {
    const std::string name(row.name);
    QAccessibleInterface* interface = accessible(name.c_str());
    ASSERT_NE(interface, nullptr) << name;
    EXPECT_EQ(interface->role(), roleOf(row)) << name;
    EXPECT_EQ(interface->text(QAccessible::Name), q(row.accessibleName)) << name;
    EXPECT_EQ(interface->parent()->object(), window.get()) << name;
  }
}

TEST_F(AccessibilityTest, TiesEachCaptionToItsBox) {
  for (const form::CaptionTie& tie : form::kCaptionTies) {
    const std::string label(tie.label);
    const std::string box(tie.box);
    EXPECT_EQ(related(label.c_str(), QAccessible::Labelled), QList<QObject*>{control(box.c_str())});
    EXPECT_EQ(related(box.c_str(), QAccessible::Label), QList<QObject*>{control(label.c_str())});
  }
  // The heading labels the result boxes in their order on screen. It groups them without
  // naming them: each keeps its own name, its unit.
  QList<QObject*> results;
  for (const TextBox box : kResultBoxes) {
    const std::string name(controlName(box));
    results << control(name.c_str());
    EXPECT_TRUE(related(name.c_str(), QAccessible::Label).isEmpty()) << name;
  }
  EXPECT_EQ(related(std::string(form::kResultsHeading).c_str(), QAccessible::Labelled), results);

  // The combo box is named by what it holds once it holds something, and its
  // caption still labels it.
  auto* combo = qobject_cast<QComboBox*>(control("Combo1"));
  combo->setCurrentIndex(1);
  EXPECT_EQ(accessible("Combo1")->text(QAccessible::Name), q(kPiChoices.at(1)));
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

  const testing::CoreAnswer core = testing::coreAnswer(u"45", kPiChoices.at(1));
  for (const TextBox which : kResultBoxes) {
    const std::string name(controlName(which));
    const auto box = std::ranges::find_if(recorded(), [&](const RecordedEvent& event) {
      return event.object == control(name.c_str()) && !event.inserted.isEmpty();
    });
    ASSERT_NE(box, recorded().end()) << name;
    EXPECT_EQ(box->inserted, q(core[which])) << name;
  }
  const QString told = q(core.announcement);
  const auto described = [&] {
    return std::ranges::count_if(recorded(), [&](const RecordedEvent& event) {
      return event.object == button && event.type == QAccessible::DescriptionChanged;
    });
  };
  EXPECT_EQ(described(), 1);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Description), told);
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
  EXPECT_EQ(notice->text(QAccessible::Name), told);
  EXPECT_EQ(notice->parent()->object(), window.get());

  // The same results again are told again; an error is told as the click wrote it,
  // once, with none of the stale lines beside it; a keypad key tells nothing.
  for (const std::u16string_view angle : {u"45", u"400", u"abc"}) {
    qobject_cast<QLineEdit*>(control("Text1"))->setText(q(angle));
    recorded().clear();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(described(), 1) << q(angle).toStdString();
    EXPECT_EQ(shown(), std::vector<QObject*>{notification}) << q(angle).toStdString();
    EXPECT_EQ(notice->text(QAccessible::Name),
              q(testing::coreAnswer(angle, kPiChoices.at(1)).announcement));
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
