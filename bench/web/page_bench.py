#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The page's figures, in a headless Chromium (not a test: it prints, it does not judge):

  size         pemdra.html in bytes, and gzip -9 of it
  start-up     navigation to the first conversion being possible (the page's
               'pemdra-ready' mark: the core loaded, the buttons bound), against a plain
               page with the same 24 elements, its style and no script but the mark;
               the two alternated, RUNS each, medians; on this machine's CPU and with
               Chromium's CPU throttled four times (a phone's)
  click        CY clicked to the four lines written, and to the next frame after it
  paste        1 MB pasted into Text1, and the next frame after the paste is in

    page_bench.py WEB_BUILD_DIR [RUNS]
"""
import gzip
import pathlib
import re
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
import browsers  # noqa: E402  (the tests' own way of starting a browser)


def plain_page(html):
    """pemdra.html without its scripts, the mark alone at the end, and no CSP to hash it."""
    html = re.sub(r'<meta http-equiv="Content-Security-Policy"[^>]*>', "", html)
    html = re.sub(r"<script>.*?</script>", "", html, flags=re.S)
    return html.replace("</body>", "<script>performance.mark('pemdra-ready')</script>\n</body>")


READY = """
const done = arguments[arguments.length - 1];
(function wait() {
  const mark = performance.getEntriesByName('pemdra-ready')[0];
  if (mark) done(mark.startTime); else setTimeout(wait, 1);
})();"""

CLICK = """
const done = arguments[arguments.length - 1];
document.getElementById('Text1').value = '123,456';
document.getElementById('Combo1').value = '3,14159';
const start = performance.now();
document.getElementById('CY').click();
const written = performance.now();
requestAnimationFrame(() => setTimeout(() => done([written - start, performance.now() - start])));
"""

PASTE = """
const done = arguments[arguments.length - 1];
const box = document.getElementById('Text1');
box.value = '';
box.focus();
const text = '1'.repeat(1 << 20);
const start = performance.now();
document.execCommand('insertText', false, text);
const pasted = performance.now();
requestAnimationFrame(() => done([pasted - start, performance.now() - pasted, box.value.length]));
"""


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    page = build / "pemdra.html"
    data = page.read_bytes()
    print(f"pemdra.html: {len(data)} bytes, gzip -9: {len(gzip.compress(data, 9))} bytes")

    work = pathlib.Path(tempfile.mkdtemp(prefix="pemdra-bench-"))
    plain = work / "plain.html"
    plain.write_text(plain_page(data.decode("utf-8")), encoding="utf-8")
    driver = browsers.start("chromium", str(work / "profile"))
    try:
        driver.set_script_timeout(30)
        # On this machine's CPU, then on a phone-class one: Chromium's main thread slowed
        # four times.
        for rate, label in ((1, "desktop CPU"), (4, "CPU throttled x4")):
            driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})
            times = {"pemdra.html": [], "plain page": []}
            for _ in range(runs):
                for name, path in (("pemdra.html", page), ("plain page", plain)):
                    driver.get("about:blank")
                    driver.get(path.as_uri())
                    times[name].append(driver.execute_async_script(READY))
            pemdra_ready = statistics.median(times["pemdra.html"])
            plain_ready = statistics.median(times["plain page"])
            # Each round's two pages ran back to back: their ratio moves less with the
            # machine's load than the ratio of the two medians.
            ratio = statistics.median(p / q for p, q in zip(times["pemdra.html"], times["plain page"]))
            print(f"navigation to first conversion possible, {label}, median of {runs}: "
                  f"pemdra.html {pemdra_ready:.1f} ms, plain page {plain_ready:.1f} ms, "
                  f"median of the rounds' ratios {ratio:.2f}")
        driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": 1})

        driver.get(page.as_uri())
        driver.execute_async_script(READY)
        clicks = [driver.execute_async_script(CLICK) for _ in range(runs)]
        print(f"CY click, median of {runs}: four lines written {statistics.median(c[0] for c in clicks):.2f} ms, "
              f"next frame {statistics.median(c[1] for c in clicks):.2f} ms")
        pastes = [driver.execute_async_script(PASTE) for _ in range(5)]
        print(f"1 MB paste, median of 5: paste {statistics.median(p[0] for p in pastes):.1f} ms, "
              f"next frame after it {statistics.median(p[1] for p in pastes):.1f} ms "
              f"({pastes[0][2]} characters)")
    finally:
        driver.quit()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
