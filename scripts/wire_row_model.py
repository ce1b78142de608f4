#!/usr/bin/python3
"""The field of a row of round wires, the turns of a winding seen across the wire: a numerical
model, its checks, its table.

What it models: a plane row of parallel round conductors, radius r, centres s apart, in two
dimensions (the winding's curvature and pitch neglected across one turn's spacing). Each
conductor's surface is one potential (electrostatics), or one value of the vector potential
along the wire (magnetostatics at radio frequencies, the current on the surface). Two problems
give what a smooth sheet of current and charge leaves out:

  Lambda   every wire carries the same charge q (current I): the wire's potential less the
           sheet's at the row's plane, in units of q / (2 pi eps0). For thin wires it is
           ln(s / (pi d)); near touching the charge moves to the wires' outer faces.
  alpha    a uniform field E along the row, across the wires (the winding's field along its
           axis): the wires polarise, each carrying +-charges on its faces; the row holds a
           dipole moment per area P = eps0 alpha E, alpha a length. For thin wires it is
           2 pi r^2 / s (a conducting cylinder's); it grows without bound as the gaps close,
           the capacitance between neighbouring turns.

The method: the potential outside the wires is that of the row's line charges plus, at every
wire, the multipoles cos(m theta) / rho^m (m even for Lambda, odd for alpha), summed over the
row in closed form (the sums of 1/(n s)^k are 2 zeta(k) / s^k); the coefficients make each
surface an equipotential, m up to 2M, M raised until the values stop changing.

    /usr/bin/python3 scripts/wire_row_model.py check   the model against an independent one
                                                       (line sources inside the wires, fitted
                                                       on their surfaces), a CTest test
    /usr/bin/python3 scripts/wire_row_model.py table   physics/wire_row_table.inc
    /usr/bin/python3 scripts/wire_row_model.py X       Lambda and alpha / s at d / s = X
    /usr/bin/python3 scripts/wire_row_model.py rings H/Dw P/D N
        the whole coil's turns as coaxial rings of round wire (docs/accuracy.md): how much the
        charge's moving round each wire lowers the half-wave mode's electric energy, and the
        current's moving round it (the wires keeping the field out) its inductance

The rings: N coaxial rings of round wire (the pitch neglected), each wire's surface cut into M
panels, each panel a ring strip. Electric: each strip a ring of uniform charge, Maxwell's ring
kernel K(m) / (2 pi^2 eps0 sqrt((R + R')^2 + dz^2)) between strips (4 Gauss points along the
source strip), a flat strip's own potential on the diagonal; the turns carry the half-wave
mode's charges, sin(pi z / H), each wire at one potential. Magnetic, at radio frequencies: the
wires perfect conductors, each strip a ring filament of current, Maxwell's mutual inductance of
coaxial circles between strips, a strip's own inductance on the diagonal; the turns carry the
mode's currents, cos(pi z / H), every strip of a turn linking one flux (the turn's one
voltage). Each energy is taken over that with the charge or current spread evenly round every
wire (the thin wire's, which the sheet's Lambda stands for), less 1. The magnetic panels
converge as 1/M: the figure given is 2 f(64) - f(32).
"""

import math
import os
import sys

from mpmath import mp, mpf, matrix, lu_solve, zeta, binomial, log, pi, sqrt, nstr

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The closest row the table holds, d / s; closer windings are taken at it (docs/accuracy.md).
X_MAX = mpf("0.98")
# The table's nodes, uniform in u = sqrt(1 - x) from u = 1 (x = 0) to sqrt(1 - X_MAX).
NODES = 240


def row(x, dps=30):
    """(Lambda, alpha / s) of the row at x = d / s (0 < x < 1): the multipoles doubled from 8 a
    problem until two solutions agree to dps - 3 digits."""
    with mp.workdps(dps + 5):
        x = mpf(x)
        terms = 8
        last = _row(x, terms)
        while True:
            terms *= 2
            now = _row(x, terms)
            if all(abs(a - b) <= abs(a) * mpf(10) ** (3 - dps) for a, b in zip(now, last)):
                return now
            last = now


