#!/usr/bin/env python3
"""Compares two builds' answers to the same design lines: the same errors word for word and the
same coils (their diameter, height, turns, wire, pitch and wire length exactly), the physics
reference's numbers to the last digits in which the C libraries' log, pow and hypot differ.

Usage: tests/compare_designs.py REQUESTS NATIVE_ANSWERS OTHER_ANSWERS
"""
import json
import sys

# The coil as the user winds it, and the dialog's own numbers: the same on every build.
EXACT = ("diameter", "height", "turns", "wire_gauge", "wire_diameter", "pitch", "wire_length")
# Relative difference allowed in the reference's numbers (they carry up to 17 digits).
LAST_DIGITS = 1e-12


def differences(native, other):
    if "design" not in native or "design" not in other:
        return [] if native == other else ["answers differ"]
    a, b = native["design"]["coils"], other["design"]["coils"]
    if len(a) != len(b):
        return ["%d coils against %d" % (len(a), len(b))]
    found = []
    for i, (x, y) in enumerate(zip(a, b)):
        if list(x) != list(y):
            found.append("coil %d: keys differ" % i)
            continue
        for key in x:
            same = x[key] == y[key] or (
                key not in EXACT and isinstance(x[key], float) and isinstance(y[key], float)
                and abs(x[key] - y[key]) <= LAST_DIGITS * abs(x[key]))
            if not same:
                found.append("coil %d: %s %r against %r" % (i, key, x[key], y[key]))
    return found


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip())
    with open(sys.argv[1], encoding="utf-8") as requests, \
            open(sys.argv[2], encoding="utf-8") as native, \
            open(sys.argv[3], encoding="utf-8") as other:
        requests, native, other = requests.readlines(), native.readlines(), other.readlines()
    if len(native) != len(requests) or len(other) != len(requests):
        sys.exit("%d requests, %d and %d answers" % (len(requests), len(native), len(other)))
    failed = 0
    for number, (request, x, y) in enumerate(zip(requests, native, other), 1):
        found = differences(json.loads(x), json.loads(y))
        if found:
            failed += 1
            if failed <= 5:
                print("line %d: %s\n  %s" % (number, request.strip(), "; ".join(found)),
                      file=sys.stderr)
    if failed:
        sys.exit("%d of %d design answers differ" % (failed, len(requests)))


if __name__ == "__main__":
    main()
