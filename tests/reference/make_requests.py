#!/usr/bin/env python3
"""Writes seeded coilcalc-cli batch requests (JSON Lines): the one generator of requests for
the solve vectors, the comparison of two builds and the throughput benchmark.

Usage: tests/reference/make_requests.py LINES [--seed N] [--reference SHARE]
           [--mix edges|coils|bench|faults|sweep|grounded|design]
  --mix edges  (the default) both units and modes; ordinary coils, stopped solves, odd number
               texts (blanks, signs, "&H" numbers, exponent letters, trailing garbage, long
               digit strings), texts near the ends of the extended range, one line in a thousand
               asking for the reference at a frequency it refuses (tests/expected/
               expected_texts.json: the answer is the same on every build), and entries placed
               next to the midpoint between two floats after the division or multiplication
               the solve applies to them, where a second rounding from extended precision
               decides which float the entry becomes (and at a limit such as a ratio of
               exactly 10, whether the solve goes on). A few lines are not requests at all.
  --mix coils  the solve vectors' mix (tests/reference/make_vectors.py): mostly coils people
               wind, entries the reference puts on rounding edges of the display, the gauge
               and the turns search. Slow: the reference works out each targeted entry.
  --mix bench  plain coils of every shape the checks let through in both units and modes, a
               few stopped, minimum-turns corrections, texts left from an earlier solve.
  --mix faults requests of the bench mix, each with a physics reference (as --reference 1
               draws it), written in full, cut short at a random byte, or with a field's text
               replaced by a number too large for a double: the ordering of faults and the
               wording of syntax errors.
  --mix sweep  coils as in the bench mix, each asking for its impedance over a band ("sweep":
               from, to, points), now and then with a wire, a frequency or a temperature, and
               one line in ten with a sweep the program refuses.
  --mix grounded  the bench mix's coils, each asking for the reference of the coil grounded at
               its lower end: base heights from 0 to a few times the coil's height in either
               unit's spellings, with or without a wire and a frequency; now and then one that
               is refused (tests/expected/expected_texts.json) or far above the coil.
  --mix design design requests: inductances from 50 nH to 5 mH at the frequency of 20 to 500 pF,
               one diameter or a range in either unit, now and then a largest height, a few
               gauges or a list of bare diameters, the optional keys now and then; one line in
               eight has a bad value or asks for what no coil gives.
  --reference SHARE  that share of the requests also asks for the physics reference: true,
               {}, false, a gauge, a wire diameter, a third of them at a frequency (and a
               temperature), now and then one that is refused.
"""
import argparse
import json
import math
import os
import random
import struct
import sys
from decimal import Decimal
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import coil_reference as ref  # noqa: E402

# ---- the coils mix --------------------------------------------------------------------------

NOT_A_NUMBER = ["", "0", "-1", "abc", "-", ".", " ", "0.0", "-0", "1e-60", "\r5", "- 5", "+-3",
                "&H0", "&", "e5", "-.0e3"]
BEYOND_FLOATS = ["1e40", "-1e40", "3.5e38", "1e4000", "9e999"]
ODD_UNITS = ["UH", "Uh", " nH", "nH ", "pH", "", "MH", "nh", "uh", "H", "mh", "uH "]


def log_uniform(rng, low, high):
    return math.exp(rng.uniform(math.log(low), math.log(high)))


def digits_of(value, sig):
    """(digit string, q) with value about 0.DIGITS x 10^q, rounded to `sig` digits, half to
    even, from the exact value: a float gives what "%.*e" gives, a fraction loses nothing
    before the rounding."""
    exact = abs(Fraction(value))
    if exact == 0:
        return "0" * sig, 1
    exponent = len(str(exact.numerator)) - len(str(exact.denominator))
    while exact >= Fraction(10) ** (exponent + 1):
        exponent += 1
    while exact < Fraction(10) ** exponent:
        exponent -= 1
    mantissa = round(exact / Fraction(10) ** (exponent - sig + 1))
    if mantissa == 10 ** sig:
        mantissa, exponent = mantissa // 10, exponent + 1
    return str(mantissa), exponent + 1


