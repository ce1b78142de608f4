#!/usr/bin/env python3
"""coilcalc-cli --batch's progress line: shown on a terminal (a pseudo-terminal here), never on a pipe.

Usage: progress_test.py [EMULATOR...] COILCALC_CLI
"""
import os
import pty
import subprocess
import sys
import tempfile
import unittest

CLI = []  # the program, after the emulator that runs it in a cross build
REQUEST = b'{"unit":"in","mode":"inductance","fields":{"diameter":"1","height":"1","turns":"10"}}\n'
LINES = 50000


def run_batch(stdin, stderr_on_terminal):
    """Runs the batch with stdout to a file; returns (exit status, stdout, stderr bytes)."""
    with tempfile.TemporaryFile() as out:
        if not stderr_on_terminal:
            done = subprocess.run([*CLI, "--batch"], stdin=stdin, stdout=out,
                                  stderr=subprocess.PIPE, timeout=120)
            out.seek(0)
            return done.returncode, out.read(), done.stderr
        master, slave = pty.openpty()
        program = subprocess.Popen([*CLI, "--batch"], stdin=stdin, stdout=out, stderr=slave)
        os.close(slave)
        seen = b""
        while True:
            try:
                chunk = os.read(master, 4096)
            except OSError:  # the terminal's other end closed
                break
            if not chunk:
                break
            seen += chunk
        os.close(master)
        status = program.wait(timeout=120)
        out.seek(0)
        return status, out.read(), seen


class ProgressLine(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.requests = tempfile.NamedTemporaryFile()
        cls.requests.write(REQUEST * LINES)
        cls.requests.flush()
        with tempfile.TemporaryFile() as expected:
            with open(cls.requests.name, "rb") as stdin:
                subprocess.run([*CLI, "--batch"], stdin=stdin, stdout=expected, check=True)
            expected.seek(0)
            cls.answers = expected.read()

    @classmethod
    def tearDownClass(cls):
        cls.requests.close()

    def check_shown_and_cleared(self, seen):
        text = seen.decode()
        self.assertIn(" lines answered, ", text)
        self.assertIn(" lines/s", text)
        updates = [part for part in text.split("\r") if part.strip()]
        self.assertTrue(all(u.startswith("coilcalc-cli: ") for u in updates), updates)
        # Cleared at the end: the last thing written is a blank line, back at its start.
        self.assertTrue(text.endswith("\r"), repr(text[-80:]))
        self.assertEqual(text.split("\r")[-2].strip(), "", repr(text[-80:]))
        return updates

    def test_a_file_on_stdin_gives_a_percentage_and_the_time_left(self):
        with open(self.requests.name, "rb") as stdin:
            status, out, seen = run_batch(stdin, stderr_on_terminal=True)
        self.assertEqual(status, 0)
        self.assertEqual(out, self.answers)
        for update in self.check_shown_and_cleared(seen):
            self.assertRegex(update, r"^coilcalc-cli: [\d,]+ lines answered, [\d,]+ lines/s, "
                             r"\d+\.\d%, \d+ (s|min \d+ s) left *$")

    def test_a_pipe_on_stdin_gives_counts_only(self):
        feeder = subprocess.Popen(["cat", self.requests.name], stdout=subprocess.PIPE)
        status, out, seen = run_batch(feeder.stdout, stderr_on_terminal=True)
        feeder.stdout.close()
        feeder.wait()
        self.assertEqual(status, 0)
        self.assertEqual(out, self.answers)
        for update in self.check_shown_and_cleared(seen):
            self.assertRegex(update, r"^coilcalc-cli: [\d,]+ lines answered, [\d,]+ lines/s *$")

    def test_nothing_on_stderr_when_it_is_a_pipe(self):
        with open(self.requests.name, "rb") as stdin:
            status, out, err = run_batch(stdin, stderr_on_terminal=False)
        self.assertEqual((status, err), (0, b""))
        self.assertEqual(out, self.answers)


if __name__ == "__main__":
    CLI = sys.argv[1:]
    unittest.main(argv=sys.argv[:1])
