#!/usr/bin/env python3
"""Opens generated gallery pages in headless Chromium and checks them.

    check_gallery.py [--chromium PATH] [--scale N] DIR...

Loads every *.html directly in each DIR on a screen of N device pixels per
CSS pixel (2 makes an image load the double its srcset offers), with lazy
images loaded at once. Fails when an image does not load, when a link does
not lead to an existing local file (a name read as a URL scheme leads
nowhere), or when a clicked "javascript:" link does anything but open one
window on an existing file. Chromium is driven over the DevTools protocol on
a pipe: Python's standard library is all it needs.
"""
import argparse
import fcntl
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

PAGE_SCRIPT = r"""
(async () => {
  await Promise.all([...document.images].map(i => {
    i.loading = 'eager';
    return i.complete ? null : new Promise(done => { i.onload = i.onerror = done; });
  }));
  const images = [...document.images].map(i => ({src: i.currentSrc || i.src,
                                                  ok: i.complete && i.naturalWidth > 0}));
  const anchors = [...document.querySelectorAll('a[href]')];
  const links = anchors.map(a => ({raw: a.getAttribute('href'), url: a.href}));
  const opened = [];
  window.open = (url) => { opened.push(new URL(url, location.href).href); return null; };
  let dialogs = 0;
  window.alert = window.confirm = window.prompt = () => { dialogs++; };
  const title = document.title;
  const scripts = [];
  for (const a of anchors.filter(a => /^\s*javascript:/i.test(a.getAttribute('href')))) {
    opened.length = 0;
    dialogs = 0;
    a.click();
    await new Promise(done => setTimeout(done, 20));
    scripts.push({raw: a.getAttribute('href'), opened: [...opened], title: document.title,
                  dialogs});
  }
  return JSON.stringify({images, links, scripts, title});
})()
"""


class Browser:
    """A headless Chromium spoken to over --remote-debugging-pipe."""

    def __init__(self, chromium, scale=1):
        self.profile = tempfile.mkdtemp(prefix="kesto-chromium-")
        to_child_r, self.to_child_w = os.pipe()
        self.from_child_r, from_child_w = os.pipe()

        def wire_fds():  # the child reads commands on fd 3 and answers on fd 4
            high_r = fcntl.fcntl(to_child_r, fcntl.F_DUPFD, 10)
            high_w = fcntl.fcntl(from_child_w, fcntl.F_DUPFD, 10)
            os.dup2(high_r, 3)
            os.dup2(high_w, 4)

        args = [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--remote-debugging-pipe", "--user-data-dir=" + self.profile,
                "about:blank"]
        self.proc = subprocess.Popen(args, preexec_fn=wire_fds, pass_fds=(3, 4),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child_r)
        os.close(from_child_w)
        self.buffer = b""
        self.next_id = 0
        self.events = []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable", session=True)
        if scale != 1:
            self.call("Emulation.setDeviceMetricsOverride",
                      {"width": 1000, "height": 800, "deviceScaleFactor": scale, "mobile": False},
                      session=True)

    def send(self, method, params=None, session=False):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = self.session
        os.write(self.to_child_w, json.dumps(message).encode() + b"\0")
        return self.next_id

    def read_message(self, deadline):
        while b"\0" not in self.buffer:
            if time.monotonic() > deadline:
                raise TimeoutError("Chromium did not answer")
            chunk = os.read(self.from_child_r, 65536)
            if not chunk:
                raise RuntimeError("Chromium closed the pipe")
            self.buffer += chunk
        raw, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(raw)

    def call(self, method, params=None, session=False, timeout=30):
        wanted = self.send(method, params, session)
        deadline = time.monotonic() + timeout
        while True:
            message = self.read_message(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message.get("result", {})
            self.events.append(message)

    def wait_event(self, name, timeout=30):
        deadline = time.monotonic() + timeout
        while True:
            for i, event in enumerate(self.events):
                if event.get("method") == name:
                    del self.events[i]
                    return event
            self.events.append(self.read_message(deadline))

    def open(self, url):
        self.events.clear()
        self.call("Page.navigate", {"url": url}, session=True)
        self.wait_event("Page.loadEventFired")
        result = self.call("Runtime.evaluate", {"expression": PAGE_SCRIPT, "returnByValue": True,
                                                "awaitPromise": True}, session=True)
        return json.loads(result["result"]["value"])

    def close(self):
        self.proc.kill()
        self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def local_file(url):
    """The file a file:// URL names, as bytes (names need not be UTF-8)."""
    return urllib.parse.unquote_to_bytes(urllib.parse.urlparse(url).path)


def check_page(browser, page):
    problems = []
    try:
        found = browser.open(page.as_uri())
    except RuntimeError as error:  # a link's script replaced the page
        return [f"{page}: clicking a javascript: link left the page ({error})"], 0, 0
    for image in found["images"]:
        if not image["ok"]:
            problems.append(f"{page}: image does not load: {image['src']}")
    for link in found["links"]:
        raw, url = link["raw"], link["url"]
        if re.match(r"(?i)\s*javascript:", raw) or raw.startswith("#"):
            continue
        if not url.startswith("file://"):
            problems.append(f"{page}: link leaves the gallery's files: {raw}")
        elif not os.path.exists(local_file(url)):
            problems.append(f"{page}: link to a missing file: {raw}")
    for script in found["scripts"]:
        opened = script["opened"]
        if script["title"] != found["title"] or script["dialogs"]:
            problems.append(f"{page}: clicking {script['raw']} ran code of its own")
        elif len(opened) != 1 or not opened[0].startswith("file://"):
            problems.append(f"{page}: clicking {script['raw']} opened {opened}")
        elif not os.path.exists(local_file(opened[0])):
            problems.append(f"{page}: clicking {script['raw']} opens a missing file {opened[0]}")
    return problems, len(found["images"]), len(found["links"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--chromium", default=shutil.which("chromium") or "/usr/bin/chromium")
    parser.add_argument("--scale", type=float, default=1)
    parser.add_argument("dirs", nargs="+")
    args = parser.parse_args()
    browser = Browser(args.chromium, args.scale)
    problems, pages, images, links = [], 0, 0, 0
    try:
        for folder in args.dirs:
            for page in sorted(pathlib.Path(folder).resolve().glob("*.html")):
                found, n_images, n_links = check_page(browser, page)
                problems += found
                pages, images, links = pages + 1, images + n_images, links + n_links
    finally:
        browser.close()
    for problem in problems:
        print(problem, file=sys.stderr)
    print(f"checked {pages} pages, {images} images, {links} links: {len(problems)} problems")
    return 1 if problems or pages == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
