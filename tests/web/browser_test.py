#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page in a real, headless Chromium driven through chromedriver: a table of
cases typed and clicked and the boxes read back, the tab order, Enter and Space,
typed π prefixes, what screen readers get (the accessibility tree), the page from
file://, the installable page reloaded offline through its service worker, a phone's
360-pixel viewport, a 1 MB paste, and no console message above INFO in any of it.
A screenshot is kept in the build folder.

    browser_test.py WEB_BUILD_DIR
"""
import functools
import http.server
import pathlib
import re
import shutil
import sys
import tempfile
import threading

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import chromium

RANGE_ERROR = "Σφάλμα, δώσε έγκυρο αριθμό."
DMS = " μοίρες / (squadron)"
TIMES_PI = "  π ακτίνια/ (rad)"
RADIANS = " ακτίνια / (rad)"
GRADS = " βαθμοί / (degrees)"

# Each case starts on a freshly loaded page: steps, then the boxes it must show.
# Steps: ("type", box, text), ("click", button), ("pick", π item), ("key", box, key).
CASES = [
    ("the road of one conversion",
     [("click", "C4"), ("click", "C5"), ("pick", "3,14159"), ("click", "CY")],
     {"Text1": "45", "Text2": "045° 00' 00''+,0''" + DMS, "Text3": "0,25" + TIMES_PI,
      "Text5": "0,7853975" + RADIANS, "Text4": "50" + GRADS}),
    ("out of range", [("type", "Text1", "360,5"), ("click", "CY")],
     {name: RANGE_ERROR for name in ("Text2", "Text3", "Text5", "Text4")}),
    ("every key of the keypad",
     [("type", "Text1", "7"), ("click", "Cb")] + [("click", "C" + d) for d in "1234567890"] +
     [("click", "Ca"), ("click", "C5"), ("click", "CAC")],
     {"Text1": "1234567890,"}),
    ("Enter in a field does nothing", [("type", "Text1", "90"), ("key", "Text1", Keys.ENTER),
                                      ("key", "Combo1", Keys.ENTER)],
     {"Text1": "90", "Text2": "", "Combo1": ""}),
    ("Enter and Space click the focused button",
     [("key", "C7", Keys.ENTER), ("key", "C8", Keys.SPACE), ("type", "Combo1", "3"),
      ("key", "CY", Keys.ENTER)],
     {"Text1": "78", "Text4": "86,6666666666667" + GRADS}),
]

TAB_ORDER = ["Text1", "Text2", "Text3", "Text4", "C1", "C2", "C3", "C4", "C5", "C6", "C7", "C8",
             "C9", "Cb", "C0", "Ca", "CY", "CAC", "Combo1", "Text5"]


def pi_prefixes(source):
    """The typed π prefixes and their radians for 90 degrees, from the window tests' table."""
    text = (source / "tests" / "support" / "pi_prefixes.h").read_text(encoding="utf-8")
    return re.findall(r'\{"([^"]+)", "([^"]+)"\}', text)


class Page:
    def __init__(self, profile):
        self.driver = chromium.start(profile, console=True)

    def open(self, url):
        self.driver.get(url)
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return 'ready' in document.getElementById('pemdra').dataset"))

    def box(self, name):
        return self.driver.find_element(By.ID, name)

    def value(self, name):
        return self.driver.execute_script("return document.getElementById(arguments[0]).value", name)

    def step(self, step):
        kind = step[0]
        if kind == "type":
            self.box(step[1]).clear()
            self.box(step[1]).send_keys(step[2])
        elif kind == "click":
            self.box(step[1]).click()
        elif kind == "pick":
            Select(self.box("Combo1-list")).select_by_visible_text(step[1])
        elif kind == "key":
            self.driver.execute_script("document.getElementById(arguments[0]).focus()", step[1])
            self.driver.switch_to.active_element.send_keys(step[2])

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")

    def cdp(self, command, arguments=None):
        return self.driver.execute_cdp_cmd(command, arguments or {})


class Check:
    failures = 0

    def equal(self, what, got, expected):
        if got != expected:
            self.failures += 1
            print(f"FAIL {what}: got {got!r}, expected {expected!r}")


def ax_nodes(page):
    nodes = page.cdp("Accessibility.getFullAXTree")["nodes"]
    def prop(node, name):
        for p in node.get("properties", []):
            if p["name"] == name:
                return p["value"].get("value")
        return None
    return [(n.get("role", {}).get("value"), n.get("name", {}).get("value", ""), prop(n, "live"), n)
            for n in nodes if not n.get("ignored")]


