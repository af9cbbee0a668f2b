// SPDX-License-Identifier: MIT
// The real pemdra under a real X server: it starts its own Xvfb on a free display,
// waits for the window, checks pixels where the layout puts known colours, clicks
// the road of one conversion with real pointer events, and keeps screenshots.
#include <gtest/gtest.h>

// Qt before Xlib: Xlib's macros (Status, CursorShape ...) would break Qt's headers.
#include <QColor>
#include <QImage>
#include <QLibraryInfo>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "form.h"
#include "formload.h"
#include "memory_controls.h"
#include "pi_prefixes.h"

namespace {

using namespace pemdra::testing;

// Where a control lies in the window, from the window's table (pixels at 96 dpi).
QRect rectOf(std::string_view name) {
  const pemdra::form::PixelRect r = pemdra::form::find(name)->pixels();
  return {r.left, r.top, r.width, r.height};
}
QPoint centreOf(std::string_view name) { return rectOf(name).center(); }
/// A box's text area: its rectangle less a 4-pixel frame.
QRect insideOf(std::string_view name) { return rectOf(name).adjusted(4, 4, -4, -4); }
int whiteIn(const auto& shot, const QRect& r) {
  return shot.whitePixels(r.left(), r.top(), r.width(), r.height());
}

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
  /// The window named "Μετατροπέας" at or right below a top-level one (a window
  /// manager puts the client into its frame), or 0.
  Window namedWithin(Window top) {
    if (windowName(top) == "Μετατροπέας") return top;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, top, &root, &parent, &children, &count) == 0) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
      if (windowName(children[i]) == "Μετατροπέας") found = children[i];
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  Window waitForWindow() {
    const auto deadline = Clock::now() + 20s;
    while (Clock::now() < deadline) {
      for (const Window top : viewableTopLevels()) {
        const Window w = namedWithin(top);
        if (w != 0 && shoot(w).at(4, 200) == QColor(255, 128, 128)) return w;
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

  /// Runs one xdotool command chain on the test's display.
  void xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    Child run(argv, environmentWith(server.name()));
    ASSERT_TRUE(run.started()) << "xdotool is missing";
    EXPECT_EQ(run.waitExit(10s), 0);
    settle();
  }

  /// A point of the window in root coordinates, as xdotool takes it.
  std::vector<std::string> at(Window window, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY,
                          &child);
    return {"mousemove", "--sync", std::to_string(rootX), std::to_string(rootY)};
  }

  /// The text of the CLIPBOARD selection as UTF-8, asked of its owner.
  std::string clipboard() {
    const Window requestor =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom property = XInternAtom(display, "PEMDRA_TEST_CLIPBOARD", False);
    XConvertSelection(display, XInternAtom(display, "CLIPBOARD", False),
                      XInternAtom(display, "UTF8_STRING", False), property, requestor, CurrentTime);
    XFlush(display);
    std::string text;
    XEvent event{};
    for (const auto deadline = Clock::now() + 5s; Clock::now() < deadline;) {
      if (XCheckTypedWindowEvent(display, requestor, SelectionNotify, &event) == 0) {
        std::this_thread::sleep_for(10ms);
        continue;
      }
      if (event.xselection.property == None) break;
      Atom type = 0;
      int format = 0;
      unsigned long items = 0;
      unsigned long left = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display, requestor, property, 0, 1 << 20, True, AnyPropertyType, &type,
                             &format, &items, &left, &data) == Success &&
          data != nullptr) {
        text.assign(reinterpret_cast<char*>(data), items);
        XFree(data);
      }
      break;
    }
    XDestroyWindow(display, requestor);
    return text;
  }

  /// The top-left corner of a window on the root window.
  QPoint onRoot(Window window) {
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y};
  }

  /// The outermost window that holds a top-level one: the window manager's frame,
  /// or the window itself where nothing frames it.
  QRect outerRect(Window window) {
    Window outer = window;
    for (;;) {
      Window root = 0;
      Window parent = 0;
      Window* children = nullptr;
      unsigned count = 0;
      if (XQueryTree(display, outer, &root, &parent, &children, &count) == 0) break;
      if (children != nullptr) XFree(children);
      if (parent == root) break;
      outer = parent;
    }
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, outer, &attributes);
    return {onRoot(outer), QSize(attributes.width, attributes.height)};
  }

  /// Closes the window as a window manager's close button does.
  void closeWindow(Window window) {
    XEvent close{};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &close);
    XFlush(display);
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
  EXPECT_EQ(shot.image.size(), QSize(pemdra::form::kClientWidth, pemdra::form::kClientHeight));
  EXPECT_TRUE(hasIcon(window));
  shot.image.save(QStringLiteral(SCREENSHOT_DIR "/screenshot-start.png"));
  EXPECT_EQ(shot.at(4, 200), QColor(255, 128, 128));  // the form, at a free spot
  EXPECT_EQ(shot.at(300, 300 - 100), QColor(255, 128, 128));
  const auto colour = [](std::string_view name, bool back = true) {
    const pemdra::form::Control* row = pemdra::form::find(name);
    const pemdra::form::Rgb rgb = *(back ? row->background : row->foreground);
    return QColor(rgb.red, rgb.green, rgb.blue);
  };
  EXPECT_EQ(shot.at(insideOf("Text1").left(), centreOf("Text1").y()), colour("Text1"));
  EXPECT_EQ(shot.at(centreOf("Line1").x(), centreOf("Line1").y()), colour("Line1"));
  EXPECT_EQ(shot.at(centreOf("Text2").x(), centreOf("Text2").y()), colour("Text2"));
  EXPECT_EQ(whiteIn(shot, insideOf("Text2")), 0);  // results empty at start
  // Label3 reaches a pixel into Combo1's top row, but lies beneath it: the combo
  // box's frame shows there, not the label's pink.
  EXPECT_NE(shot.at(centreOf("Combo1").x(), rectOf("Combo1").top()), colour("Label3"));

  // The road of one conversion, by pointer alone: 4, 5, π 3,14159, conversion.
  const auto clickOn = [&](QPoint at) { click(window, at.x(), at.y()); };
  clickOn(centreOf("C4"));
  clickOn(centreOf("C5"));
  clickOn({rectOf("Combo1").right() - 10, centreOf("Combo1").y()});  // its arrow opens the list
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
  clickOn(centreOf("CY"));

  // The last line written is the grads line; wait for it on screen.
  for (const auto deadline = Clock::now() + 5s; Clock::now() < deadline;) {
    shot = shoot(window);
    if (whiteIn(shot, insideOf("Text4")) > 50) break;
    std::this_thread::sleep_for(20ms);
  }
  shot.image.save(QStringLiteral(SCREENSHOT_DIR "/screenshot.png"));
  EXPECT_GT(whiteIn(shot, insideOf("Text1")), 20);                          // 45
  EXPECT_GT(whiteIn(shot, insideOf("Combo1").adjusted(0, 0, -17, 0)), 20);  // the π chosen
  for (const pemdra::TextBox box : pemdra::kResultBoxes) {
    EXPECT_GT(whiteIn(shot, insideOf(pemdra::controlName(box))), 50) << pemdra::controlName(box);
  }

  // Closing the window ends the program, cleanly.
  closeWindow(window);
  EXPECT_EQ(pemdra.waitExit(10s), 0);
}

