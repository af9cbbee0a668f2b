// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

#include "pemdrawindow.h"

namespace pemdra::ui {
namespace {

constexpr const char* kNoDisplay =
    "pemdra: cannot open a display (%s); run it in a desktop session, set DISPLAY to a "
    "running X server, or start it under xvfb-run\n";

// Until the application exists, Qt reports a display it cannot open as a warning
// naming the display, then a fatal message about the platform plug-in, and aborts.
// This handler turns that into one clear line and exit code 1 instead.
QString firstWarning;

void startupMessages(QtMsgType type, const QMessageLogContext& /*context*/,
                     const QString& message) {
  if (type == QtFatalMsg) {
    const QString cause = firstWarning.isEmpty() ? message : firstWarning;
    std::fprintf(stderr, kNoDisplay, qPrintable(cause.section(QLatin1Char('\n'), 0, 0)));
    std::_Exit(1);
  }
  if (firstWarning.isEmpty()) firstWarning = message;
}

bool displayNamed() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD) || defined(Q_OS_OPENBSD) || defined(Q_OS_NETBSD)
  return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
         qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
#else
  return true;
#endif
}

}  // namespace

int run(int argc, char** argv) {
  if (!displayNamed()) {
    std::fprintf(stderr, kNoDisplay, "neither DISPLAY nor WAYLAND_DISPLAY is set");
    return 1;
  }

  const QtMessageHandler previous = qInstallMessageHandler(startupMessages);
  QApplication app(argc, argv);
  qInstallMessageHandler(previous);

  QApplication::setApplicationName(QStringLiteral("pemdra"));
  QApplication::setApplicationVersion(QStringLiteral(PEMDRA_VERSION));

  PemdraWindow window;
  window.show();
  // The icon is decoded once the window is on its way to the screen: the title bar
  // and task bar take it a moment later, and the window itself shows sooner.
  QTimer::singleShot(0, &window, [] {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pemdra/pemdra.png")));
  });
  return QApplication::exec();
}

}  // namespace pemdra::ui
