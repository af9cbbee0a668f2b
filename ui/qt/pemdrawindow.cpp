// SPDX-License-Identifier: MIT
#include "pemdrawindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>
#include <vector>

#include "accessibility.h"
#include "buttons.h"
#include "formload.h"
#include "legibility.h"
#include "qtcontrols.h"
#include "qtform.h"

namespace pemdra::qt {

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

  // What is drawn on the form first, beneath every other control whatever the table's
  // order (Label3 overlaps Combo1's top border by a pixel); then the controls Tab walks,
  // in the order it walks them.
  for (const form::Control& control : form::controls()) {
    if (control.drawnOnForm()) createControl(control, this);
  }
  QWidget* previous = nullptr;
  for (const form::Control* control : form::tabOrder()) {
    QWidget* widget = createControl(*control, this);
    if (previous != nullptr) setTabOrder(previous, widget);
    previous = widget;
  }

  // The handlers reach the widgets by the controls' names only.
  std::array<QLineEdit*, kTextBoxCount> textBoxes{};
  for (std::size_t i = 0; i < textBoxes.size(); ++i) {
    textBoxes.at(i) = findChild<QLineEdit*>(fromUtf8(controlName(static_cast<TextBox>(i))),
                                            Qt::FindDirectChildrenOnly);
  }
  auto* combo = findChild<QComboBox*>(fromUtf8(kPiBox), Qt::FindDirectChildrenOnly);
  m_controls = std::make_unique<QtControls>(textBoxes, combo);

  // Each button of the core's table to its handler.
  for (const Button& button : kButtons) {
    auto* widget = findChild<QPushButton*>(fromUtf8(button.name), Qt::FindDirectChildrenOnly);
    connect(widget, &QPushButton::clicked, this,
            [this, &button] { present(click(button, *m_controls)); });
  }

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

void PemdraWindow::dispatch(Handler* handler) { present(run(handler, *m_controls)); }

void PemdraWindow::present(const Outcome& outcome) {
  // What the click wrote goes to a screen reader, even when it is what was there.
  if (!outcome.announcement.empty())
    announceResults(*this, QString::fromStdU16String(outcome.announcement));
  if (!outcome.error.empty()) showError(QString::fromStdString(outcome.error));
}

void PemdraWindow::showError(const QString& message) {
  if (m_reportError) {
    m_reportError(message);
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Critical, fromUtf8(form::kErrorTitle), message,
                              QMessageBox::Ok, this);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->open();
}

}  // namespace pemdra::qt
