// SPDX-License-Identifier: MIT
#include "nodisplay.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace pemdra::qt {
namespace {

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

}  // namespace

bool reportMissingDisplay() {
  if (!isUnixDesktop() || qEnvironmentVariableIsSet("DISPLAY") ||
      qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
      qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    return false;
  }
  std::fputs(
      "pemdra: cannot open a display: neither DISPLAY nor WAYLAND_DISPLAY is set; run pemdra "
      "in a desktop session, or set DISPLAY to a running X server (for example under "
      "xvfb-run)\n",
      stderr);
  return true;
}

void holdPlatformMessages() {
  passEverything = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
  qtHandler = qInstallMessageHandler(startupMessages);
}

void releasePlatformMessages() {
  qInstallMessageHandler(qtHandler);
  for (const auto& [type, message] : heldBack) qtHandler(type, QMessageLogContext(), message);
  heldBack.clear();
}

}  // namespace pemdra::qt
