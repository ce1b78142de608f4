#!/usr/bin/env python3
"""Independent reference for the expected texts of the solve tests.

Re-derives from the formulas, in Python, the whole solve: reading the entries (the number texts
of the fields, "&" bases included, valued exactly with fractions and rounded to an extended
64-bit significand), the checks and their messages, the coil model (floats rounded to 32 bits
at every store, each formula line in double) and the 18-then-n digit rounding of the display.
Run it to print the trace of each scenario named on the command line, e.g.
    tests/reference/coil_reference.py in:L:1:1:10 mm:T:10:20::5:uH
(unit:mode:diameter:height:turns:inductance:unit).
"""
import math
import struct
import sys
from decimal import Decimal, ROUND_HALF_EVEN, getcontext
from fractions import Fraction

getcontext().prec = 2000

INF = math.inf


class Undetermined(Exception):
    """A case whose texts the rules do not fix: an entry whose rounding depends on how wide
    the arithmetic before the 32-bit store is."""


# ---------------------------------------------------------------------------------------------
# Binary rounding of exact values.

def round_binary(value, bits, min_exponent):
    """`value` (a Fraction) rounded half to even to `bits` significant bits, with no quantum
    below 2**min_exponent (the subnormals of the format). Returns a Fraction."""
    if value == 0:
        return Fraction(0)
    negative = value < 0
    a = -value if negative else value
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** e > a:
        e -= 1
    quantum = max(e - (bits - 1), min_exponent)
    scaled = a / Fraction(2) ** quantum
    result = Fraction(round(scaled)) * Fraction(2) ** quantum  # round() on Fraction: half even
    return -result if negative else result


FLOAT_OVERFLOW = 2.0 ** 128 - 2.0 ** 103  # from here on a value rounds to infinity in 32 bits


def f32(x):
    """A double rounded to the nearest 32-bit float (ties to even), infinity past the range."""
    if x != x or math.isinf(x):
        return x
    if abs(x) >= FLOAT_OVERFLOW:
        return math.copysign(INF, x)
    return struct.unpack("f", struct.pack("f", x))[0]


def exact_to_f32(value):
    rounded = round_binary(value, 24, -149)
    if abs(rounded) >= 2 ** 128:
        return INF if rounded > 0 else -INF
    return float(rounded)


def extended(value):
    """The nearest value with a 64-bit significand (x87 extended precision)."""
    return round_binary(value, 64, -16445)


def to_double(value):
    try:
        return float(value)
    except OverflowError:
        return INF if value > 0 else -INF


def stored_entry(value, in_double):
    """An entry's value after one arithmetic step and the store to 32 bits: `value` is the
    exact result of the step on the extended entry, `in_double` the same step carried in
    double. The step is carried in extended precision; when carrying it in double, or exactly,
    would give another float, the case is not fixed by the rules."""
    wide = exact_to_f32(extended(value))
    if wide != exact_to_f32(value) or wide != f32(in_double):
        raise Undetermined("entry rounding depends on the precision")
    return wide


# ---------------------------------------------------------------------------------------------
# Reading a number text.

MANTISSA_DIGITS = 18
EXPONENT_LIMIT = 9999
MAGNITUDE_LIMIT = 4933
DIGITS = "0123456789"


def parse_based(text, i):
    base = 8
    if i < len(text):
        letter = text[i]
        if letter in "Hh":
            base, i = 16, i + 1
        elif letter in "Bb":
            base, i = 2, i + 1
        elif letter in "OoQq":
            base, i = 8, i + 1
    alphabet = "0123456789abcdefghijklmnopqrstuvwxyz"[:base]
    first = i
    value = 0
    while i < len(text) and len(text[i].lower()) == 1 and text[i].lower() in alphabet:
        value = value * base + alphabet.index(text[i].lower())
        i += 1
    if i == first or value >= 2 ** 64:
        return Fraction(0)
    suffix = text[i:]
    narrow16 = narrow32 = text[first] != "0"
    unsigned = False
    if suffix.startswith("&&"):
        narrow16 = narrow32 = False
    elif suffix.startswith("&"):
        narrow16 = False
    elif suffix.startswith("?"):
        narrow16 = narrow32 = False
        unsigned = True
    if unsigned and value >= 2 ** 63:
        return Fraction(0)
    if narrow16 and 0x8000 <= value <= 0xFFFF:
        return Fraction(value - 0x10000)
    if narrow32 and 0x80000000 <= value <= 0xFFFFFFFF:
        return Fraction(value - 0x100000000)
    if value >= 2 ** 63:
        value -= 2 ** 64
    return Fraction(value)


