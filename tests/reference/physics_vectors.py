#!/usr/bin/python3
"""Writes tests/reference/physics_vectors.txt: coil physics values to 30 significant digits.

Independent of the C++ reference: mpmath's own elliptic integrals at 60 digits for Lorenz's
formula, Rosa's mutual term summed pair by pair (no asymptotic series), the helical-line
resonance found by bracketing on the frequency itself, the turns by bracketing on N, the sheath
helix's energies by mpmath's tanh-sinh quadrature in the rings' separation (no panels, no
closed-form tail) at 40 digits, with the row of round wires' own field and gaps from its
multipoles at 20 digits (scripts/wire_row_model.py; the program reads a table of them), which
the sheath's lines are checked to 1e-9 against.
Inputs are written as the shortest decimals that read back as the same doubles, and are
used as exactly those doubles.

    /usr/bin/python3 tests/reference/physics_vectors.py > tests/reference/physics_vectors.txt
    /usr/bin/python3 tests/reference/physics_vectors.py --cli   (the command-line test coils)

Line kinds (SI units: metres, henries, farads, hertz):
    nagaoka RATIO  K
    sheet   DW H N  L
    mutual  N  KM
    wire    D H N d  L
    medhurst DW H  C
    helical DW H N  F
    sheath  D H N d  F         (the first self-resonance)
    grounded D H N d B  F      (the first resonance grounded B below the winding)
    reference D H N d  LSHEET L C FHELICAL FLUMPED FSHEATH
    turns   D H d L  N          (N = nan: no turns from 2 to H/d give L)
"""
import os
import random
import sys

from mpmath import mp, mpf, ellipk, ellipe, log, sqrt, pi, findroot, nstr, quad, cos, sin

mp.dps = 60
MU0 = mpf("1.25663706212e-6")
C0 = mpf(299792458)
INCH = mpf("0.0254")

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
import wire_row_model  # noqa: E402  (the row of round wires by its multipoles, not its table)


def wires(p, cot2, sin_psi, d, a):
    """Lambda and alpha / a of the row of turns, p cos psi apart, at 20 digits: the closest row
    the program takes is d / s = 0.98."""
    spacing = p * sqrt(cot2) * sin_psi
    x = min(d / spacing, wire_row_model.X_MAX)
    lam, alpha = wire_row_model.row(x, dps=20)
    return lam, alpha * spacing / a


def exact(x):
    """The double a 17-digit decimal text of x parses to, as an exact mpf."""
    return mpf(float(repr(float(x))))


def text(x):
    return repr(float(x))


def out(x):
    return nstr(x, 30, min_fixed=-5, max_fixed=5)


def nagaoka(ratio):
    k2 = ratio**2 / (1 + ratio**2)
    k = sqrt(k2)
    kc2 = 1 - k2
    kc = sqrt(kc2)
    K, E = ellipk(k2), ellipe(k2)
    return 4 / (3 * pi * kc) * (kc2 / k2 * (K - E) + E - k)


def sheet(Dw, H, N):
    return MU0 * pi * Dw**2 * N**2 * nagaoka(Dw / H) / (4 * H)


class Mutual:
    """Rosa's km(N) = (2/N) sum (N - j) t_j, from prefix sums of the exact pair terms."""

    def __init__(self):
        self.s1 = [mpf(0), mpf(0)]  # sum_{j<n} t_j at index n
        self.s2 = [mpf(0), mpf(0)]

    @staticmethod
    def pair(j):
        j = mpf(j)
        f = lambda u: u * u * log(u) / 2 if u > 0 else mpf(0)
        return log(j) + mpf(3) / 2 - (f(j + 1) - 2 * f(j) + f(j - 1))

    def whole(self, n):
        while len(self.s1) <= n:
            j = len(self.s1) - 1
            t = self.pair(j)
            self.s1.append(self.s1[-1] + t)
            self.s2.append(self.s2[-1] + j * t)
        return 2 * self.s1[n] - 2 * self.s2[n] / n

    def __call__(self, N):
        below = int(mp.floor(N))
        km = self.whole(below)
        if below == N:
            return km
        return km + (N - below) * (self.whole(below + 1) - km)


mutual = Mutual()


def wire(D, H, N, d):
    Dw = D + d
    ks = mpf(5) / 4 - log(2 * (H / N) / d)
    return sheet(Dw, H, N) - MU0 * Dw / 2 * N * (ks + mutual(N))


def medhurst(Dw, H):
    r = H / Dw
    return mpf("1e-12") * 100 * Dw * (mpf("0.1126") * r + mpf("0.08") + mpf("0.27") / sqrt(r))


