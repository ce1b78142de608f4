#!/usr/bin/python3
"""Writes a seeded batch of coilcalc-cli requests (JSON Lines) for comparing two builds.

Usage: web/make_batch.py LINES [SEED] > requests.jsonl

Both units and both modes; ordinary coils, stopped solves, odd number texts (blanks, signs,
"&H" numbers, exponent letters, trailing garbage, long digit strings), texts near the ends of
the extended range, and entries placed next to the midpoint between two floats after the
division or multiplication the solve applies to them, where a second rounding from extended
precision decides which float the entry becomes (and at a limit such as a ratio of exactly 10,
whether the solve goes on). A few lines are not requests at all.
"""

import json
import random
import struct
import sys
from fractions import Fraction

MM = Fraction(struct.unpack("<f", struct.pack("<f", 25.4))[0])  # the float nearest 25.4
UNITS = ["nH", "uH", "mH", "", "UH", " nH", "pH", "mH "]
ODD_TEXTS = [
    "", " ", "\t3", "\r3", "\n2", "abc", "0x10", "12abc", "1,5", ".5", "5.", "-.25", "+7", "007",
    "1e3", "1E+3", "2.5e-2", "1D2", "1d-1", "1.2.3", "- 5", "-", "+", ".", "-0", " 1.23E+3",
    "&H10", "&B101", "&17", "&HFFFF", "&H8000", "&H0FFFF", "&HFFFFFFFF", "&HFFFF&", "&HFFFF&&",
    "&HFFFFFFFFFFFFFFFF", "&HFFFFFFFFFFFFFFFF?", "&H10000000000000000", "&O777", "&Q17", "&",
    "&H", "&Hxyz", "1e", "1e-", "1e+", "e5", "1e99999", "1e-99999", "25.4mm", "1 000",
    "123456789012345678901", "0.000000000000000000000000000001", "1" * 40, "9" * 30,
    "1e4932", "1.18973149535723176e4932", "1.2e4932", "9.99999999999999999e4932", "1e4933",
    "1e-4931", "3.6e-4951", "1e-4950", "1e-4951", "1e-4952", "1e-4933", "-1e4932",
    "3.40282356779733661637539395458142568448e38", "3.4028235e38", "1e38", "1e39", "1e40",
    "1.4e-45", "7e-46", "1e-46", "65536", "65536.0", "65536.0000000000001", "65535.9999999999999",
    "65536.000000000000000001", "6.5536e4", "655360000000000000.1e-13", "65536.5", "65537",
    "16384", "16384.0000000000001", "16385", "16383.9999999999999", "2", "1.99999999999999999",
    "2.00000000000000001", "10", "10.01", "0.1", "0.09999999999999999", "\u00e9", "\u00bd",
    "1\u00a0000", "\u2212" + "5",
]


def float_midpoints(rng, low, high):
    """The midpoint between a random float in [low, high) and the next float above it."""
    value = rng.uniform(low, high)
    bits = struct.unpack("<I", struct.pack("<f", value))[0]
    below = Fraction(struct.unpack("<f", struct.pack("<I", bits))[0])
    above = Fraction(struct.unpack("<f", struct.pack("<I", bits + 1))[0])
    return (below + above) / 2


def decimal_text(value, digits, rng):
    """`value` written with `digits` significant digits, in one of several equivalent forms."""
    exponent = 0
    scaled = abs(value)
    while scaled >= 10:
        scaled /= 10
        exponent += 1
    while scaled < 1:
        scaled *= 10
        exponent -= 1
    mantissa = round(scaled * 10 ** (digits - 1))
    text = str(mantissa)
    form = rng.randrange(3)
    if form == 0:
        body = f"{text[0]}.{text[1:]}E{exponent:+d}"
    elif form == 1:
        body = f"{text}e{exponent - digits + 1}"
    else:
        point = exponent + 1
        if point <= 0:
            body = "." + "0" * -point + text
        elif point >= len(text):
            body = text + "0" * (point - len(text))
        else:
            body = text[:point] + "." + text[point:]
    return ("-" if value < 0 else "") + body


