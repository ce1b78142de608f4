"""The texts the browser tests expect, from tests/expected/expected_texts.json, which the C++
tests read too: one written-out copy for every face."""

import json
import os

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "expected",
                       "expected_texts.json"), encoding="utf-8") as _file:
    _DATA = json.load(_file)

FIELD_IDS = _DATA["fields"]
RESULT_IDS = tuple(FIELD_IDS[name] for name in _DATA["results"])  # in the order a solve writes
COILS = {coil["name"]: coil for coil in _DATA["coils"]}
FREQUENCY_ERRORS = [tuple(row) for row in _DATA["frequency_errors"]]  # (text, error)
BASE_HEIGHT_ERRORS = [tuple(row) for row in _DATA["base_height_errors"]]  # (text, error)


def messages():
    """{"BAD_DIMENSIONS": (caption, text), ...}"""
    return {name: tuple(message) for name, message in _DATA["messages"].items()}


def help_texts():
    """(about text, {control id: help text}, [ids without help]), lines joined by CR LF."""
    by_id = {i: "\r\n".join(help["lines"]) for help in _DATA["help"].values() for i in help["ids"]}
    return "\r\n".join(_DATA["about"]), by_id, _DATA["ids_without_help"]
