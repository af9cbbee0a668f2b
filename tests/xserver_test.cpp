// SPDX-License-Identifier: MIT
// The real pemdra under a real X server: it starts its own Xvfb on a free display,
// waits for the window, checks pixels where the layout puts known colours, clicks
// the road of one conversion with real pointer events, and keeps screenshots.
#include <gtest/gtest.h>

// Qt before Xlib: Xlib's macros (Status, CursorShape ...) would break Qt's headers.
#include <QColor>
#include <QImage>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

/// A child process, ended (SIGTERM, then reaped) when it goes out of scope.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    if (posix_spawnp(&m_pid, args[0], nullptr, nullptr, args.data(), envp.data()) != 0) m_pid = -1;
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() {
    if (m_pid <= 0) return;
    ::kill(m_pid, SIGTERM);
    waitExit(5s);
  }
  [[nodiscard]] bool started() const { return m_pid > 0; }
  /// Waits for the child to end; its exit status, or nothing on timeout.
  std::optional<int> waitExit(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (m_pid > 0) {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      if (Clock::now() > deadline) {
        ::kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return std::nullopt;
      }
      std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
  }

 private:
  pid_t m_pid = -1;
};

/// This process's environment without anything that names a display or platform.
std::vector<std::string> environmentWithoutDisplay() {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    if (!entry.starts_with("DISPLAY=") && !entry.starts_with("QT_QPA_PLATFORM=") &&
        !entry.starts_with("WAYLAND_DISPLAY=")) {
      env.push_back(entry);
    }
  }
  return env;
}

std::vector<std::string> environmentWith(const std::string& display) {
  std::vector<std::string> env = environmentWithoutDisplay();
  env.push_back("DISPLAY=" + display);
  return env;
}

/// Xvfb on a display number it picks itself (-displayfd), so tests never collide.
class Xvfb {
 public:
  Xvfb() {
    int fds[2];
    if (pipe(fds) != 0) return;
    m_server.emplace(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 "1024x768x24", "-dpi", "96", "-nolisten", "tcp", "-noreset"},
        environmentWith(""));
    close(fds[1]);
    std::string number;
    pollfd waiting{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&waiting, 1, 10'000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) m_name = ":" + number;
  }
  [[nodiscard]] const std::string& name() const { return m_name; }

 private:
  std::optional<Child> m_server;
  std::string m_name;
};

struct Screenshot {
  QImage image;
  [[nodiscard]] QColor at(int x, int y) const { return image.pixelColor(x, y); }
  /// How many pixels of a rectangle are near white (text drawn on a black box).
  [[nodiscard]] int whitePixels(int left, int top, int width, int height) const {
    int count = 0;
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) count += at(x, y).lightness() > 200 ? 1 : 0;
    }
    return count;
  }
};

class XServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(server.name().empty()) << "Xvfb did not start";
    display = XOpenDisplay(server.name().c_str());
    ASSERT_NE(display, nullptr);
  }
  void TearDown() override {
    if (display != nullptr) XCloseDisplay(display);
  }

  std::string windowName(Window window) {
    XTextProperty property{};
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    if (XGetTextProperty(display, window, &property, netName) == 0) return {};
    std::string name(reinterpret_cast<char*>(property.value), property.nitems);
    XFree(property.value);
    return name;
  }

  std::vector<Window> viewableTopLevels() {
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    std::vector<Window> found;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
      return found;
    }
    for (unsigned i = 0; i < count; ++i) {
      XWindowAttributes attributes{};
      if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
          attributes.map_state == IsViewable) {
        found.push_back(children[i]);
      }
    }
    XFree(children);
    return found;
  }

  /// pemdra's window once it is shown and painted, or 0.
  Window waitForWindow() {
    const auto deadline = Clock::now() + 20s;
    while (Clock::now() < deadline) {
      for (const Window w : viewableTopLevels()) {
        if (windowName(w) == "Μετατροπέας" && shoot(w).at(4, 200) == QColor(255, 128, 128)) {
          return w;
        }
      }
      std::this_thread::sleep_for(20ms);
    }
    return 0;
  }

  Screenshot shoot(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    Screenshot shot{QImage(attributes.width, attributes.height, QImage::Format_RGB32)};
    if (image == nullptr) return shot;
    for (int y = 0; y < attributes.height; ++y) {
      for (int x = 0; x < attributes.width; ++x) {
        shot.image.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y)) | 0xff000000U);
      }
    }
    XDestroyImage(image);
    return shot;
  }

  /// Whether the window carries an icon for title and task bars (set just after it shows).
  bool hasIcon(Window window) {
    const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
    const auto deadline = Clock::now() + 5s;
    while (Clock::now() < deadline) {
      int count = 0;
      Atom* atoms = XListProperties(display, window, &count);
      bool found = false;
      for (int i = 0; i < count; ++i) found = found || atoms[i] == icon;
      if (atoms != nullptr) XFree(atoms);
      if (found) return true;
      std::this_thread::sleep_for(20ms);
    }
    return false;
  }

  /// A real pointer click at a point of the window, through xdotool.
  void click(Window window, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    Child xdotool({"xdotool", "mousemove", "--sync", std::to_string(rootX), std::to_string(rootY),
                   "click", "1"},
                  environmentWith(server.name()));
    ASSERT_TRUE(xdotool.started()) << "xdotool is missing";
    EXPECT_EQ(xdotool.waitExit(10s), 0);
    settle();
  }

  /// Lets pemdra handle what was sent: a round trip after a short pause.
  void settle() {
    std::this_thread::sleep_for(150ms);
    XSync(display, False);
  }

  Xvfb server;
  Display* display = nullptr;
};