def decimal_text(rng, value, sig=None):
    """A text that ParseNumber reads as `value` to `sig` significant digits, in one of the
    forms a user might type: plain, with or without a 0 before the point, or with an
    exponent (E, e, D or d, signed or not, leading zeros)."""
    if sig is None:
        sig = rng.choice([1, 2, 3, 3, 4, 4, 5, 6, 7])
    return written(rng, value < 0, *digits_of(value, sig))


def written(rng, negative, digits, q):
    """0.DIGITS x 10^q in one of the forms of decimal_text."""
    if rng.random() < 0.5:
        digits = digits.rstrip("0") or "0"
    style = rng.random()
    if style < 0.75 and -6 <= q <= 9:
        if q <= 0:
            text = rng.choice(["0.", "."]) + "0" * (-q) + digits
        elif q >= len(digits):
            text = digits + "0" * (q - len(digits)) + rng.choice(["", "", "."])
        else:
            text = digits[:q] + "." + digits[q:]
    else:
        point = rng.randint(0, len(digits))
        mantissa = (digits[:point] or "0") + ("." + digits[point:] if point < len(digits) else "")
        exponent = q - point
        sign = "-" if exponent < 0 else rng.choice(["", "+"])
        text = (mantissa + rng.choice("EeDd") + sign + "0" * rng.choice([0, 0, 0, 1, 3]) +
                str(abs(exponent)))
    return ("-" if negative else "") + text


def decorate(rng, text):
    """Sometimes blanks before, a sign, or text after the number that reading ignores."""
    if rng.random() < 0.15:
        text = rng.choice([" ", "  ", "\t", "\n", " \t"]) + text
    if rng.random() < 0.05 and text[:1] not in "-+":
        text = "+" + text
    if rng.random() < 0.15:
        text += rng.choice(["mm", " in", "abc", ",5", " 7", "uH", "e", "E+", "d-", "%", "/2"])
    return text


def long_digits_text(rng, value):
    """More than 18 significant digits: the digits past the 18th are dropped, not rounded."""
    digits, q = digits_of(value, 17)
    digits += "".join(rng.choice("0123456789") for _ in range(rng.randint(2, 8)))
    if q <= 0:
        return "." + "0" * (-q) + digits
    if q >= len(digits):
        return digits + "0" * (q - len(digits))
    return digits[:q] + "." + digits[q:]


def long_exponent_text(rng):
    """An exponent of many digits, which saturates instead of overflowing."""
    mantissa = rng.choice(["1", "2.5", "7", ".3", "123"])
    return mantissa + rng.choice("Ee") + rng.choice(["", "+", "-"]) + "".join(
        rng.choice("0123456789") for _ in range(rng.randint(5, 13)))


def based_text(rng, value):
    """`value` (a whole number, 0 or more) after "&" in base 16, 2 or 8, with the prefix in
    either case and sometimes a leading 0 or a type suffix."""
    base, letter = rng.choice([(16, "H"), (16, "h"), (2, "B"), (2, "b"), (8, "O"), (8, "o"),
                               (8, "Q"), (8, "q"), (8, "")])
    digits = ""
    while True:
        digits = "0123456789ABCDEF"[value % base] + digits
        value //= base
        if value == 0:
            break
    if rng.random() < 0.5:
        digits = digits.lower()
    if rng.random() < 0.15:
        digits = "0" + digits
    suffix = rng.choice(["", "", "", "", "&", "&&", "%", "?", "??", "x"])
    return "&" + letter + digits + suffix


def entry_text(rng, value):
    roll = rng.random()
    if roll < 0.04:
        return long_digits_text(rng, value)
    return decorate(rng, decimal_text(rng, value))


