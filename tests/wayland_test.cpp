// SPDX-License-Identifier: MIT
// The real pemdra on Wayland: a headless Weston of the test's own, on a private
// socket and runtime folder, and pemdra started with WAYLAND_DISPLAY only. The
// window is seen through the protocol the client and the compositor exchange.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"

namespace {

using namespace pemdra::testing;

class WaylandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    runtime =
        std::filesystem::temp_directory_path() / ("pemdra-wayland-" + std::to_string(getpid()));
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    socket = "pemdra-test-" + std::to_string(getpid());
    std::vector<std::string> env = environmentWithoutDisplay();
    env.push_back("XDG_RUNTIME_DIR=" + runtime.string());
    compositor.emplace(
        std::vector<std::string>{"weston", "--backend=headless-backend.so", "--socket=" + socket,
                                 "--idle-time=0", "--width=1024", "--height=768"},
        env, true);
    ASSERT_TRUE(compositor->started()) << "weston is missing";
    for (const auto deadline = Clock::now() + 20s;
         !std::filesystem::exists(runtime / socket) && Clock::now() < deadline;) {
      std::this_thread::sleep_for(20ms);
    }
    ASSERT_TRUE(std::filesystem::exists(runtime / socket))
        << "weston did not start: " << compositor->output();
  }
  void TearDown() override {
    compositor.reset();
    std::filesystem::remove_all(runtime);
  }

  /// pemdra's environment: the compositor's socket, no X display, no platform named.
  std::vector<std::string> waylandOnly() {
    std::vector<std::string> env = environmentWithoutDisplay();
    env.push_back("XDG_RUNTIME_DIR=" + runtime.string());
    env.push_back("WAYLAND_DISPLAY=" + socket);
    env.push_back("WAYLAND_DEBUG=client");  // the protocol, written to stderr
    return env;
  }

  std::filesystem::path runtime;
  std::string socket;
  std::optional<Child> compositor;
};

TEST_F(WaylandTest, RunsNativelyAndEndsCleanlyOnSigterm) {
  Child pemdra({PEMDRA_BINARY}, waylandOnly(), true);
  ASSERT_TRUE(pemdra.started());
  // Shown: the compositor configured the toplevel and pemdra attached a painted buffer.
  const auto shown = [&] {
    const std::string& said = pemdra.output();
    const auto configured = said.find("xdg_toplevel@");
    return configured != std::string::npos && said.find(".configure(", configured) != said.npos &&
           said.find("wl_surface@", said.find("ack_configure")) != said.npos &&
           said.find(".attach(wl_buffer@") != said.npos;
  };
  for (const auto deadline = Clock::now() + 20s; !shown() && Clock::now() < deadline;) {
    std::this_thread::sleep_for(20ms);
  }
  const std::string said = pemdra.output();
  ASSERT_TRUE(shown()) << said;
  EXPECT_NE(said.find(".set_title(\"Μετατροπέας\")"), std::string::npos);
  EXPECT_NE(said.find(".set_app_id(\"org.pemdra.pemdra\")"), std::string::npos);
  // A fixed size, which the compositor honours by offering no maximise.
  EXPECT_NE(said.find(".set_min_size(470, 366)"), std::string::npos);
  EXPECT_NE(said.find(".set_max_size(470, 366)"), std::string::npos);
  EXPECT_EQ(said.find("pemdra: cannot open"), std::string::npos);
  EXPECT_EQ(said.find("qt.qpa"), std::string::npos);  // no platform warning

  pemdra.signal(SIGTERM);
  EXPECT_EQ(pemdra.waitExit(10s), 0);
}

}  // namespace