def helical(Dw, H, N):
    p = H / N

    def excess(f):
        vf = 1 / sqrt(1 + 20 * (Dw / p) ** mpf(2.5) * sqrt(Dw * f / C0))
        return f - vf * C0 / (2 * H)

    top = C0 / (2 * H)
    return findroot(excess, (top * mpf("1e-30"), top), solver="anderson")


def sheath(Dw, H, N, d, parts=None):
    """The half-wave mode's energies on the finite sheath helix, (k a)^2 = Q / (cot^2 A + B),
    with the row of round wires' own field at every ring and its gaps' capacitance. `parts`, if
    given, takes wires()'s arguments and returns the own field for the inductance, that for the
    elastance and the gaps' alpha / a, to take the row's parts one at a time (the accuracy
    report's accounting)."""
    with mp.workdps(40):
        a = Dw / 2
        h = H / a
        p = H / N
        cot2 = (pi * Dw / p) ** 2
        sin_psi = 1 / sqrt(1 + cot2)
        if parts is None:
            grating, gap = wires(p, cot2, sin_psi, d, a)
            own_l = own_c = grating
        else:
            own_l, own_c, gap = parts(p, cot2, sin_psi, d, a)

        def kernels(u):
            if u < mpf("1e-15"):  # leading terms; where m rounds to 1 they are exact to 30 digits
                return log(8 / u) / pi, (log(8 / u) - 2) / pi
            m = 4 / (u * u + 4)
            K, E = ellipk(m), ellipe(m)
            scale = 2 / (pi * sqrt(u * u + 4))
            return scale * K, scale * (2 * (K - E) / m - K)

        def current(u):  # autocorrelation of cos(pi z / h) over the winding
            return (h - u) / 2 * cos(pi * u / h) + h / (2 * pi) * sin(pi * u / h)

        def charge(u):  # that of its slope
            return (pi / h) ** 2 * ((h - u) / 2 * cos(pi * u / h) - h / (2 * pi) * sin(pi * u / h))

        cuts = [mpf(0)]
        while cuts[-1] * 4 < h:
            cuts.append(max(cuts[-1] * 4, min(h / 4, mpf(1) / 4)))
        cuts.append(h)
        Q = quad(lambda u: charge(u) * kernels(u)[0], cuts)
        A = quad(lambda u: current(u) * kernels(u)[1], cuts)
        B = quad(lambda u: current(u) * kernels(u)[0], cuts)
        # The grating term is 2 Lambda times a delta function in u: half of it lies in u >= 0.
        Q += own_c * sin_psi * charge(mpf(0))
        B += own_l / sin_psi * current(mpf(0))
        # The gaps' capacitance in series along the line: (k a)^2 / (1 + (k a)^2 gap L').
        ka2 = Q / (cot2 * A + B)
        ka2 /= 1 + ka2 * gap * (cot2 * A + B) / current(mpf(0))
        return sqrt(ka2) * C0 / (2 * pi * a)