def serve(root):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    handler = functools.partial(Quiet, directory=str(root))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    source = pathlib.Path(__file__).resolve().parents[2]
    check = Check()
    profile = tempfile.mkdtemp(prefix="pemdra-chromium-")
    server = serve(build)
    base = f"http://127.0.0.1:{server.server_address[1]}"
    page = Page(profile)
    try:
        # The table of cases.
        for name, steps, expected in CASES:
            page.open(base + "/pemdra.html")
            for step in steps:
                page.step(step)
            for box, text in expected.items():
                check.equal(f"{name}: {box}", page.value(box), text)
            check.equal(f"{name}: no reload", page.driver.current_url, base + "/pemdra.html")

        # Typed π prefixes, kept exactly as typed.
        page.open(base + "/pemdra.html")
        page.step(("type", "Text1", "90"))
        for typed, radians in pi_prefixes(source):
            page.step(("type", "Combo1", typed))
            page.step(("click", "CY"))
            check.equal(f"π typed {typed}: field", page.value("Combo1"), typed)
            check.equal(f"π typed {typed}: Text5", page.value("Text5"), radians + RADIANS)

        # Tab and Shift+Tab in the table's order, starting in Text1.
        page.open(base + "/pemdra.html")
        check.equal("focus at start", page.focused(), "Text1")
        forward = ["Text1"]
        for _ in TAB_ORDER[1:]:
            page.driver.switch_to.active_element.send_keys(Keys.TAB)
            forward.append(page.focused())
        check.equal("Tab order", forward, TAB_ORDER)
        backward = [page.focused()]
        for _ in TAB_ORDER[1:]:
            page.driver.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
            backward.append(page.focused())
        check.equal("Shift+Tab order", backward, TAB_ORDER[::-1])

        # Screen readers: labels and the live region, from the accessibility tree.
        for step in CASES[0][1]:
            page.step(step)
        names = {(role, name) for role, name, _, _ in ax_nodes(page)}
        for role, name in [
                ("textbox", "Δώσε την τιμή της γωνίας ως δεκαδικό αριθμό :"),
                ("textbox", "Διαλέξτε την τιμή του π :"),
                ("textbox", "Ισοδύναμες τιμές : μοίρες, λεπτά, δευτερόλεπτα"),
                ("textbox", "Ισοδύναμες τιμές : ακτίνια ως πολλαπλάσιο του π"),
                ("textbox", "Ισοδύναμες τιμές : ακτίνια με την επιλεγμένη τιμή του π"),
                ("textbox", "Ισοδύναμες τιμές : βαθμοί"),
                ("button", "ΜΕΤΑΤΡΟΠΗ >> ..."), ("heading", "Ισοδύναμες τιμές :"),
                ("separator", "διαχωριστική γραμμή")]:
            check.equal(f"accessible {role} {name}", (role, name) in names, True)
        live = [n for role, _, politeness, n in ax_nodes(page) if politeness == "polite"]
        check.equal("polite live regions", len(live), 1)
        if live:
            node_id = live[0]["backendDOMNodeId"]
            text = page.cdp("DOM.resolveNode", {"backendNodeId": node_id})["object"]["objectId"]
            spoken = page.cdp("Runtime.callFunctionOn", {
                "objectId": text, "returnByValue": True,
                "functionDeclaration": "function () { return Array.from(this.children, c => c.textContent) }"})
            check.equal("live region lines", spoken["result"]["value"], [
                CASES[0][2][box] for box in ("Text2", "Text3", "Text5", "Text4")])
        check.equal("focus stays on CY", page.focused(), "CY")
        rect = page.driver.execute_script(
            "const r = document.getElementById('pemdra').getBoundingClientRect();"
            "return [r.width, r.height]")
        check.equal("desktop size", rect, [470, 366])
        overflowing = page.driver.execute_script(
            "return Array.from(document.querySelectorAll('#pemdra > * > span'))"
            ".filter(s => s.getBoundingClientRect().width > s.parentElement.clientWidth + 0.5)"
            ".map(s => s.parentElement.id)")
        check.equal("captions whole", overflowing, [])
        shot = build / "screenshot.png"
        page.box("pemdra").screenshot(str(shot))

        # A 1 MB paste, then the page still converts.
        page.open(base + "/pemdra.html")
        page.box("Text1").click()
        page.cdp("Input.insertText", {"text": "1" * (1 << 20)})
        check.equal("1 MB pasted", len(page.value("Text1")), 1 << 20)
        page.step(("click", "CY"))
        check.equal("1 MB number: Text2", page.value("Text2"), "error")
        page.step(("click", "C1"))
        for step in [("type", "Text1", "180"), ("type", "Combo1", "3,14"), ("click", "CY")]:
            page.step(step)
        check.equal("after the paste", page.value("Text5"), "3,14" + RADIANS)

        # A phone: the whole form in 360 CSS pixels, no horizontal scroll.
        page.cdp("Emulation.setDeviceMetricsOverride",
                 {"width": 360, "height": 640, "deviceScaleFactor": 2, "mobile": True})
        page.open(base + "/pemdra.html")
        fits = page.driver.execute_script(
            "const r = document.getElementById('pemdra').getBoundingClientRect();"
            "return [r.left >= 0, r.right <= innerWidth, r.bottom <= innerHeight,"
            " document.documentElement.scrollWidth <= innerWidth, Math.round(r.width)]")
        check.equal("360 px: visible, no horizontal scroll, width", fits, [True, True, True, True, 360])
        page.box("C9").click()
        page.box("CY").click()
        check.equal("360 px: tapped", page.value("Text4"), "10" + GRADS)
        page.box("pemdra").screenshot(str(build / "screenshot-360.png"))
        page.cdp("Emulation.clearDeviceMetricsOverride")

        # Opened from disk, and no request after the load.
        page.open((build / "pemdra.html").as_uri())
        for step in CASES[0][1]:
            page.step(step)
        check.equal("file://: Text4", page.value("Text4"), CASES[0][2]["Text4"])
        check.equal("file://: requests after load",
                    page.driver.execute_script("return performance.getEntriesByType('resource').length"), 0)

        # The installable page: once its service worker holds it, it reloads offline.
        page.open(base + "/app/")
        WebDriverWait(page.driver, 20).until(
            lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
        server.shutdown()
        server.server_close()
        page.open(base + "/app/")
        for step in CASES[0][1]:
            page.step(step)
        check.equal("offline: Text3", page.value("Text3"), CASES[0][2]["Text3"])

        check.equal("console messages",
                    [m for m in page.driver.get_log("browser") if m["level"] != "INFO"], [])
    finally:
        page.driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
    if check.failures:
        print(f"browser_test: {check.failures} failures")
        return 1
    print(f"browser_test: {len(CASES)} cases, tab order, π prefixes, accessibility tree, "
          f"1 MB paste, 360 px, file:// and offline: all passed; screenshot {shot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
