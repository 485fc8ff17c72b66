#!/usr/bin/env python3
"""Checks a bindings report that vorlan-host wrote.

check_report.py html REPORT BINDINGS.lua
    REPORT parses as HTML, every element closed in the order opened, it loads
    nothing (no script, no link but to its own parts), and its text names every
    layer, key, reformer and command that BINDINGS.lua uses.
check_report.py findings REPORT CHECK.txt
    REPORT shows every line that vorlan-host --check printed (CHECK.txt).
check_report.py render REPORT PNG CHROMIUM
    Headless Chromium renders REPORT into PNG without console messages, and
    the picture is not blank.
"""
import html.parser
import os
import re
import subprocess
import sys
import tempfile
import zlib

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.open, self.text, self.faults = [], [], []

    def handle_starttag(self, tag, attrs):
        if tag in ("script", "link", "img", "iframe", "object") or any(
                name == "src" or (name == "href" and not value.startswith("#")) for name, value in attrs):
            self.faults.append(f"line {self.getpos()[0]}: <{tag}> loads something")
        if tag not in VOID:
            self.open.append(tag)

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)  # <line/>, <meta/>: opened and closed at once
        if tag not in VOID:
            self.open.pop()

    def handle_endtag(self, tag):
        if not self.open or self.open.pop() != tag:
            self.faults.append(f"line {self.getpos()[0]}: </{tag}> does not close the element open there")

    def handle_data(self, data):
        self.text.append(data)


def check_html(report, bindings):
    page = Page()
    with open(report, encoding="utf-8") as f:
        page.feed(f.read())
    page.close()
    faults = page.faults + [f"<{tag}> is never closed" for tag in page.open]
    faults += ["the style loads something"] if "url(" in "".join(page.text) else []
    text = " ".join(page.text)
    with open(bindings, encoding="utf-8") as f:
        script = f.read()
    strings = dict(re.findall(r'local (\w+) = "([^"]*)"', script))
    layers = [strings.get(name, name.strip('"')) for name in re.findall(r"createLayer\(([^)]*)\)", script)]
    constants = set(re.findall(r"\b(?:KEY|JOYSTICK|MOUSE|TRACKIR)_\w+|\b(?:Obsolete_)?iCommand\w+", script))
    faults += [f"layer {name} is not named" for name in layers if f"Layer {name}" not in text]
    faults += [f"{name} is not named" for name in sorted(constants) if not re.search(rf"\b{name}\b", text)]
    return faults


def check_findings(report, check):
    page = Page()
    with open(report, encoding="utf-8") as f:
        page.feed(f.read())
    with open(check, encoding="utf-8") as f:
        return [f"the finding is missing: {line}" for line in f.read().splitlines() if line not in page.text]


def is_blank(png):
    """True when the picture's pixel bytes hold hardly any distinct values."""
    with open(png, "rb") as f:
        data = f.read()
    at, pixels = 8, b""
    while at < len(data):
        length = int.from_bytes(data[at:at + 4], "big")
        if data[at + 4:at + 8] == b"IDAT":
            pixels += data[at + 8:at + 8 + length]
        at += length + 12
    return len(set(zlib.decompress(pixels))) < 16


def check_render(report, png, chromium):
    with tempfile.TemporaryDirectory() as profile:
        run = subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                              "--no-first-run", "--disable-background-networking", "--disable-component-update",
                              "--disable-sync", f"--user-data-dir={profile}", "--enable-logging=stderr",
                              "--hide-scrollbars", "--window-size=1000,1400", f"--screenshot={png}",
                              "file://" + os.path.abspath(report)],
                             capture_output=True, text=True, timeout=180)
    faults = [line for line in run.stderr.splitlines() if ":CONSOLE" in line]
    if not os.path.exists(png):
        return faults + [f"no picture (exit {run.returncode}):\n{run.stderr}"]
    return faults + (["the picture is blank"] if is_blank(png) else [])


if __name__ == "__main__":
    checks = {"html": check_html, "findings": check_findings, "render": check_render}
    if len(sys.argv) < 2 or sys.argv[1] not in checks:
        sys.exit(__doc__)
    faults = checks[sys.argv[1]](*sys.argv[2:])
    for fault in faults:
        print(f"{sys.argv[2]}: {fault}", file=sys.stderr)
    sys.exit(1 if faults else 0)
