// SPDX-License-Identifier: MIT
#pragma once

// Child processes and private display servers for the tests that run the real
// binary: each test starts what it needs and ends it when it goes out of scope.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace pemdra::testing {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

/// A child process, ended (SIGTERM, then reaped) when it goes out of scope. Its
/// standard output and error can go to a pipe the test reads.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& env,
        bool captureOutput = false) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int fds[2] = {-1, -1};
    if (captureOutput && pipe(fds) == 0) {
      posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
      posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
      posix_spawn_file_actions_addclose(&actions, fds[0]);
    }
    if (posix_spawnp(&m_pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
      m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (fds[1] >= 0) close(fds[1]);
    m_output = fds[0];
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  Child(Child&&) = delete;
  Child& operator=(Child&&) = delete;
  ~Child() {
    if (m_pid > 0) {
      ::kill(m_pid, SIGTERM);
      waitExit(5s);
    }
    if (m_output >= 0) close(m_output);
  }
  [[nodiscard]] bool started() const { return m_pid > 0; }
  [[nodiscard]] pid_t pid() const { return m_pid; }
  void signal(int number) const {
    if (m_pid > 0) ::kill(m_pid, number);
  }
  /// Waits for the child to end; its exit status (128 + the signal that ended it),
  /// or nothing on timeout, after which it is killed.
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
      drain();
      std::this_thread::sleep_for(10ms);
    }
    return std::nullopt;
  }
  /// What the child wrote so far (when its output is captured).
  const std::string& output() {
    drain();
    return m_said;
  }

 private:
  void drain() {
    if (m_output < 0) return;
    pollfd waiting{m_output, POLLIN, 0};
    char buffer[4096];
    while (poll(&waiting, 1, 0) > 0 && (waiting.revents & POLLIN) != 0) {
      const ssize_t got = read(m_output, buffer, sizeof buffer);
      if (got <= 0) break;
      m_said.append(buffer, static_cast<std::size_t>(got));
    }
  }

  pid_t m_pid = -1;
  int m_output = -1;
  std::string m_said;
};

/// This process's environment without anything that names a display or platform.
inline std::vector<std::string> environmentWithoutDisplay() {
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

inline std::vector<std::string> environmentWith(const std::string& display) {
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

}  // namespace pemdra::testing
