// SPDX-License-Identifier: MIT
// Starts a program and times it from outside: from the moment before it is
// spawned to the first Expose or MapNotify of its first top-level window, as the
// X server sees it (some toolkits map a window without an early Expose). Then it
// ends the program and reports its peak memory.
//
//   xlaunch PROGRAM [ARGS...]     (DISPLAY names the X server)
//   prints: startup_ms=12.345 maxrss_kb=34567
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <set>

extern char** environ;

namespace {

double nowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

XErrorHandler defaultErrorHandler = nullptr;

// A top-level window can be gone by the time it is watched (a program may make and
// destroy one at once): there is nothing to watch then. Any other error is Xlib's.
int ignoreVanishedWindows(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow) return 0;
  return defaultErrorHandler(display, error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: xlaunch PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "xlaunch: cannot open the display named by DISPLAY\n");
    return 2;
  }
  defaultErrorHandler = XSetErrorHandler(ignoreVanishedWindows);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const double start = nowMs();
  pid_t pid = 0;
  if (posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
    std::fprintf(stderr, "xlaunch: cannot start %s\n", argv[1]);
    return 2;
  }

  // Every new top-level window is watched for exposure from its creation on, so
  // the first Expose cannot slip by before we listen.
  // A program that shows no window within a minute is given up on.
  std::set<Window> watched;
  double shown = -1;
  while (shown < 0) {
    if (XPending(display) == 0) {
      pollfd connection{ConnectionNumber(display), POLLIN, 0};
      if (nowMs() - start > 60'000 || (poll(&connection, 1, 1000) < 0 && errno != EINTR)) {
        std::fprintf(stderr, "xlaunch: %s showed no window\n", argv[1]);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        XCloseDisplay(display);
        return 1;
      }
      continue;
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
      XSelectInput(display, event.xcreatewindow.window, ExposureMask | StructureNotifyMask);
      watched.insert(event.xcreatewindow.window);
    } else if (event.type == Expose && watched.count(event.xexpose.window) != 0) {
      shown = nowMs() - start;
    } else if (event.type == MapNotify && watched.count(event.xmap.window) != 0) {
      shown = nowMs() - start;
    }
  }

  // Let the first paint finish before taking the peak, the same for every program.
  timespec pause{0, 300'000'000};
  nanosleep(&pause, nullptr);
  kill(pid, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  XCloseDisplay(display);
  std::printf("startup_ms=%.3f maxrss_kb=%ld\n", shown, usage.ru_maxrss);
  return 0;
}