def dimensions(rng, unit):
    scale = 25.4 if unit == "mm" else 1.0
    roll = rng.random()
    if roll < 0.05:
        good = entry_text(rng, log_uniform(rng, 0.05, 5) * scale)
        bad = rng.choice(NOT_A_NUMBER + BEYOND_FLOATS)
        return (bad, good) if rng.random() < 0.5 else (good, bad)
    if roll < 0.10:
        base = rng.choice([1, 2.5, 0.3, 7, 25.4, 0.01, 100])
        factor = rng.choice([10, 10.01, 9.99, 10.001, 0.1, 0.0999, 0.1001, 1])
        d, h = base * factor, base
        if rng.random() < 0.5:
            d, h = h, d
        return decimal_text(rng, d, 7), decimal_text(rng, h, 7)
    if roll < 0.12:
        d = log_uniform(rng, 1e-35, 1e35)
        h = d * log_uniform(rng, 0.09, 11)
        return decimal_text(rng, d), decimal_text(rng, h)
    if roll < 0.13:
        return long_exponent_text(rng), long_exponent_text(rng)
    if roll < 0.15:
        return (based_text(rng, rng.randint(1, 70000)), based_text(rng, rng.randint(1, 70000)))
    # Mostly the coils people wind, and a share over the whole range of sizes; some very flat
    # ones, where the high powers of the shape factor weigh most.
    d = log_uniform(rng, *((0.05, 20) if roll < 0.7 else (0.003, 1000))) * scale
    h = d * (log_uniform(rng, 0.085, 11.5) if rng.random() < 0.75 else 1 / rng.uniform(6, 10))
    return entry_text(rng, d), entry_text(rng, h)


def legal_inches(unit, fields):
    """D and H in inches as the solve stores them, or None when a check stops it."""
    trace = ref.solve(unit, "turns", dict(fields, inductance="0"))
    if trace and trace[0][0] == "message" and trace[0][1:] != ref.NO_SOLUTION:
        return None
    scale = 1.0 if unit == "in" else ref.MM_PER_INCH
    d = ref.exact_to_f32(ref.parse_number(fields["diameter"]) / ref.Fraction(scale))
    h = ref.exact_to_f32(ref.parse_number(fields["height"]) / ref.Fraction(scale))
    return d, h


def targeted_inductance(rng):
    """A wanted inductance in uH near a change of display unit, mostly 1 to 10 mH."""
    roll = rng.random()
    if roll < 0.6:
        return log_uniform(rng, 1000, 10000)
    if roll < 0.8:
        return rng.uniform(999, 1001)
    if roll < 0.9:
        return rng.uniform(0.999, 1.001)
    return log_uniform(rng, 10000, 1e6)


def shown_inductance(d, h, n):
    """The inductance as the dialog shows it, in its display unit, before formatting."""
    L = ref.inductance(d, h, n)
    return ref.f32(L / 1000) if L >= 1000 else L if L >= 1 else ref.f32(L * 1000)


def wire_length(d, h, n, scale):
    return ref.f32(scale * ref.centre(d, h, n)) * ref.PI * n


def float_bits(x):
    return struct.unpack("<I", struct.pack("<f", x))[0]


def from_bits(b):
    return struct.unpack("<f", struct.pack("<I", b))[0]


def edge_inductance(d, h, wanted):
    """An inductance in uH (a float, written with 9 digits) on either side of the nearest
    point above `wanted` where the turns found jump: there one pass of the search has its
    residual exactly at the tolerance. None when there is none close by."""
    lo = ref.f32(wanted)
    first = ref.turns(d, h, lo)
    hi = None
    for k in range(1, 40):
        candidate = ref.f32(wanted * (1 + 2e-5 * k))
        if ref.turns(d, h, candidate) != first:
            hi = candidate
            break
    if hi is None or hi > 65536:
        return None
    lo_bits, hi_bits = float_bits(lo), float_bits(hi)
    while hi_bits - lo_bits > 1:
        mid = (lo_bits + hi_bits) // 2
        if ref.turns(d, h, from_bits(mid)) == first:
            lo_bits = mid
        else:
            hi_bits = mid
    return lo_bits, hi_bits