// Each prefix of each π item, typed with real key events into the field after 90
// was typed into Text1: exactly that text converts (read back through the clipboard).
TEST_F(XServerTest, ATypedPiPrefixIsWhatConverts) {
  Child pemdra({PEMDRA_BINARY}, environmentWith(server.name()));
  const Window window = waitForWindow();
  ASSERT_NE(window, 0U) << "no pemdra window appeared";

  const auto then = [](std::vector<std::string> chain, const std::vector<std::string>& more) {
    chain.insert(chain.end(), more.begin(), more.end());
    return chain;
  };
  const auto atControl = [&](std::string_view name, int dx = 0) {
    return at(window, centreOf(name).x() + dx, centreOf(name).y());
  };
  xdotool(then(atControl("Text1"), {"click", "1", "type", "--delay", "15", "90"}));
  for (const auto& [typed, radians] : kPiPrefixes) {
    // xdotool's "type" takes every argument after it as text: it ends a chain.
    xdotool(then(atControl("Combo1", -20),  // the π field, left of its arrow
                 {"click", "1", "key", "ctrl+a", "BackSpace", "type", "--delay", "15", typed}));
    std::vector<std::string> chain = then(atControl("CY"), {"click", "1"});
    chain = then(chain, atControl("Text5"));  // select its line and copy it
    chain = then(chain, {"click", "1", "key", "ctrl+a", "ctrl+c"});
    xdotool(chain);
    const std::string text(typed);
    const CoreAnswer core = coreAnswer(u"90", std::u16string(text.begin(), text.end()));
    EXPECT_EQ(clipboard(), utf8(core[pemdra::TextBox::Text5])) << "π typed: " << typed;
    EXPECT_TRUE(clipboard().starts_with(std::string(radians) + ' ')) << "π typed: " << typed;
  }
  // The field kept the last text typed, untouched.
  xdotool(then(atControl("Combo1", -20), {"click", "1", "key", "ctrl+a", "ctrl+c"}));
  EXPECT_EQ(clipboard(), utf8(pemdra::kPiChoices.back()));
}