def _row(x, terms):
    t = x / 2  # r / s
    zetas = [mpf(0), mpf(0)] + [zeta(k) for k in range(2, 4 * terms + 4)]

    def coupling(m, k):
        # At wire 0, the local expansion of the other wires' cos(m theta)/rho^m terms (in units
        # of r^m): its cos(k theta) coefficient on the surface rho = r.
        if (m + k) % 2:
            return mpf(0)
        return t ** (m + k) * (-1) ** m * binomial(m + k - 1, k) * 2 * zetas[m + k]

    def solve(orders, source):
        n = len(orders)
        system = matrix(n, n)
        for i, k in enumerate(orders):
            for j, m in enumerate(orders):
                system[i, j] = (1 if m == k else 0) + coupling(m, k)
        return lu_solve(system, matrix([source(k) for k in orders]))

    # Lambda: the row of line charges -ln|2 sin(pi z / s)| is the sheet's -pi |y| / s far away
    # and ln(s / (2 pi r)) - sum zeta(2j)/j (r/s)^2j cos(2j theta) on the surface.
    even = list(range(2, 2 * terms + 1, 2))
    coeff = solve(even, lambda k: -zetas[k] / (k // 2) * t ** k)
    lam = log(1 / (2 * pi * t)) + sum(coeff[i] * 2 * zetas[m] * t ** m for i, m in enumerate(even))
    # alpha: the field E = 1 along the row, -x = -r cos(theta) on the surface; the dipole term
    # a_1 r cos(theta) / rho is a moment 2 pi eps0 a_1 r per wire.
    odd = list(range(1, 2 * terms, 2))
    coeff = solve(odd, lambda k: t if k == 1 else mpf(0))
    return lam, 2 * pi * coeff[0] * t


def row_double(x):
    """row() in doubles (numpy), for the table: 64 multipoles a problem, or 128 above d/s = 0.9.
    Written apart from row(), whose mpmath takes a minute near touching; check() holds the
    table it writes against row()."""
    import numpy as np

    terms = 128 if x > 0.9 else 64
    t = x / 2
    z = [0.0, 0.0] + [float(zeta(k)) for k in range(2, 4 * terms + 4)]
    logs = [math.lgamma(n + 1) for n in range(4 * terms + 4)]

    def system(orders, sign):
        a = np.eye(len(orders))
        for i, k in enumerate(orders):
            for j, m in enumerate(orders):
                if (m + k) % 2 == 0:
                    size = math.exp((m + k) * math.log(t) + logs[m + k - 1] - logs[k] - logs[m - 1])
                    a[i, j] += sign * (-1) ** m * size * 2 * z[m + k]
        return a

    even = list(range(2, 2 * terms + 1, 2))
    coeff = np.linalg.solve(system(even, 1), [-z[k] / (k // 2) * t ** k for k in even])
    lam = math.log(1 / (2 * math.pi * t)) + sum(c * 2 * z[m] * t ** m for c, m in zip(coeff, even))
    odd = list(range(1, 2 * terms, 2))
    coeff = np.linalg.solve(system(odd, 1), [t if k == 1 else 0.0 for k in odd])
    return lam, 2 * math.pi * coeff[0] * t


def _rings(shape, pitch_over_wire, turns, panels, kernel, own, base=None):
    """The turns as coaxial rings of round wire, each surface cut into `panels` strips: the
    strips' coupling kernel(r_i, z_i, r_j, z_j) averaged over each source strip (four points)
    with own(r, width) on the diagonal, the rings' axial positions over H (from -1/2 to 1/2),
    and the strip-to-ring map (lengths in wire radii, N turns p apart on a diameter H / shape).
    With a `base` (over H), a ground plane that far below the winding: every strip's image,
    its charge and azimuthal current reversed, taken off its coupling."""
    import numpy as np

    r, p = 1.0, 2.0 * pitch_over_wire
    a = turns * p / shape / 2
    angle = 2 * np.pi * (np.arange(panels) + 0.5) / panels
    z = (np.arange(turns) - (turns - 1) / 2) * p
    big_r = (a + r * np.cos(angle))[None, :].repeat(turns, 0).ravel()
    big_z = (z[:, None] + r * np.sin(angle)[None, :]).ravel()
    n = turns * panels
    coupling = np.zeros((n, n))
    for node, weight in zip(*np.polynomial.legendre.leggauss(4)):
        t = angle + node * np.pi / panels
        src_r = (a + r * np.cos(t))[None, :].repeat(turns, 0).ravel()
        src_z = (z[:, None] + r * np.sin(t)[None, :]).ravel()
        coupling += weight / 2 * kernel(big_r[:, None], big_z[:, None], src_r[None, :],
                                         src_z[None, :])
        if base is not None:
            plane = -turns * p * (0.5 + base)
            coupling -= weight / 2 * kernel(big_r[:, None], big_z[:, None], src_r[None, :],
                                             2 * plane - src_z[None, :])
    np.fill_diagonal(coupling, own(big_r, 2 * np.pi * r / panels))
    wire = np.zeros((n, turns))
    wire[np.arange(n), np.repeat(np.arange(turns), panels)] = 1
    return coupling, z / (turns * p), wire


def _free_over_even(coupling, wire, load):
    """Each ring's `load` free to move round its surface, every strip of a ring at one level
    (potential or linked flux), against the same load spread evenly: the energy's ratio less 1."""
    import numpy as np

    n, turns = wire.shape
    system = np.block([[coupling, -wire], [wire.T, np.zeros((turns, turns))]])
    level = np.linalg.solve(system, np.concatenate([np.zeros(n), load]))[n:]
    even = wire @ load / wire.sum(axis=0)[0]
    return (load @ level) / (even @ (coupling @ even)) - 1


def _ring_terms(r1, z1, r2, z2):
    import numpy as np
    import scipy.special

    sq = (r1 + r2) ** 2 + (z1 - z2) ** 2
    m = np.minimum(4 * r1 * r2 / sq, 1 - 1e-16)
    return sq, m, scipy.special.ellipk(m), scipy.special.ellipe(m)


def rings_energy(shape, pitch_over_wire, turns, panels=64):
    """The half-wave mode's electric energy, its charge free on each wire over spread evenly,
    less 1 (the potential of ring charges; a strip's own, (ln(16 R / w) + 1) / (4 pi^2 R))."""
    import numpy as np

    def potential(r1, z1, r2, z2):
        sq, _, k, _ = _ring_terms(r1, z1, r2, z2)
        return k / (2 * np.pi**2 * np.sqrt(sq))

    def own(r, width):
        return (np.log(16 * r / width) + 1) / (4 * np.pi**2 * r)

    coupling, z, wire = _rings(shape, pitch_over_wire, turns, panels, potential, own)
    return _free_over_even(coupling, wire, np.sin(np.pi * z))


def rings_inductance(shape, pitch_over_wire, turns, panels=64, base=None):
    """The half-wave mode's inductance at radio frequencies, the wires perfect conductors (the
    current free round each wire's surface, every strip of a ring linking one flux), over the
    same currents spread evenly, less 1: Maxwell's mutual inductance of coaxial circles, a
    strip's own mu0 R (ln(8 R / w) - 1/2) (a strip's distance from itself w e^(-3/2))."""
    import numpy as np

    def mutual(r1, z1, r2, z2):
        sq, m, k, e = _ring_terms(r1, z1, r2, z2)
        root = np.sqrt(m)
        return np.sqrt(r1 * r2) * ((2 / root - root) * k - 2 / root * e)

    def own(r, width):
        return r * (np.log(8 * r / width) - 0.5)

    coupling, z, wire = _rings(shape, pitch_over_wire, turns, panels, mutual, own, base)
    if base is not None:  # grounded below: the quarter-wave mode, greatest at the ground
        return _free_over_even(coupling, wire, np.cos(np.pi * (z + 0.5) / 2))
    return _free_over_even(coupling, wire, np.cos(np.pi * z))


def rings_exclusion(shape, pitch_over_wire, turns, base=None):
    """rings_inductance() with its panels' 1/M error taken out: 2 f(64) - f(32)."""
    return (2 * rings_inductance(shape, pitch_over_wire, turns, 64, base)
            - rings_inductance(shape, pitch_over_wire, turns, 32, base))


def sources_check(x, count=48):
    """The same two values by another method: `count` periodic line sources on a circle of 0.6 r
    inside a wire, their strengths fitted by least squares to an equipotential at 2 count points
    on its surface (numpy, double)."""
    import numpy as np

    r = x / 2  # s = 1
    inner = 0.6 * r
    src = inner * np.exp(2j * np.pi * (np.arange(count) + 0.5) / count)
    pts = r * np.exp(2j * np.pi * np.arange(2 * count) / (2 * count))

    def green(z, w):  # a row of unit line charges at w + n, 2 pi eps0 = 1
        return -np.log(np.abs(2 * np.sin(np.pi * (z[:, None] - w[None, :]))))

    g = green(pts, src)
    # Lambda: the sources' total is the wire's unit charge; the potential, a constant V.
    a = np.hstack([g, -np.ones((len(pts), 1))])
    a = np.vstack([a, np.hstack([np.ones(count), [0.0]])])
    rhs = np.zeros(len(pts) + 1)
    rhs[-1] = 1.0
    lam = np.linalg.lstsq(a, rhs, rcond=None)[0][-1]
    # alpha: no net charge, the surface at potential 0 in the field -x; the moment sum q_j w_j.
    a = np.vstack([g, np.ones((1, count))])
    rhs = np.concatenate([pts.real, [0.0]])
    q = np.linalg.lstsq(a, rhs, rcond=None)[0]
    alpha = 2 * np.pi * float(np.sum(q * src.real))
    return lam, alpha


def node(i):
    u = 1 - (1 - math.sqrt(1 - float(X_MAX))) * i / NODES
    return 1 - u * u


def smooth(x):
    """What the table holds at x: Lambda less its thin-wire form ln(1/(pi x)), and alpha over its
    thin-wire form pi x^2 / 2 (in units of s) times sqrt(1 - x): both smooth in u, limits 0, 1."""
    if x == 0:
        return 0.0, 1.0
    lam, alpha = row_double(float(x))
    return lam - math.log(1 / (math.pi * x)), alpha / (math.pi * x * x / 2) * math.sqrt(1 - x)


def write_table(path):
    values = [smooth(node(i)) for i in range(NODES + 1)]
    with open(path, "w", encoding="utf-8") as out:
        out.write("// The field of a row of round wires, tabulated by scripts/wire_row_model.py:"
                  " generated, do not\n// edit. Made by /usr/bin/python3 scripts/wire_row_model.py"
                  " table. Nodes uniform in\n// u = sqrt(1 - d/s) from 1 to sqrt(1 - X_MAX);"
                  " each row: Lambda - ln(s/(pi d)) and\n// alpha / (pi d^2 / (2 s)) sqrt(1 - d/s)"
                  " (docs/accuracy.md).\n")
        out.write(f"constexpr double WIRE_ROW_X_MAX = {nstr(X_MAX, 17)};\n")
        out.write(f"constexpr int WIRE_ROW_NODES = {NODES};\n")
        out.write("constexpr double WIRE_ROW_TABLE[][2] = {\n")
        for lam, alpha in values:
            out.write(f"    {{{lam!r}, {alpha!r}}},\n")
        out.write("};\n")


def interpolated(values, x):
    """The C++ reading of the table (four-point Lagrange in u), to check it here."""
    u = math.sqrt(1 - x)
    top = math.sqrt(1 - float(X_MAX))
    pos = (1 - u) / (1 - top) * NODES
    i = min(max(int(pos) - 1, 0), NODES - 3)
    out = []
    for col in range(2):
        total = 0.0
        for j in range(4):
            w = 1.0
            for k in range(4):
                if k != j:
                    w *= (pos - (i + k)) / ((i + j) - (i + k))
            total += w * float(values[i + j][col])
        out.append(total)
    return out


def check():
    failed = 0
    # The two methods agree where both converge.
    for x in [0.05, 0.3, 0.6, 0.85, 0.95]:
        lam, alpha = row(x, dps=20)
        lam2, alpha2 = sources_check(x)
        ok = abs(lam - lam2) < 1e-7 and abs(alpha / alpha2 - 1) < 1e-6
        failed += not ok
        print(f"{'ok' if ok else 'FAILED'}: d/s = {x}: Lambda {nstr(lam, 10)} (sources "
              f"{lam2:.10f}), alpha/s {nstr(alpha, 10)} (sources {alpha2:.10f})")
    # Thin wires: ln(s / (pi d)) and 2 pi r^2 / s, to order x^2.
    lam, alpha = row(mpf("0.001"), dps=20)
    ok = abs(lam - log(1 / (pi * mpf("0.001")))) < 1e-6 and abs(alpha / (pi * mpf("1e-6") / 2) - 1) < 1e-5
    failed += not ok
    print(f"{'ok' if ok else 'FAILED'}: thin wires: Lambda {nstr(lam, 12)}, alpha/s {nstr(alpha, 8)}")
    # The table as C++ reads it, between its nodes, against the model.
    path = os.path.join(ROOT, "physics", "wire_row_table.inc")
    with open(path, encoding="utf-8") as text:
        rows = [line.strip().strip("{},").split(",") for line in text
                if line.startswith("    {")]
    values = [(float(a), float(b)) for a, b in rows]
    worst = 0.0
    for x in [0.01, 0.2, 0.5, 0.77, 0.9, 0.97, 0.979]:
        lam, alpha = row(mpf(x), dps=20)
        want = (lam - log(1 / (pi * x)), alpha / (pi * mpf(x) ** 2 / 2) * sqrt(1 - mpf(x)))
        got = interpolated(values, x)
        worst = max(worst, abs(got[0] - float(want[0])), abs(got[1] / float(want[1]) - 1))
    ok = worst < 2e-9
    failed += not ok
    print(f"{'ok' if ok else 'FAILED'}: the table between its nodes, worst {worst:.1e} (2e-9)")
    # The rings: thin wires far apart keep their charge spread evenly; close ones do not, and
    # the panels converge.
    thin = rings_energy(1.0, 20.0, 8, 16)
    coarse, fine = rings_energy(1.5, 1.1, 8, 32), rings_energy(1.5, 1.1, 8, 64)
    ok = abs(thin) < 1e-3 and fine < -0.05 and abs(coarse / fine - 1) < 1e-2
    failed += not ok
    print(f"{'ok' if ok else 'FAILED'}: rings: thin wires {thin:.1e}, 8 close turns {coarse:.4f} "
          f"(32 panels) / {fine:.4f} (64)")
    # The magnetic rings: thin wires far apart keep their current spread evenly; close ones do
    # not, in agreement with the winding's cells at d/delta 200 (scripts/proximity_model.py,
    # another method: filaments through the copper, a skin depth not quite nothing).
    import proximity_model

    thin = rings_inductance(1.0, 20.0, 8, 16)
    coarse, fine = rings_inductance(1.5, 1.1, 8, 32), rings_inductance(1.5, 1.1, 8, 64)
    surface = 2 * fine - coarse
    cells = proximity_model.exclusion(1.5, 1.1, 8)[1]
    ok = (abs(thin) < 1e-3 and surface < -0.15 and abs(coarse / fine - 1) < 0.02
          and abs(cells / surface - 1) < 0.1)
    failed += not ok
    print(f"{'ok' if ok else 'FAILED'}: magnetic rings: thin wires {thin:.1e}, 8 close turns "
          f"{coarse:.4f} (32 panels) / {fine:.4f} (64), {surface:.4f} (the cells {cells:.4f})")
    sys.exit(1 if failed else 0)


def main():
    if len(sys.argv) == 2 and sys.argv[1] == "check":
        check()
    elif len(sys.argv) == 2 and sys.argv[1] == "table":
        write_table(os.path.join(ROOT, "physics", "wire_row_table.inc"))
    elif len(sys.argv) == 5 and sys.argv[1] == "rings":
        shape, pitch, turns = float(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
        print(f"the half-wave mode's electric energy, the charge free on each wire against spread"
              f" evenly: {100 * rings_energy(shape, pitch, turns):+.2f} %")
        print(f"its inductance, the wires keeping the field out against the current spread"
              f" evenly: {100 * rings_exclusion(shape, pitch, turns):+.2f} %")
    elif len(sys.argv) == 2:
        lam, alpha = row(mpf(sys.argv[1]))
        print(nstr(lam, 20), nstr(alpha, 20))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