def edge_turns(rng, d, h, scale):
    """Turns (a float written with 9 digits, so exactly) on either side of the point where
    the shown inductance, or the wire length, crosses the middle between two texts of its
    digit count, or the gauge steps, or the first turns whose inductance reaches 1 or 1000 uH,
    where the display unit changes; None when there is no such point."""
    def bits(x):
        return struct.unpack("<I", struct.pack("<f", x))[0]

    def number(b):
        return struct.unpack("<f", struct.pack("<I", b))[0]

    roll = rng.random()
    if roll < 0.15:
        edge = rng.choice([1.0, 1000.0])
        lo_bits, hi_bits = bits(2.0), bits(16384.0)
        if not ref.inductance(d, h, 2.0) < edge <= ref.inductance(d, h, 16384.0):
            return None
        while hi_bits - lo_bits > 1:
            mid = (lo_bits + hi_bits) // 2
            if ref.inductance(d, h, number(mid)) < edge:
                lo_bits = mid
            else:
                hi_bits = mid
        return "%.9g" % number(hi_bits)
    if roll < 0.30:
        # The first turns that need the next thinner wire: the gauge's ceiling steps there.
        lo = ref.f32(log_uniform(rng, 2, 13000))
        first = ref.wire_gauge(h, lo)
        lo_bits, hi_bits = float_bits(lo), float_bits(ref.f32(lo * 1.2))
        if not math.isfinite(first) or ref.wire_gauge(h, from_bits(hi_bits)) == first:
            return None
        while hi_bits - lo_bits > 1:
            mid = (lo_bits + hi_bits) // 2
            if ref.wire_gauge(h, from_bits(mid)) == first:
                lo_bits = mid
            else:
                hi_bits = mid
        return "%.9g" % from_bits(rng.choice([lo_bits, hi_bits]))
    if roll < 0.60:
        shown, digits = (lambda n: shown_inductance(d, h, n)), 4
    else:
        shown, digits = (lambda n: wire_length(d, h, n, scale)), 5
    lo = ref.f32(log_uniform(rng, 2, 16000))
    hi = ref.f32(lo * 1.002)  # the inductance grows at least as fast as the turns
    start = shown(lo)
    if not 0 < start < math.inf:
        return None
    step = Decimal(10) ** (Decimal(start).adjusted() + 1 - digits)
    edge = float((int(Decimal(start) / step) + Decimal("0.5")) * step)
    if not shown(hi) >= edge:
        return None
    lo_bits, hi_bits = bits(lo), bits(hi)
    while hi_bits - lo_bits > 1:
        mid = (lo_bits + hi_bits) // 2
        if shown(number(mid)) < edge:
            lo_bits = mid
        else:
            hi_bits = mid
    return "%.9g" % number(rng.choice([lo_bits, hi_bits]))


def turns_entry(rng, unit, fields):
    roll = rng.random()
    if roll < 0.08:
        return rng.choice(NOT_A_NUMBER + ["1", "1.999", "1.9999999", "-3", "&B1"]
                          + [decimal_text(rng, rng.uniform(-5, 2))])
    if roll < 0.13:
        return rng.choice(["16384.01", "16385", "1e5", "1.6385E4", "&H4001", "16384.001",
                           "1e40", "&HFFFF?", decimal_text(rng, log_uniform(rng, 16384.5, 1e9))])
    if roll < 0.15:
        return rng.choice(["2", "16384", "2.0", "1.6384e4", "&H4000", "&40000", "2.", "16384&"])
    if roll < 0.19:
        return based_text(rng, rng.randint(0, 20000))
    if roll < 0.21:
        return long_exponent_text(rng)
    if roll < 0.41:
        inches = legal_inches(unit, fields)
        if inches is not None:
            text = edge_turns(rng, *inches, 1.0 if unit == "in" else ref.MM_PER_INCH)
            if text is not None:
                return text
    elif roll < 0.55:
        inches = legal_inches(unit, fields)
        if inches is not None:
            n = ref.turns(*inches, ref.f32(targeted_inductance(rng)))
            if n != -1:
                return f"{n:.3f}"
    return entry_text(rng, log_uniform(rng, 2, 16384))