def grounded(Dw, H, N, d, b):
    """The coil grounded b below its winding: the trial currents cos(k x) and cos(3 k x), k =
    pi / 2h, their correlations within the winding and their convolutions with the ground's
    image integrated term by term from cos(alpha x + phase), the pair sums by tanh-sinh
    quadrature, the lead's inductance, and the least root of the 2 x 2 problem."""
    with mp.workdps(30):
        a = Dw / 2
        h, beta, rho = H / a, b / a, d / 2 / a
        p = H / N
        cot2 = (pi * Dw / p) ** 2
        sin_psi = 1 / sqrt(1 + cot2)
        grating, gap = wires(p, cot2, sin_psi, d, a)
        k = pi / (2 * h)
        waves = [k, 3 * k]
        currents = [(w, mpf(0), mpf(1)) for w in waves]  # (wavenumber, phase, amplitude)
        charges = [(w, -pi / 2, w / k) for w in waves]   # the slopes over k: sin, 3 sin

        def span(alpha, phase, lo, hi):  # int cos(alpha x + phase) dx
            if hi <= lo:
                return mpf(0)
            if alpha == 0:
                return (hi - lo) * cos(phase)
            return (sin(alpha * hi + phase) - sin(alpha * lo + phase)) / alpha

        def correlation(f, g, u):  # int f(x) g(x + u) dx over the winding
            (kf, pf, af), (kg, pg, ag) = f, g
            return af * ag / 2 * (span(kf - kg, pf - pg - kg * u, 0, h - u)
                                  + span(kf + kg, pf + pg + kg * u, 0, h - u))

        def convolution(f, g, v):  # int f(x) g(v - x) dx over the winding
            (kf, pf, af), (kg, pg, ag) = f, g
            lo, hi = max(mpf(0), v - h), min(h, v)
            return af * ag / 2 * (span(kf + kg, pf - pg - kg * v, lo, hi)
                                  + span(kf - kg, pf + pg + kg * v, lo, hi))

        def kernels(u):
            if u < mpf("1e-15"):
                return log(8 / u) / pi, (log(8 / u) - 2) / pi
            m = 4 / (u * u + 4)
            K, E = ellipk(m), ellipe(m)
            scale = 2 / (pi * sqrt(u * u + 4))
            return scale * K, scale * (2 * (K - E) / m - K)

        def own(f, g, which):  # the winding's pairs, halved
            cuts = [mpf(0), min(h, mpf(1)) / 64, min(h, mpf(1)) / 8, h]
            return quad(lambda u: (correlation(f, g, u) + correlation(g, f, u)) / 2
                        * kernels(u)[which], cuts)

        def image(f, g, which):  # the pairs with the image, 2 beta + v apart, halved
            cuts = [mpf(0), h / 64, h / 8, h, 2 * h]
            return quad(lambda v: convolution(f, g, v) * kernels(2 * beta + v)[which], cuts) / 2

        lead = beta * log(beta / rho + sqrt(1 + (beta / rho) ** 2)) - sqrt(beta**2 + rho**2) \
            + rho + beta * log(2)
        Q = [[0, 0], [0, 0]]
        M = [[0, 0], [0, 0]]
        for i in range(2):
            for j in range(2):
                qi, qj, ci, cj = charges[i], charges[j], currents[i], currents[j]
                Q[i][j] = (own(qi, qj, 0) - image(qi, qj, 0)
                           + grating * sin_psi * correlation(qi, qj, mpf(0)))
                M[i][j] = (cot2 * (own(ci, cj, 1) - image(ci, cj, 1)) + own(ci, cj, 0)
                           + image(ci, cj, 0) + grating / sin_psi * correlation(ci, cj, mpf(0))
                           + lead)
        qa = M[0][0] * M[1][1] - M[0][1] ** 2
        qb = Q[0][0] * M[1][1] + Q[1][1] * M[0][0] - 2 * Q[0][1] * M[0][1]
        qc = Q[0][0] * Q[1][1] - Q[0][1] ** 2
        lam = (qb - sqrt(qb * qb - 4 * qa * qc)) / (2 * qa)
        # The mode and its winding's inductance per length (the lead's left out), the gaps'
        # capacitance in series along it.
        v = [lam * M[0][1] - Q[0][1], Q[0][0] - lam * M[0][0]]
        winding = sum(v[i] * v[j] * (M[i][j] - lead) for i in range(2) for j in range(2))
        ka2 = k * k * lam
        ka2 /= 1 + ka2 * gap * winding / ((v[0] ** 2 + v[1] ** 2) * h / 2)
        return sqrt(ka2) * C0 / (2 * pi * a)


def turns(D, H, d, L):
    lo, hi = mpf(2), H / d
    if hi < 2:
        return None
    g = lambda N: wire(D, H, N, d) - L
    if not (g(lo) < 0 < g(hi)):
        return None
    return findroot(g, (lo, hi), solver="anderson")


