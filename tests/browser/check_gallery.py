#!/usr/bin/env python3
"""check_gallery.py [--scale N] DIR...: opens gallery pages in headless Chromium.

Loads every *.html in each DIR at N device pixels per CSS pixel. Fails when an image does not load,
a link leads to no local file, or a clicked "javascript:" link does more than open a file."""
import fcntl, json, os, pathlib, re, shutil, subprocess, sys, tempfile, time  # noqa: E401
import urllib.parse

PAGE_SCRIPT = r"""
(async () => {
  for (const i of document.images) i.loading = 'eager';
  await Promise.all([...document.images].map(
      i => i.complete || new Promise(done => { i.onload = i.onerror = done; })));
  const images = [...document.images].map(i => ({src: i.currentSrc || i.src,
                                                  ok: i.complete && i.naturalWidth > 0}));
  const anchors = [...document.querySelectorAll('a[href]')], opened = [], scripts = [];
  const links = anchors.map(a => ({raw: a.getAttribute('href'), url: a.href}));
  window.open = (url) => { opened.push(new URL(url, location.href).href); return null; };
  let dialogs = 0, title = document.title;
  window.alert = window.confirm = window.prompt = () => { dialogs++; };
  for (const a of anchors.filter(a => /^\s*javascript:/i.test(a.getAttribute('href')))) {
    opened.length = dialogs = 0, a.click();
    await new Promise(done => setTimeout(done, 20));
    scripts.push({raw: a.getAttribute('href'), opened: [...opened], dialogs,
                  title: document.title});
  }
  return JSON.stringify({images, links, scripts, title});
})()
"""


class Browser:  # a headless Chromium spoken to over --remote-debugging-pipe
    def __init__(self, chromium, scale=1, width=1000, height=800, mobile=False):
        self.profile = tempfile.mkdtemp(prefix="kesto-chromium-")
        to_child_r, self.to_child_w = os.pipe()
        self.from_child_r, from_child_w = os.pipe()

        def wire_fds():  # the child reads commands on fd 3 and answers on fd 4
            high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10) for fd in (to_child_r, from_child_w)]
            os.dup2(high[0], 3), os.dup2(high[1], 4)

        flags = ("headless no-sandbox disable-gpu disable-quic no-first-run disable-sync "
                 "disable-background-networking disable-component-update remote-debugging-pipe")
        self.proc = subprocess.Popen(
            [chromium, "--user-data-dir=" + self.profile, "about:blank"]
            + ["--" + flag for flag in flags.split()], preexec_fn=wire_fds, pass_fds=(3, 4),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child_r), os.close(from_child_w)
        self.buffer, self.next_id, self.events = b"", 0, []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable", session=True)
        self.call("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                  "deviceScaleFactor": scale, "mobile": mobile}, session=True)

    def read_message(self, deadline):
        while b"\0" not in self.buffer:
            if time.monotonic() > deadline or not (chunk := os.read(self.from_child_r, 65536)):
                raise RuntimeError("Chromium did not answer")
            self.buffer += chunk
        raw, self.buffer = self.buffer.split(b"\0", 1)
        return json.loads(raw)

    def call(self, method, params=None, session=False, timeout=30):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {},
                   **({"sessionId": self.session} if session else {})}
        os.write(self.to_child_w, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while (message := self.read_message(deadline)).get("id") != self.next_id:
            self.events.append(message)
        if "error" in message:
            raise RuntimeError(f"{method}: {message['error']}")
        return message.get("result", {})

    def wait_event(self, name, timeout=30):
        deadline = time.monotonic() + timeout
        while not any(event.get("method") == name for event in self.events):
            self.events.append(self.read_message(deadline))
        self.events = [event for event in self.events if event.get("method") != name]

    def open(self, url):
        self.events.clear(), self.call("Page.navigate", {"url": url}, session=True)
        self.wait_event("Page.loadEventFired")
        result = self.call("Runtime.evaluate", {"expression": PAGE_SCRIPT, "returnByValue": True,
                                                "awaitPromise": True}, session=True)
        return json.loads(result["result"]["value"])

    def close(self):
        self.proc.kill(), self.proc.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def exists(url):  # whether `url` names an existing local file (names need not be UTF-8)
    path = urllib.parse.unquote_to_bytes(urllib.parse.urlparse(url).path)
    return url.startswith("file://") and os.path.exists(path)


def check_page(browser, page):
    try:
        found = browser.open(page.as_uri())
    except RuntimeError as error:  # a link's script replaced the page
        return [f"{page}: clicking a javascript: link left the page ({error})"]
    problems = [f"{page}: image does not load: {i['src']}" for i in found["images"] if not i["ok"]]
    for raw, url in ((link["raw"], link["url"]) for link in found["links"]):
        if not (re.match(r"(?i)\s*javascript:", raw) or raw.startswith("#") or exists(url)):
            problems.append(f"{page}: link to no file of the gallery: {raw}")
    for script in found["scripts"]:
        raw, opened = script["raw"], script["opened"]
        if script["title"] != found["title"] or script["dialogs"]:
            problems.append(f"{page}: clicking {raw} ran code of its own")
        elif len(opened) != 1 or not exists(opened[0]):
            problems.append(f"{page}: clicking {raw} opened {opened}")
    return problems


def main():
    args = sys.argv[1:]
    scale, dirs = (float(args[1]), args[2:]) if args[:1] == ["--scale"] else (1, args)
    pages = [p for d in dirs for p in sorted(pathlib.Path(d).resolve().glob("*.html"))]
    browser = Browser(shutil.which("chromium") or "/usr/bin/chromium", scale)
    try:
        problems = [problem for page in pages for problem in check_page(browser, page)]
    finally:
        browser.close()
    sys.stderr.write("".join(p + "\n" for p in problems))
    print(f"checked {len(pages)} pages: {len(problems)} problems")
    return 1 if problems or not pages else 0


if __name__ == "__main__":
    sys.exit(main())