def inductance_entry(rng, unit, fields):
    """(inductance text, unit text) for a solve for turns."""
    roll = rng.random()
    unit_text = rng.choice(["nH", "uH", "mH"])
    if roll < 0.04:
        return rng.choice(["65536.5", "65537", "1e5", "&H10001", "70000", "65536.0001",
                           "1e40", decimal_text(rng, log_uniform(rng, 65537, 1e12))]), unit_text
    if roll < 0.06:
        return rng.choice(["65536", "6.5536E4", "&H10000", "65536.00"]), unit_text
    if roll < 0.10:
        return rng.choice(NOT_A_NUMBER + ["-2.5", "-65537"]), unit_text
    inches = legal_inches(unit, fields)
    if inches is None:
        return entry_text(rng, log_uniform(rng, 0.01, 60000)), unit_text
    if roll < 0.24:
        # Right at an edge of the search's tolerance, which every residual's last bit moves.
        wanted = ref.inductance(*inches, log_uniform(rng, 2, 16384))
        edge = edge_inductance(*inches, wanted) if 0 < wanted < 65536 else None
        if edge is not None:
            L = from_bits(rng.choice(edge))
            unit_text = rng.choice(["uH", "nH", "mH", rng.choice(ODD_UNITS)])
            factor = {"nH": ref.Fraction(1000), "mH": ref.Fraction(1, 1000)}.get(unit_text, 1)
            # 12 digits in nH or mH come back as the same float once converted to uH.
            text = "%.12g" % (ref.Fraction(L) * factor)
            if ref.exact_to_f32(ref.extended(ref.parse_number(text) / factor)) != L or \
                    ref.parse_number(text) > 65536:
                text, unit_text = "%.9g" % L, "uH"
            return text, unit_text
    if roll < 0.30:
        # Out of reach: below what two turns give, or beyond what 16384 turns give.
        if rng.random() < 0.5:
            wanted = ref.inductance(*inches, 2.0) * rng.uniform(0.01, 0.999)
        else:
            wanted = ref.inductance(*inches, 16384.0) * log_uniform(rng, 1.001, 100)
    elif roll < 0.38:
        wanted = targeted_inductance(rng)
    else:
        wanted = ref.inductance(*inches, log_uniform(rng, 2, 16384)) * rng.uniform(0.95, 1.05)
    if not (0 < wanted < math.inf):
        return entry_text(rng, log_uniform(rng, 0.01, 60000)), unit_text
    if 1000 <= wanted < 10000 and rng.random() < 0.7:
        unit_text = "mH"
    elif wanted < 1 and rng.random() < 0.7:
        unit_text = "nH"
    value = wanted * {"nH": 1000, "uH": 1, "mH": 0.001}[unit_text]
    if value > 65536:
        unit_text, value = "mH", wanted / 1000
    if rng.random() < 0.08:
        unit_text = rng.choice(ODD_UNITS)
        value = wanted
    return entry_text(rng, value), unit_text


def coil_request(rng):
    unit = rng.choice(["in", "mm"])
    mode = rng.choice(["inductance", "turns"])
    diameter, height = dimensions(rng, unit)
    fields = {"diameter": diameter, "height": height}
    if mode == "inductance":
        fields["turns"] = turns_entry(rng, unit, fields)
    else:
        fields["inductance"], fields["inductance_unit"] = inductance_entry(rng, unit, fields)
    return {"unit": unit, "mode": mode, "fields": fields}


# ---- the edges mix --------------------------------------------------------------------------

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
NOT_REQUESTS = ['{"unit": "cm"}', "not json", '{"fields": {"colour": "red"}}', "",
                '{"mode": "turns", "fields": {"diameter": 5}}', "[1, 2]"]


def float_midpoint(rng, low, high):
    """The midpoint between a random float in [low, high) and the next float above it."""
    bits = float_bits(rng.uniform(low, high))
    return (Fraction(from_bits(bits)) + Fraction(from_bits(bits + 1))) / 2


def near_midpoint(rng, target_of, low, high):
    """A text whose value, after the solve's operation, lies within about 2^-64 of a float
    midpoint: `target_of` maps the midpoint back to the entry that reaches it."""
    best = None
    for _ in range(40):
        target = target_of(float_midpoint(rng, low, high))
        digits, q = digits_of(target, 18)
        distance = abs(Fraction(int(digits)) * Fraction(10) ** (q - 18) - target) / target
        if best is None or distance < best[0]:
            best = (distance, digits, q)
        if distance < Fraction(1, 2**63):
            break
    return written(rng, False, best[1], best[2])


