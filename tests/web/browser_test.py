#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page in a real browser engine (browsers.py: chromium, webkit or firefox), the same
checks in each: a table of cases typed and clicked, the boxes and the live region read
back, the π list opened and each value picked with a pointer and with the keys, typed π
prefixes, the tab order, Enter and Space, axe-core on load and after a conversion,
phones of real sizes upright and on their side and the reader's text size at 200 % (in
a frame of the phone's size: the touch layout, a tapped conversion whole and in view),
and no console error where the engine reports them. In Chromium also: what screen readers
get (the accessibility tree), axe under more contrast and forced colours, the page with
no WebAssembly and under a policy that forbids it, file://, the installable page
updated to a new release on a host of old dates, then reloaded offline through its
service worker, and a 1 MB paste. Screenshots are kept in
the build folder.

    browser_test.py WEB_BUILD_DIR ENGINE AXE_JS PEMDRA_FACTS

PEMDRA_FACTS prints the window's table and the core's answers: every name, order and
line checked here comes from it, so the test checks that the page shows what the table
and the core say.
"""
import functools
import http.server
import os
import pathlib
import re
import shutil
import sys
import tempfile
import threading
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

import browsers

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
from facts import Facts  # noqa: E402
from processes import Processes, start_display  # noqa: E402


class Core:
    """What the core writes, resolved against pemdra_facts when the test runs: the text of
    `box` after converting `angle` with `pi` (a π text, or the index of a π choice); with
    no box, every text box; `told`, what a screen reader hears then, a line an item."""

    def __init__(self, angle, pi, box=None, told=False):
        self.angle, self.pi, self.box, self.told = angle, pi, box, told

    def resolve(self, facts):
        pi = facts.pi_choices[self.pi] if isinstance(self.pi, int) else self.pi
        answer = facts.answer(self.angle, pi)
        if self.told:
            return answer["announcement"].split("\n") if answer["announcement"] else []
        return answer["texts"][self.box] if self.box else dict(answer["texts"])


class Typed:
    """What the named keys type, one after the other, from their rows of the core's table."""

    def __init__(self, *keys):
        self.keys = keys

    def resolve(self, facts):
        return "".join(facts.buttons[key]["typed"] for key in self.keys)


def resolved(value, facts):
    if isinstance(value, dict):
        out = {}
        for box, text in value.items():
            text = resolved(text, facts)
            out.update(text if isinstance(text, dict) else {box: text})
        return out
    return value.resolve(facts) if hasattr(value, "resolve") else value


ROAD = [("click", "C4"), ("click", "C5"), ("pick", 1), ("click", "CY")]

# Each case starts on a freshly loaded page: steps, the boxes it must show, and what the
# live region must then hold.
# Steps: ("type", box, text), ("click", button), ("pick", the index of a π choice),
# ("key", box, key).
CASES = [
    ("the road of one conversion", ROAD, {"": Core("45", 1)}, Core("45", 1, told=True)),
    ("out of range", [("type", "Text1", "360,5"), ("click", "CY")], {"": Core("360,5", "")},
     Core("360,5", "", told=True)),
    ("a word after a conversion: only the error is told",
     ROAD + [("type", "Text1", "abc"), ("click", "CY")],
     {"Text2": Core("abc", 1, "Text2"), "Text3": Core("45", 1, "Text3"),
      "Text4": Core("45", 1, "Text4")}, Core("abc", 1, told=True)),
    ("every key of the keypad",
     [("type", "Text1", "7"), ("click", "Cb")] + [("click", "C" + d) for d in "1234567890"] +
     [("click", "Ca"), ("click", "C5"), ("click", "CAC")],
     {"Text1": Typed(*("C" + d for d in "1234567890"), "Ca")}, []),
    ("Enter in a field does nothing", [("type", "Text1", "90"), ("key", "Text1", Keys.ENTER),
                                      ("key", "Combo1", Keys.ENTER)],
     {"Text1": "90", "Text2": "", "Combo1": ""}, []),
    ("Enter and Space click the focused button",
     [("key", "C7", Keys.ENTER), ("key", "C8", Keys.SPACE), ("type", "Combo1", "3"),
      ("key", "CY", Keys.ENTER)],
     {"": Core("78", "3")}, Core("78", "3", told=True)),
]

