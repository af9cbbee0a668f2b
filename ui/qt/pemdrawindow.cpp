// SPDX-License-Identifier: MIT
#include "pemdrawindow.h"

#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <exception>
#include <limits>
#include <utility>
#include <vector>

#include "accessibility.h"
#include "conversion.h"
#include "error.h"
#include "formload.h"
#include "keypad.h"
#include "legibility.h"
#include "qtcontrols.h"
#include "qtform.h"

namespace pemdra::ui {
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
      // A horizontal rule of form::kLineWidth pixels centred on its y, ends included.
      auto* line = new QFrame(window);
      line->setAutoFillBackground(true);
      setColours(line, control, QPalette::WindowText, QPalette::Window);
      rect =
          QRect(rect.left(), rect.top() - form::kLineWidth / 2, rect.width() + 1, form::kLineWidth);
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
  if (control.tabIndex < 0 || control.kind == form::ControlKind::Label)
    widget->setFocusPolicy(Qt::NoFocus);
  return widget;
}

}  // namespace

PemdraWindow::PemdraWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName(fromUtf8(form::kName));
  setWindowTitle(fromUtf8(form::kTitle));
  // The layout is fixed, left to right, whatever the language of the desktop.
  setLayoutDirection(Qt::LeftToRight);
  setFixedSize(form::kClientWidth, form::kClientHeight);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, toQColor(form::kFormColour));
  setPalette(palette);
  setAutoFillBackground(true);

  // Tab follows the table's tab indexes; labels and the line take no focus. They are
  // drawn on the form itself, beneath every other control whatever the table's order:
  // Label3 overlaps Combo1's top border by a pixel.
  std::vector<std::pair<int, QWidget*>> tabChain;
  for (const form::Control& control : form::controls()) {
    QWidget* widget = createControl(control, this);
    if (control.drawnOnForm()) widget->lower();
    if (widget->focusPolicy() != Qt::NoFocus) tabChain.emplace_back(control.tabIndex, widget);
  }
  std::ranges::sort(tabChain, {}, &std::pair<int, QWidget*>::first);
  for (std::size_t i = 1; i < tabChain.size(); ++i) {
    setTabOrder(tabChain[i - 1].second, tabChain[i].second);
  }

  // The handlers reach the widgets by the controls' names only.
  std::array<QLineEdit*, 5> textBoxes{};
  for (std::size_t i = 0; i < textBoxes.size(); ++i) {
    textBoxes.at(i) = findChild<QLineEdit*>(fromUtf8(controlName(static_cast<TextBox>(i))),
                                            Qt::FindDirectChildrenOnly);
  }
  auto* combo = findChild<QComboBox*>(QStringLiteral("Combo1"), Qt::FindDirectChildrenOnly);
  m_controls = std::make_unique<QtControls>(textBoxes, combo);

  // Bindings: the conversion button and the keypad, each to its handler.
  const auto bind = [this](std::string_view button, void (*handler)(Controls&)) {
    auto* widget = findChild<QPushButton*>(fromUtf8(button), Qt::FindDirectChildrenOnly);
    connect(widget, &QPushButton::clicked, this, [this, handler] { dispatch(handler); });
  };
  for (const KeypadKey& key : kKeypad) bind(key.button, key.click);
  // A conversion's lines also go to a screen reader, whatever the conversion wrote.
  auto* convert = findChild<QPushButton*>(QStringLiteral("CY"), Qt::FindDirectChildrenOnly);
  connect(convert, &QPushButton::clicked, this, [this] {
    dispatch(&CY_Click);
    announceResults(*this);
  });

  dispatch(&Form_Load);

  // Focus starts in the control with the lowest tab index.
  textBoxes[0]->setFocus();
  setUpAccessibility(*this);
  keepLegible(*this);
  centre();
}

void PemdraWindow::centre() {
  const QScreen* screen = this->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // A window's position is that of its frame; before a window manager frames it,
  // the frame is the client area itself.
  const QRect available = screen->availableGeometry();
  const QSize outer = frameGeometry().size();
  move(available.left() + (available.width() - outer.width()) / 2,
       available.top() + (available.height() - outer.height()) / 2);
}

void PemdraWindow::moveEvent(QMoveEvent* event) {
  // A window manager frames the window once it is on its way to the screen; it is
  // centred once more then, frame and title bar included. Later moves are the user's.
  if (!m_centredWithFrame && frameGeometry().size() != size()) {
    m_centredWithFrame = true;
    centre();
  }
  QWidget::moveEvent(event);
}

PemdraWindow::~PemdraWindow() = default;

void PemdraWindow::dispatch(void (*handler)(Controls&)) {
  try {
    handler(*m_controls);
  } catch (...) {
    showError(QString::fromStdString(errorReport(std::current_exception())));
  }
}

void PemdraWindow::showError(const QString& message) {
  if (m_reportError) {
    m_reportError(message);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Critical, kErrorTitle, message, QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace pemdra::ui
