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
    connect(widget, &QPushButton::clicked, this, [this, &button] { dispatch(button.click); });
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

void PemdraWindow::dispatch(Handler* handler) {
  const Outcome outcome = run(handler, *m_controls);
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