TEST_F(XServerTest, IsCentredOnTheScreenWithoutAWindowManager) {
  Child pemdra({PEMDRA_BINARY}, environmentWith(server.name()));
  const Window window = waitForWindow();
  ASSERT_NE(window, 0U) << "no pemdra window appeared";
  EXPECT_EQ(outerRect(window), QRect(277, 201, 470, 366));  // (1024 - 470) / 2, (768 - 366) / 2
}

TEST_F(XServerTest, IsCentredWithItsFrameUnderAWindowManager) {
  Child manager({"openbox", "--sm-disable", "--config-file", "/dev/null"},
                environmentWith(server.name()));
  ASSERT_TRUE(manager.started()) << "openbox is missing";
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  bool managed = false;
  for (const auto deadline = Clock::now() + 10s; !managed && Clock::now() < deadline;) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    managed = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                                 &type, &format, &items, &left, &data) == Success &&
              items == 1;
    if (data != nullptr) XFree(data);
    if (!managed) std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(managed) << "openbox did not take the screen";

  Child pemdra({PEMDRA_BINARY}, environmentWith(server.name()));
  const Window window = waitForWindow();
  ASSERT_NE(window, 0U) << "no pemdra window appeared";
  QRect frame;
  const auto centred = [&] {
    frame = outerRect(window);
    return frame.size() != QSize(470, 366) &&
           std::abs(frame.left() * 2 + frame.width() - 1024) <= 4 &&
           std::abs(frame.top() * 2 + frame.height() - 768) <= 4;
  };
  for (const auto deadline = Clock::now() + 5s; !centred() && Clock::now() < deadline;) {
    std::this_thread::sleep_for(20ms);
  }
  EXPECT_TRUE(centred()) << "frame at " << frame.x() << "," << frame.y() << " size "
                         << frame.width() << "x" << frame.height();
  EXPECT_EQ(shoot(window).image.size(), QSize(470, 366));  // the client area keeps its size
  closeWindow(window);
  EXPECT_EQ(pemdra.waitExit(10s), 0);
}

// Qt's own options (-reverse, -style, -stylesheet ...) are no options of pemdra's:
// the window is the same whatever the command line holds.
TEST_F(XServerTest, NoArgumentChangesTheWindow) {
  const std::filesystem::path sheet =
      std::filesystem::temp_directory_path() / ("pemdra-test-" + std::to_string(getpid()) + ".qss");
  std::ofstream(sheet) << "* { background: green; color: yellow; font-size: 30px; }\n";
  const auto startShot = [&](const std::vector<std::string>& argv) {
    Child pemdra(argv, environmentWith(server.name()));
    const Window window = waitForWindow();
    EXPECT_NE(window, 0U) << "no pemdra window appeared";
    QImage image = window != 0 ? shoot(window).image : QImage();
    // Text1's caret blinks; its box is left out of the comparison.
    for (int y = 48; y < 81 && !image.isNull(); ++y) {
      for (int x = 8; x < 313; ++x) image.setPixel(x, y, 0);
    }
    if (window != 0) closeWindow(window);
    EXPECT_EQ(pemdra.waitExit(10s), 0);
    return image;
  };
  const QImage plain = startShot({PEMDRA_BINARY});
  const QImage withOptions =
      startShot({PEMDRA_BINARY, "-reverse", "-style", "windows", "-stylesheet", sheet.string(),
                 "-platform", "offscreen", "-qwindowgeometry", "100x100+0+0", "--unknown"});
  std::filesystem::remove(sheet);
  ASSERT_FALSE(plain.isNull());
  EXPECT_TRUE(plain == withOptions);
  if (plain != withOptions)
    withOptions.save(QStringLiteral(SCREENSHOT_DIR "/screenshot-options.png"));
}