def parse_number(text):
    """The value of a field text, exact as a Fraction (already rounded to extended precision)."""
    i = 0
    while i < len(text) and text[i] in " \t\n":
        i += 1
    if i < len(text) and text[i] == "&":
        return parse_based(text, i + 1)
    negative = False
    if i < len(text) and text[i] in "+-":
        negative = text[i] == "-"
        i += 1
        if i >= len(text) or not (text[i] in DIGITS or text[i] == "."):
            return Fraction(0)
    kept = ""
    before_point = 0
    zeros_after_point = 0
    any_digit = point = significant = False
    while i < len(text):
        c = text[i]
        if c == ".":
            if point:
                break
            point = True
        elif c in DIGITS:
            any_digit = True
            if not significant and c == "0":
                if point:
                    zeros_after_point += 1
            else:
                significant = True
                if not point:
                    before_point += 1
                if len(kept) < MANTISSA_DIGITS:
                    kept += c
        else:
            break
        i += 1
    exponent = 0
    if any_digit and i < len(text) and text[i] in "EeDd":
        i += 1
        exponent_negative = False
        if i < len(text) and text[i] in "+-":
            exponent_negative = text[i] == "-"
            i += 1
        digits = ""
        while i < len(text) and text[i] in DIGITS:
            digits += text[i]
            i += 1
        exponent = min(int(digits or "0"), EXPONENT_LIMIT)
        if exponent_negative:
            exponent = -exponent
    if not kept:
        return Fraction(0)
    q = (before_point if before_point > 0 else -zeros_after_point) + exponent
    if q >= MAGNITUDE_LIMIT:
        value = Fraction(2) ** 127
    elif q <= -MAGNITUDE_LIMIT:
        value = Fraction(0)
    else:
        value = extended(int(kept) * Fraction(10) ** (q - len(kept)))
    return -value if negative else value


# ---------------------------------------------------------------------------------------------
# The coil model: 32-bit stores, double within a line.

C = [f32(0.00346573), f32(0.01706), f32(0.00369226), f32(0.000511892), f32(3.99426e-5),
     f32(1.57224e-6), 2.409057e-8]
TOLERANCE = f32(0.0001)
PI = f32(3.14159)
USABLE = f32(0.95)
CAPACITANCE = f32(11.39)
RESONANCE = f32(159.2)
MM_PER_INCH = f32(25.4)


def divide(a, b):
    """a / b with IEEE results for a zero divisor."""
    if b == 0:
        if a == 0 or a != a:
            return math.nan
        return math.copysign(INF, a) * math.copysign(1.0, b)
    return a / b


def shape_factor(x):
    p = [1.0, x]
    for _ in range(5):
        p.append(p[-1] * x)
    s = -C[6] * p[6]
    s += C[5] * p[5]
    s -= C[4] * p[4]
    s += C[3] * p[3]
    s -= C[2] * p[2]
    s += C[1] * p[1]
    s += C[0]
    return f32(s)


def centre(d, h, n):
    return f32(d + h / n)


def wheeler(d, h, n):
    r = f32(d / 2 + h / (2 * n))
    rn = r * n
    return f32(rn * rn / (9 * r + 10 * h))


def short_coil(d, h, n):
    dc = centre(d, h, n)
    x = f32(dc / h)
    return f32(n * n * shape_factor(x) * dc)


def inductance(d, h, n):
    return short_coil(d, h, n) if centre(d, h, n) / h > 1 else wheeler(d, h, n)


def residual_wheeler(dc, h, L, n):
    r = f32(dc / 2)
    rn = r * n
    return f32(rn * rn / (9 * r + 10 * h) - L)


