// SPDX-License-Identifier: MIT
#include "unixsignals.h"

#include <QApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>

namespace pemdra::qt {
namespace {

// SIGTERM and SIGINT close the window as the close button does, so the program ends
// through its ordinary exit, with status 0. The signal handler only writes a byte.
std::array<int, 2> signalPipe = {-1, -1};

void onSignal(int /*signal*/) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

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

}  // namespace pemdra::qt
