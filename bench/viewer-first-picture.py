#!/usr/bin/env python3
"""viewer-first-picture.py - how soon the viewer shows a picture after a click.

    bench/viewer-first-picture.py KESTO_CLI [RUNS]

Makes a gallery of 200 pictures (the samples, copied under 200 names) with
ExpressLinkTarget=viewer and ExpressResponsive=1 at 7 x 4 per page, opens
page1.html from disk in headless Chromium (1280x800) and clicks a thumbnail,
RUNS times (default 15), a new thumbnail and a fresh page each time. Each
time is read from the page's performance timeline: from the click's
first-input entry (the press of the button) to the element-timing entry of
the viewer's picture (its first paint). Prints the size of the script and
style sheets and of an index page, and the median, fastest and slowest time.
"""
import gzip
import json
import pathlib
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "browser"))
from check_gallery import Browser  # noqa: E402

MEASURE = """new Promise(done => {
  const img = document.getElementById('kv-img');
  img.setAttribute('elementtiming', 'viewer');
  let press = null, paint = null;
  const finish = () => { if (press !== null && paint !== null) done(paint - press); };
  new PerformanceObserver(list => { press = list.getEntries()[0].startTime; finish(); })
    .observe({type: 'first-input', buffered: true});
  new PerformanceObserver(list => {
    for (const e of list.getEntries()) if (e.identifier === 'viewer') paint = e.renderTime;
    finish();
  }).observe({type: 'element', buffered: true});
  window.kestoMeasured = true;
})"""
WEB = ROOT / "src" / "engine" / "pages" / "web"


def make_gallery(cli, folder):
    samples = sorted((ROOT / "samples" / "pictures").iterdir())
    for i in range(200):
        sample = samples[i % len(samples)]
        shutil.copy(sample, folder / f"picture {i:03d}{sample.suffix}")
    cfe = (ROOT / "samples" / "express.cfe").read_text().replace(
        "ExpressLinkTarget=same", "ExpressLinkTarget=viewer").replace(
        "ExpressRows=2", "ExpressRows=7").replace("ExpressCols=3", "ExpressCols=4")
    (folder / "bench.cfe").write_text(cfe + "ExpressResponsive=1\r\n", newline="")
    subprocess.run([cli, "process", "--quiet", "--no", "--config", folder / "bench.cfe", folder],
                   check=True)


def click_time(browser, page, n):
    for url in ("about:blank", page.as_uri()):  # a fresh page, even for the same address
        browser.call("Page.navigate", {"url": url}, session=True)
        browser.wait_event("Page.loadEventFired")
    where = browser.call("Runtime.evaluate", {"returnByValue": True, "expression": f"""
        (() => {{ const r = document.querySelectorAll('a[data-kv] img')[{n}];
                  r.scrollIntoView({{block: 'center'}});
                  const b = r.getBoundingClientRect();
                  return [b.x + b.width / 2, b.y + b.height / 2]; }})()"""}, session=True)
    x, y = where["result"]["value"]
    waiting = browser.send("Runtime.evaluate", {"expression": MEASURE, "awaitPromise": True,
                                                "returnByValue": True}, session=True)
    time.sleep(0.2)  # the observers are in place before the click
    for kind in ("mousePressed", "mouseReleased"):
        browser.call("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                                  "clickCount": 1}, session=True)
    deadline = time.monotonic() + 30
    while True:
        message = browser.read_message(deadline)
        if message.get("id") == waiting:
            return message["result"]["result"]["value"]


def main():
    cli = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    shipped = {name: (WEB / name).read_bytes() for name in ("viewer.js", "viewer.css", "fit.css")}
    both = shipped["viewer.js"] + shipped["viewer.css"]
    print(f"script + viewer style sheet: {len(both)} bytes ({len(gzip.compress(both))} gzipped); "
          f"fit.css {len(shipped['fit.css'])} bytes")
    with tempfile.TemporaryDirectory(prefix="kesto-bench-") as work:
        folder = pathlib.Path(work)
        make_gallery(cli, folder)
        page = folder / "page1.html"
        pages = sorted(folder.glob("page*.html"))
        print(f"200 pictures on {len(pages)} index pages; page1.html {page.stat().st_size} bytes, "
              f"kesto-viewer.js {(folder / 'kesto-viewer.js').stat().st_size} bytes")
        browser = Browser(shutil.which("chromium") or "/usr/bin/chromium")
        try:
            browser.call("Emulation.setDeviceMetricsOverride",
                         {"width": 1280, "height": 800, "deviceScaleFactor": 1, "mobile": False},
                         session=True)
            times = [click_time(browser, page, n % 28) for n in range(runs)]
        finally:
            browser.close()
    median, fastest, slowest = statistics.median(times), min(times), max(times)
    print(f"click to first paint of the picture, {runs} runs: median {median:.1f} ms, "
          f"fastest {fastest:.1f} ms, slowest {slowest:.1f} ms")


if __name__ == "__main__":
    main()