def residual_short(dc, h, L, n):
    x = f32(dc / h)
    return f32(shape_factor(x) * n * n * dc - L)


def search_residual(d, h):
    return residual_short if d / h > 1 else residual_wheeler


def turns(d, h, L, margins=None, mids=None):
    """N for L, or -1; `margins` as in solve(), `mids` (a list) gets each pass's midpoint."""
    residual = search_residual(d, h)
    lo, hi, tol = 2.0, 16384.0, f32(TOLERANCE * L)
    for _ in range(200):
        mid = f32((lo + hi) / 2)
        if mids is not None:
            mids.append(mid)
        f_lo, f_mid, f_hi = (residual(centre(d, h, t), h, L, t) for t in (lo, mid, hi))
        if not f_lo < 0 or not f_lo * f_hi < 0:
            return -1.0
        if margins is not None and L > 0:
            # Measured against L: the residual is a difference of two values of its size.
            margins.append(abs(abs(f_mid) - tol) / L)
        if abs(f_mid) <= tol:
            return f32(round(mid * 1000) / 1000)  # round() on a float: half to even
        if f_mid * f_lo >= 0:
            lo = mid
        else:
            hi = mid
    raise Undetermined("the turns search does not end")


def wire_gauge(h, n, margins=None):
    d = f32(h * USABLE / n)
    expression = INF if d == 0 else -20 * math.log10(d) - 10
    if margins is not None and math.isfinite(expression):
        # A relative change e of d moves the expression by about 8.7 e.
        margins.append(abs(expression - round(expression)) / 8.7)
    g = f32(float(math.ceil(expression))) if math.isfinite(expression) else expression
    return 0.0 if g <= 0 else g


# ---------------------------------------------------------------------------------------------
# The display: 18 digits rounded half to even, then n digits on the next digit alone.

def fmt(value, n):
    if value == 0 or value != value:
        return " 0"
    sign = "-" if value < 0 else " "
    if math.isinf(value):
        digits, p = "9" * n, 999
    else:
        mag = Decimal(abs(value))
        p = mag.adjusted() + 1
        m = int((mag.scaleb(18 - p)).to_integral_value(rounding=ROUND_HALF_EVEN))
        if m >= 10 ** 18:
            m //= 10
            p += 1
        s = str(m)
        digits = s[:n]
        nxt = int(s[n]) if n < 18 else 0
        if nxt > 5 or (nxt == 5 and int(digits[-1]) % 2 == 1):
            v = int(digits) + 1
            if len(str(v)) > n:
                v //= 10
                p += 1
            digits = str(v).rjust(n, "0")
    digits = digits.rstrip("0") or "0"
    j = len(digits)
    if p <= n and j - p <= n:
        if p >= j:
            body = digits + "0" * (p - j)
        elif p > 0:
            body = digits[:p] + "." + digits[p:]
        else:
            body = "." + "0" * (-p) + digits
    else:
        body = digits[0] + ("." + digits[1:] if j > 1 else "")
        body += "E" + ("+" if p > n else "-") + str(abs(p - 1))
    return sign + body


# ---------------------------------------------------------------------------------------------
# The solve: checks, messages and control writes in order.

INVALID = "Invalid data"
BAD_DIMENSIONS = (INVALID, "Diameter and Height must be numbers greater than zero")
TOO_FLAT = (INVALID, "Diameter/Height ratio must be less than 10.\r\n"
            "   Reduce diameter or increase height")
TOO_LONG = (INVALID, "Ratio of Height/Diameter must be less than 10.\r\n"
            "  Increase diameter or reduce height")
TOO_FEW_TURNS = (INVALID, "# of turns has been set to 2 (minimum legal value)")
TOO_MANY_TURNS = (INVALID, "Number of turns must be 16384 or less")
TOO_LARGE = (INVALID, "Number in inductance box must be\r\nless than 65536")
NO_SOLUTION = ("Invalid Data", "# of turns being asked for is out of range.")


def display_margin(value, n):
    """How far, relative to `value`, its n-digit text is from changing."""
    if value == 0 or not math.isfinite(value):
        return 1.0
    mag = Decimal(abs(value))
    scaled = mag.scaleb(n - mag.adjusted() - 1)
    return float(abs(scaled - int(scaled) - Decimal("0.5")) / scaled)


