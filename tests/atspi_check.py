#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The real pemdra read over AT-SPI, as a screen reader reads it.

Starts a private D-Bus session, a private Xvfb and pemdra with the AT-SPI bridge on,
walks the accessible tree (roles, Greek names, the captions' relations), then
converts 45 degrees from the keyboard with the focus on the conversion button and
checks the events a screen reader receives: the four result lines, a notification
shown with them, and the button's description changing to them while it keeps the
focus; then tabs into the first result box and reads its selection.

Orca runs beside it on the same bus, speaking into speech-dispatcher's dummy output;
its debug log is read back for what a user hears: the notification with the four
lines, the first result box by its own name, and its selected line whole. (Orca
runs once for a user: where one of the user's own already runs, that part is left
out and said so.)

    atspi_check.py PEMDRA_BINARY PEMDRA_FACTS

PEMDRA_FACTS is the tool that prints the window's table and the core's answers: every
name, role and line checked here comes from it.

Exit status 0: passed; 1: failed; 77: skipped, because no AT-SPI bus could start.
"""

import codecs
import importlib.util
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "support"))
from facts import Facts  # noqa: E402
from processes import Processes, read_line, start_display  # noqa: E402

SKIP = 77

# The role a screen reader is told for each kind of control of the window's table.
ROLES = {"text box": "text", "button": "push button", "label": "label",
         "combo box": "combo box", "line": "separator"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL:", message, flush=True)
    return condition


def check_equal(what, got, expected):
    """Fails with what was expected and what came, both in full."""
    return check(got == expected, f"{what}:\n  expected {expected!r}\n  got      {got!r}")


def wait_for(predicate, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = predicate()
        if result:
            return result
        time.sleep(step)
    return predicate()


def start_session_bus(processes, display):
    """A private session bus and its AT-SPI bus; the session bus's address, or None.
    The bus and what it starts see only the private display."""
    try:
        bus = processes.start(
            ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
            env=dict(os.environ, DISPLAY=display), stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
    except FileNotFoundError:
        print("SKIP: dbus-daemon is missing, no AT-SPI bus can start")
        return None
    address = read_line(bus.stdout, 10)
    if not address:
        print("SKIP: the private D-Bus session did not start")
        return None
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    reply = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--reply-timeout=10000",
         "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
        capture_output=True, text=True, timeout=20, check=False)
    if reply.returncode != 0:
        print("SKIP: the AT-SPI bus did not start:", reply.stderr.strip())
        return None
    return address


class OrcaLog:
    """Orca's debug log as Orca writes it. Written to a file, it comes in blocks of
    some kilobytes; written to a terminal, a line at a time: it goes to a private
    pseudo-terminal, read as it comes."""

    def __init__(self):
        self.master, self.terminal = pty.openpty()
        tty.setraw(self.terminal)  # lines end as Orca ends them
        self.path = os.ttyname(self.terminal)
        self.text = ""
        self.lock = threading.Lock()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
        while True:
            try:
                chunk = os.read(self.master, 65536)
            except OSError:
                return
            if not chunk:
                return
            with self.lock:
                self.text += decoder.decode(chunk)

    def spoken(self):
        """What Orca has spoken so far, an utterance an item. Orca ends an utterance's
        line with its voice settings, a dictionary or (for some) a list of one."""
        with self.lock:
            text = self.text
        return [utterance.replace("\n" + " " * 18, "\n") for utterance in
                re.findall(r"SPEECH OUTPUT: '(.*?)' ?\[?\{'established'", text, re.DOTALL)]


def start_orca(processes, display, folder):
    """Orca on the private bus and display, with its settings, and speech-dispatcher's,
    in the folder; its log once it listens, or None when it did not start because
    another Orca of this user runs."""
    config = os.path.join(folder, "config")
    os.makedirs(os.path.join(config, "speech-dispatcher"))
    with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w",
              encoding="utf-8") as speechd:
        speechd.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
    runtime = os.path.join(folder, "runtime")
    os.mkdir(runtime, 0o700)
    log = OrcaLog()
    # The private runtime folder keeps speech-dispatcher off the desktop's sound
    # server; without one the dummy output fails, and Orca logs what it speaks all
    # the same.
    orca = processes.start(
        ["orca", "--user-prefs", os.path.join(folder, "orca"), "--debug-file", log.path],
        env=dict(os.environ, DISPLAY=display, HOME=folder, XDG_CONFIG_HOME=config,
                 XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8", LANGUAGE=""),
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    wait_for(lambda: "ORCA: Starting registry" in log.text or orca.poll() is not None, 20)
    if orca.poll() is None:
        return log
    if "Another screen reader" in orca.stdout.read():
        print("NOTE: another Orca runs for this user; Orca's part is left out")
        return None
    check(False, "Orca did not start; the end of its log:\n" + log.text[-2000:])
    return None


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    if importlib.util.find_spec("pyatspi") is None:
        print("FAIL: python3-pyatspi is missing (scripts/install-deps installs it)")
        return 1

    if not check(shutil.which("orca"), "orca is missing (scripts/install-deps installs it)"):
        return 1

    processes = Processes()
    folder = tempfile.TemporaryDirectory(prefix="atspi_check.")
    try:
        display = start_display(processes)
        if not check(display, "Xvfb did not start"):
            return 1
        if start_session_bus(processes, display) is None:
            return SKIP
        orca_log = start_orca(processes, display, folder.name)
        if failures:
            return 1
        environment = {key: value for key, value in os.environ.items()
                       if key not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        environment.update(DISPLAY=display, QT_QPA_PLATFORM="xcb",
                           QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        processes.start([sys.argv[1]], env=environment)
        return run_checks(display, orca_log)
    finally:
        processes.end()
        folder.cleanup()


def run_checks(display, orca_log):
    def orca_said(words):
        """Whether Orca spoke these words as one utterance; it ends a sentence that has no
        stop of its own with one, so the ends' full stops are left out of the comparison."""
        return words.rstrip(".") in [u.rstrip(".") for u in orca_log.spoken()]

    facts = Facts(sys.argv[2])
    title = facts.window["title"]
    convert = facts.name_of(facts.convert_button)
    input_box = facts.name_of(facts.input_box)
    # Every control by role and name; the order of the window's children is the
    # stacking order, which the tree does not fix.
    expected_controls = [("heading" if c["name"] == facts.results_heading else ROLES[c["kind"]],
                          c["accessibleName"]) for c in facts.controls.values()]
    # The result boxes top to bottom, and what they show for 45 degrees with the second π.
    answer = facts.answer("45", facts.pi_choices[1])
    results = [(facts.name_of(box), answer["texts"][box]) for box in facts.result_boxes]

    import pyatspi
    from gi.repository import GLib

    def pemdra():
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.name == "pemdra" and \
                    application.childCount > 0:
                return application
        return None

    application = wait_for(pemdra, 15, 0.1)
    if not check(application, "pemdra did not appear on the AT-SPI bus"):
        return 1

    # The tree: the window, then every control by role and Greek name.
    window = application.getChildAtIndex(0)
    check_equal("the window", (window.getRoleName(), window.name), ("frame", title))
    controls = [window.getChildAtIndex(index) for index in range(window.childCount)]
    found = [(control.getRoleName(), control.name) for control in controls]
    check_equal("the controls", sorted(found), sorted(expected_controls))
    by_name = {control.name: control for control in controls}

    def targets(name, relation):
        return [related.getTarget(index).name
                for related in by_name[name].getRelationSet()
                if related.getRelationType() == relation
                for index in range(related.getNTargets())]

    for label, box in facts.caption_ties.items():
        check_equal(f"what labels {box}",
                    targets(facts.name_of(box), pyatspi.RELATION_LABELLED_BY),
                    [facts.name_of(label)])
    # The heading groups the result boxes; each is read by its own name, its unit.
    check_equal("what the heading labels, in order on screen",
                targets(facts.name_of(facts.results_heading), pyatspi.RELATION_LABEL_FOR),
                [box for box, _ in results])
    for box, _ in results:
        check_equal(f"what labels {box}", targets(box, pyatspi.RELATION_LABELLED_BY), [])
    if failures:
        return 1

    # The input from AT-SPI, the focus on the conversion button, then a real Space.
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--classname", "pemdra",
                    "windowfocus", "--sync", "%1"],
                   env=dict(os.environ, DISPLAY=display), check=True, timeout=15,
                   stdout=subprocess.DEVNULL)
    def focused(name):
        return by_name[name].getState().contains(pyatspi.STATE_FOCUSED)

    check(wait_for(lambda: focused(input_box), 10), f"{input_box} has the focus at start")
    by_name[input_box].queryEditableText().setTextContents("45")
    pi_field = next(child for child in by_name[facts.name_of(facts.pi_box)]
                    if child.getRoleName() == "text")
    pi_field.queryEditableText().setTextContents(facts.pi_choices[1])
    button = by_name[convert]
    button.queryComponent().grabFocus()
    if not check(wait_for(lambda: focused(convert), 10), "the conversion button takes the focus"):
        return 1

    events = []

    def heard(event):
        role = event.source.getRoleName()
        events.append((event.type, event.source.name if role != "notification" else role,
                       event.any_data if role != "notification" else event.source.name))

    kinds = ["object:text-changed:insert", "object:property-change:accessible-description",
             "object:state-changed:showing"]
    pyatspi.Registry.registerEventListener(heard, *kinds)
    context = GLib.MainContext.default()

    def listen_until(predicate, seconds):
        deadline = time.monotonic() + seconds
        while not predicate() and time.monotonic() < deadline:
            if not context.iteration(False):
                time.sleep(0.01)
        return predicate()

    # Whatever is still on its way from the typing above passes first.
    listen_until(lambda: False, 0.3)
    events.clear()
    subprocess.run(["xdotool", "key", "space"], env=dict(os.environ, DISPLAY=display),
                   check=True, timeout=15)

    def described():
        return any(kind == kinds[1] and source == convert for kind, source, _ in events)

    def inserted():
        return [(source, data) for kind, source, data in events
                if kind == kinds[0] and data]

    def announced():
        return [data for kind, source, data in events
                if kind == kinds[2] and source == "notification"]

    listen_until(lambda: described() and len(inserted()) >= len(results) and announced(), 10)
    pyatspi.Registry.deregisterEventListener(heard, *kinds)

    print("Events after the conversion:")
    for kind, source, data in events:
        print(f"  {kind} from {source!r}: {data!r}")
    for box, line in results:
        check((box, line) in inserted(),
              f"a text-changed:insert on {box}:\n  expected {line!r}\n  got      {inserted()!r}")
    check(described(), "the conversion button's description changes")
    lines = answer["announcement"]
    check_equal("the notifications shown", announced(), [lines])
    check_equal("the button's description", button.description, lines)
    check(focused(convert), "the focus stays on the conversion button")

    # Tab into a result box selects its line; the selection and the attribute run
    # around it (which screen readers split the text by) cover the whole line. The Tab
    # comes once Orca has spoken the conversion, as a listening user's would: while
    # Orca is still behind, the new focus reaches it after the selection, and it
    # speaks the line without the box's name.
    if orca_log is not None:
        wait_for(lambda: orca_said(f"notification {lines}"), 10)
    by_name[input_box].queryComponent().grabFocus()
    check(wait_for(lambda: focused(input_box), 10), f"{input_box} takes the focus")
    subprocess.run(["xdotool", "key", "Tab"], env=dict(os.environ, DISPLAY=display), check=True,
                   timeout=15)
    box, line = results[0]
    if check(wait_for(lambda: focused(box), 10), f"Tab moves the focus to {box}"):
        text = by_name[box].queryText()
        start, end = text.getSelection(0)
        check_equal(f"{box}'s selection", text.getText(start, end), line)
        _, run_start, run_end = text.getAttributeRun(0, False)
        check_equal(f"{box}'s attribute run", (run_start, run_end), (0, len(line)))

    if orca_log is not None:
        heard_by_user = [f"notification {lines}", f"{box} text.", f"{line} selected."]
        wait_for(lambda: all(orca_said(words) for words in heard_by_user), 10)
        print("Orca spoke:")
        for utterance in orca_log.spoken():
            print(f"  {utterance!r}")
        for words in heard_by_user:
            check(orca_said(words),
                  f"Orca speaks:\n  expected {words!r}\n  got      {orca_log.spoken()!r}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
