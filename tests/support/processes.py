# SPDX-License-Identifier: MIT
"""Child processes of a test, ended with it, and an Xvfb of its own: shared by the
Python tests (import after putting tests/support on sys.path)."""

import ctypes
import os
import selectors
import signal
import subprocess
import time


class Processes:
    """The children this test starts, ended in reverse order. The test is their
    subreaper: what the D-Bus daemons start (the AT-SPI bus launcher, its bus and
    registry) comes back to it when orphaned, and is reaped or ended here."""

    def __init__(self):
        self.children = []
        PR_SET_CHILD_SUBREAPER = 36
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)

    def start(self, argv, **kwargs):
        child = subprocess.Popen(argv, **kwargs)
        self.children.append(child)
        return child

    def end(self):
        for child in reversed(self.children):
            if child.poll() is None:
                child.terminate()
                try:
                    child.wait(5)
                except subprocess.TimeoutExpired:
                    child.kill()
                    child.wait()
        deadline = time.monotonic() + 5
        while True:
            try:
                pid, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                return
            if pid == 0 and time.monotonic() > deadline:
                for orphan in self.orphans():
                    os.kill(orphan, signal.SIGKILL)
                deadline = time.monotonic() + 5
            elif pid == 0:
                time.sleep(0.05)

    @staticmethod
    def orphans():
        mine = []
        for entry in os.listdir("/proc"):
            try:
                with open(f"/proc/{entry}/stat", encoding="utf-8") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                continue
            if parent == os.getpid():
                mine.append(int(entry))
        return mine


def read_line(stream, seconds):
    """The first line a child writes, or '' after the time runs out."""
    selector = selectors.DefaultSelector()
    selector.register(stream, selectors.EVENT_READ)
    line = b""
    deadline = time.monotonic() + seconds
    while not line.endswith(b"\n") and time.monotonic() < deadline:
        if not selector.select(max(0.0, deadline - time.monotonic())):
            break
        chunk = os.read(stream.fileno(), 1)
        if not chunk:
            break
        line += chunk
    return line.decode().strip()


def start_display(processes):
    """An Xvfb on a display it picks itself (-displayfd), so runs never collide: its
    name (":N"), or None when it did not start."""
    read_end, write_end = os.pipe()
    processes.start(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
         "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end, "rb") as stream:
        number = read_line(stream, 10)
    return ":" + number if number else None
