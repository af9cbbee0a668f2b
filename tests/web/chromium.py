# SPDX-License-Identifier: MIT
"""Debian's Chromium, headless, through its chromedriver: for the browser test and the
page's benchmark. Background networking is off (this machine may have no network), the
profile is a new folder of the caller's, and the console is kept when asked for."""
from selenium import webdriver
from selenium.webdriver.chrome.service import Service


def start(profile, console=False):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--no-first-run", "--user-data-dir=" + profile,
                 "--window-size=800,600"):
        options.add_argument(flag)
    if console:
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
