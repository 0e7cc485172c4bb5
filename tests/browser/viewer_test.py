#!/usr/bin/env python3
"""The picture viewer of Express galleries in headless Chromium.

    viewer_test.py KESTO_CLI SOURCE_DIR

Makes a gallery of awkward names with ExpressLinkTarget=viewer, then on a
phone (375x667, touch) and on a desktop (1280x800): a thumbnail opens the
viewer; swipes or arrow keys step through every picture, each shown loaded;
Back closes it; a link with a picture's fragment opens that picture on the
index page that holds it; the next picture is loaded ahead; no page scrolls
sideways on the phone; nothing is reported on the console.
"""
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from check_gallery import Browser  # noqa: E402

NAMES = [b"Tom \"quoted\" & <b>.jpg", b"a#b.jpg", b"q?x.jpg", b"50%.jpg", b"Beach:sunset.jpg",
         b"caf\xe9.jpg", b"O'Brien.jpg", b"plain.gif", b"z.bmp"]
ROWS, COLS = 2, 2  # the sixth picture lies on the second index page
STATE = """JSON.stringify((() => {
  const box = document.getElementById('kv'), img = document.getElementById('kv-img');
  return {open: !!box && !box.hidden, src: img && img.getAttribute('src'),
          loaded: !!img && img.complete && img.naturalWidth > 0, hash: location.hash,
          page: location.pathname.split('/').pop(),
          width: innerWidth, sideways: document.documentElement.scrollWidth > innerWidth};
})())"""
ERRORS = {"Runtime.exceptionThrown": lambda p: True,
          "Runtime.consoleAPICalled": lambda p: p["type"] in ("error", "warning", "assert"),
          "Log.entryAdded": lambda p: p["entry"]["level"] in ("error", "warning")}


def key(name):  # the form the viewer writes a name in
    return urllib.parse.quote(name, safe="-_.~")


def make_gallery(cli, src, folder):
    pictures = sorted((src / "samples" / "pictures").iterdir())
    for name, picture in zip(NAMES, pictures):
        shutil.copy(picture, bytes(folder) + b"/" + name)
    cfe = (src / "samples" / "express.cfe").read_bytes()
    for field, value in (("ExpressLinkTarget", "viewer"), ("ExpressRows", ROWS),
                         ("ExpressCols", COLS)):
        lines = cfe.split(b"\r\n")
        cfe = b"\r\n".join(f"{field}={value}".encode() if line.startswith(field.encode() + b"=")
                           else line for line in lines)
    cfe += b"ExpressResponsive=1\r\n"
    (folder / "viewer.cfe").write_bytes(cfe)
    subprocess.run([cli, "process", "--quiet", "--no", "--config", folder / "viewer.cfe", folder],
                   check=True)
    names = sorted(NAMES, key=lambda n: n.decode(errors="surrogateescape").lower())
    return [key(n) for n in names]


