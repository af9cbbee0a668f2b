// SPDX-License-Identifier: MIT
#pragma once

// The window tests' common start: a fresh pemdra window, shown and active on Qt's
// offscreen platform, and its controls by name.

#include <gtest/gtest.h>

#include <QString>
#include <QTest>

#include <memory>

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

}  // namespace pemdra::testing
