#!/usr/bin/python3
"""The page in a real browser: headless Chromium driven by Selenium against the served site.

Usage: browser_test.py --site DIR --cli NATIVE_CLI [--artifacts DIR] [--storm ACTIONS] [--seed N]
                       [unittest args]
"""

import argparse
import functools
import json
import http.server
import os
import random
import subprocess
import sys
import tempfile
import threading
import time
import unittest

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import expected_texts

OPTIONS = argparse.Namespace(site=None, cli=None, artifacts=None, storm=200, seed=1)
MESSAGES = expected_texts.messages()
ABOUT, HELP, NO_HELP = expected_texts.help_texts()
CREAM = "rgb(255, 245, 210)"
RESULT_IDS = expected_texts.RESULT_IDS
ONE_INCH = expected_texts.COILS["OneByOneInchTenTurns"]
START_TEXTS = {2011: "", 2004: "uH", 2003: "", 2005: "Wire Length: ",
               2006: "Maximum wire size (AWG):", 2007: "Stray Capacitance:",
               2008: "Self-resonant at approximately:", 2051: " inches", 2053: " inches",
               2200: "mm", 2201: "inches", 2009: "Units of Length", 2100: "Quit!",
               2204: "Solve for Inductance", 2205: "Solve for # of turns", 2010: "Winding Data"}

SERVER = None
BROWSER = None


def setUpModule():
    global SERVER, BROWSER
    handler = functools.partial(QuietHandler, directory=OPTIONS.site)
    SERVER = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=SERVER.serve_forever, daemon=True).start()
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--window-size=800,600"):
        options.add_argument(flag)
    options.add_argument("--user-data-dir=" + tempfile.mkdtemp(prefix="coilcalc-chromium-"))
    BROWSER = webdriver.Chrome(options=options)