class Viewer:
    def __init__(self, browser, phone):
        self.b, self.phone, self.errors, self.loaded = browser, phone, [], set()
        self.requests = {}  # request id: address
        for domain in ("Page", "Runtime", "Log", "Network"):
            self.b.call(f"{domain}.enable", session=True)
        width, height = (375, 667) if phone else (1280, 800)
        self.b.call("Emulation.setDeviceMetricsOverride",
                    {"width": width, "height": height, "deviceScaleFactor": 2 if phone else 1,
                     "mobile": phone}, session=True)
        self.b.call("Emulation.setTouchEmulationEnabled", {"enabled": phone, "maxTouchPoints": 5},
                    session=True)

    def note_errors(self):
        for event in self.b.events:
            if event.get("method") == "Network.loadingFinished":
                self.loaded.add(event["params"]["requestId"])
            if event.get("method") == "Network.requestWillBeSent":
                self.requests[event["params"]["requestId"]] = event["params"]["request"]["url"]
            found = ERRORS.get(event.get("method"))
            if found and found(event["params"]):
                self.errors.append(json.dumps(event["params"])[:400])
        self.b.events.clear()

    def js(self, expression):
        result = self.b.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                  "awaitPromise": True}, session=True)
        self.note_errors()
        return result["result"].get("value")

    def state(self):  # a page that is still loading has none yet
        return json.loads(self.js(STATE) or "null") or {"open": False, "page": None}

    def wait(self, what, test):
        deadline = time.monotonic() + 10
        while True:
            state = self.state()
            if test(state):
                return state
            if time.monotonic() > deadline:
                raise AssertionError(f"{'phone' if self.phone else 'desktop'}: {what}: {state}")
            time.sleep(0.05)

    def showing(self, what, picture):
        return self.wait(what, lambda s: s["open"] and s["src"] == picture and s["loaded"]
                         and s["hash"] == "#" + picture)

    def go(self, url):
        for address in ("about:blank", url):  # a fresh page, even for the same address
            self.b.call("Page.navigate", {"url": address}, session=True)
            self.b.wait_event("Page.loadEventFired")

    def tap(self, x, y):
        if self.phone:
            for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
                self.b.call("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points},
                            session=True)
            return
        for kind in ("mousePressed", "mouseReleased"):
            self.b.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y,
                                                     "button": "left", "clickCount": 1},
                        session=True)

    def step(self, forward):
        if not self.phone:
            name, code = ("ArrowRight", 39) if forward else ("ArrowLeft", 37)
            for kind in ("keyDown", "keyUp"):
                self.b.call("Input.dispatchKeyEvent", {"type": kind, "key": name, "code": name,
                                                       "windowsVirtualKeyCode": code},
                            session=True)
            return
        xs = (300, 220, 140, 60) if forward else (60, 140, 220, 300)
        for i, x in enumerate(xs):
            kind = "touchStart" if i == 0 else "touchMove"
            self.b.call("Input.dispatchTouchEvent",
                        {"type": kind, "touchPoints": [{"x": x, "y": 330}]}, session=True)
        self.b.call("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []},
                    session=True)

    def thumbnail(self, n):
        return json.loads(self.js(f"""JSON.stringify((() => {{
          const a = document.querySelectorAll('a[data-kv]')[{n}];
          a.scrollIntoView({{block: 'center'}});
          const r = a.querySelector('img').getBoundingClientRect();
          return [r.x + r.width / 2, r.y + r.height / 2, a.getAttribute('data-kv')];
        }})())"""))


def walk(viewer, folder, keys):
    """Every check on one screen; returns the problems found."""
    for page in sorted(folder.glob("page*.html")):
        viewer.go(page.as_uri())
        viewer.wait(f"{page.name} is as wide as the screen and scrolls not sideways",
                    lambda s: s.get("width") == (375 if viewer.phone else 1280)
                    and s["sideways"] is False)
    viewer.go((folder / "page1.html").as_uri())
    x, y, first = viewer.thumbnail(0)
    viewer.tap(x, y)
    viewer.showing("a thumbnail opens its picture", first)
    viewer.wait("the next picture is loaded ahead", lambda s: any(
        url.endswith("/" + keys[1]) and request in viewer.loaded
        for request, url in viewer.requests.items()))
    for picture in keys[1:]:
        viewer.step(True)
        viewer.showing("stepping on shows the next picture", picture)
    viewer.step(False)
    viewer.showing("stepping back shows the one before", keys[-2])
    viewer.js("history.back()")
    viewer.wait("Back closes the viewer", lambda s: not s["open"] and s["hash"] == ""
                and s["page"] == "page1.html")
    wanted = keys[ROWS * COLS + 1]
    raw = urllib.parse.unquote_to_bytes(wanted)
    viewer.go((folder / "page1.html").as_uri() + "#" + urllib.parse.quote(raw, safe="'\":?&<>"))
    state = viewer.showing("a fragment opens its picture", wanted)
    if state["page"] != "page2.html":
        raise AssertionError(f"the fragment opened {state['page']}, not page2.html")
    viewer.js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape'}))")
    viewer.wait("Escape closes the viewer", lambda s: not s["open"] and s["hash"] == "")
    if viewer.errors:
        raise AssertionError("console: " + "\n".join(viewer.errors))


def main():
    cli, src = sys.argv[1], pathlib.Path(sys.argv[2]).resolve()
    with tempfile.TemporaryDirectory(prefix="kesto-viewer-") as work:
        folder = pathlib.Path(work)
        keys = make_gallery(cli, src, folder)
        for phone in (True, False):
            browser = Browser(shutil.which("chromium") or "/usr/bin/chromium")
            try:
                walk(Viewer(browser, phone), folder, keys)
            finally:
                browser.close()
    print(f"viewer: {len(keys)} pictures stepped through on a phone and a desktop")
    return 0


if __name__ == "__main__":
    sys.exit(main())
