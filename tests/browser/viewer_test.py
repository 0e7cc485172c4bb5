#!/usr/bin/env python3
"""viewer_test.py KESTO_CLI SOURCE_DIR: the picture viewer in headless Chromium, on a phone
(375x667: taps, swipes) and a desktop (1280x800: clicks, arrow keys), over a gallery of awkward
names on three index pages (ExpressLinkTarget=viewer, ExpressResponsive=1)."""
import json, pathlib, shutil, subprocess, sys, tempfile, time, urllib.parse  # noqa: E401

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from check_gallery import Browser  # noqa: E402

NAMES = [b'Tom "quoted" & <b>.jpg', b"a#b.jpg", b"q?x.jpg", b"50%.jpg", b"Beach:sunset.jpg",
         b"caf\xe9.jpg", b"O'Brien.jpg", b"plain.gif", b"z.bmp"]  # 4 a page: 3 pages
STATE = """(i => JSON.stringify({open: !document.getElementById('kv').hidden, hash: location.hash,
  src: i.getAttribute('src'), loaded: i.complete && i.naturalWidth > 0, width: innerWidth,
  page: location.pathname.split('/').pop(), wide: document.documentElement.scrollWidth > innerWidth
}))(document.getElementById('kv-img'))"""


def make_gallery(cli, src, folder):
    for name, picture in zip(NAMES, sorted((src / "samples/pictures").iterdir())):
        shutil.copy(picture, bytes(folder) + b"/" + name)
    cfe = (src / "samples/express.cfe").read_text().replace("Target=same", "Target=viewer")
    (folder / "v.cfe").write_text(cfe.replace("Cols=3", "Cols=2") + "ExpressResponsive=1\r\n")
    subprocess.run([cli, "process", "--quiet", "--no", "--config", folder / "v.cfe", folder],
                   check=True)
    names = sorted(NAMES, key=lambda n: n.decode(errors="surrogateescape").lower())
    return [urllib.parse.quote(n, safe="-_.~") for n in names]  # as the viewer writes them


class Screen:
    def __init__(self, phone):
        self.phone, self.errors, self.width = phone, [], 375 if phone else 1280
        self.b = Browser("chromium", 1, self.width, 667 if phone else 800, phone)
        self.loaded = set()  # the names of the files loaded
        self.call("Runtime.enable"), self.call("Network.enable")
        self.call("Emulation.setTouchEmulationEnabled", enabled=phone)

    def call(self, method, **params):  # notes the console's errors and the files loaded
        result = self.b.call(method, params, session=True)
        for event in self.b.events:
            name, p = event.get("method"), event.get("params", {})
            if name == "Network.responseReceived":
                self.loaded.add(p["response"]["url"].rsplit("/", 1)[-1])
            if name == "Runtime.exceptionThrown" or p.get("type") in ("error", "warning"):
                self.errors.append(json.dumps(p)[:300])
        self.b.events.clear()
        return result.get("result", {}).get("value")

    def js(self, expression):
        return self.call("Runtime.evaluate", expression=expression, returnByValue=True)

    def wait(self, what, test):  # a state that passes `test` on a page as wide as the screen
        deadline = time.monotonic() + 10
        while not ((s := json.loads(self.js(STATE) or "{}")) and s["width"] == self.width
                   and not s["wide"] and test(s)):
            assert time.monotonic() < deadline, f"{self.width} pixels: {what}: {s}"
            time.sleep(0.05)

    def go(self, url):
        for address in ("about:blank", url):  # a fresh page, even for the same address
            self.call("Page.navigate", url=address), self.b.wait_event("Page.loadEventFired")

    def touch(self, xs, y=330):  # one finger along xs
        for i, x in enumerate(xs):
            self.call("Input.dispatchTouchEvent", type="touchMove" if i else "touchStart",
                      touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def step(self, forward):  # a swipe on the phone, an arrow key on the desktop
        if self.phone:
            return self.touch((300, 200, 100) if forward else (100, 200, 300))
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key="Arrow" + (
                "Right" if forward else "Left"), windowsVirtualKeyCode=39 if forward else 37)

    def showing(self, what, key, page="page1.html"):
        self.wait(what, lambda s: s["open"] and s["loaded"] and s["src"] == key
                  and s["hash"] == "#" + key and s["page"] == page)


def walk(screen, folder, keys):
    screen.go((folder / "page1.html").as_uri())
    x, y = screen.js("(r => [r.x + r.width / 2, r.y + r.height / 2])(document.querySelector("
                     "'a[data-kv] img').getBoundingClientRect())")
    for kind in () if screen.phone else ("mousePressed", "mouseReleased"):
        screen.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)
    screen.touch((x,), y) if screen.phone else None
    screen.showing("a thumbnail opens its picture", keys[0])
    screen.wait("the next picture is loaded ahead", lambda s: keys[1] in screen.loaded)
    for key, forward in [(key, True) for key in keys[1:]] + [(keys[-2], False)]:
        screen.step(forward), screen.showing("a step shows its picture", key)
    screen.js("history.back()")
    screen.wait("Back closes the viewer", lambda s: not s["open"] and s["hash"] == "")
    raw = urllib.parse.unquote_to_bytes(keys[5])  # on page 2, written as a link might
    screen.go((folder / "page1.html").as_uri() + "#" + urllib.parse.quote(raw, safe="'\":?&"))
    screen.showing("a fragment opens its picture on its page", keys[5], "page2.html")
    screen.js("document.dispatchEvent(new KeyboardEvent('keydown', {key: 'Escape'}))")
    screen.wait("Escape closes the viewer", lambda s: not s["open"] and s["hash"] == "")
    screen.go((folder / "page3.html").as_uri())
    screen.wait("page3.html fits the screen", lambda s: True)
    assert not screen.errors, "console: " + "\n".join(screen.errors)


with tempfile.TemporaryDirectory(prefix="kesto-viewer-") as work:
    keys = make_gallery(sys.argv[1], pathlib.Path(sys.argv[2]).resolve(), pathlib.Path(work))
    for phone in (True, False):
        screen = Screen(phone)
        try:
            walk(screen, pathlib.Path(work), keys)
        finally:
            screen.b.close()
print(f"viewer: {len(keys)} pictures stepped through on a phone and a desktop")