def solve(unit, mode, fields, margins=None):
    """The trace of one solve: [("message", caption, text) | ("set", field, text), ...].
    `unit` is "in" or "mm", `mode` "inductance" or "turns", `fields` the entry texts by name
    (a missing one is empty, the unit box "uH"). When `margins` is a list, the relative
    distance of each rounding decision from its edge is added to it: a small one marks a coil
    whose texts change with the last bit of a stored value."""
    trace = []

    def message(m):
        trace.append(("message",) + m)

    scale = 1.0 if unit == "in" else MM_PER_INCH
    d_entry = parse_number(fields.get("diameter", ""))
    h_entry = parse_number(fields.get("height", ""))
    d = stored_entry(d_entry / Fraction(scale), to_double(d_entry) / scale)
    h = stored_entry(h_entry / Fraction(scale), to_double(h_entry) / scale)
    suffix = "  inches" if scale == 1.0 else "  mm"
    # A size beyond the float range is refused like a non-positive one.
    if d <= 0 or h <= 0 or math.isinf(d) or math.isinf(h):
        message(BAD_DIMENSIONS)
        return trace
    if d / h > 10:
        message(TOO_FLAT)
        return trace
    if h / d > 10:
        message(TOO_LONG)
        return trace
    if mode == "inductance":
        n_entry = parse_number(fields.get("turns", ""))
        n = stored_entry(n_entry, to_double(n_entry))
        if n < 2:
            n = 2.0
            message(TOO_FEW_TURNS)
            trace.append(("set", "turns", "2"))
        if n > 16384:
            message(TOO_MANY_TURNS)
            return trace
        L = inductance(d, h, n)
        if margins is not None:
            margins += [abs(centre(d, h, n) / h - 1), abs(L / 1000 - 1), abs(L - 1)]
        if L >= 1000:
            shown, unit_text = f32(L / 1000), "mH"
        elif L >= 1:
            shown, unit_text = L, "uH"
        else:
            shown, unit_text = f32(L * 1000), "nH"
        inductance_text = fmt(shown, 4)
    else:
        inductance_text = fields.get("inductance", "")
        entered = parse_number(inductance_text)
        if entered > 65536:
            message(TOO_LARGE)
            return trace
        unit_text = fields.get("inductance_unit", "uH")
        if unit_text == "nH":
            L = stored_entry(entered / 1000, to_double(entered) / 1000)
        elif unit_text == "mH":
            L = stored_entry(entered * 1000, to_double(entered) * 1000)
        else:
            L = stored_entry(entered, to_double(entered))
        n = turns(d, h, L, margins)
        if n == -1:
            message(NO_SOLUTION)
            return trace
    dc = centre(d, h, n)
    wire = f32(scale * dc) * PI * n
    c = f32(dc * CAPACITANCE / (n - 1))
    f = f32(divide(RESONANCE, math.sqrt(c * L)))
    gauge = wire_gauge(h, n, margins)
    if margins is not None:
        numbers = [(wire, 5), (c, 4), (f, 3)] + ([(shown, 4)] if mode == "inductance" else [])
        margins += [display_margin(value, digits) for value, digits in numbers]
    for name, text in (
            ("inductance", inductance_text),
            ("inductance_unit", unit_text),
            ("turns", fmt(n, 3)),
            ("wire_length", "Wire Length: " + fmt(wire, 5) + suffix),
            ("wire_size", "Maximum wire size: " + fmt(gauge, 7) + "  AWG"),
            ("capacitance", "Stray Capacitance:  " + fmt(c, 4) + "  picofarads"),
            ("resonance", "Self-resonant at approximately:  " + fmt(f, 3) + "  MHz")):
        trace.append(("set", name, text))
    return trace


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        unit, mode, *texts = (arg.split(":") + [""] * 7)[:7]
        names = ("diameter", "height", "turns", "inductance", "inductance_unit")
        fields = {name: text for name, text in zip(names, texts) if text}
        print(arg)
        for event in solve(unit, "inductance" if mode == "L" else "turns", fields):
            print("   ", event)