def pi_prefixes(source):
    """The typed π prefixes and their radians for 90 degrees, from the window tests' table."""
    text = (source / "tests" / "support" / "pi_prefixes.h").read_text(encoding="utf-8")
    return re.findall(r'\{"([^"]+)", "([^"]+)"\}', text)


class Page:
    def __init__(self, engine, profile, facts):
        self.engine = engine
        self.facts = facts
        self.driver = browsers.start(engine, profile, console=True)

    def open(self, url):
        self.driver.get(url)
        self.wait()

    def wait(self):
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script(
            "const form = document.getElementById('pemdra');"
            "return form && ('ready' in form.dataset || 'failed' in form.dataset)"))

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
            # Whole in view first: WebKitWebDriver takes a button with one row of pixels in
            # view for one in view, and its click at the button's middle lands outside.
            button = self.box(step[1])
            self.driver.execute_script("arguments[0].scrollIntoView({block: 'nearest'})", button)
            button.click()
        elif kind == "pick":
            # The list opened with a pointer, and the value clicked in it.
            self.box("Combo1-list").click()
            Select(self.box("Combo1-list")).select_by_visible_text(self.facts.pi_choices[step[1]])
        elif kind == "key":
            self.driver.execute_script("document.getElementById(arguments[0]).focus()", step[1])
            self.driver.switch_to.active_element.send_keys(step[2])

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")

    def told(self):
        return self.driver.execute_script(
            "return Array.from(document.getElementById('results').children, c => c.textContent)")

    def tab_order(self):
        """The focus walked with Tab from Text1 through the table's order, and back."""
        self.driver.execute_script("document.getElementById('Text1').focus()")
        walk = [self.focused()]
        steps = len(self.facts.tab_order) - 1
        for shift in [False] * steps + [True] * steps:
            keys = ActionChains(self.driver)
            (keys.key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT) if shift
             else keys.send_keys(Keys.TAB)).perform()
            walk.append(self.focused())
        return walk

    def axe(self, source, enhanced=False):
        """axe-core's violations, as rule and elements; with enhanced, contrast at 7:1."""
        self.driver.execute_script(source)
        return self.driver.execute_async_script(AXE, enhanced)

    def cdp(self, command, arguments=None):
        return self.driver.execute_cdp_cmd(command, arguments or {})

    def console(self):
        """The console's messages above INFO, where the engine reports them."""
        return [] if self.engine == "webkit" else [
            m for m in self.driver.get_log("browser") if m["level"] != "INFO"]


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


AXE = """
const done = arguments[arguments.length - 1];
axe.run(document, {resultTypes: ['violations'],
                   rules: {'color-contrast-enhanced': {enabled: arguments[0]}}})
  .then(r => done(r.violations.flatMap(v => v.nodes.map(n => v.id + ' ' + n.target.join(' ')))),
        e => done(['axe failed: ' + e]));
"""
# What the table's own colours make: white on grey in the π field and its list, 3.94:1.
TABLE_COLOURS = {"color-contrast #Combo1", "color-contrast #Combo1-list"}

# Phones, and desktops at a large text size or zoom, in a frame of their size: width,
# height, the reader's text size in percent, a phone's coarse pointer, and the layout
# they must get: one column, on its side the results beside the keys, or the table's
# window.
PHONES = [
    (360, 740, 100, True, "column"), (412, 915, 100, True, "column"),
    (740, 360, 100, True, "sideways"), (844, 390, 100, True, "sideways"),
    (568, 320, 100, True, "sideways"), (932, 430, 100, True, "sideways"),
    (460, 320, 100, False, "column"),
    # At 200 % a phone on its side has one column (the two would not fit); a desktop
    # window keeps the table's window, twice the size.
    (360, 740, 200, True, "column"), (844, 390, 200, True, "column"), (1280, 1000, 200, False, "desktop"),
    (320, 256, 100, False, "column"),  # 1280 x 1024 at 400 % zoom
]

