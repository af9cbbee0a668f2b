// SPDX-License-Identifier: MIT
#include "legibility.h"

#include <QApplication>
#include <QColor>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>

#include "form.h"
#include "qtform.h"

namespace pemdra::qt {
namespace {

constexpr int kFocusFrameWidth = form::kFocusFrameWidth;  // pixels, inside the box's rectangle

form::Rgb toRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

/// Gives a label whose text colour is the system's that colour where it reads on
/// the label's own background, and black where it does not; again whenever the
/// system's colours change.
class ReadableSystemText final : public QObject {
 public:
  explicit ReadableSystemText(QLabel* label) : QObject(label), m_label(label) {
    update();
    // A new scheme reaches the application first; a label that sets its own text
    // colour hears of it from nobody else.
    QCoreApplication::instance()->installEventFilter(this);
    label->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if ((watched == m_label && event->type() == QEvent::PaletteChange) ||
        event->type() == QEvent::ApplicationPaletteChange) {
      update();
    }
    return false;
  }

 private:
  void update() {
    const QPalette system = QApplication::palette(m_label);
    QPalette palette = m_label->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      const form::Rgb text = form::readableText(toRgb(system.color(group, QPalette::WindowText)),
                                                toRgb(palette.color(group, QPalette::Window)));
      palette.setColor(group, QPalette::WindowText, QColor(text.red, text.green, text.blue));
    }
    if (palette != m_label->palette()) m_label->setPalette(palette);
  }

  QLabel* m_label;
};

/// Draws a frame in a text box's own text colour over what the style draws, while
/// the box has the keyboard focus: the style's focus mark can vanish on a black box.
class FocusFrame final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || !box->hasFocus()) return false;
    static_cast<QObject*>(box)->event(event);  // the box paints itself first
    QPainter painter(box);
    const QColor colour = box->palette().color(QPalette::Text);
    const int width = box->width();
    const int height = box->height();
    painter.fillRect(0, 0, width, kFocusFrameWidth, colour);
    painter.fillRect(0, height - kFocusFrameWidth, width, kFocusFrameWidth, colour);
    painter.fillRect(0, 0, kFocusFrameWidth, height, colour);
    painter.fillRect(width - kFocusFrameWidth, 0, kFocusFrameWidth, height, colour);
    return true;
  }
};

}  // namespace

void keepLegible(QWidget& window) {
  for (const form::Control& control : form::controls()) {
    if (!control.systemTextOnOwnBackground()) continue;
    if (auto* label =
            window.findChild<QLabel*>(fromUtf8(control.name), Qt::FindDirectChildrenOnly)) {
      new ReadableSystemText(label);
    }
  }
  auto* focusFrame = new FocusFrame(&window);
  for (QLineEdit* box : window.findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
    box->installEventFilter(focusFrame);
  }
}

}  // namespace pemdra::qt
