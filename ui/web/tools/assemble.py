#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Puts the page together: the form written from the window's table, its style, the
module (JavaScript with the WebAssembly inside) and the page's scripts (minified, in
the parts folder), into

  pemdra.html   one self-contained file (the WebAssembly inside), for opening from disk
  app/          the same page as an installable web app: index.html, the manifest,
                the service worker and the icons, for any static host

Script and style are inline and named in the Content-Security-Policy by their
SHA-256 (of exactly what stands between their tags), so nothing else can run: no
eval, WebAssembly compilation only."""
import argparse
import base64
import hashlib
import json
import pathlib
import re
import shutil


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def page(template, title, style, form, scripts, head, sources):
    wasm, script = scripts
    csp = "; ".join([
        "default-src 'none'",
        "script-src " + digest(wasm) + " " + digest(script) + " 'wasm-unsafe-eval'",
        "style-src " + digest(style),
        "base-uri 'none'",
        "form-action 'none'",
    ] + sources)
    html = template
    for key, value in (("@CSP@", csp), ("@TITLE@", title), ("@HEAD@", head),
                       ("@STYLE@", style), ("@FORM@", form), ("@WASM@", wasm),
                       ("@SCRIPT@", script)):
        html = html.replace(key, value)
    return html


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for option in ("sources", "parts", "module", "icons", "out"):
        parser.add_argument("--" + option, type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True, help="pemdra's version, as 1.00")
    args = parser.parse_args()

    read = lambda path: path.read_text(encoding="utf-8")
    template = read(args.sources / "pemdra.html.in")
    title = read(args.parts / "title.txt").strip()
    # pemdra.css names the two layouts' media queries as formmarkup wrote them.
    # Its comments stay in the source: every byte of the page is read before it works.
    desktop, touch = read(args.parts / "media.txt").splitlines()
    own = re.sub(r"/\*.*?\*/\s*", "", read(args.sources / "pemdra.css"), flags=re.S)
    style = own.replace("@DESKTOP@", desktop).replace("@TOUCH@", touch) + read(args.parts / "form.css")
    form = read(args.parts / "form.html")
    # The WebAssembly, base64-encoded, in a script of the head that starts compiling it;
    # the module's JavaScript and the page's at the end of the body.
    wasm = read(args.parts / "wasm.js").replace(
        "@WASM@", base64.b64encode(args.module.with_suffix(".wasm").read_bytes()).decode())
    scripts = (wasm, read(args.module) + "\n" + read(args.parts / "page.js"))
    svg = (args.icons / "pemdra.svg").read_bytes()

    # The file opened from disk carries its icon inside it too.
    icon = "data:image/svg+xml;base64," + base64.b64encode(svg).decode()
    # Which release a saved copy is, for whoever looks at its source.
    version = '<meta name="version" content="' + args.version + '">\n'
    single = page(template, title, style, form, scripts,
                  version + '<link rel="icon" href="' + icon + '">\n', ["img-src data:"])
    (args.out / "pemdra.html").write_text(single, encoding="utf-8")

    app = args.out / "app"
    (app / "icons").mkdir(parents=True, exist_ok=True)
    head = (version + '<link rel="manifest" href="manifest.webmanifest">\n'
            '<link rel="icon" href="icons/pemdra.svg" type="image/svg+xml">\n'
            '<link rel="apple-touch-icon" href="icons/pemdra-256.png">\n')
    index = page(template, title, style, form, scripts, head,
                 # connect-src: the page itself fetches nothing, but search engines'
                 # audits (Lighthouse) read the host's robots.txt from inside the page.
                 ["img-src 'self'", "manifest-src 'self'", "worker-src 'self'", "connect-src 'self'"])
    (app / "index.html").write_text(index, encoding="utf-8")
    shutil.copyfile(args.parts / "manifest.webmanifest", app / "manifest.webmanifest")
    icons = ["pemdra.svg", "pemdra-128.png", "pemdra-256.png"]
    shutil.copyfile(args.icons / "pemdra.svg", app / "icons" / "pemdra.svg")
    for name in icons[1:]:
        shutil.copyfile(args.icons / "icons" / name, app / "icons" / name)

    files = ["./", "index.html", "manifest.webmanifest"] + ["icons/" + name for name in icons]
    # A release is new when any of its files is: the worker's bytes change with it, and
    # the browser installs it.
    release = hashlib.sha256()
    for name in files[1:]:
        release.update(name.encode() + b"\0" + (app / name).read_bytes())
    version = release.hexdigest()[:16]
    worker = read(args.sources / "sw.js").replace("@VERSION@", version)
    (app / "sw.js").write_text(worker.replace("@FILES@", json.dumps(files)), encoding="utf-8")


if __name__ == "__main__":
    main()
