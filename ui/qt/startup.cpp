// SPDX-License-Identifier: MIT
#include "startup.h"

#include <QApplication>
#include <QTimer>
#include <QtGlobal>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "icon.h"
#include "pemdrawindow.h"

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>
#include <csignal>
#endif

namespace pemdra::ui {
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

bool isUnixDesktop() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD) || defined(Q_OS_OPENBSD) || defined(Q_OS_NETBSD)
  return true;
#else
  return false;
#endif
}

// Until the application exists, a display Qt cannot open shows as warnings of the
// platform categories (qt.qpa.*) naming the cause, then a fatal message, then an
// abort. The platform warnings are held back and the fatal message becomes one line
// naming the cause and its fix, with exit status 1; had the start-up succeeded,
// the held warnings are written after all. Every other message goes through as Qt
// writes it; with QT_DEBUG_PLUGINS set, so do the platform warnings.
QtMessageHandler qtHandler = nullptr;
QList<std::pair<QtMsgType, QString>> heldBack;
QString heldCategories;  // the first line of every platform message, to read the cause from
bool passEverything = false;

QString oneLine(const QString& text) { return text.section(QLatin1Char('\n'), 0, 0).trimmed(); }

// Whether Qt's Wayland platform plug-in is missing: Qt says it found no plug-in of
// that name, or lists the plug-ins it has, without it.
bool waylandPluginMissing(const QString& messages) {
  if (messages.contains(QStringLiteral("Could not find the Qt platform plugin \"wayland"))) {
    return true;
  }
  const QString listed = QStringLiteral("Available platform plugins are:");
  const qsizetype at = messages.indexOf(listed);
  if (at < 0) return false;
  const QString available = messages.mid(at + listed.size()).section(QLatin1Char('\n'), 0, 0);
  return !available.contains(QStringLiteral("wayland"));
}

void printNoDisplay(const QString& fatal) {
  const QString all = heldCategories + QLatin1Char('\n') + fatal;
  const QString x11 = qEnvironmentVariable("DISPLAY");
  const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
  const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
  const bool waylandWanted =
      platform.startsWith(QStringLiteral("wayland")) || (!wayland.isEmpty() && x11.isEmpty());
  const QString waylandName =
      wayland.isEmpty() ? QStringLiteral("(WAYLAND_DISPLAY is not set)") : wayland;
  QString line;
  if (waylandWanted && waylandPluginMissing(all)) {
    line = QStringLiteral(
               "pemdra: cannot open the Wayland display %1: Qt's Wayland platform plugin is not "
               "installed; install it (apt install qt6-wayland), or set DISPLAY to use an X "
               "server")
               .arg(waylandName);
  } else if (waylandWanted) {
    line = QStringLiteral(
               "pemdra: cannot open the Wayland display %1: the compositor refuses the "
               "connection or is not running; check WAYLAND_DISPLAY and XDG_RUNTIME_DIR, or "
               "set DISPLAY to use an X server")
               .arg(waylandName);
  } else if (!x11.isEmpty() && all.contains(QStringLiteral("could not connect to display"))) {
    line = QStringLiteral(
               "pemdra: cannot open the X display %1: the X server refuses the connection or "
               "is not running; check DISPLAY, that the server runs, and that you may use it "
               "(XAUTHORITY, xhost)")
               .arg(x11);
  } else {
    line = QStringLiteral(
               "pemdra: cannot open a display (%1); run it in a desktop session, or set DISPLAY "
               "to a running X server")
               .arg(oneLine(fatal));
  }
  std::fprintf(stderr, "%s\n", qPrintable(line));
}

void startupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    printNoDisplay(message);
    std::_Exit(1);
  }
  const bool platform =
      context.category != nullptr && std::strncmp(context.category, "qt.qpa.", 7) == 0;
  if (platform && type != QtDebugMsg) {
    heldCategories += oneLine(message) + QLatin1Char('\n');
    if (!passEverything) {
      heldBack.append({type, message});
      return;
    }
  }
  qtHandler(type, context, message);
}

#if defined(Q_OS_UNIX)
// SIGTERM and SIGINT close the window as the close button does, so the program ends
// through its ordinary exit, with status 0. The signal handler only writes a byte.
std::array<int, 2> signalPipe = {-1, -1};

void onSignal(int /*signal*/) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals(QApplication& app) {
  if (::pipe2(signalPipe.data(), O_CLOEXEC | O_NONBLOCK) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
    char byte = 0;
    while (::read(signalPipe[0], &byte, 1) > 0) {
    }
    QApplication::closeAllWindows();
    QApplication::quit();
  });
  struct sigaction action {};
  action.sa_handler = onSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}
#endif

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

  if (isUnixDesktop() && !qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    std::fputs(
        "pemdra: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set; run pemdra "
        "in a desktop session, or set DISPLAY to a running X server (for example under "
        "xvfb-run)\n",
        stderr);
    return 1;
  }

  passEverything = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
  qtHandler = qInstallMessageHandler(startupMessages);
  int qtArgc = 1;
  std::array<char*, 2> qtArgv = {argv[0], nullptr};
  QApplication::setDesktopFileName(QStringLiteral(PEMDRA_APP_ID));
  QApplication app(qtArgc, qtArgv.data());
  qInstallMessageHandler(qtHandler);
  for (const auto& [type, message] : heldBack) qtHandler(type, QMessageLogContext(), message);
  heldBack.clear();

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

}  // namespace pemdra::ui
