# SPDX-License-Identifier: MIT
"""The three browser engines the page is tried in, each behind Selenium's WebDriver API,
for the browser test and the page's benchmark:

  chromium  Debian's Chromium, headless, through its chromedriver
  webkit    WebKitGTK's MiniBrowser through WebKitWebDriver, on the X display in $DISPLAY
  firefox   Firefox ESR, headless, through its own Marionette: there is no geckodriver
            package, and the WebDriver commands the tests send are Marionette's under
            other names

Background networking is off (this machine may have no network), the profile is a new
folder of the caller's, and Chromium keeps its console when asked to."""
import json
import pathlib
import socket
import subprocess
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def chromium(profile, console=False):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--no-first-run", "--user-data-dir=" + profile,
                 "--window-size=800,900"):
        options.add_argument(flag)
    if console:
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def webkit(profile, console=False):
    options = webdriver.WebKitGTKOptions()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    return webdriver.WebKitGTK(options=options)


# Selenium's command names and Marionette's.
MARIONETTE = {
    "newSession": "NewSession", "quit": "DeleteSession", "get": "Navigate",
    "getCurrentUrl": "GetCurrentURL", "setTimeouts": "SetTimeouts",
    "findElement": "FindElement", "findElements": "FindElements",
    "findChildElement": "FindElement", "findChildElements": "FindElements",
    "clickElement": "ElementClick", "clearElement": "ElementClear",
    "sendKeysToElement": "ElementSendKeys", "getElementTagName": "GetElementTagName",
    "getElementProperty": "GetElementProperty", "getElementAttribute": "GetElementAttribute",
    "isElementSelected": "IsElementSelected", "isElementEnabled": "IsElementEnabled",
    "w3cExecuteScript": "ExecuteScript", "w3cExecuteScriptAsync": "ExecuteAsyncScript",
    "w3cGetActiveElement": "GetActiveElement", "actions": "PerformActions",
    "clearActionState": "ReleaseActions", "elementScreenshot": "TakeScreenshot",
    "setWindowRect": "SetWindowRect", "getWindowRect": "GetWindowRect",
    "switchToFrame": "SwitchToFrame",
}

# The pages' own errors from Firefox's console, where Marionette's privileged side reads
# it: script errors (uncaught exceptions, policy violations) and console.error().
FIREFOX_ERRORS = """
const page = name => /^(https?|file):/.test(name);
const errors = Services.console.getMessageArray().filter(m => m instanceof Ci.nsIScriptError &&
    page(m.sourceName) && !(m.flags & (Ci.nsIScriptError.warningFlag | Ci.nsIScriptError.infoFlag)))
  .map(m => m.errorMessage + ' ' + m.sourceName + ':' + m.lineNumber);
const calls = Cc['@mozilla.org/consoleAPI-storage;1'].getService(Ci.nsIConsoleAPIStorage).getEvents()
  .filter(e => e.level == 'error' && page(e.filename)).map(e => e.arguments.join(' ') + ' ' + e.filename);
Services.console.reset();
Cc['@mozilla.org/consoleAPI-storage;1'].getService(Ci.nsIConsoleAPIStorage).clearEvents();
return errors.concat(calls).map(message => ({level: 'SEVERE', message}));
"""


