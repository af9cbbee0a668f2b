// SPDX-License-Identifier: MIT
#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include <array>

#include "qtform.h"

namespace pemdra::ui {
namespace {

// A widget whose accessible role is not the one Qt gives its class carries it in
// this property; the factory below reads it.
constexpr const char* kRoleProperty = "pemdraAccessibleRole";

// The result boxes in their order on screen, top to bottom.
constexpr std::array<std::string_view, 4> kResultBoxes = {"Text2", "Text3", "Text5", "Text4"};

template <typename Widget = QWidget>
Widget* namedChild(const QWidget& window, std::string_view name) {
  return window.findChild<Widget*>(fromUtf8(name), Qt::FindDirectChildrenOnly);
}

/// Label2: a heading that labels the four result boxes.
class ResultsHeading final : public QAccessibleWidget {
 public:
  explicit ResultsHeading(QWidget* label) : QAccessibleWidget(label, QAccessible::Heading) {}

  [[nodiscard]] QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related =
        QAccessibleWidget::relations(match);
    const QWidget* window = widget()->parentWidget();
    if (!(match & QAccessible::Labelled) || window == nullptr) return related;
    for (std::string_view name : kResultBoxes) {
      if (QWidget* box = namedChild(*window, name)) {
        if (QAccessibleInterface* boxInterface = QAccessible::queryAccessibleInterface(box)) {
          related.append({boxInterface, QAccessible::Labelled});
        }
      }
    }
    return related;
  }
};

QAccessibleInterface* accessibleFactory(const QString& /*className*/, QObject* object) {
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  const QVariant role = object->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (role.toInt() == QAccessible::Heading) return new ResultsHeading(widget);
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

void setRole(QWidget* widget, QAccessible::Role role) {
  if (widget == nullptr) return;
  widget->setProperty(kRoleProperty, static_cast<int>(role));
  // Qt makes a widget's interface at its first accessibility event, which may
  // come before this: an interface of the wrong role is dropped, and the next
  // query makes it anew through the factory.
  if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
      made != nullptr && made->role() != role) {
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
  }
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

  // The captions name their boxes; the boxes keep their own accessible names,
  // and the combo box's name stays the text it holds.
  setBuddy(window, "Label1", "Text1");
  setBuddy(window, "Label3", "Combo1");
  setBuddy(window, "Label2", kResultBoxes.front());

  setRole(&window, QAccessible::Window);  // named by its title
  setRole(namedChild(window, "Line1"), QAccessible::Separator);
  setRole(namedChild(window, "Label2"), QAccessible::Heading);
}

QStringList resultLines(const QWidget& window) {
  QStringList lines;
  for (std::string_view name : kResultBoxes) {
    const auto* box = namedChild<QLineEdit>(window, name);
    lines.append(box != nullptr ? box->text() : QString());
  }
  return lines;
}

void announceResults(QWidget& window) {
  QWidget* button = namedChild(window, "CY");
  if (button == nullptr) return;
  const QString lines = resultLines(window).join(QLatin1Char('\n'));
  if (button->accessibleDescription() != lines) {
    button->setAccessibleDescription(lines);  // sends the change
    return;
  }
  QAccessibleEvent changed(button, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace pemdra::ui
