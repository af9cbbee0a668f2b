#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Lighthouse's scores for the installable page, as the field measures them (not a
test: it prints, it does not judge): build/web served from 127.0.0.1, app/ audited by
Lighthouse (npm, pinned in bench/web/package-lock.json) in Debian's Chromium, on a
phone (Lighthouse's default: a mid-range phone, its network and CPU simulated) and on
a desktop; each category's score and every weighed audit under 1.

    lighthouse.py WEB_BUILD_DIR
"""
import functools
import http.server
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import threading

BENCH = pathlib.Path(__file__).resolve().parent


def main():
    build = pathlib.Path(sys.argv[1]).resolve()

    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=str(build)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/app/"
    lighthouse = BENCH / "node_modules" / ".bin" / "lighthouse"
    if not lighthouse.exists():
        sys.exit("lighthouse.py: no Lighthouse: run scripts/install-deps web")
    try:
        for form_factor, options in (("phone", []), ("desktop", ["--preset=desktop"])):
            with tempfile.TemporaryDirectory(prefix="pemdra-lighthouse-") as work:
                report = pathlib.Path(work) / "report.json"
                subprocess.run(
                    [str(lighthouse), url, *options, "--quiet", "--output=json", f"--output-path={report}",
                     "--chrome-flags=--headless=new --no-sandbox --disable-gpu --disable-background-networking"],
                    check=True, env=dict(os.environ, CHROME_PATH="/usr/bin/chromium"))
                result = json.loads(report.read_text(encoding="utf-8"))
            scores = ", ".join(f"{c['title'].lower()} {round(c['score'] * 100)}" for c in result["categories"].values())
            print(f"Lighthouse {result['lighthouseVersion']}, {form_factor}: {scores}")
            for category in result["categories"].values():
                for ref in category["auditRefs"]:
                    audit = result["audits"][ref["id"]]
                    if ref["weight"] > 0 and audit["score"] is not None and audit["score"] < 1:
                        where = [item.get("node", {}).get("selector", "")
                                 for item in (audit.get("details") or {}).get("items", [])]
                        print(f"  {category['id']}: {ref['id']} {audit['score']:.2f} "
                              f"{audit.get('displayValue', '')} {' '.join(filter(None, where))}".rstrip())
    finally:
        server.shutdown()


if __name__ == "__main__":
    main()