def number_text(rng, low, high, operations):
    """An entry for a field read into [low, high), through one of `operations`."""
    kind = rng.random()
    if kind < 0.45:
        return decimal_text(rng, rng.uniform(low, high), rng.choice([1, 2, 3, 4, 6, 9, 18, 19, 25]))
    if kind < 0.65:
        return rng.choice(ODD_TEXTS)
    if kind < 0.9:
        return near_midpoint(rng, rng.choice(operations), low, high)
    # At a limit of the checks: a ratio of 10, 2 and 16384 turns, 65536.
    return near_midpoint(rng, rng.choice(operations), *rng.choice([(10, 10.00001), (9.99999, 10),
                                                                   (2, 2.00001), (16383.99, 16384),
                                                                   (65535.99, 65536)]))


def edge_request(rng):
    """A line of the edges mix: a request and how to write it, or a line as it is."""
    if rng.random() < 0.002:
        return rng.choice(NOT_REQUESTS)
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
        return {"unit": unit, "mode": mode, "fields": fields}, {}
    # The same request with the defaults left out, or keys in another order.
    line = {"fields": dict(rng.sample(sorted(fields.items()), len(fields)))}
    if unit != "in":
        line["unit"] = unit
    if mode != "inductance":
        line["mode"] = mode
    return line, {"ensure_ascii": rng.random() < 0.5}


# ---- the bench mix --------------------------------------------------------------------------

def bench_request(rng, i):
    d = 0.2 + rng.random() * 3
    h = float("%.3f" % d) / (0.15 + rng.random() * 6)
    inches = {"diameter": "%.3f" % d, "height": "%.3f" % h}
    mm = {"diameter": "%.2f" % (d * 25.4), "height": "%.2f" % (h * 25.4)}
    kind = i % 8
    if kind == 0:
        return {"unit": "in", "mode": "inductance",
                "fields": dict(inches, turns=str(2 + int(rng.random() * 200)))}
    if kind == 1:
        return {"unit": "mm", "mode": "inductance",
                "fields": dict(mm, turns="%.1f" % (2 + rng.random() * 500))}
    if kind == 2:
        return {"unit": "in", "mode": "turns", "fields": dict(
            inches, inductance="%.3f" % (0.5 + rng.random() * 50), inductance_unit="uH")}
    if kind == 3:
        return {"unit": "mm", "mode": "turns", "fields": dict(
            mm, inductance=str(100 + int(rng.random() * 5000)), inductance_unit="nH")}
    if kind == 4:
        return {"mode": "turns", "fields": dict(
            inches, inductance="%.2f" % (rng.random() * 2), inductance_unit="mH")}
    if kind == 5:
        return {"fields": dict(inches, turns="1")}
    if kind == 6:  # stopped: twenty times as high as wide
        return {"unit": "in", "fields": dict(inches, height="%.3f" % (d * 20), turns="10")}
    return {"mode": "inductance", "fields": dict(inches, turns=str(2 + int(rng.random() * 16384)),
                                                 wire_length="old", resonance="old")}


# ---- the faults mix -------------------------------------------------------------------------

HUGE_NUMBERS = ["1e400", "-1e400", "1E+999", "1" + "0" * 400]


def fault_line(rng, i):
    """A line of the faults mix: a request with a reference, whole, cut short or with a number
    beyond the doubles for one of its fields' texts."""
    request = bench_request(rng, i)
    request["reference"] = reference_key(rng)
    line = json.dumps(request, separators=(",", ":"))
    roll = rng.random()
    if roll < 0.5:
        return line[:rng.randrange(1, len(line))]
    if roll < 0.75:
        name = rng.choice(sorted(request["fields"]))
        text = json.dumps(request["fields"][name])
        return line.replace(text, rng.choice(HUGE_NUMBERS), 1)
    return line


# ---- the design mix -------------------------------------------------------------------------

BAD_DESIGN_MEMBERS = [("unit", "cm"), ("inductance", "2.2"), ("inductance", 2.2e-6),
                      ("frequency", "7 MHz x"), ("diameter", {"min": "40", "max": "15"}),
                      ("diameter", 25), ("height_max", "-1"), ("wire_gauges", {"min": 20}),
                      ("wire_diameters", []), ("pitch_min", 0.5), ("resonance_margin", 1),
                      ("tolerance", "0.01"), ("temperature", 500), ("count", 0),
                      ("colour", "red")]