# The touch layout in such a frame: what is wrong with it, as {what: the elements or
# figures}, nothing when all is well. Upright: keys of 48 x 48, captions above their
# fields, fields the full width, the height filled; on its side: keys of 44 x 44, the
# form the full width, the four results beside the keys.
TOUCH = """
const form = document.getElementById('pemdra');
const box = id => document.getElementById(id).getBoundingClientRect();
const ids = selector => Array.from(form.querySelectorAll(selector), e => e.id);
const text = parseFloat(getComputedStyle(document.documentElement).fontSize);
const wrong = {};
const note = (what, list) => { if (list.length) wrong[what] = list; };
const layout = getComputedStyle(form).display != 'grid' ? 'desktop' : box('Text2').right <= box('C1').left ? 'sideways' : 'column';
if (layout != arguments[0]) wrong['layout'] = [layout];
if (document.documentElement.scrollWidth > innerWidth) wrong['scrolls sideways'] = [innerWidth];
if (Math.abs(parseFloat(getComputedStyle(document.getElementById('Text1')).fontSize) - 18 * arguments[1] / 100) > 0.5)
  wrong['not at the text size'] = [getComputedStyle(document.getElementById('Text1')).fontSize];
if (layout == 'desktop') {
  const size = form.getBoundingClientRect();
  if (Math.abs(size.width - arguments[3][0] * text / 16) > 1 || Math.abs(size.height - arguments[3][1] * text / 16) > 1) wrong['window size'] = [size.width, size.height];
  return wrong;
}
const upright = layout == 'column';
const key = upright ? 48 : 44;
note(`keys under ${key} x ${key}`, ids('button').filter(id => box(id).width < key || box(id).height < key));
note("text under the reader's size", ids(':scope > :not(hr, h1, #results)')
  .filter(id => parseFloat(getComputedStyle(document.getElementById(id)).fontSize) < text));
if (upright) {
  const whole = [box('Text1').left, box('Text1').right];
  note('not the full width', arguments[2].concat(['CY']).filter(
    id => box(id).left != whole[0] || box(id).right != whole[1]));
  if (box('Combo1').left != whole[0] || box('Combo1-list').right != whole[1]) wrong['π field'] = [];
  note('captions not above', arguments[4]
    .filter(([label, field]) => box(label).bottom > box(field).top).map(pair => pair[0]));
  if (form.getBoundingClientRect().height < innerHeight - 0.5) wrong['short of the height'] = [form.getBoundingClientRect().height, innerHeight];
} else {
  const width = document.documentElement.clientWidth;
  if (box('Text1').left > text || box('C3').right < width - text) wrong['not the full width'] = [width];
  note('results not beside the keys', arguments[2].filter(id => box(id).right > box('C1').left));
}
if (document.getElementById('Combo1-list').getBoundingClientRect().height < 48) wrong['π key under 48'] = [];
return wrong;
"""

# After a conversion in that frame: a field whose text is cut, and result boxes out of
# view where the screen could show them all.
CUT = """
const boxes = arguments[0].map(id => document.getElementById(id));
const wrong = {};
const cut = boxes.concat([document.getElementById('Combo1')])
  .filter(b => b.scrollWidth > b.clientWidth + 1 || b.scrollHeight > b.clientHeight + 1).map(b => b.id);
if (cut.length) wrong['cut'] = cut;
const rects = boxes.map(b => b.getBoundingClientRect());
const top = Math.min(...rects.map(r => r.top)), bottom = Math.max(...rects.map(r => r.bottom));
if (bottom - top <= innerHeight && (top < 0 || bottom > innerHeight)) wrong['results out of view'] = [top, bottom];
return wrong;
"""


