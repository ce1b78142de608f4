#!/usr/bin/python3
"""Writes tests/reference/frequency_vectors.txt: the coil at a frequency, to 30 significant digits.

Independent of the C++ code: the skin effect from mpmath's Bessel functions of complex
argument at 50 digits, Re[(x/2) J0(x) / J1(x)] with x = (1 - j) d / (2 delta); the DC
resistance of the wire bent into turns by integrating, with mpmath's quadrature, the 1/r of a
ring's current over the wire's section (no closed form); the resistance, Q, the values near the self-resonance and the tuning capacitance by plain
arithmetic from their definitions. Inputs are the doubles their shortest decimals read as.

    /usr/bin/python3 tests/reference/frequency_vectors.py > tests/reference/frequency_vectors.txt

Line kinds (SI units: metres, henries, farads, hertz, ohms, degrees Celsius):
    skin  D/DELTA  RATIO
    frequency D H N d  L C F0  F CELSIUS  RDC SKIN RAC/P Q*P LAPP RAPP/P QAPP*P CTUNE
        P is the proximity ratio, which comes from a table of its own: the values it scales
        are written per unit of it. nan: none (at or above F0; a tuning capacitance below 0).
"""
from mpmath import mp, mpf, mpc, besselj, re, sqrt, pi, hypot, quad, cos

from physics_vectors import INCH, MU0, awg, exact, helical, medhurst, out, text, wire

mp.dps = 50
RHO20 = mpf("1.7241e-8")
ALPHA = mpf("0.00393")


def skin(d_over_delta):
    if d_over_delta == 0:
        return mpf(1)
    x = mpc(1, -1) * d_over_delta / 2
    return re(x / 2 * besselj(0, x) / besselj(1, x))


def ring(Dw, d):
    """A ring's DC resistance over the straight wire's: in the ring the current goes as 1/r
    (r from the axis), so its conductance is sigma/(2 pi) times the integral of dA/r over the
    section, and the ratio is 1 / (a <1/r>), a = Dw/2 the centre radius, <> the section's mean."""
    a, b = Dw / 2, d / 2
    mean = quad(lambda s, t: s / (a + s * cos(t)), [0, b], [0, pi]) * 2 / (pi * b * b)
    return 1 / (a * mean)


def at_frequency(D, H, N, d, L, C, f0, f, celsius):
    rho = RHO20 * (1 + ALPHA * (celsius - 20))
    delta = sqrt(rho / (pi * f * MU0))
    Dw = D + d
    rdc = rho * N * hypot(pi * Dw, H / N) / (pi * d * d / 4) * ring(Dw, d)
    k = skin(d / delta)
    rac = rdc * k
    w = 2 * pi * f
    q = w * L / rac
    nan = mpf("nan")
    if f < f0:
        below = 1 - (f / f0) ** 2
        lapp, rapp = L / below, rac / below**2
        qapp = w * lapp / rapp
    else:
        lapp = rapp = qapp = nan
    ctune = 1 / (w * w * L) - C
    return [rdc, k, rac, q, lapp, rapp, qapp, ctune if ctune >= 0 else nan]


def main():
    print("# The coil at a frequency, 30 digits, written by frequency_vectors.py.")
    # The skin effect from DC to d/delta = 1000, 24 points a decade, densely around 30 where
    # the C++ code changes from its power series to its asymptotic expansion.
    points = [mpf(0)] + [exact(10 ** (i / 24)) for i in range(-72, 73)]
    points += [exact(mpf(20) + mpf(i) / 4) for i in range(0, 81)]
    points += [exact(x) for x in ["29.999999", "30.000001", "0.5", "2.5", "999.999"]]
    for x in sorted(set(points)):
        print("skin", text(x), out(skin(x)))

    # Coils in metres with their inductance, self-capacitance and self-resonance, each at a few
    # frequencies: where the skin effect is slight, developed, near and beyond the
    # self-resonance, and at temperatures other than 20 degrees.
    coils = [
        ("1", "1", 10, awg(11)),  # a 1 x 1 inch coil of 10 turns of AWG 11
        ("0.5", "2", 60, awg(26)),  # a long coil of thin wire
        ("3", "0.5", 4, awg(9)),  # a short coil of thick wire
        # Wire thick against its form (millimetres): a 1.2 mm form under 1 mm wire, where the
        # ring's resistance is 0.945 of the straight wire's; a form as thick as the wire, the
        # proximity table's edge; a 0.1 mm form, below it.
        ("1.2", "10", 8, "1"),
        ("1", "6", 5, "1"),
        ("0.1", "5", 4, "1"),
    ]
    for D, H, N, d in coils:
        scale = INCH if isinstance(d, mpf) else mpf("1e-3")
        D, H, N = exact(mpf(D) * scale), exact(mpf(H) * scale), exact(N)
        d = exact(d if isinstance(d, mpf) else mpf(d) * scale)
        Dw = D + d
        L, C, f0 = exact(wire(D, H, N, d)), exact(medhurst(Dw, H)), exact(helical(Dw, H, N))
        for f, celsius in [(exact("1000"), 20), (exact("455e3"), 20), (exact("7.1e6"), 20),
                           (exact("7.1e6"), 75), (exact("7.1e6"), -40), (exact(f0 * mpf("0.9")), 20),
                           (exact(f0 * mpf("0.999")), 20), (exact(f0 * mpf("1.2")), 20)]:
            values = at_frequency(D, H, N, d, L, C, f0, f, mpf(celsius))
            inputs = [D, H, N, d, L, C, f0, f, mpf(celsius)]
            print("frequency", " ".join(text(x) for x in inputs), " ".join(out(x) for x in values))


if __name__ == "__main__":
    main()
