// SPDX-License-Identifier: MIT
// The floor for a Qt Widgets window: 24 plain widgets of the kinds pemdra shows
// (5 line edits, 14 push buttons, 3 labels, a combo box, a frame), no fonts,
// colours or logic of its own. startup.sh times it beside pemdra.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(470, 366);
  for (int i = 0; i < 5; ++i) (new QLineEdit(&window))->setGeometry(8, 200 + 33 * i, 300, 30);
  for (int i = 0; i < 14; ++i) {
    (new QPushButton(QString::number(i), &window))
        ->setGeometry(320 + 48 * (i % 3), 8 + 40 * (i / 3), 41, 33);
  }
  for (int i = 0; i < 3; ++i) {
    (new QLabel(QStringLiteral("label"), &window))->setGeometry(8, 8 + 40 * i, 200, 17);
  }
  (new QComboBox(&window))->setGeometry(8, 128, 265, 32);
  (new QFrame(&window))->setGeometry(8, 174, 305, 5);
  window.show();
  return QApplication::exec();
}