def tearDownModule():
    if BROWSER:
        BROWSER.quit()
    if SERVER:
        SERVER.shutdown()


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class PageTest(unittest.TestCase):
    def setUp(self):
        BROWSER.get(f"http://127.0.0.1:{SERVER.server_port}/")
        self.wait_for("return document.documentElement.dataset.ready === 'true'")
        BROWSER.get_log("browser")  # start each test with an empty console

    def tearDown(self):
        errors = [entry for entry in BROWSER.get_log("browser") if entry["level"] == "SEVERE"]
        self.assertEqual(errors, [])

    # --- helpers -----------------------------------------------------------------------------

    def wait_for(self, script, timeout=10):
        end = time.monotonic() + timeout
        while not BROWSER.execute_script(script):
            if time.monotonic() > end:
                self.fail("timed out waiting for: " + script)
            time.sleep(0.02)

    def control(self, control_id):
        return BROWSER.find_element(By.CSS_SELECTOR, f'[data-control-id="{control_id}"]')

    def text(self, control_id):
        return BROWSER.execute_script(
            "const e = document.querySelector(`[data-control-id='${arguments[0]}']`);"
            "return e instanceof HTMLInputElement ? e.value : e.textContent;", control_id)

    def enter(self, texts):
        for control_id, text in texts.items():
            field = self.control(control_id)
            field.clear()
            field.send_keys(text)

    def box(self):
        """(caption, text) of the open message box, or None; the text with CR LF line ends."""
        return BROWSER.execute_script(
            "const b = document.querySelector('[role=alertdialog]');"
            "if (!b) return null;"
            "const name = document.getElementById(b.getAttribute('aria-labelledby')).textContent;"
            "const text = document.getElementById(b.getAttribute('aria-describedby')).textContent;"
            "return [name, text.replace(/\\n/g, '\\r\\n')];")

    def close_box(self, key=Keys.ENTER):
        BROWSER.switch_to.active_element.send_keys(key)
        self.wait_for("return !document.querySelector('[role=alertdialog]')")

    def focused_id(self):
        return BROWSER.execute_script(
            "const e = document.activeElement.closest('[data-control-id]');"
            "return e ? Number(e.dataset.controlId) : null;")

    def shown(self):
        return BROWSER.execute_script("return window.coilcalcShown")

    def messages_of(self, clicked_id):
        """Clicks a button and closes each message box it shows; returns (caption, text) list."""
        self.control(clicked_id).click()
        seen = []
        while (box := self.box()) is not None:
            seen.append(tuple(box))
            self.assertEqual(self.focused_id(), None, "focus must be in the message box")
            self.close_box()
        return seen

    # --- the dialog --------------------------------------------------------------------------

    def test_layout_texts_and_colours(self):
        ids = BROWSER.execute_script(
            "return [...document.querySelectorAll('.client [data-control-id]')]"
            ".map(e => Number(e.dataset.controlId))")
        self.assertEqual(len(ids), 25)
        for control_id, text in START_TEXTS.items():
            with self.subTest(id=control_id):
                self.assertEqual(self.text(control_id), text)
        # Dialog units at 6 x 13 pixels per 4 x 8: (x, y, w, h) in units, against the page.
        for control_id, x, y, w, h in ((2001, 70, 50, 50, 12), (2205, 125, 128, 75, 15),
                                       (2008, 20, 188, 150, 12), (2202, 250, 35, 95, 160)):
            with self.subTest(id=control_id):
                box = BROWSER.execute_script(
                    "const c = document.querySelector('.client').getBoundingClientRect();"
                    "const r = arguments[0].getBoundingClientRect();"
                    "return [r.left - c.left, r.top - c.top, r.width, r.height];",
                    self.control(control_id))
                expected = [round(x * 1.5), round(y * 1.625), round((x + w) * 1.5) - round(x * 1.5),
                            round((y + h) * 1.625) - round(y * 1.625)]
                self.assertEqual([round(v) for v in box], expected)
        colour = "return getComputedStyle(arguments[0]).backgroundColor"
        self.assertEqual(BROWSER.execute_script(colour, self.control(2050)), CREAM)
        self.assertEqual(BROWSER.execute_script(colour, self.control(2001)), "rgb(255, 255, 255)")
        self.assertTrue(self.control(2201).find_element(By.TAG_NAME, "input").is_selected())
        self.assertFalse(self.control(2200).find_element(By.TAG_NAME, "input").is_selected())
        self.assertEqual(BROWSER.execute_script(
            "return document.getElementById(arguments[0].htmlFor).dataset.controlId",
            self.control(2057)), "2011")

    def test_solves_of_the_shared_coils(self):
        cases = [  # unit option, solve button, entries, the seven texts afterwards
            (2200 if coil["unit"] == "mm" else 2201, 2205 if coil["mode"] == "turns" else 2204,
             {expected_texts.FIELD_IDS[name]: text for name, text in coil["entries"].items()},
             coil["results"]) for coil in expected_texts.COILS.values()]
        cases.append((2201, 2205, {2001: "2", 2002: "1", 2011: "2.5uH", 2004: "UH"},
                      ["2.5uH", "UH", " 6.51"]))
        for unit, button, entries, texts in cases:
            with self.subTest(entries=entries):
                self.control(unit).click()
                self.enter(entries)
                self.control(button).click()
                self.assertIsNone(self.box())
                self.assertEqual([self.text(i) for i in RESULT_IDS[:len(texts)]], texts)
        self.assertLess(BROWSER.execute_script("return window.coilcalcTimings.lastSolve"), 50)

    def test_messages(self):
        cases = [  # button, entries, the boxes in order
            (2204, {2001: "", 2002: "1"}, ["BAD_DIMENSIONS"]),
            (2205, {2001: "10.01", 2002: "1"}, ["TOO_FLAT"]),
            (2204, {2001: "1", 2002: "10.01"}, ["TOO_LONG"]),
            (2204, {2001: "1", 2002: "1", 2003: "16385"}, ["TOO_MANY_TURNS"]),
            (2205, {2001: "1", 2002: "1", 2011: "65536.5"}, ["INDUCTANCE_TOO_LARGE"]),
            (2205, {2001: "1", 2002: "1", 2011: "0"}, ["NO_SOLUTION"]),
        ]
        for button, entries, names in cases:
            with self.subTest(names=names):
                self.enter(entries)
                before = [self.text(i) for i in RESULT_IDS]
                self.assertEqual(self.messages_of(button), [MESSAGES[n] for n in names])
                self.assertEqual(self.focused_id(), button, "focus returns to the button")
                self.assertEqual([self.text(i) for i in RESULT_IDS], before)

    def test_minimum_turns_message_comes_before_the_2(self):
        self.enter({2001: "1", 2002: "1", 2003: "1"})
        self.control(2204).click()
        self.assertEqual(self.box(), list(MESSAGES["TOO_FEW_TURNS"]))
        self.assertEqual(self.text(2003), "1", "nothing is written while the box is open")
        self.assertTrue(BROWSER.execute_script("return document.querySelector('.dialog').inert"))
        BROWSER.switch_to.active_element.send_keys(Keys.TAB)  # focus stays in the box
        self.assertIsNotNone(self.box())
        self.close_box(Keys.ESCAPE)
        shown = self.shown()
        self.assertEqual(shown[0][0], "message")
        self.assertEqual(shown[1], ["set", 2003, "2"])
        self.assertEqual(self.text(2003), " 2")
        self.assertEqual(self.text(2006), "Maximum wire size:  0  AWG")
        self.control(2204).click()  # the hook holds the last action only: the list never grows
        self.assertEqual([entry[0] for entry in self.shown()], ["set"] * len(self.shown()))
        self.assertEqual(self.shown()[-1], ["set", 2008, self.text(2008)])

    def test_unit_switch_both_ways(self):
        self.enter({2001: "10", 2002: "20", 2003: "10"})
        self.control(2204).click()
        for option, label in ((2200, " mm"), (2200, " mm"), (2201, " inches")):
            with self.subTest(option=option):
                self.control(option).click()
                self.assertEqual([self.text(2051), self.text(2053)], [label, label])
                self.assertEqual([self.text(i) for i in (2005, 2006, 2007, 2008)],
                                 ["Wire Length: ", "Maximum wire size (AWG):",
                                  "Stray Capacitance:  ", "Self-resonant at approximately:  "])
                self.assertEqual([self.text(i) for i in (2001, 2002, 2003, 2004)],
                                 ["10", "20", " 10", "uH"])

    def test_about_and_help(self):
        self.assertEqual(self.messages_of(2203), [("About this program", ABOUT)])
        for control_id in list(HELP) + NO_HELP:
            with self.subTest(id=control_id):
                BROWSER.find_element(By.CSS_SELECTOR, ".titlebar .help").click()
                target = self.control(control_id)
                if target.tag_name == "fieldset":  # a group box is reached by its caption
                    target = target.find_element(By.TAG_NAME, "legend")
                target.click()
                expected = [("What's This?", HELP[control_id])] if control_id in HELP else []
                seen = []
                while (box := self.box()) is not None:
                    seen.append(tuple(box))
                    self.close_box()
                self.assertEqual(seen, expected)
                self.assertEqual(self.text(2051), " inches", "help clicks act on nothing")
        for control_id in (2001, 2003, 2011, 2204):  # F1 on the focused control
            with self.subTest(f1=control_id):
                BROWSER.execute_script("arguments[0].focus()", self.control(control_id))
                BROWSER.switch_to.active_element.send_keys(Keys.F1)
                box = self.box()
                self.assertEqual(box and tuple(box),
                                 ("What's This?", HELP[control_id]) if control_id in HELP else None)
                if box:
                    self.close_box()

    def test_keyboard_alone(self):
        self.assertEqual(self.focused_id(), 2201)
        order = [self.focused_id()]
        for _ in range(7):
            BROWSER.switch_to.active_element.send_keys(Keys.TAB)
            order.append(self.focused_id())
        self.assertEqual(order, [2201, 2204, 2205, 2001, 2002, 2003, 2011, 2201])
        BROWSER.switch_to.active_element.send_keys(Keys.ESCAPE)  # the dialog ignores Escape
        self.assertIsNone(self.box())
        self.assertTrue(BROWSER.execute_script("return document.querySelector('.dialog') !== null"))
        # A solve typed and pressed from the keyboard, the unit chosen with the arrow keys.
        active = BROWSER.switch_to.active_element
        active.send_keys(Keys.ARROW_LEFT)  # inches -> mm
        self.assertEqual(self.text(2051), " mm")
        for _ in range(3):
            BROWSER.switch_to.active_element.send_keys(Keys.TAB)
        BROWSER.switch_to.active_element.send_keys("25.4" + Keys.TAB + "25.4" + Keys.TAB + "10")
        BROWSER.switch_to.active_element.send_keys(Keys.SHIFT + Keys.TAB)
        for _ in range(3):
            BROWSER.switch_to.active_element.send_keys(Keys.SHIFT + Keys.TAB)
        self.assertEqual(self.focused_id(), 2204)
        BROWSER.switch_to.active_element.send_keys(Keys.ENTER)
        self.assertEqual(self.text(2005), "Wire Length:  877.76  mm")
        # The combo box and About have no tab stop: Alt+U and Alt+A reach them.
        ActionChains(BROWSER).key_down(Keys.ALT).send_keys("u").key_up(Keys.ALT).perform()
        self.assertEqual(self.focused_id(), 2004)
        BROWSER.switch_to.active_element.send_keys(Keys.ARROW_DOWN)
        self.assertEqual(self.text(2004), "mH")
        ActionChains(BROWSER).key_down(Keys.ALT).send_keys("a").key_up(Keys.ALT).perform()
        self.assertEqual(self.box(), ["About this program", ABOUT])
        self.close_box(Keys.ESCAPE)

    def set_frequency(self, text):
        field = BROWSER.find_element(By.ID, "physics-frequency")
        field.clear()
        field.send_keys(text + Keys.ENTER)

    def set_base_height(self, text):
        field = BROWSER.find_element(By.ID, "physics-base-height")
        field.clear()
        field.send_keys(text + Keys.ENTER)

    def test_physics_check_of_the_last_completed_solve(self):
        """Each line of the panel has the words of the command line's --reference for the same
        coil, which one formatter words for both; a stopped solve leaves the panel as it was.
        The frequency field works the panel out again for the last completed solve."""
        panel = ("return [...document.querySelectorAll('.physics p.wire, .physics tr')].map(r => "
                 "r.children.length ? [...r.children].map(c => c.textContent) : [r.textContent])")
        before = BROWSER.execute_script(panel)
        ActionChains(BROWSER).key_down(Keys.ALT).send_keys("f").key_up(Keys.ALT).perform()
        self.assertEqual(BROWSER.switch_to.active_element.get_attribute("id"), "physics-frequency")
        self.set_frequency("7.1MHz")  # no solve yet: nothing to show at a frequency
        self.assertEqual(BROWSER.execute_script(panel), before)
        self.set_frequency("")
        one_inch = "--diameter 1 --height 1 --turns 10"
        cases = [  # entries, button, frequency field (None: as it is), the same coil for the
            # command line (None: a stopped solve)
            ({2001: "1", 2002: "1", 2003: "10"}, 2204, None, one_inch),
            ({2003: "16385"}, 2204, None, None),
            ({2011: "2.022838", 2004: "uH"}, 2205, None,
             "--mode turns --diameter 1 --height 1 --inductance 2.022838"),
            # No gauge fits so fine a pitch: the panel says why, as the command line does.
            ({2001: "1e-44", 2002: "1e-44", 2003: "16384"}, 2204, None,
             "--diameter 1e-44 --height 1e-44 --turns 16384"),
            ({2001: "1", 2002: "1", 2003: "10"}, 2204, "7.1MHz", one_inch + " --frequency 7.1MHz"),
            ({}, None, "455 kHz", one_inch + " --frequency 455kHz"),
            ({2003: "20"}, 2204, None, "--diameter 1 --height 1 --turns 20 --frequency 455kHz"),
            # A turns solve stopped by its message: the panel stays with the inductance solve's
            # coil, whole, at the next frequency too (no row of turns for the wanted inductance).
            ({2011: "0"}, 2205, None, None),
            ({}, None, "300MHz", "--diameter 1 --height 1 --turns 20 --frequency 300MHz"),
            ({}, None, "", "--diameter 1 --height 1 --turns 20"),
        ]
        for entries, button, frequency, arguments in cases:
            with self.subTest(entries=entries, frequency=frequency):
                self.enter(entries)
                if frequency is not None:
                    self.set_frequency(frequency)
                if button:
                    self.messages_of(button)
                if arguments:
                    run = subprocess.run([OPTIONS.cli, "--reference", *arguments.split()],
                                         capture_output=True, text=True, check=False)
                    # After the six lines of the dialog's texts; or why there is none.
                    expected = [line.split() for line in run.stdout.splitlines()[6:]] or [
                        ("No reference for this coil: " + run.stderr.strip().removeprefix("Reference: ")
                         + ".").split()]
                shown = BROWSER.execute_script(panel)
                self.assertEqual([" ".join(line).split() for line in shown], expected)
                self.assertEqual({len(row) for row in shown[1:]} - {4}, set(), "a label, three cells")
        # A frequency that cannot be read: the command line's words (an empty field is none).
        for text, error in expected_texts.FREQUENCY_ERRORS:
            if text:
                with self.subTest(frequency=text):
                    self.set_frequency(text)
                    self.assertEqual(BROWSER.execute_script(panel),
                                     [["No reference at this frequency: " + error + "."]])
        # The base height field grounds the coil's lower end: the command line's rows and words.
        self.set_frequency("")
        coil = "--diameter 1 --height 1 --turns 20"
        for text, arguments in [("0.25", coil + " --base-height 0.25"),
                                ("1005", coil + " --base-height 1005"), ("", coil)]:
            with self.subTest(base_height=text):
                self.set_base_height(text)
                run = subprocess.run([OPTIONS.cli, "--reference", *arguments.split()],
                                     capture_output=True, text=True, check=False)
                expected = [line.split() for line in run.stdout.splitlines()[6:]] or [
                    ("No reference for this coil: " + run.stderr.strip().removeprefix("Reference: ")
                     + ".").split()]
                shown = BROWSER.execute_script(panel)
                self.assertEqual([" ".join(line).split() for line in shown], expected)
        for text, error in expected_texts.BASE_HEIGHT_ERRORS:
            with self.subTest(base_height=text):
                self.set_base_height(text)
                self.assertEqual(BROWSER.execute_script(panel),
                                 [["No reference at this base height: " + error + "."]])
        self.set_base_height("")

    def test_sweep_plot_and_its_files(self):
        """After a solve with a frequency, the plot of the coil over a band from a tenth of the
        lower of the frequency and the self-resonance to twice the higher, |Z| peaking at the
        mark of the self-resonance; its two downloads are the command line's files, byte for
        byte; on a 360-pixel phone it fits the screen."""
        plot = ("const f = document.querySelector('figure.sweep');"
                "if (f.hidden) return null;"
                "const pts = (c) => f.querySelector('polyline.' + c).getAttribute('points')"
                "  .split(' ').map((p) => p.split(',').map(Number));"
                "const mark = (c) => Number(f.querySelector('line.mark.' + c).getAttribute('x1'));"
                "return {band: f.dataset.band, z: pts('z'), r: pts('r'), q: pts('q'),"
                "  working: mark('working'), resonance: mark('resonance'),"
                "  width: f.querySelector('svg').getBoundingClientRect().width};")
        self.set_frequency("")
        self.enter({2001: "1", 2002: "1", 2003: "10"})
        self.messages_of(2204)
        self.assertIsNone(BROWSER.execute_script(plot), "no frequency, no plot")
        cases = [("7.1MHz", "--diameter 1 --height 1 --turns 10"),
                 ("455kHz", "--unit mm --diameter 76.2 --height 254 --turns 240")]
        for frequency, coil in cases:
            with self.subTest(coil=coil):
                if "--unit mm" in coil:
                    self.control(2200).click()
                    self.enter({2001: "76.2", 2002: "254", 2003: "240"})
                    self.messages_of(2204)
                self.set_frequency(frequency)
                shown = BROWSER.execute_script(plot)
                self.assertIsNotNone(shown)
                reference = json.loads(subprocess.run(
                    [OPTIONS.cli, *coil.split(), "--frequency", frequency, "--json"],
                    capture_output=True, check=True).stdout)["reference"]
                f0 = reference["self_resonance_MHz"] * 1e6
                low, high = (float(end.removesuffix("Hz")) for end in shown["band"].split(":"))
                working = reference["frequency_Hz"]
                self.assertTrue(0.9 * min(working, f0) / 10 <= low <= min(working, f0) / 10)
                self.assertTrue(2 * max(working, f0) <= high <= 1.1 * 2 * max(working, f0))
                self.assertEqual(len(shown["z"]), 201)
                peak = max(shown["z"], key=lambda point: -point[1])  # highest on screen
                self.assertLess(abs(peak[0] - shown["resonance"]), 2.5)
                self.assertLess(shown["working"], shown["resonance"])
                for kind, option in (("touchstone", "--touchstone"), ("spice", "--spice")):
                    downloaded = BROWSER.execute_async_script(
                        "const done = arguments[1];"
                        "fetch(document.querySelector('figure.sweep a.' + arguments[0]).href)"
                        ".then((r) => r.text()).then(done);", kind)
                    cli = subprocess.run(
                        [OPTIONS.cli, *coil.split(), "--frequency", frequency, "--sweep",
                         shown["band"], option], capture_output=True, text=True, check=True)
                    self.assertEqual(downloaded, cli.stdout, kind)
        BROWSER.set_window_size(360, 740)
        try:
            self.set_frequency("7.1MHz")
            shown = BROWSER.execute_script(plot)
            self.assertLessEqual(shown["width"], 340)
            self.assertLessEqual(BROWSER.execute_script(
                "return document.documentElement.scrollWidth"), 360)
        finally:
            BROWSER.set_window_size(800, 600)

    def design_rows(self):
        return BROWSER.execute_script(
            "return [...document.querySelectorAll('.design tr')].map(r => "
            "[...r.children].map(c => c.textContent).join(' ').split(/\\s+/).filter(Boolean))")

    def test_design_from_the_keyboard_then_a_coil_into_the_dialog(self):
        """The design panel typed and run from the keyboard gives the command line's table for
        the same design; a row's button solves its coil in the dialog, and the physics check
        then shows the command line's reference of that coil, wire and frequency."""
        ActionChains(BROWSER).key_down(Keys.ALT).send_keys("g").key_up(Keys.ALT).perform()
        self.assertEqual(BROWSER.switch_to.active_element.get_attribute("id"), "design-inductance")
        BROWSER.switch_to.active_element.send_keys(
            "2.2uH" + Keys.TAB + "7.1MHz" + Keys.TAB + "15:40" + Keys.TAB + "60" + Keys.TAB + "14:20")
        self.assertEqual(BROWSER.switch_to.active_element.get_attribute("id"), "design-wire-gauges")
        for _ in range(5):  # back to the unit, past the dialog's own Tab
            BROWSER.switch_to.active_element.send_keys(Keys.SHIFT + Keys.TAB)
        self.assertEqual(BROWSER.switch_to.active_element.get_attribute("id"), "design-unit")
        BROWSER.switch_to.active_element.send_keys("m")  # millimetres
        BROWSER.switch_to.active_element.send_keys(Keys.TAB + Keys.ENTER)
        self.wait_for("return !document.querySelector('.design table').hidden")
        options = ["--unit", "mm", "--inductance", "2.2uH", "--frequency", "7.1MHz", "--diameter",
                   "15:40", "--height-max", "60", "--wire-gauges", "14:20"]
        run = subprocess.run([OPTIONS.cli, "--design", *options], capture_output=True, text=True,
                             check=True)
        table = [line.split() for line in run.stdout.splitlines()[1:]]
        rows = self.design_rows()
        # The command line's heading and rows; the page's rows end in their button.
        self.assertEqual(rows, table[:1] + [line + ["Use"] for line in table[1:]])
        # The first coil into the dialog, by keyboard: the row's button, then Enter.
        button = BROWSER.find_element(By.CSS_SELECTOR, ".design td button")
        button.send_keys(Keys.ENTER)
        self.wait_for("return document.querySelector('.physics table').hidden === false")
        diameter, height, turns = table[1][0:3]
        gauge = table[1][4]
        self.assertEqual([self.text(2001), self.text(2002), self.text(2003).strip()],
                         [diameter, height, turns])
        self.assertEqual(self.text(2051), " mm")
        run = subprocess.run([OPTIONS.cli, "--unit", "mm", "--diameter", diameter, "--height",
                              height, "--turns", turns, "--wire-gauge", gauge, "--frequency",
                              "7.1MHz"], capture_output=True, text=True, check=True)
        panel = BROWSER.execute_script(
            "return [...document.querySelectorAll('.physics p.wire, .physics tr')].map(r => "
            "r.children.length ? [...r.children].map(c => c.textContent) : [r.textContent])")
        self.assertEqual([" ".join(line).split() for line in panel],
                         [line.split() for line in run.stdout.splitlines()[6:]])

    def test_design_errors_are_the_command_lines(self):
        cases = [  # inductance, diameter, height_max, wire_gauges
            ("2.2", "25", "", ""),
            ("1mH", "10", "5", "10:12"),
            ("2.2uH", "40:15", "", ""),
        ]
        for inductance, diameter, height, gauges in cases:
            with self.subTest(inductance=inductance, diameter=diameter):
                for name, text in [("inductance", inductance), ("frequency", "100kHz"),
                                   ("diameter", diameter), ("height_max", height),
                                   ("wire_gauges", gauges)]:
                    field = BROWSER.find_element(By.NAME, name)
                    field.clear()
                    field.send_keys(text)
                BROWSER.find_element(By.NAME, "wire_gauges").send_keys(Keys.ENTER)
                self.wait_for("return !document.querySelector('.design-error').hidden")
                arguments = ["--design", "--unit", "in", "--inductance", inductance, "--frequency",
                             "100kHz", "--diameter", diameter]
                arguments += ["--height-max", height] if height else []
                arguments += ["--wire-gauges", gauges] if gauges else []
                run = subprocess.run([OPTIONS.cli, *arguments], capture_output=True, text=True,
                                     check=False)
                shown = BROWSER.find_element(By.CSS_SELECTOR, ".design-error").text
                self.assertEqual(shown, run.stderr.strip().removeprefix("coilcalc-cli --design: "))
                self.assertTrue(BROWSER.execute_script(
                    "return document.querySelector('.design table').hidden"))

    def test_quit_ends_the_dialog(self):
        self.control(2100).click()
        self.assertTrue(BROWSER.execute_script(
            "return document.documentElement.dataset.ended === 'true' && !document.querySelector('.dialog')"))

    def test_storm_then_a_known_solve(self):
        rng = random.Random(OPTIONS.seed)
        clickable = [2200, 2201, 2204, 2205, 2203, 2001, 2002, 2003, 2011, 2004, 2005, 2050, 2202, 2012]
        texts = ["1", "0", "-3", "10", "10.01", "1e40", "&HFFFF", "abc", "65536.5", "2.5uH", "", " "]
        keys = [Keys.TAB, Keys.SHIFT + Keys.TAB, Keys.ENTER, Keys.ESCAPE, Keys.F1, Keys.SPACE,
                Keys.ARROW_DOWN, Keys.ARROW_UP, Keys.ALT + Keys.ARROW_DOWN]
        for step in range(OPTIONS.storm):
            action = rng.random()
            try:
                if self.box() is not None:
                    BROWSER.switch_to.active_element.send_keys(rng.choice([Keys.ENTER, Keys.ESCAPE, "x", Keys.TAB]))
                elif action < 0.4:
                    self.control(rng.choice(clickable)).click()
                elif action < 0.5:
                    BROWSER.find_element(By.CSS_SELECTOR, ".titlebar .help").click()
                elif action < 0.75:
                    field = self.control(rng.choice([2001, 2002, 2003, 2011, 2004]))
                    field.clear()
                    field.send_keys(rng.choice(texts))
                else:
                    BROWSER.switch_to.active_element.send_keys(rng.choice(keys))
            except WebDriverException as error:
                # A click may land on a control that the open drop-down list covers.
                if "intercepted" not in str(error):
                    raise AssertionError(f"storm seed {OPTIONS.seed}, step {step}: {error}")
            boxes = BROWSER.execute_script("return document.querySelectorAll('[role=alertdialog]').length")
            self.assertLessEqual(boxes, 1, f"storm seed {OPTIONS.seed}, step {step}")
            self.assertTrue(BROWSER.execute_script("return document.querySelector('.dialog') !== null"))
        while self.box() is not None:
            self.close_box()
        BROWSER.execute_script("document.activeElement.blur()")
        self.control(2201).click()
        self.enter({2001: "1", 2002: "1", 2003: "10"})
        self.control(2204).click()
        self.assertEqual([self.text(i) for i in RESULT_IDS], ONE_INCH["results"])

    def test_screenshot_and_measurements(self):
        self.set_frequency("7.1MHz")  # the solve's time with the most rows in the panel
        self.enter({2001: "1", 2002: "1", 2003: "10"})
        self.control(2204).click()
        timings = BROWSER.execute_script("return window.coilcalcTimings")
        site = sum(os.path.getsize(os.path.join(folder, f))
                   for folder, _, files in os.walk(OPTIONS.site) for f in files)
        # A design over a range of diameters and 15 gauges, any height.
        for name, text in [("inductance", "2.2uH"), ("frequency", "7.1MHz"),
                           ("diameter", "0.6:1.6"), ("wire_gauges", "14:28")]:
            BROWSER.find_element(By.NAME, name).send_keys(text)
        BROWSER.find_element(By.CSS_SELECTOR, ".design button[type=submit]").click()
        self.wait_for("return !document.querySelector('.design table').hidden")
        timings = BROWSER.execute_script("return window.coilcalcTimings")
        print(f"\nsite {site} bytes; dialog usable {timings['dialogReady']:.0f} ms after navigation;"
              f" click to last result {timings['lastSolve']:.2f} ms;"
              f" a design of 15 gauges {timings['lastDesign']:.0f} ms", file=sys.stderr)
        print(f"sweep plot drawn in {timings['lastPlot']:.2f} ms", file=sys.stderr)
        if OPTIONS.artifacts:
            os.makedirs(OPTIONS.artifacts, exist_ok=True)
            BROWSER.find_element(By.CSS_SELECTOR, ".dialog").screenshot(
                os.path.join(OPTIONS.artifacts, "web-screenshot.png"))
            BROWSER.find_element(By.CSS_SELECTOR, "figure.sweep").screenshot(
                os.path.join(OPTIONS.artifacts, "sweep-plot.png"))
        self.assertLessEqual(site, 300 * 1024)


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("--site", required=True)
    parser.add_argument("--cli", required=True, help="the native coilcalc-cli")
    parser.add_argument("--artifacts")
    parser.add_argument("--storm", type=int, default=200)
    parser.add_argument("--seed", type=int, default=int(os.environ.get("COILCALC_STORM_SEED", 1)))
    parsed, rest = parser.parse_known_args()
    vars(OPTIONS).update(vars(parsed))
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