def serve(root):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

        # Under /strict/, a host whose policy lets scripts run but not WebAssembly compile.
        def translate_path(self, path):
            return super().translate_path(path.removeprefix("/strict"))

        def end_headers(self):
            if self.path.startswith("/strict/"):
                self.send_header("Content-Security-Policy",
                                 "script-src 'unsafe-inline'; style-src 'unsafe-inline'")
            super().end_headers()
    handler = functools.partial(Quiet, directory=str(root))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    engine = sys.argv[2]
    axe = pathlib.Path(sys.argv[3]).read_text(encoding="utf-8")
    facts = Facts(sys.argv[4])
    tab_order = facts.tab_order + facts.tab_order[-2::-1]  # there with Tab, back with Shift+Tab
    results = facts.result_boxes
    road = resolved({"": Core("45", 1)}, facts)
    window = [facts.window["width"], facts.window["height"]]
    # Each caption and the field it must stand above in a column: its own, and the
    # heading's first result box.
    captions = [list(tie) for tie in facts.caption_ties.items()] + [[facts.results_heading, results[0]]]
    source = pathlib.Path(__file__).resolve().parents[2]
    chromium = engine == "chromium"
    check = Check()
    processes = Processes()
    if engine == "webkit":
        os.environ["DISPLAY"] = start_display(processes) or sys.exit("browser_test: no Xvfb")
    profile = tempfile.mkdtemp(prefix=f"pemdra-{engine}-")
    server = serve(build)
    base = f"http://127.0.0.1:{server.server_address[1]}"
    page = Page(engine, profile, facts)
    try:
        # The table of cases.
        for name, steps, expected, told in CASES:
            page.open(base + "/pemdra.html")
            for step in steps:
                page.step(step)
            for box, text in resolved(expected, facts).items():
                check.equal(f"{name}: {box}", page.value(box), text)
            check.equal(f"{name}: live region", page.told(), resolved(told, facts))
            check.equal(f"{name}: no reload", page.driver.current_url, base + "/pemdra.html")

        # The π list: each value picked with a pointer, then stepped through with Down and
        # Up in the field, the focus back in the field.
        page.open(base + "/pemdra.html")
        for index, item in enumerate(facts.pi_choices):
            page.step(("pick", index))
            check.equal(f"π picked: {item}", [page.value("Combo1"), page.focused()], [item, "Combo1"])
        page.step(("type", "Combo1", "2"))
        for key, item in [(Keys.DOWN, 0), (Keys.DOWN, 1), (Keys.DOWN, 2), (Keys.DOWN, 2), (Keys.UP, 1)]:
            page.driver.switch_to.active_element.send_keys(key)
            check.equal(f"π by keys: {item}", page.value("Combo1"), facts.pi_choices[item])

        # Typed π prefixes, kept exactly as typed.
        page.step(("type", "Text1", "90"))
        for typed, radians in pi_prefixes(source):
            page.step(("type", "Combo1", typed))
            page.step(("click", "CY"))
            check.equal(f"π typed {typed}: field", page.value("Combo1"), typed)
            check.equal(f"π typed {typed}: Text5", page.value("Text5"),
                        facts.answer("90", typed)["texts"]["Text5"])
            check.equal(f"π typed {typed}: its number", page.value("Text5").startswith(radians + " "), True)

        # Tab and Shift+Tab in the table's order, starting in Text1.
        page.open(base + "/pemdra.html")
        check.equal("focus at start", page.focused(), "Text1")
        check.equal("Tab order", page.tab_order(), tab_order)
        # An error no handler trapped is told under the program's error title.
        check.equal("error title", page.driver.execute_script(
            "return document.getElementById('pemdra').dataset.errorTitle"), facts.window["errorTitle"])

        # axe on load and after a conversion; in Chromium, the same with more contrast asked
        # for and with forced colours, at 7:1, the rule still seen.
        check.equal("axe on load", [v for v in page.axe(axe) if v not in TABLE_COLOURS], [])
        for step in ROAD:
            page.step(step)
        check.equal("axe after a conversion", [v for v in page.axe(axe) if v not in TABLE_COLOURS], [])
        for feature in (["prefers-contrast", "more"], ["forced-colors", "active"]) if chromium else []:
            page.cdp("Emulation.setEmulatedMedia", {"features": [{"name": feature[0], "value": feature[1]}]})
            check.equal(f"axe, {feature[0]}: {feature[1]}", page.axe(axe, enhanced=True), [])
            check.equal(f"rule seen, {feature[0]}", page.driver.execute_script(
                "const colour = id => getComputedStyle(document.getElementById(id)).backgroundColor;"
                "return colour('Line1') != colour('pemdra')"), True)
        if chromium:
            page.cdp("Emulation.setEmulatedMedia", {"features": []})

        # Screen readers: labels and the live region, from the accessibility tree.
        if chromium:
            names = {(role, name) for role, name, _, _ in ax_nodes(page)}
            # Each field by its caption, each result box by the heading and its own name,
            # each button by its name, the window's title and the heading as headings.
            heading = facts.caption(facts.results_heading)
            for role, name in (
                    [("textbox", facts.caption(label)) for label in facts.caption_ties] +
                    [("textbox", f"{heading} {facts.name_of(box)}") for box in results] +
                    [("button", facts.name_of(button)) for button in facts.buttons] +
                    [("heading", facts.window["title"]), ("heading", heading),
                     ("separator", facts.name_of("Line1"))]):
                check.equal(f"accessible {role} {name}", (role, name) in names, True)
            live = [n for role, _, politeness, n in ax_nodes(page) if politeness == "polite"]
            check.equal("polite live regions", len(live), 1)
        check.equal("focus stays on CY", page.focused(), "CY")
        rect = page.driver.execute_script(
            "const r = document.getElementById('pemdra').getBoundingClientRect();"
            "return [r.width, r.height]")
        check.equal("desktop size", rect, [facts.window["width"], facts.window["height"]])
        check.equal("result boxes keep their spaces", page.driver.execute_script(
            "return Array.from(document.querySelectorAll('#pemdra > textarea'), t => getComputedStyle(t).whiteSpace)"),
            ["pre"] * 4)
        overflowing = page.driver.execute_script(
            "return Array.from(document.querySelectorAll('#pemdra > * > span'))"
            ".filter(s => s.getBoundingClientRect().width > s.parentElement.clientWidth + 0.5)"
            ".map(s => s.parentElement.id)")
        check.equal("captions whole", overflowing, [])
        shot = build / f"screenshot-{engine}.png"
        # WebKitWebDriver's screenshots of an element come out black: the window's instead.
        page.driver.save_screenshot(str(shot)) if engine == "webkit" else page.box("pemdra").screenshot(str(shot))

        # A 1 MB paste, then the page still converts.
        if chromium:
            page.open(base + "/pemdra.html")
            page.box("Text1").click()
            page.cdp("Input.insertText", {"text": "1" * (1 << 20)})
            check.equal("1 MB pasted", len(page.value("Text1")), 1 << 20)
            page.step(("click", "CY"))
            # A number too large for a double, as 400 digits are.
            check.equal("1 MB number: Text2", page.value("Text2"),
                        facts.answer("1" * 400, "")["texts"]["Text2"])
            page.step(("click", "C1"))
            for step in [("type", "Text1", "180"), ("type", "Combo1", facts.pi_choices[0]), ("click", "CY")]:
                page.step(step)
            check.equal("after the paste", page.value("Text5"),
                        facts.answer("180", facts.pi_choices[0])["texts"]["Text5"])

        # Phones, upright and on their side, and the reader's text size: the page in a
        # frame of the phone's size, a conversion tapped with the longest π.
        (build / "phone.html").write_text(
            '<!DOCTYPE html><link rel="icon" href="data:,"><body style="margin: 0"><iframe id="phone" src="pemdra.html" '
            'style="border: 0"></iframe></body>', encoding="utf-8")
        # A window that holds the largest frame: some engines click only what they see.
        window = page.driver.get_window_rect()
        page.driver.set_window_rect(width=1320, height=1120)
        for width, height, percent, coarse, layout in PHONES:
            what = f"{width} x {height} at {percent} %"
            page.driver.get(base + "/phone.html")
            finger = browsers.touch_screen(page.driver, engine, coarse) and coarse
            if coarse and not finger and layout != "column":
                continue
            page.driver.get(base + "/phone.html")
            # After the load: Firefox's text zoom is the document's, and a navigation resets it.
            if not browsers.text_size(page.driver, engine, percent) and percent != 100:
                continue
            page.driver.execute_script(
                "Object.assign(document.getElementById('phone'), {width: arguments[0], height: arguments[1]})",
                width, height)
            page.driver.switch_to.frame(page.box("phone"))
            page.wait()
            check.equal(f"{what}: layout", page.driver.execute_script(TOUCH, layout, percent, results, window, captions), {})
            for step in ROAD[:2] + [("pick", -1)] + ROAD[3:]:
                page.step(step)
                # By finger, a pick leaves the focus out of the field (no on-screen keyboard).
                if step[0] == "pick" and finger:
                    check.equal(f"{what}: focus in the π field after a pick", page.focused() == "Combo1", False)
            check.equal(f"{what}: tapped", page.value("Text4"), resolved(Core("45", -1, "Text4"), facts))
            check.equal(f"{what}: whole and in view", page.driver.execute_script(CUT, results), {})
            if (width, height, percent) == PHONES[0][:3]:
                check.equal("phone: Tab order", page.tab_order(), tab_order)
                page.driver.execute_script("document.documentElement.style.fontSize = '20px'")
                check.equal("phone: the reader's text size",
                            page.driver.execute_script(TOUCH, layout, 125, results, window, captions), {})
                page.driver.execute_script("document.documentElement.style.fontSize = ''")
                page.driver.switch_to.default_content()
                page.box("phone").screenshot(str(build / f"screenshot-{engine}-360.png"))
            page.driver.switch_to.default_content()
        browsers.touch_screen(page.driver, engine, False)
        browsers.text_size(page.driver, engine, 100)
        page.driver.set_window_rect(width=window["width"], height=window["height"])

        # Opened from disk, and no request after the load.
        page.open((build / "pemdra.html").as_uri())
        for step in ROAD:
            page.step(step)
        check.equal("file://: Text4", page.value("Text4"), road["Text4"])
        check.equal("file://: requests after load",
                    page.driver.execute_script("return performance.getEntriesByType('resource').length"), 0)
        check.equal("console messages", page.console(), [])

        if chromium:
            # No WebAssembly, then a host's policy that forbids it: the form says what to do,
            # and the buttons that they do nothing.
            removal = page.cdp("Page.addScriptToEvaluateOnNewDocument", {"source": "delete window.WebAssembly"})
            for cause, url in (("no WebAssembly", "/pemdra.html"), ("a strict policy", "/strict/pemdra.html")):
                page.open(base + url)
                if removal:
                    page.cdp("Page.removeScriptToEvaluateOnNewDocument", removal)
                    removal = None
                page.step(("click", "CY"))
                check.equal(f"{cause}: the word in the form", page.driver.execute_script(
                    "const line = document.getElementById('failure');"
                    "const buttons = document.querySelectorAll('#pemdra > button');"
                    "return [line.getAttribute('role'), /WebAssembly.*file:\\/\\//.test(line.textContent),"
                    " Array.from(buttons).every(b => b.getAttribute('aria-disabled') == 'true' &&"
                    "   b.getAttribute('aria-describedby') == 'failure'),"
                    " document.getElementById('Text2').value,"
                    " document.getElementById('results').textContent == line.textContent]"),
                    ["alert", True, True, "", True])

            # A new release of the installed page, on a host that sends a month-old
            # Last-Modified and no Cache-Control (the HTTP cache holds the old files as
            # fresh): by the second reload the new release is shown, the first says so,
            # and what was typed survives.
            releases = pathlib.Path(tempfile.mkdtemp(prefix="pemdra-release-"))
            shutil.copytree(build / "app", releases / "app")
            def dated(folder, days):
                for path in folder.rglob("*"):
                    os.utime(path, (time.time() - days * 86400,) * 2)
            dated(releases, 31)
            host = serve(releases)
            app = f"http://127.0.0.1:{host.server_address[1]}/app/"
            page.open(app)
            WebDriverWait(page.driver, 20).until(
                lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
            for name, old, new in (("index.html", "<body>", '<body data-release="2">'),
                                   ("sw.js", "var CACHE = 'pemdra-", "var CACHE = 'pemdra-2-")):
                path = releases / "app" / name
                path.write_text(path.read_text(encoding="utf-8").replace(old, new), encoding="utf-8")
            dated(releases, 30)
            page.driver.refresh()
            page.wait()
            WebDriverWait(page.driver, 20).until(lambda d: d.execute_script(
                "return !!document.getElementById('update')"))
            page.step(("type", "Text1", "12,5"))
            page.driver.refresh()
            page.wait()
            check.equal("new release: shown, the typed text kept", page.driver.execute_script(
                "return [document.body.dataset.release, document.getElementById('Text1').value,"
                " !!document.getElementById('update')]"), ["2", "12,5", False])
            host.shutdown()
            host.server_close()
            shutil.rmtree(releases, ignore_errors=True)

            # The installable page: once its service worker holds it, it reloads offline.
            page.open(base + "/app/")
            WebDriverWait(page.driver, 20).until(
                lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
            server.shutdown()
            server.server_close()
            page.open(base + "/app/")
            for step in ROAD:
                page.step(step)
            check.equal("offline: Text3", page.value("Text3"), road["Text3"])
    finally:
        page.driver.quit()
        processes.end()
        shutil.rmtree(profile, ignore_errors=True)
    if check.failures:
        print(f"browser_test {engine}: {check.failures} failures")
        return 1
    print(f"browser_test {engine}: {len(CASES)} cases, the π list, π prefixes, tab order, axe, "
          f"the phone's layout, file://{', accessibility tree, 1 MB paste, no WebAssembly, a new release, offline' if chromium else ''}: "
          f"all passed; screenshot {shot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
