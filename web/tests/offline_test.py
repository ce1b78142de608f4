#!/usr/bin/python3
"""The page as an installed app in headless Chromium: offline after one visit, the next
version's files after an update, and the whole dialog on a 360 x 640 touch screen.

Usage: offline_test.py --site DIR [unittest args]
The site is copied first: the update test publishes a changed copy as the next version.
"""

import argparse
import functools
import http.server
import os
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
NEXT_VERSION = "coilcalc-next-version-of-the-test"
NEXT_MARK = '<meta name="coilcalc-test" content="next">'


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Site:
    """A copy of the site served on a fixed port of 127.0.0.1, stopped and started at will."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="coilcalc-site-")
        shutil.copytree(OPTIONS.site, self.root, dirs_exist_ok=True)
        self.server = None
        self.port = 0
        self.start()

    def start(self):
        handler = functools.partial(QuietHandler, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", self.port), handler)
        self.port = self.server.server_port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()

    def edit(self, name, old, new):
        path = os.path.join(self.root, name)
        with open(path, encoding="utf-8") as source:
            text = source.read()
        if old not in text:
            raise AssertionError(f"{old!r} not in {name}")
        with open(path, "w", encoding="utf-8") as target:
            target.write(text.replace(old, new, 1))

    def url(self):
        return f"http://127.0.0.1:{self.port}/"


def chromium(width, height, mobile=False):
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", f"--window-size={width},{height}"):
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + tempfile.mkdtemp(prefix="coilcalc-chromium-"))
    if mobile:
        options.add_experimental_option("mobileEmulation", {
            "deviceMetrics": {"width": width, "height": height, "pixelRatio": 2, "touch": True}})
    return webdriver.Chrome(options=options)


class Page:
    """The page in one browser, with the few things the tests do to it."""

    def __init__(self, browser):
        self.browser = browser

    def load(self, url):
        self.browser.get(url)
        self.wait_for("return document.documentElement.dataset.ready === 'true'")

    def wait_for(self, script, timeout=20):
        end = time.monotonic() + timeout
        while not self.browser.execute_script(script):
            if time.monotonic() > end:
                raise AssertionError("timed out waiting for: " + script)
            time.sleep(0.05)

    def text(self, control_id):
        return self.browser.execute_script(
            "return document.querySelector(`[data-control-id='${arguments[0]}']`).value", control_id)

    def cache_names(self):
        return self.browser.execute_async_script(
            "caches.keys().then(arguments[arguments.length - 1])")

    def kept_by_the_worker(self):
        """Waits until a service worker is active and its cache holds every file it keeps."""
        self.browser.set_script_timeout(30)
        return self.browser.execute_async_script("""
            const done = arguments[arguments.length - 1];
            navigator.serviceWorker.ready.then(async (registration) => {
              while (registration.active.state !== 'activated') await new Promise(r => setTimeout(r, 50));
              const names = await caches.keys();
              const cache = await caches.open(names[0]);
              done([names, (await cache.keys()).map(r => new URL(r.url).pathname)]);
            });""")


class OfflineTest(unittest.TestCase):
    def setUp(self):
        self.site = Site()
        self.browser = chromium(800, 600)
        self.page = Page(self.browser)

    def tearDown(self):
        self.browser.quit()
        self.site.stop()
        shutil.rmtree(self.site.root, ignore_errors=True)

    def solve(self):
        for control_id, text in SOLVE:
            self.browser.execute_script(
                "document.querySelector(`[data-control-id='${arguments[0]}']`).value = arguments[1]",
                control_id, text)
        self.browser.execute_script(
            "document.querySelector(`[data-control-id='${arguments[0]}']`).click()", SOLVE_BUTTON)
        return {control_id: self.page.text(control_id) for control_id in SOLVED}

    def test_offline_after_one_visit_then_the_next_version(self):
        self.page.load(self.site.url())
        names, kept = self.page.kept_by_the_worker()
        self.assertEqual(len(names), 1)
        self.assertRegex(names[0], r"^coilcalc-\d+\.\d+\.\d+-[0-9a-f]{12}$")
        for name in ("/", "/index.html", "/coilcalc-engine.wasm", "/coilcalc-engine.js",
                     "/sketch.png", "/manifest.webmanifest"):
            self.assertIn(name, kept)
        errors = self.browser.execute_cdp_cmd("Page.getInstallabilityErrors", {})
        self.assertEqual(errors["installabilityErrors"], [], "the page can be installed as an app")

        # No network at all: the browser offline and the server gone.
        self.browser.set_network_conditions(offline=True, latency=0, download_throughput=-1,
                                            upload_throughput=-1)
        self.site.stop()
        self.page.load(self.site.url())
        self.assertEqual(self.solve(), SOLVED)

        # The next version is published: the page open now keeps its files, the next load has
        # the new ones, and the old version's cache is gone.
        self.site.edit("sw.js", names[0], NEXT_VERSION)
        self.site.edit("index.html", "<head>", "<head>\n" + NEXT_MARK)
        self.site.start()
        self.browser.set_network_conditions(offline=False, latency=0, download_throughput=-1,
                                            upload_throughput=-1)
        self.page.load(self.site.url())
        self.assertNotIn(NEXT_MARK, self.browser.page_source)
        self.page.wait_for(f"return caches.keys().then(k => k.join() === '{NEXT_VERSION}')")
        self.page.load(self.site.url())
        self.assertIn('name="coilcalc-test"', self.browser.page_source)
        self.assertEqual(self.solve(), SOLVED)


class NarrowScreenTest(unittest.TestCase):
    WIDTH, HEIGHT = 360, 640

    @classmethod
    def setUpClass(cls):
        cls.site = Site()
        cls.browser = chromium(cls.WIDTH, cls.HEIGHT, mobile=True)
        cls.page = Page(cls.browser)
        cls.page.load(cls.site.url())

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()
        cls.site.stop()
        shutil.rmtree(cls.site.root, ignore_errors=True)

    def rects(self):
        return self.browser.execute_script(
            "return [...document.querySelectorAll('.client [data-control-id]')].map(e => {"
            "  const r = e.getBoundingClientRect();"
            "  return [Number(e.dataset.controlId), r.left, r.top, r.right, r.bottom]; })")

    def tap(self, control_id):
        """A finger's tap on the middle of the control."""
        left, top, right, bottom = next(r[1:] for r in self.rects() if r[0] == control_id)
        point = {"x": (left + right) / 2, "y": (top + bottom) / 2}
        self.browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchStart", "touchPoints": [point]})
        self.browser.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})

    def test_every_control_is_on_the_screen(self):
        width, height, scroll_width = self.browser.execute_script(
            "return [innerWidth, innerHeight, document.documentElement.scrollWidth]")
        self.assertEqual((width, height), (self.WIDTH, self.HEIGHT))
        self.assertLessEqual(scroll_width, width, "no sideways scrolling")
        rects = self.rects()
        self.assertEqual(len(rects), 25)
        outside = [r[0] for r in rects if r[1] < 0 or r[2] < 0 or r[3] > width or r[4] > height]
        self.assertEqual(outside, [])

    def test_a_solve_by_touch(self):
        for control_id, text in SOLVE:
            self.tap(control_id)
            self.page.wait_for(f"return document.activeElement.dataset.controlId === '{control_id}'")
            self.browser.execute_script("document.activeElement.select()")
            self.browser.execute_cdp_cmd("Input.insertText", {"text": text})
        self.tap(SOLVE_BUTTON)
        self.page.wait_for(f"return document.querySelector(\"[data-control-id='2011']\").value === '{SOLVED[2011]}'")
        self.assertEqual({i: self.page.text(i) for i in SOLVED}, SOLVED)


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--site", required=True)
    parsed, rest = parser.parse_known_args()
    vars(OPTIONS).update(vars(parsed))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
