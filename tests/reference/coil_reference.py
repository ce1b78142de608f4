#!/usr/bin/env python3
"""Independent reference for the expected texts of the solve tests.

Re-derives the model and the 18-then-n digit rounding of the number display from the formulas,
in Python: floats rounded to 32 bits with struct, decimal digits exact with the decimal module.
Run it to print the seven control texts of each scenario named on the command line, e.g.
    tests/reference/coil_reference.py in:L:1:1:10 mm:T:10:20::5:uH
(unit:mode:diameter:height:turns:inductance:unit; plain decimal entries only).
"""
import math
import struct
import sys
from decimal import Decimal, ROUND_HALF_EVEN, getcontext

getcontext().prec = 2000


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


C = [f32(0.00346573), f32(0.01706), f32(0.00369226), f32(0.000511892), f32(3.99426e-5),
     f32(1.57224e-6), 2.409057e-8]


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


def wheeler_from_dc(dc, h, n):
    r = f32(dc / 2)
    return (r * n) ** 2 / (9 * r + 10 * h)


def inductance(d, h, n):
    dc = f32(d + h / n)
    if dc / h > 1:
        x = f32(dc / h)
        return f32(n * n * shape_factor(x) * dc)
    r = f32(d / 2 + h / (2 * n))
    return f32((r * n) ** 2 / (9 * r + 10 * h))


def turns(d, h, L):
    short = d / h > 1

    def res(n):
        dc = f32(d + h / n)
        if short:
            x = f32(dc / h)
            return f32(shape_factor(x) * n * n * dc - L)
        return f32(wheeler_from_dc(dc, h, n) - L)

    lo, hi, tol = 2.0, 16384.0, f32(f32(0.0001) * L)
    for _ in range(1000):
        mid = f32((lo + hi) / 2)
        flo, fmid, fhi = res(lo), res(mid), res(hi)
        if not flo < 0 or not flo * fhi < 0:
            return -1
        if abs(fmid) <= tol:
            return f32(round(mid * 1000) / 1000)  # Python's round is half to even
        if fmid * flo >= 0:
            lo = mid
        else:
            hi = mid
    return -1


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


def solve(unit, mode, dtext, htext, ntext, ltext, utext):
    scale = 1.0 if unit == "in" else f32(25.4)
    d = f32(float(dtext) / scale)
    h = f32(float(htext) / scale)
    if mode == "L":
        n = f32(float(ntext or 0))
        if n < 2:
            n = 2.0
        L = inductance(d, h, n)
        if L >= 1000:
            shown, utext = f32(L / 1000), "mH"
        elif L >= 1:
            shown, utext = L, "uH"
        else:
            shown, utext = f32(L * 1000), "nH"
        ltext = fmt(shown, 4)
    else:
        e = float(ltext)
        L = f32(e / 1000 if utext == "nH" else e * 1000 if utext == "mH" else e)
        n = turns(d, h, L)
        if n == -1:
            return ["no solution"]
    dc = f32(d + h / n)
    wire = f32(scale * dc) * f32(3.14159) * n
    g = f32(math.ceil(-20 * math.log10(f32(h * f32(0.95) / n)) - 10))
    g = 0.0 if g <= 0 else g
    c = f32(dc * f32(11.39) / (n - 1))
    f = f32(f32(159.2) / math.sqrt(c * L))
    suffix = "  inches" if unit == "in" else "  mm"
    return [ltext, utext, fmt(n, 3), "Wire Length: " + fmt(wire, 5) + suffix,
            "Maximum wire size: " + fmt(g, 7) + "  AWG",
            "Stray Capacitance:  " + fmt(c, 4) + "  picofarads",
            "Self-resonant at approximately:  " + fmt(f, 3) + "  MHz"]


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        print(arg, solve(*(arg.split(":") + [""] * 7)[:7]))
