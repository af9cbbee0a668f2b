// SPDX-License-Identifier: MIT
#pragma once

// The window tests' common start: a fresh pemdra window, shown and active on Qt's
// offscreen platform, and its controls by name.

#include <gtest/gtest.h>

#include <QString>
#include <QTest>

#include <QColor>
#include <QRect>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form.h"
#include "pemdrawindow.h"

namespace pemdra::testing {

/// Opens a new window and waits until it is exposed and active.
inline std::unique_ptr<qt::PemdraWindow> openWindow() {
  auto window = std::make_unique<qt::PemdraWindow>();
  window->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
  return window;
}

/// The window's control of that name; a failure when there is none.
template <typename Widget = QWidget>
Widget* findControl(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

/// The table's and the core's facts in Qt's terms, for comparing with the widgets.
inline QString q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
inline QString q(std::u16string_view text) {
  return QString::fromStdU16String(std::u16string(text));
}
inline QStringList q(const std::vector<std::u16string>& lines) {
  QStringList list;
  for (const auto& line : lines) list << q(line);
  return list;
}
inline QColor q(form::Rgb colour) { return {colour.red, colour.green, colour.blue}; }
inline QRect q(form::PixelRect r) { return {r.left, r.top, r.width, r.height}; }

}  // namespace pemdra::testing
