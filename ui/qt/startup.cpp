// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QApplication>
#include <QTimer>
#include <QtGlobal>

#include <array>
#include <cstdio>
#include <string_view>

#include "icon.h"
#include "nodisplay.h"
#include "pemdrawindow.h"

#if defined(Q_OS_UNIX)
#include "unixsignals.h"
#endif

namespace pemdra::qt {
namespace {

constexpr const char* kHelp =
    "pemdra " PEMDRA_VERSION
    " - converts an angle in decimal degrees (0 to 360) into degrees-minutes-seconds,\n"
    "radians as a multiple of pi, radians as a number and grads, in one Greek window.\n"
    "\n"
    "Usage: pemdra [--help | --version]\n"
    "pemdra takes no other arguments; any other argument is ignored.\n"
    "\n"
    "Environment:\n"
    "  DISPLAY          the X server to open the window on\n"
    "  WAYLAND_DISPLAY  the Wayland compositor to open the window on (needs qt6-wayland)\n"
    "  QT_QPA_PLATFORM  the platform to use: xcb (X11), wayland, ...\n"
    "  QT_SCALE_FACTOR  scales the whole window, for example 1.5 or 2\n";

}  // namespace

int run(int argc, char** argv) {
  // The program reads --help and --version, and nothing else: no other argument,
  // Qt's own (-reverse, -style, -stylesheet ...) included, changes the window.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--version") {
      std::fputs("pemdra " PEMDRA_VERSION "\n", stdout);
      return 0;
    }
    if (argument == "--help") {
      std::fputs(kHelp, stdout);
      return 0;
    }
  }

  if (reportMissingDisplay()) return 1;

  holdPlatformMessages();
  int qtArgc = 1;
  std::array<char*, 2> qtArgv = {argv[0], nullptr};
  QApplication::setDesktopFileName(QStringLiteral(PEMDRA_APP_ID));
  QApplication app(qtArgc, qtArgv.data());
  releasePlatformMessages();

  QApplication::setApplicationName(QStringLiteral("pemdra"));
  QApplication::setApplicationVersion(QStringLiteral(PEMDRA_VERSION));
#if defined(Q_OS_UNIX)
  quitOnSignals(app);
#endif

  PemdraWindow window;
  window.show();
  // The icon is set once the window is on its way to the screen: the title bar and
  // task bar take it a moment later, and the window itself shows sooner.
  QTimer::singleShot(0, &window, [] { QApplication::setWindowIcon(windowIcon()); });
  return QApplication::exec();
}

}  // namespace pemdra::qt
