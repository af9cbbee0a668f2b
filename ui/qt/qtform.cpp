// SPDX-License-Identifier: MIT
#include "qtform.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <limits>

namespace pemdra::qt {
namespace {

void setColours(QWidget* widget, const form::Control& control, QPalette::ColorRole foregroundRole,
                QPalette::ColorRole backgroundRole) {
  QPalette palette = widget->palette();
  if (control.foreground) palette.setColor(foregroundRole, toQColor(*control.foreground));
  if (control.background) palette.setColor(backgroundRole, toQColor(*control.background));
  widget->setPalette(palette);
}

// A command button that Enter (Return or the keypad's Enter) clicks while it has
// the focus, as Space does, without any button being the window's default: Enter
// typed in a text box or the π field still clicks nothing.
class CommandButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
      click();
      return;
    }
    QPushButton::keyPressEvent(event);
  }
};

}  // namespace

QStringList controlFamilies() {
  QStringList families{fromUtf8(form::kFontFace)};
  for (const std::string_view face : form::kFallbackFaces) families.append(fromUtf8(face));
  return families;
}

QFont controlFont(const form::Control& control) {
  // The first installed face of the list, looked up once: a face that is missing
  // would send every font request on a search through all the system's fonts. A
  // face installed under its own name is found in the font list; any other may be
  // installed under an alias, which costs a fontconfig match to learn, so the
  // look-up stops at the first face found.
  static const QStringList families = [] {
    QStringList faces = controlFamilies();
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : faces) {
      if (installed.contains(family, Qt::CaseInsensitive) || QFontDatabase::hasFamily(family)) {
        return QStringList{family};
      }
    }
    return faces;
  }();
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(control.pointSize);
  font.setBold(control.bold);
  return font;
}

QWidget* createControl(const form::Control& control, QWidget* window) {
  QWidget* widget = nullptr;
  QRect rect = toQRect(control.pixels());
  switch (control.kind) {
    case form::ControlKind::TextBox: {
      auto* edit = new QLineEdit(window);
      edit->setAlignment(toQtAlignment(control.alignment));
      edit->setMaxLength(std::numeric_limits<int>::max());  // Qt's default stops at 32767
      setColours(edit, control, QPalette::Text, QPalette::Base);
      widget = edit;
      break;
    }
    case form::ControlKind::CommandButton: {
      auto* button = new CommandButton(fromUtf8(control.caption), window);
      button->setAutoDefault(false);
      widget = button;
      break;
    }
    case form::ControlKind::Label: {
      auto* label = new QLabel(fromUtf8(control.caption), window);
      label->setAlignment(toQtAlignment(control.alignment));
      label->setAutoFillBackground(true);
      setColours(label, control, QPalette::WindowText, QPalette::Window);
      widget = label;
      break;
    }
    case form::ControlKind::ComboBox: {
      auto* combo = new QComboBox(window);
      setColours(combo, control, QPalette::Text, QPalette::Base);
      setColours(combo, control, QPalette::ButtonText, QPalette::Button);
      widget = combo;
      break;
    }
    case form::ControlKind::Line: {
      auto* line = new QFrame(window);
      line->setAutoFillBackground(true);
      setColours(line, control, QPalette::WindowText, QPalette::Window);
      widget = line;
      break;
    }
  }
  widget->setObjectName(fromUtf8(control.name));
  widget->setAccessibleName(fromUtf8(control.accessibleName));
  widget->setGeometry(rect);
  if (control.pointSize > 0) widget->setFont(controlFont(control));
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    // Made editable once placed and in its font: a combo box that is not yet placed
    // sizes itself to its text when made editable, and its field lays out its text
    // in the font it has then.
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    // The field holds exactly what is typed: no completion from the list.
    combo->setCompleter(nullptr);
  }
  if (!control.takesFocus()) widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

}  // namespace pemdra::qt