def design_request(rng):
    """A line of the design mix."""
    inductance = log_uniform(rng, 5e-8, 5e-3)
    capacitance = log_uniform(rng, 20e-12, 500e-12)
    frequency = 1 / (2 * math.pi * math.sqrt(inductance * capacitance))
    unit = rng.choice(["mm", "in"])
    scale = 1 if unit == "mm" else 25.4
    text, prefix = (("%.3g" % (inductance * 1e9), "nH") if inductance < 1e-6 else
                    ("%.3g" % (inductance * 1e6), "uH") if inductance < 1e-3 else
                    ("%.3g" % (inductance * 1e3), "mH"))
    design = {"unit": unit, "inductance": text + prefix,
              "frequency": "%.4gMHz" % (frequency / 1e6)}
    low = log_uniform(rng, 5, 100) / scale
    if rng.random() < 0.5:
        design["diameter"] = "%.3g" % low
    else:
        design["diameter"] = {"min": "%.3g" % low, "max": "%.3g" % (low * rng.uniform(1, 4))}
    if rng.random() < 0.5:
        design["height_max"] = "%.3g" % (low * rng.uniform(0.5, 8))
    if rng.random() < 0.7:
        first = rng.randint(10, 36)
        design["wire_gauges"] = {"min": first, "max": first + rng.randint(0, 5)}
    else:
        design["wire_diameters"] = ["%.3g" % (log_uniform(rng, 0.1, 2) / scale)
                                    for _ in range(rng.randint(1, 4))]
    for key, low_value, high_value in [("pitch_min", 1, 2), ("resonance_margin", 1.5, 6),
                                       ("tolerance", 0.001, 0.05), ("temperature", -20, 120)]:
        if rng.random() < 0.15:
            design[key] = round(rng.uniform(low_value, high_value), 3)
    if rng.random() < 0.2:
        design["count"] = rng.randint(1, 8)
    if rng.random() < 0.125:
        key, value = rng.choice(BAD_DESIGN_MEMBERS)
        design[key] = value
    return {"design": design}


# ---- the physics reference ------------------------------------------------------------------

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "expected",
                       "expected_texts.json"), encoding="utf-8") as _file:
    _EXPECTED = json.load(_file)
    REFUSED_FREQUENCIES = [text for text, _ in _EXPECTED["frequency_errors"]]
    REFUSED_BASE_HEIGHTS = [text for text, _ in _EXPECTED["base_height_errors"]]


def frequency_text(rng):
    """A frequency from 10 kHz to 1 GHz in one of the spellings the program reads."""
    hertz = log_uniform(rng, 1e4, 1e9)
    unit, scale = rng.choice([("", 1), ("Hz", 1), ("kHz", 1e3), ("MHz", 1e6), (" MHz", 1e6),
                              ("mhz", 1e6), ("GHz", 1e9)])
    return "%.4g%s" % (hertz / scale, unit)


def reference_key(rng):
    """The "reference" value of a request: mostly good ones, a few the program refuses."""
    roll = rng.random()
    if roll < 0.3:
        return True
    if roll < 0.4:
        key = {}
    elif roll < 0.45:
        return False
    elif roll < 0.7:
        key = {"wire_gauge": rng.randint(-3, 60)}
    elif roll < 0.95:
        key = {"wire_diameter": "%.4g" % log_uniform(rng, 1e-4, 3)}
    else:
        return rng.choice([{"wire_gauge": 2.5}, {"wire_gauge": 201}, {"wire_diameter": 1},
                           {"wire_diameter": "0"}, {"wire": "thin"}, "yes",
                           {"frequency": rng.choice(REFUSED_FREQUENCIES)},
                           {"frequency": 7.1e6}, {"temperature": 30},
                           {"frequency": "1MHz", "temperature": 500}])
    if rng.random() < 0.35:
        key["frequency"] = frequency_text(rng)
        if rng.random() < 0.3:
            key["temperature"] = rng.choice([-50, 0, 20, 25.5, 60, 200])
    return key


