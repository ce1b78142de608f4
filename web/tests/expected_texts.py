"""The texts the browser tests expect, read from the C++ tests' own headers of expected texts
(tests/expected_messages.h, tests/help/expected_texts.h), so that both kinds of test check
against one written-out copy."""

import os
import re

TESTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests")
LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def _unescape(text):
    return re.sub(r"\\(.)", lambda m: {"r": "\r", "n": "\n", "t": "\t"}.get(m.group(1), m.group(1)),
                  text)


def _literals(source):
    return [_unescape(m) for m in LITERAL.findall(source)]


def _read(relative):
    with open(os.path.join(TESTS, relative), encoding="utf-8") as header:
        return header.read()


def messages():
    """{"BAD_DIMENSIONS": (caption, text), ...}; adjacent literals are joined as in C++."""
    source = _read("expected_messages.h")
    found = {}
    for name, body in re.findall(r"ExpectedMessage (\w+)_MESSAGE = \{(.*?)\};", source, re.S):
        # The caption is the first literal; the text is every literal after the comma.
        caption, rest = body.split(",", 1)
        found[name] = ("".join(_literals(caption)), "".join(_literals(rest)))
    return found


def help_texts():
    """(about text, {control id: help text}, [ids without help]), lines joined by CR LF."""
    source = _read(os.path.join("help", "expected_texts.h"))
    lines = {name: _literals(body)
             for name, body in re.findall(r"inline const Lines (\w+) = \{(.*?)\};", source, re.S)}
    table = re.search(r"helpCases\[\] = \{(.*?)\};", source, re.S).group(1)
    by_id = {int(i): "\r\n".join(lines[name]) for i, name in re.findall(r"\{(\d+), &(\w+)\}", table)}
    without = re.search(r"idsWithoutHelp\[\] = \{(.*?)\};", source, re.S).group(1)
    return "\r\n".join(lines["aboutLines"]), by_id, [int(i) for i in re.findall(r"\d+", without)]
