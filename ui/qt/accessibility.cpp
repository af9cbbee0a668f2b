// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRect>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <array>

#include "accessiblelineedit.h"
#include "buttons.h"
#include "controls.h"
#include "qtform.h"

namespace pemdra::qt {
namespace {

// A widget whose accessible role is not the one Qt gives its class carries it in
// this property; the factory below reads it.
constexpr const char* kRoleProperty = "pemdraAccessibleRole";

// The object that announces a conversion's lines: a plain object of the window, so
// the window keeps exactly its controls. It holds the lines of the last conversion
// in a property.
constexpr const char* kAnnouncerName = "resultsAnnouncer";
constexpr const char* kLinesProperty = "pemdraResultLines";

template <typename Widget = QWidget>
Widget* namedChild(const QWidget& window, std::string_view name) {
  return window.findChild<Widget*>(fromUtf8(name), Qt::FindDirectChildrenOnly);
}

QObject* announcer(const QWidget& window) {
  return window.findChild<QObject*>(QLatin1String(kAnnouncerName), Qt::FindDirectChildrenOnly);
}

/// Label2: the heading that groups the four result boxes. It points to them as
/// their label, but the boxes do not point back: a screen reader names a box by
/// the label it is told of, and each box keeps its own name, which says its unit.
class ResultsHeading final : public QAccessibleWidget {
 public:
  explicit ResultsHeading(QWidget* label) : QAccessibleWidget(label, QAccessible::Heading) {}

  [[nodiscard]] QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related =
        QAccessibleWidget::relations(match);
    const QWidget* window = widget()->parentWidget();
    if (!(match & QAccessible::Labelled) || window == nullptr) return related;
    for (const TextBox name : kResultBoxes) {
      if (QWidget* box = namedChild(*window, controlName(name))) {
        if (QAccessibleInterface* boxInterface = QAccessible::queryAccessibleInterface(box)) {
          related.append({boxInterface, QAccessible::Labelled});
        }
      }
    }
    return related;
  }
};

/// The announcer: a notification named by the last conversion's four result lines,
/// lying over the result boxes. It is no child of the window's: it only speaks when
/// shown.
class ResultsNotification final : public QAccessibleInterface {
 public:
  explicit ResultsNotification(QObject* object) : m_object(object) {}

  [[nodiscard]] bool isValid() const override { return !m_object.isNull(); }
  [[nodiscard]] QObject* object() const override { return m_object; }
  [[nodiscard]] QWindow* window() const override {
    return owner() != nullptr ? owner()->windowHandle() : nullptr;
  }
  [[nodiscard]] QAccessibleInterface* parent() const override {
    return owner() != nullptr ? QAccessible::queryAccessibleInterface(owner()) : nullptr;
  }
  [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
    return nullptr;
  }
  [[nodiscard]] int childCount() const override { return 0; }
  [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
    return -1;
  }
  [[nodiscard]] QString text(QAccessible::Text kind) const override {
    if (kind != QAccessible::Name || m_object.isNull()) return {};
    return m_object->property(kLinesProperty).toString();
  }
  void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
  [[nodiscard]] QRect rect() const override {
    QRect area;
    if (owner() == nullptr) return area;
    for (const TextBox name : kResultBoxes) {
      if (const QWidget* box = namedChild(*owner(), controlName(name))) {
        area |= QRect(box->mapToGlobal(QPoint(0, 0)), box->size());
      }
    }
    return area;
  }
  [[nodiscard]] QAccessible::Role role() const override { return QAccessible::Notification; }
  [[nodiscard]] QAccessible::State state() const override {
    QAccessible::State state;
    state.readOnly = true;
    return state;
  }

 private:
  [[nodiscard]] QWidget* owner() const {
    return m_object.isNull() ? nullptr : qobject_cast<QWidget*>(m_object->parent());
  }

  QPointer<QObject> m_object;
};

QAccessibleInterface* accessibleFactory(const QString& /*className*/, QObject* object) {
  if (object == nullptr) return nullptr;
  if (auto* edit = qobject_cast<QLineEdit*>(object)) return new AccessibleLineEdit(edit);
  const QVariant role = object->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  if (role.toInt() == QAccessible::Notification) return new ResultsNotification(object);
  if (!object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (role.toInt() == QAccessible::Heading) return new ResultsHeading(widget);
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

// Qt makes a widget's interface at its first accessibility event, which may come
// before the factory above is installed or a role is set: an interface that is
// not the one wanted is dropped, and the next query makes it anew through the
// factory.
template <typename Wanted>
void remake(QWidget* widget, const Wanted& wanted) {
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
      made != nullptr && !wanted(*made)) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
}

void setRole(QWidget* widget, QAccessible::Role role) {
  if (widget == nullptr) return;
  widget->setProperty(kRoleProperty, static_cast<int>(role));
  remake(widget, [role](const QAccessibleInterface& made) { return made.role() == role; });
}

void setBuddy(const QWidget& window, std::string_view label, std::string_view box) {
  if (auto* caption = namedChild<QLabel>(window, label)) caption->setBuddy(namedChild(window, box));
}

}  // namespace

void setUpAccessibility(QWidget& window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(&accessibleFactory);
    return true;
  }();
  (void)factoryInstalled;
  // Every line edit, the π box's own included, gets the factory's interface.
  for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
    remake(edit, [](const QAccessibleInterface& made) {
      return dynamic_cast<const AccessibleLineEdit*>(&made) != nullptr;
    });
  }

  // The captions name their boxes; the boxes keep their own accessible names,
  // and the combo box's name stays the text it holds.
  for (const form::CaptionTie& tie : form::kCaptionTies) setBuddy(window, tie.label, tie.box);

  setRole(&window, QAccessible::Window);  // named by its title
  for (const form::Control& control : form::controls()) {
    if (control.kind == form::ControlKind::Line) {
      setRole(namedChild(window, control.name), QAccessible::Separator);
    }
  }
  setRole(namedChild(window, form::kResultsHeading), QAccessible::Heading);

  if (announcer(window) == nullptr) {
    auto* notification = new QObject(&window);
    notification->setObjectName(QLatin1String(kAnnouncerName));
    notification->setProperty(kRoleProperty, static_cast<int>(QAccessible::Notification));
  }
}

void announceResults(QWidget& window, const QString& lines) {
  // The button keeps the lines for a screen reader's where-am-I and for a return to
  // it. Qt 6.4 sends a description's change without the text, which screen readers
  // drop; the notification's showing carries its name, which they speak at once.
  if (QWidget* button = namedChild(window, convertButton().name)) {
    if (button->accessibleDescription() != lines) {
      button->setAccessibleDescription(lines);  // sends the change
    } else {
      QAccessibleEvent changed(button, QAccessible::DescriptionChanged);
      QAccessible::updateAccessibility(&changed);
    }
  }
  if (QObject* notification = announcer(window)) {
    notification->setProperty(kLinesProperty, lines);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
  }
}

}  // namespace pemdra::qt