/// Runs pemdra to its end with an environment; its exit status and what it wrote.
std::pair<std::optional<int>, std::string> runToEnd(const std::vector<std::string>& argv,
                                                    const std::vector<std::string>& env) {
  Child pemdra(argv, env, true);
  const std::optional<int> status = pemdra.waitExit(20s);
  return {status, pemdra.output()};
}

TEST(CommandLine, VersionAndHelpPrintAndExitWithoutAWindow) {
  // No display at all: neither may try to open one.
  const auto [versionStatus, version] =
      runToEnd({PEMDRA_BINARY, "--version"}, environmentWithoutDisplay());
  EXPECT_EQ(versionStatus, 0);
  EXPECT_EQ(version, "pemdra " PEMDRA_VERSION "\n");
  const auto [helpStatus, help] =
      runToEnd({PEMDRA_BINARY, "-reverse", "--help"}, environmentWithoutDisplay());
  EXPECT_EQ(helpStatus, 0);
  for (const char* named : {"pemdra", "no other arguments", "DISPLAY", "WAYLAND_DISPLAY",
                            "QT_QPA_PLATFORM", "QT_SCALE_FACTOR"}) {
    EXPECT_NE(help.find(named), std::string::npos) << named;
  }
}

// Where no display opens, pemdra ends with status 1 and one line of its own, the
// last one written, naming the cause and the fix.
TEST(NoDisplay, SaysWhyAndWhatToDoInOneLineAndExitsWithOne) {
  const auto lastLine = [](const std::string& said) {
    const std::string text = said.ends_with('\n') ? said.substr(0, said.size() - 1) : said;
    return text.substr(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  };
  const auto expectLine = [&](const std::vector<std::string>& env,
                              const std::vector<std::string>& parts) {
    const auto [status, said] = runToEnd({PEMDRA_BINARY}, env);
    EXPECT_EQ(status, 1) << said;
    EXPECT_TRUE(said.ends_with('\n')) << said;
    const std::string line = lastLine(said);
    EXPECT_TRUE(line.starts_with("pemdra: cannot open ")) << said;
    for (const auto& part : parts) EXPECT_NE(line.find(part), std::string::npos) << said;
    // The cause is said once, in pemdra's line: Qt's platform messages about it are not
    // repeated above it.
    EXPECT_EQ(said.find("qt.qpa."), std::string::npos) << said;
  };
  expectLine(environmentWithoutDisplay(), {"neither DISPLAY nor WAYLAND_DISPLAY", "xvfb-run"});
  expectLine(environmentWith(":999"), {"X display :999", "refuses", "XAUTHORITY"});

  std::vector<std::string> wayland = environmentWithoutDisplay();
  const std::filesystem::path runtime =
      std::filesystem::temp_directory_path() / ("pemdra-test-run-" + std::to_string(getpid()));
  std::filesystem::create_directories(runtime);
  std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
  wayland.push_back("WAYLAND_DISPLAY=pemdra-no-compositor");
  wayland.push_back("XDG_RUNTIME_DIR=" + runtime.string());
  expectLine(wayland, {"Wayland display pemdra-no-compositor", "compositor", "WAYLAND_DISPLAY"});

  // Without Qt's Wayland plug-in: a copy of pemdra whose qt.conf points at a plug-in
  // folder that holds the X11 one only.
  const std::filesystem::path copy = runtime / "bin" / "pemdra";
  std::filesystem::create_directories(runtime / "bin");
  std::filesystem::create_directories(runtime / "plugins" / "platforms");
  std::filesystem::copy_file(PEMDRA_BINARY, copy);
  std::filesystem::create_symlink(
      QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms/libqxcb.so",
      runtime / "plugins" / "platforms" / "libqxcb.so");
  std::ofstream(runtime / "bin" / "qt.conf")
      << "[Paths]\nPlugins=" << (runtime / "plugins").string() << "\n";
  const auto [status, said] = runToEnd({copy.string()}, wayland);
  EXPECT_EQ(status, 1) << said;
  EXPECT_NE(lastLine(said).find("install it (apt install qt6-wayland)"), std::string::npos) << said;
  std::filesystem::remove_all(runtime);
}

}  // namespace
