#!/usr/bin/python3
"""Writes tests/reference/format_vectors.txt: doubles and their number text at 18 digits.

Independent of the C++ writer: each double's exact decimal value (Python's Decimal of a float
is exact), rounded once to 18 significant digits, half to even, and written in the program's
number form: a blank or minus sign, the digits without trailing zeros, plainly when they fit
18 places either side of the point, else as d.ddd...E+-x.
Most values lie between 0.01 and 0.1, where the plain form needs 19 places after the point;
the rest spread over the decades from 1e-4 to 1e19, and ties to even come in on purpose.

    /usr/bin/python3 tests/reference/format_vectors.py > tests/reference/format_vectors.txt

Line: the double in C hexadecimal notation, a tab, the text.
"""
import random
from decimal import ROUND_HALF_EVEN, Decimal

DIGITS = 18


def number_text(value):
    exact = Decimal(value)
    if exact == 0:
        return " 0"
    sign = "-" if exact < 0 else " "
    exact = abs(exact)
    leading = exact.adjusted()  # exact = d1.d2d3... x 10^leading
    whole = exact.scaleb(DIGITS - 1 - leading).quantize(Decimal(1), rounding=ROUND_HALF_EVEN)
    if whole == 10**DIGITS:
        whole, leading = Decimal(10 ** (DIGITS - 1)), leading + 1
    digits = str(int(whole)).rstrip("0")
    p = leading + 1  # the value is 0.d1d2... x 10^p
    j = len(digits)
    if p > DIGITS or (p <= 0 and j - p > DIGITS):
        mantissa = digits[0] + ("." + digits[1:] if j > 1 else "")
        e = p - 1
        return sign + mantissa + "E" + ("+" if e >= 0 else "-") + str(abs(e))
    if p <= 0:
        return sign + "." + "0" * -p + digits
    if p >= j:
        return sign + digits + "0" * (p - j)
    return sign + digits[:p] + "." + digits[p:]


def main():
    rng = random.Random(20261209)
    values = [0.05, 0.01, 0.1 - 2**-56, -0.0375, 2**-5, 3 * 2**-7]
    values += [rng.uniform(0.01, 0.1) for _ in range(700)]
    # Ties at the 18th digit: short binary fractions with 19 significant digits.
    values += [k * 2.0**-20 for k in range(10486, 10486 + 40)]
    values += [rng.uniform(1, 10) * 10.0 ** rng.randint(-4, 19) for _ in range(250)]
    values += [-v for v in values[:30]]
    print("# Doubles and their number text at 18 digits, written by format_vectors.py.")
    for value in values:
        print(f"{value.hex()}\t{number_text(value)}")


if __name__ == "__main__":
    main()