TEST_F(XServerTest, ShowsTheWindowAndConvertsWhatIsClicked) {
  Child pemdra({PEMDRA_BINARY}, environmentWith(server.name()));
  ASSERT_TRUE(pemdra.started());
  const Window window = waitForWindow();
  ASSERT_NE(window, 0U) << "no pemdra window appeared";

  Screenshot shot = shoot(window);
  EXPECT_EQ(shot.image.size(), QSize(470, 366));
  EXPECT_TRUE(hasIcon(window));
  shot.image.save(QStringLiteral(SCREENSHOT_DIR "/screenshot-start.png"));
  EXPECT_EQ(shot.at(4, 200), QColor(255, 128, 128));  // the form, at a free spot
  EXPECT_EQ(shot.at(300, 300 - 100), QColor(255, 128, 128));
  EXPECT_EQ(shot.at(20, 64), QColor(0, 0, 0));          // inside Text1
  EXPECT_EQ(shot.at(160, 176), QColor(128, 128, 128));  // on Line1
  EXPECT_EQ(shot.at(20, 224), QColor(0, 0, 0));         // inside Text2
  EXPECT_EQ(shot.whitePixels(12, 212, 449, 25), 0);     // results empty at start

  // The road of one conversion, by pointer alone: 4, 5, π 3,14159, conversion.
  click(window, 348, 64);   // C4
  click(window, 396, 64);   // C5
  click(window, 263, 144);  // Combo1's arrow opens the list
  Window popup = 0;
  for (const auto deadline = Clock::now() + 5s; popup == 0 && Clock::now() < deadline;) {
    for (const Window w : viewableTopLevels()) {
      if (w != window) popup = w;
    }
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_NE(popup, 0U) << "the π list did not open";
  XWindowAttributes list{};
  XGetWindowAttributes(display, popup, &list);
  click(popup, list.width / 2, list.height / 2);  // the middle of three items: 3,14159
  click(window, 396, 184);                        // CY

  // The last line written is the grads line; wait for it on screen.
  for (const auto deadline = Clock::now() + 5s; Clock::now() < deadline;) {
    shot = shoot(window);
    if (shot.whitePixels(12, 332, 449, 25) > 50) break;
    std::this_thread::sleep_for(20ms);
  }
  shot.image.save(QStringLiteral(SCREENSHOT_DIR "/screenshot.png"));
  EXPECT_GT(shot.whitePixels(12, 52, 297, 25), 20);    // Text1 shows 45
  EXPECT_GT(shot.whitePixels(12, 132, 240, 24), 20);   // Combo1 shows the π chosen
  EXPECT_GT(shot.whitePixels(12, 212, 449, 25), 100);  // Text2
  EXPECT_GT(shot.whitePixels(12, 252, 449, 25), 100);  // Text3
  EXPECT_GT(shot.whitePixels(44, 292, 417, 25), 100);  // Text5
  EXPECT_GT(shot.whitePixels(12, 332, 449, 25), 50);   // Text4

  // Closing the window ends the program, cleanly.
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  XSendEvent(display, window, False, NoEventMask, &close);
  XFlush(display);
  EXPECT_EQ(pemdra.waitExit(10s), 0);
}

TEST(NoDisplay, SaysSoInOneLineAndExitsWithOne) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  for (const std::string display : {"", ":999"}) {
    std::vector<std::string> withDisplay =
        display.empty() ? environmentWithoutDisplay() : environmentWith(display);
    std::vector<char*> envp;
    for (auto& e : withDisplay) envp.push_back(e.data());
    envp.push_back(nullptr);
    char binary[] = PEMDRA_BINARY;
    char* argv[] = {binary, nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, binary, &actions, nullptr, argv, envp.data()), 0);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string said(4096, '\0');
    const ssize_t got = read(fds[0], said.data(), said.size());
    said.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    EXPECT_TRUE(said.starts_with("pemdra: cannot open a display")) << said;
    EXPECT_NE(said.find("DISPLAY"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;  // one line
  }
  posix_spawn_file_actions_destroy(&actions);
  close(fds[0]);
  close(fds[1]);
}

}  // namespace