def near_midpoint(rng, target_of, low, high):
    """A text whose value, after the solve's operation, lies within about 2^-64 of a float
    midpoint: `target_of` maps the midpoint back to the entry that reaches it."""
    best = None
    for _ in range(40):
        midpoint = float_midpoints(rng, low, high)
        target = target_of(midpoint)
        text = decimal_text(target, 18, rng)
        value = Fraction(text)
        distance = abs(value - target) / target
        if best is None or distance < best[0]:
            best = (distance, text)
        if distance < Fraction(1, 2**63):
            break
    return best[1]


def ordinary(rng, low, high):
    value = rng.uniform(low, high)
    return decimal_text(value, rng.choice([1, 2, 3, 4, 6, 9, 18, 19, 25]), rng)


def number_text(rng, low, high, operations):
    """An entry for a field read into [low, high), through one of `operations`."""
    kind = rng.random()
    if kind < 0.45:
        return ordinary(rng, low, high)
    if kind < 0.65:
        return rng.choice(ODD_TEXTS)
    if kind < 0.9:
        return near_midpoint(rng, rng.choice(operations), low, high)
    # At a limit of the checks: a ratio of 10, 2 and 16384 turns, 65536.
    return near_midpoint(rng, rng.choice(operations), *rng.choice([(10, 10.00001), (9.99999, 10),
                                                                   (2, 2.00001), (16383.99, 16384),
                                                                   (65535.99, 65536)]))


def request(rng):
    unit = rng.choice(["in", "mm"])
    mode = rng.choice(["inductance", "turns"])
    length_ops = [lambda x: x * MM] if unit == "mm" else [lambda x: x]
    fields = {}
    diameter = number_text(rng, 0.05, 20, length_ops)
    fields["diameter"] = diameter
    if rng.random() < 0.3:
        # A height one tenth of the diameter, or ten times it, next to the ratio limit.
        fields["height"] = rng.choice([diameter + "0", "." + diameter.replace(".", "")])
    else:
        fields["height"] = number_text(rng, 0.05, 20, length_ops)
    if mode == "inductance" or rng.random() < 0.2:
        fields["turns"] = number_text(rng, 0.5, 20000, [lambda x: x])
    if mode == "turns" or rng.random() < 0.2:
        unit_text = rng.choice(UNITS)
        ops = {"nH": [lambda x: x * 1000], "mH": [lambda x: x / 1000]}.get(unit_text,
                                                                            [lambda x: x])
        fields["inductance"] = number_text(rng, 0.001, 70000, ops)
        fields["inductance_unit"] = unit_text
    if rng.random() < 0.05:
        fields["resonance"] = "kept when the solve stops"
    if rng.random() < 0.5:
        return json.dumps({"unit": unit, "mode": mode, "fields": fields})
    # The same request with the defaults left out, or keys in another order.
    shuffled = dict(rng.sample(sorted(fields.items()), len(fields)))
    line = {"fields": shuffled}
    if unit != "in":
        line["unit"] = unit
    if mode != "inductance":
        line["mode"] = mode
    return json.dumps(line, ensure_ascii=rng.random() < 0.5)


NOT_REQUESTS = ['{"unit": "cm"}', "not json", '{"fields": {"colour": "red"}}', "",
                '{"mode": "turns", "fields": {"diameter": 5}}', "[1, 2]"]


def main():
    if len(sys.argv) not in (2, 3) or not sys.argv[1].isdigit():
        sys.exit(__doc__.strip().splitlines()[2])
    lines = int(sys.argv[1])
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) == 3 else 1)
    out = sys.stdout
    for _ in range(lines):
        out.write((rng.choice(NOT_REQUESTS) if rng.random() < 0.002 else request(rng)) + "\n")


if __name__ == "__main__":
    main()
