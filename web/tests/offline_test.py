#!/usr/bin/python3
"""The page as an installed app in headless Chromium: offline after one visit, the next
version's files after an update, and the whole dialog on a 360 x 640 touch screen.

Usage: offline_test.py --site DIR [unittest args]
The site is served from a copy, which the update test changes into a next version.
"""

import argparse
import functools
import http.server
import shutil
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver

OPTIONS = argparse.Namespace(site=None)
SOLVE = ((2001, "1"), (2002, "1"), (2003, "10"))  # a 1 x 1 inch coil of 10 turns
SOLVED = {2011: " 2.023", 2005: "Wire Length:  34.557  inches",
          2008: "Self-resonant at approximately:   94.9  MHz"}
SOLVE_BUTTON = 2204
CONTROL = "document.querySelector(`[data-control-id='${arguments[0]}']`)"
NEXT_CACHE = "coilcalc-next-version-of-the-test"


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Site:
    """A copy of the site served on one port of 127.0.0.1, stopped and started at will."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="coilcalc-site-")
        shutil.copytree(OPTIONS.site, self.root, dirs_exist_ok=True)
        self.port = 0
        self.start()

    def start(self):
        handler = functools.partial(QuietHandler, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.port = self.server.server_port
        self.url = f"http://127.0.0.1:{self.port}/"
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()

    def edit(self, name, old, new):
        with open(f"{self.root}/{name}", encoding="utf-8") as source:
            text = source.read()
        assert old in text, f"{old!r} not in {name}"
        with open(f"{self.root}/{name}", "w", encoding="utf-8") as target:
            target.write(text.replace(old, new, 1))


class BrowserTest(unittest.TestCase):
    SIZE, MOBILE = (800, 600), False

    def setUp(self):
        self.site = Site()
        options = webdriver.ChromeOptions()
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--window-size=%d,%d" % self.SIZE,
                     "--user-data-dir=" + tempfile.mkdtemp(prefix="coilcalc-chromium-")):
            options.add_argument(flag)
        if self.MOBILE:
            width, height = self.SIZE
            options.add_experimental_option("mobileEmulation", {"deviceMetrics": {
                "width": width, "height": height, "pixelRatio": 2, "touch": True}})
        self.browser = webdriver.Chrome(options=options)
        self.browser.set_script_timeout(30)
        self.load()

    def tearDown(self):
        self.browser.quit()
        self.site.stop()
        shutil.rmtree(self.site.root, ignore_errors=True)

    def load(self):
        self.browser.get(self.site.url)
        self.wait_for("return document.documentElement.dataset.ready === 'true'")

    def wait_for(self, script, *arguments, timeout=20):
        end = time.monotonic() + timeout
        while not self.browser.execute_script(script, *arguments):
            if time.monotonic() > end:
                self.fail("timed out waiting for: " + script)
            time.sleep(0.05)

    def results(self):
        return {i: self.browser.execute_script(f"return {CONTROL}.value", i) for i in SOLVED}


class OfflineTest(BrowserTest):
    def solve(self):
        for control_id, text in SOLVE:
            self.browser.execute_script(f"{CONTROL}.value = arguments[1]", control_id, text)
        self.browser.execute_script(f"{CONTROL}.click()", SOLVE_BUTTON)
        return self.results()

    def set_offline(self, offline):
        self.browser.set_network_conditions(offline=offline, latency=0, download_throughput=-1,
                                            upload_throughput=-1)

    def test_offline_after_one_visit_then_the_next_version(self):
        # The worker in charge, its cache filled: [cache names, paths kept].
        names, kept = self.browser.execute_async_script("""
            const done = arguments[arguments.length - 1];
            navigator.serviceWorker.ready.then(async (registration) => {
              while (registration.active.state !== 'activated') await new Promise(r => setTimeout(r, 50));
              const names = await caches.keys();
              const requests = await (await caches.open(names[0])).keys();
              done([names, requests.map(r => new URL(r.url).pathname)]);
            });""")
        self.assertEqual(len(names), 1)
        self.assertRegex(names[0], r"^coilcalc-\d+\.\d+\.\d+-[0-9a-f]{12}$")
        for path in ("/", "/index.html", "/coilcalc-engine.wasm", "/coilcalc-engine.js",
                     "/sketch.png", "/manifest.webmanifest"):
            self.assertIn(path, kept)
        errors = self.browser.execute_cdp_cmd("Page.getInstallabilityErrors", {})
        self.assertEqual(errors["installabilityErrors"], [], "installable as an app")

        # No network at all: the browser offline and the server gone.
        self.set_offline(True)
        self.site.stop()
        self.load()
        self.assertEqual(self.solve(), SOLVED)

        # The next version published: the page loaded now is still this version, the next
        # load is the new one, and this version's cache is gone.
        self.site.edit("sw.js", names[0], NEXT_CACHE)
        self.site.edit("index.html", "<head>", '<head>\n<meta name="coilcalc-test">')
        self.site.start()
        self.set_offline(False)
        self.load()
        self.assertNotIn('name="coilcalc-test"', self.browser.page_source)
        self.wait_for(f"return caches.keys().then(names => names.join() === '{NEXT_CACHE}')")
        self.load()
        self.assertIn('name="coilcalc-test"', self.browser.page_source)
        self.assertEqual(self.solve(), SOLVED)


class NarrowScreenTest(BrowserTest):
    SIZE, MOBILE = (360, 640), True

    def rects(self):
        return {int(r[0]): r[1:] for r in self.browser.execute_script(
            "return [...document.querySelectorAll('.client [data-control-id]')].map(e => {"
            "  const r = e.getBoundingClientRect();"
            "  return [e.dataset.controlId, r.left, r.top, r.right, r.bottom]; })")}

    def tap(self, control_id):
        left, top, right, bottom = self.rects()[control_id]
        point = {"x": (left + right) / 2, "y": (top + bottom) / 2}
        for kind, points in (("touchStart", [point]), ("touchEnd", [])):
            self.browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def test_every_control_on_the_screen_and_a_solve_by_touch(self):
        width, height, scroll_width = self.browser.execute_script(
            "return [innerWidth, innerHeight, document.documentElement.scrollWidth]")
        self.assertEqual((width, height, scroll_width), self.SIZE + (width,), "no sideways scrolling")
        rects = self.rects()
        self.assertEqual(len(rects), 25)
        self.assertEqual([i for i, (left, top, right, bottom) in rects.items()
                          if left < 0 or top < 0 or right > width or bottom > height], [])
        for control_id, text in SOLVE:
            self.tap(control_id)
            self.wait_for(f"return document.activeElement.dataset.controlId === '{control_id}'")
            self.browser.execute_script("document.activeElement.select()")
            self.browser.execute_cdp_cmd("Input.insertText", {"text": text})
        self.tap(SOLVE_BUTTON)
        self.wait_for(f"return {CONTROL}.value === arguments[1]", 2011, SOLVED[2011])
        self.assertEqual(self.results(), SOLVED)


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--site", required=True)
    parsed, rest = parser.parse_known_args()
    vars(OPTIONS).update(vars(parsed))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