def main():
    rng = random.Random(20261209)
    print("# Coil physics reference values, 30 digits, written by physics_vectors.py.")

    # Nagaoka's coefficient over diameter/length 1e-3 .. 1e3, 12 points a decade.
    for i in range(-36, 37):
        r = exact(10 ** (i / 12))
        print("nagaoka", text(r), out(nagaoka(r)))
    for r in ["0.1", "0.5", "1", "2", "10", "9.9", "10.1", "0.0999"]:
        print("nagaoka", r, out(nagaoka(exact(r))))

    for _ in range(20):
        Dw = exact(INCH * mpf(10) ** rng.uniform(-1.5, 1))
        H = exact(Dw * mpf(10) ** rng.uniform(-3, 3))
        N = exact(rng.choice([2, 7, 10, 33.5, 100, 1000.25, 16384]))
        print("sheet", text(Dw), text(H), text(N), out(sheet(Dw, H, N)))

    whole = list(range(1, 41)) + [50, 64, 100, 127, 500, 1000, 4096, 16383, 16384]
    for n in whole:
        print("mutual", n, out(mutual(mpf(n))))
    for n in ["1.5", "2.25", "10.5", "16.5", "16.75", "17.5", "99.9", "13.397", "16383.5"]:
        print("mutual", n, out(mutual(exact(n))))

    # Coils of the dialog's kind: 2 to 16384 turns, a wire between a tenth of the pitch and
    # the pitch itself.
    coils = []
    for _ in range(40):
        D = exact(INCH * mpf(10) ** rng.uniform(-1, 0.7))
        H = exact(D * mpf(10) ** rng.uniform(-1, 1))
        N = exact(rng.choice([2, 3, 5, 10, 13.397, 20, 50, 100, 500, 2000, 16384]))
        d = exact(H / N * mpf(rng.uniform(0.1, 1)))
        coils.append((D, H, N, d))
    for D, H, N, d in coils:
        print("wire", text(D), text(H), text(N), text(d), out(wire(D, H, N, d)))
    for D, H, N, d in coils[:15]:
        print("medhurst", text(D + d), text(H), out(medhurst(D + d, H)))
        print("helical", text(D + d), text(H), text(N), out(helical(D + d, H, N)))
        print("sheath", text(D), text(H), text(N), text(d), out(sheath(D + d, H, N, d)))
    for D, H, N, d in coils[15:30]:
        Dw = D + d
        L = wire(D, H, N, d)
        if L <= 0:
            continue
        C = medhurst(Dw, H)
        fields = [sheet(Dw, H, N), L, C, helical(Dw, H, N), 1 / (2 * pi * sqrt(L * C)),
                  sheath(Dw, H, N, d)]
        print("reference", text(D), text(H), text(N), text(d), " ".join(out(x) for x in fields))
    for D, H, N, d in coils[30:]:
        for scale in ["0.5", "1", "1.7"]:
            L = exact(wire(D, H, N, d) * mpf(scale))
            n = turns(D, H, d, L)
            print("turns", text(D), text(H), text(d), text(L), "nan" if n is None else out(n))
    grounded_lines()


def grounded_lines():
    """The coil grounded at its lower end: flat to long, few turns to many, standing on the
    ground, near it, and far above it (the last lines of the file)."""
    for D, H, N, d, b in [("0.02", "0.006", "5", "0.00048", "0"), ("0.02", "0.02", "8", "0.001", "0.01"),
                          ("0.01", "0.04", "12", "0.0013", "0.004"), ("0.05", "0.02", "5", "0.0016", "0.005"),
                          ("0.58", "1.6", "725", "0.00205", "0.15"), ("0.1", "0.5", "100", "0.002", "5"),
                          ("0.03", "0.3", "2000", "0.0001", "0"), ("0.2", "0.05", "3", "0.004", "0.5")]:
        D, H, N, d, b = (exact(x) for x in (D, H, N, d, b))
        print("grounded", text(D), text(H), text(N), text(d), text(b),
              out(grounded(D + d, H, N, d, b)))


def awg(n):
    return mpf("0.005") * INCH * mpf(92) ** ((36 - mpf(n)) / 39)


def cli_coils():
    """The reference objects of the coils in tests/cli/reference_cli_test.cpp."""
    import struct
    f32 = lambda x: mpf(struct.unpack("f", struct.pack("f", float(x)))[0])
    cases = [
        # name, D and H in inches as the dialog stores them, turns, wire, wanted L in uH
        ("1 x 1 inch, 10 turns, AWG 11", f32(1), f32(1), f32(10), awg(11), None),
        ("1 x 1 inch, 10 turns, 0.05 inch wire", f32(1), f32(1), f32(10), exact("0.05") * INCH, None),
        ("2 x 1 inch for 10 uH, 13.397 turns, AWG 13", f32(2), f32(1), f32("13.397"), awg(13), 10),
    ]
    for name, D, H, N, d, wanted in cases:
        D, H = D * INCH, H * INCH
        Dw = D + d
        L = wire(D, H, N, d)
        C = medhurst(Dw, H)
        values = [("sheet_inductance_uH", sheet(Dw, H, N) * 10**6), ("inductance_uH", L * 10**6),
                  ("self_capacitance_pF", C * 10**12),
                  ("self_resonance_MHz", sheath(Dw, H, N, d) / 10**6),
                  ("lumped_resonance_MHz", 1 / (2 * pi * sqrt(L * C)) / 10**6)]
        if wanted is not None:
            values.append(("turns", turns(D, H, d, wanted * mpf("1e-6"))))
        print(name)
        for key, value in values:
            print("   ", key, nstr(value, 30))


if __name__ == "__main__":
    import sys
    if sys.argv[1:] == ["--cli"]:
        cli_coils()
    elif sys.argv[1:] == ["--grounded"]:  # the grounded lines alone, to append after a change
        grounded_lines()
    else:
        main()