class Marionette:
    """Selenium's command executor over Marionette's socket: a length, a colon and a
    JSON message [type, id, name or error, parameters or result]."""

    def __init__(self, port, process):
        self.process = process
        self.socket = socket.create_connection(("127.0.0.1", port))
        self.stream = self.socket.makefile("rb")
        self.sent = 0
        self.receive()

    def receive(self):
        length = b""
        while not length.endswith(b":"):
            length += self.stream.read(1)
        return json.loads(self.stream.read(int(length[:-1])))

    def call(self, name, parameters):
        self.sent += 1
        data = json.dumps([0, self.sent, name, parameters]).encode()
        self.socket.sendall(b"%d:%s" % (len(data), data))
        _, _, error, result = self.receive()
        return error, result

    def execute(self, command, parameters):
        parameters = dict(parameters or {})
        parameters.pop("sessionId", None)
        if command.startswith("findChild"):
            parameters["element"] = parameters.pop("id")
        if command == "getLog":
            self.call("Marionette:SetContext", {"value": "chrome"})
            error, result = self.call("WebDriver:ExecuteScript", {"script": FIREFOX_ERRORS, "args": []})
            self.call("Marionette:SetContext", {"value": "content"})
        else:
            error, result = self.call("WebDriver:" + MARIONETTE[command], parameters)
        if error:
            return {"status": error["error"], "message": error["message"], "value": error}
        if command == "newSession" or not isinstance(result, dict):
            return result if command == "newSession" else {"value": result}
        return {"value": result.get("value", result)}

    def close(self):
        self.socket.close()
        self.process.terminate()
        self.process.wait(10)


def firefox(profile, console=False):
    # Port 0: Marionette takes a free one and writes it into the profile.
    pathlib.Path(profile, "user.js").write_text(
        'user_pref("marionette.port", 0);\n'
        'user_pref("browser.shell.checkDefaultBrowser", false);\n'
        'user_pref("datareporting.policy.dataSubmissionEnabled", false);\n', encoding="utf-8")
    process = subprocess.Popen(
        ["/usr/bin/firefox-esr", "--headless", "--marionette", "--remote-allow-system-access",
         "--no-remote", "--profile", profile, "--width=800", "--height=600"],
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    port = pathlib.Path(profile, "MarionetteActivePort")
    deadline = time.monotonic() + 60
    while not port.exists() or not port.read_text().strip():
        if time.monotonic() > deadline or process.poll() is not None:
            process.kill()
            raise RuntimeError("Firefox did not open Marionette")
        time.sleep(0.05)
    executor = Marionette(int(port.read_text()), process)
    return webdriver.Remote(command_executor=executor, options=webdriver.FirefoxOptions())


ENGINES = {"chromium": chromium, "webkit": webkit, "firefox": firefox}


def start(engine, profile, console=False):
    return ENGINES[engine](profile, console)


def touch_screen(driver, engine, on=True):
    """A phone's coarse pointer (on) or the desktop's fine one for the pages opened next,
    where the engine can pretend one: False where it cannot (WebKitGTK)."""
    if engine == "chromium":
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": on, "maxTouchPoints": 5})
        return True
    if engine == "firefox":
        # Firefox's own values: 1 a coarse pointer, 2 a fine one, 4 one that can hover.
        for pref in ("ui.primaryPointerCapabilities", "ui.allPointerCapabilities"):
            chrome(driver, f"Services.prefs.setIntPref('{pref}', {1 if on else 6});")
        return True
    return False


def text_size(driver, engine, percent):
    """The reader's text size, as each engine's users set it: Chromium's default font size
    (16 px at 100 %), Firefox's zoom of the text only. False where the engine has none to
    set from here (WebKitGTK)."""
    if engine == "chromium":
        driver.execute_cdp_cmd("Page.setFontSizes",
                               {"fontSizes": {"standard": 16 * percent // 100, "fixed": 13 * percent // 100}})
        return True
    if engine == "firefox":
        chrome(driver, f"gBrowser.selectedBrowser.browsingContext.textZoom = {percent / 100};")
        return True
    return False


def chrome(driver, script):
    """Runs a script in Firefox's privileged context, Marionette's chrome."""
    executor = driver.command_executor
    executor.call("Marionette:SetContext", {"value": "chrome"})
    try:
        error, _ = executor.call("WebDriver:ExecuteScript", {"script": script, "args": []})
    finally:
        executor.call("Marionette:SetContext", {"value": "content"})
    if error:
        raise RuntimeError(error["message"])