def sweep_request(rng, i):
    """A line of the sweep mix: a coil of the bench mix and a band around the frequencies it is
    used at, or a sweep the program refuses."""
    request = bench_request(rng, i)
    low = log_uniform(rng, 1e4, 3e8)
    sweep = {"from": frequency_text_at(rng, low),
             "to": frequency_text_at(rng, low * 10 ** rng.uniform(0.2, 3)),
             "points": rng.choice([2, 3, 7, 21, 50])}
    if rng.random() < 0.2:
        del sweep["points"]
        sweep["from"], sweep["to"] = "1MHz", "30MHz"  # the 201 points of the default
    key = {"sweep": sweep}
    roll = rng.random()
    if roll < 0.1:
        key["sweep"] = rng.choice([
            {"from": sweep["to"], "to": sweep["from"]}, {"from": "1MHz", "to": "1MHz"},
            {"from": "1MHz", "to": "2MHz", "points": 1}, {"from": "1MHz", "to": "2MHz",
                                                          "points": 100001},
            {"from": "1MHz", "to": "2MHz", "points": 2.5}, {"from": "1MHz"}, "1MHz:2MHz",
            {"from": "1Hz", "to": "1e300Hz", "points": 3}, {"from": 1e6, "to": 2e6},
            {"from": "1MHz", "to": "2MHz", "step": 1}])
    elif roll < 0.3:
        key["wire_gauge"] = rng.randint(10, 40)
    elif roll < 0.4:
        key["frequency"] = frequency_text(rng)
    elif roll < 0.5:
        key["temperature"] = rng.choice([-50, 0, 25.5, 60, 200])
    return {"unit": request.get("unit", "in"), "mode": request.get("mode", "inductance"),
            "fields": request["fields"], "reference": key}


def frequency_text_at(rng, hertz):
    """`hertz` to four digits in one of the spellings the program reads."""
    unit, scale = rng.choice([("Hz", 1), ("kHz", 1e3), ("MHz", 1e6), (" MHz", 1e6)])
    return "%.4g%s" % (hertz / scale, unit)


def grounded_request(rng, i):
    """A bench coil with the reference of the coil grounded at its lower end."""
    request = bench_request(rng, i)
    height = float(request["fields"]["height"])
    roll = rng.random()
    if roll < 0.05:
        base = rng.choice(REFUSED_BASE_HEIGHTS)
    elif roll < 0.08:
        base = "%.6g" % (height * 1000 * (1 + rng.random()))
    elif roll < 0.15:
        base = rng.choice(["0", "0.0", "-0", "0e5"])
    else:
        base = rng.choice(["%.3g", "%.6g", "%g", "%.2e"]) % (height * log_uniform(rng, 1e-3, 5))
    key = {"base_height": base}
    if rng.random() < 0.3:
        key["wire_gauge"] = rng.randint(10, 40)
    if rng.random() < 0.2:
        key["frequency"] = frequency_text(rng)
    if rng.random() < 0.02:
        key["base_height"] = rng.choice([1, None, True])
    return request | {"reference": key}


def main():
    parser = argparse.ArgumentParser(description=__doc__.strip().splitlines()[0])
    parser.add_argument("lines", type=int)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--mix", default="edges",
                        choices=["edges", "coils", "bench", "faults", "sweep", "grounded", "design"])
    parser.add_argument("--reference", type=float, default=0.0, metavar="SHARE")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    out = sys.stdout
    for i in range(args.lines):
        if args.mix == "edges":
            line = edge_request(rng)
        elif args.mix == "faults":
            line = fault_line(rng, i)
        elif args.mix == "bench":
            line = bench_request(rng, i), {"separators": (",", ":")}
        elif args.mix == "sweep":
            line = sweep_request(rng, i), {}
        elif args.mix == "grounded":
            line = grounded_request(rng, i), {}
        elif args.mix == "design":
            line = design_request(rng), {}
        else:
            while True:
                try:
                    line = coil_request(rng), {}
                    break
                except ref.Undetermined:
                    continue
        if isinstance(line, str):
            out.write(line + "\n")
            continue
        request, style = line
        if args.reference and rng.random() < args.reference:
            request["reference"] = reference_key(rng)
        elif args.mix == "edges" and i % 1000 == 999:
            # Without a draw of the generator, so that the other lines stay as they were.
            refused = REFUSED_FREQUENCIES[i // 1000 % len(REFUSED_FREQUENCIES)]
            request["reference"] = {"frequency": refused}
        out.write(json.dumps(request, **style) + "\n")


if __name__ == "__main__":
    main()
