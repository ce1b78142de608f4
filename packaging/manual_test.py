#!/usr/bin/python3
"""The manual page of coilcalc-cli against the program: groff finds nothing to warn about,
every option that --help lists is described, and the first example shows what the program
really prints.

Usage: manual_test.py GROFF MANUAL.1 [EMULATOR...] COILCALC-CLI
"""

import re
import subprocess
import sys
import unittest

GROFF, MANUAL = sys.argv[1:3]
PROGRAM = sys.argv[3:]  # the program, after the emulator that runs it in a cross build


def run(*command, stdin=None):
    return subprocess.run(command, input=stdin, capture_output=True, text=True, check=False)


class ManualTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(MANUAL, encoding="utf-8") as source:
            cls.roff = source.read()
        rendered = run(GROFF, "-man", "-Tutf8", "-P-cbou", MANUAL)
        cls.text = rendered.stdout

    def test_groff_is_silent(self):
        checked = run(GROFF, "-ww", "-z", "-man", MANUAL)
        self.assertEqual((checked.returncode, checked.stderr), (0, ""))

    def test_every_option_of_help_is_described(self):
        listed = set(re.findall(r"(?<![\w-])(--?[a-z][\w-]*)", run(*PROGRAM, "--help").stdout))
        self.assertIn("--wire-diameter", listed)  # the help text was read
        # An option is described where it opens a line of the OPTIONS section.
        options = self.text.split("\nOPTIONS\n", 1)[1].split("\nBATCH FORMAT\n", 1)[0]
        described = set(re.findall(r"^ {7}(-[\w-]+)(?:, (--[\w-]+))?", options, re.M))
        described = {name for pair in described for name in pair if name}
        self.assertEqual(sorted(listed - described), [])
        self.assertEqual(sorted(described - listed), [], "described but not in --help")

    def test_first_example_is_the_programs_output(self):
        example = self.text.split("\nEXAMPLES\n", 1)[1]
        lines = [line.strip() for line in example.splitlines()]
        command = next(i for i, line in enumerate(lines) if line.startswith("$ coilcalc-cli"))
        printed = lines[command + 1:lines.index("", command)]
        arguments = lines[command].split()[2:]
        answer = run(*PROGRAM, *arguments).stdout.splitlines()
        self.assertEqual(printed, [line.strip() for line in answer])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
