#!/usr/bin/python3
"""The proximity effect of a single-layer winding: a numerical model, its checks, its table.

What it models: each of the N turns is a coaxial ring of round copper wire (diameter d, centre
diameter Dw, the turns p = H/N apart); the helix's pitch is neglected in the coupling. The
wire's cross-section is cut into annular-sector cells, finer near the surface (graded with the
skin depth delta); each cell is a coaxial ring filament carrying a uniform current, its
resistance from the integral of 1/r over the cell. Mutual inductances come from Maxwell's
formula for two coaxial circles (between neighbouring cells with their geometric mean distance
instead of the centres' distance), each filament's own inductance from a ring of its
cross-section, mu0 R (ln(8R/g) - 2), g the cell's geometric mean distance from itself.
All turns carry the same current in series; the filaments of one turn share one voltage.
The complex system (R + j omega M) I = V is solved at the frequency: up to 25 turns directly,
the coil's mirror symmetry (turn k carries what turn N-1-k does) halving the unknowns and one
eigendecomposition serving every frequency; above, by GMRES with the coupling applied by FFTs
over the turns (it depends only on their offset).

What it neglects: the helix's pitch and lead wires, the current's variation along a filament,
the wire's insulation, the coil's self-capacitance (the current is the same in every turn).

The ratio it reports: the coil's R(f)/R(0) over the straight, isolated wire's exact
Re[(x/2) J0(x)/J1(x)], x = (1-j) d/(2 delta); it is exactly 1 at DC.

    /usr/bin/python3 scripts/proximity_model.py check   fast self-checks (a CTest test)
    nice /usr/bin/python3 scripts/proximity_model.py table  physics/proximity_table.inc
    nice /usr/bin/python3 scripts/proximity_model.py checks  the model at random coils,
        tests/reference/proximity_checks.txt
    nice /usr/bin/python3 scripts/proximity_model.py rings  the resistance of coils of wire
        thick against their form, tests/reference/ring_checks.txt
    /usr/bin/python3 scripts/proximity_model.py H/Dw P/D N D/DELTA   one value
    /usr/bin/python3 scripts/proximity_model.py exclusion H/Dw P/D N   how far the wires' own
        crowding lowers the inductance at radio frequencies (docs/accuracy.md)
"""

import math
import os
import sys
import time

try:
    import numpy as np
    import scipy.linalg
    import scipy.special
except ImportError:
    # 77: CTest's "skipped" for the self-check on a machine without the report's packages.
    print("proximity_model.py needs numpy and scipy: scripts/setup-debian.sh report",
          file=sys.stderr)
    sys.exit(77)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Lengths are in wire radii, mu0 = sigma = 1: a filament's resistance is 2 pi R / A and
# omega = 2 / delta^2 = x^2 / 2 for x = d / delta = 2 / delta.

# The smallest centre radius the model takes (wire radii): Dw = 2 d, a form as thick as the
# wire. The table's nodes asking for less (thinner forms, or none at all) are computed there,
# the coil of their N and p/d nearest to them, so that interpolating between the coils near
# them stays smooth.
MIN_CENTRE_RADIUS = 2.0


def skin_ratio(x):
    """The straight, isolated round wire's R(f)/R(0) at d/delta = x, exact."""
    if x == 0:
        return 1.0
    z = (1 - 1j) * x / 2
    # Scaled Bessel functions keep the ratio finite at large x.
    return float(np.real(z / 2 * scipy.special.jve(0, z) / scipy.special.jve(1, z)))


def cross_section(x, sectors):
    """The cells of a wire of radius 1 at d/delta = x, as arrays: centroid radius rho and
    angle phi (phi = 0 points away from the coil's axis), mean radius, thickness h, angular
    width dphi (0 for the core disk) and the index of the mirror image (phi -> -phi).

    Layers start at 0.3 delta at the surface and grow by 1.4 inwards up to 0.12 wire radii;
    a layer has `sectors` cells, or fewer where that many would be over 1.5 times as wide as
    the layer is thick."""
    delta = 2.0 / x
    t = 0.3 * delta
    edges = [1.0]
    while edges[-1] - t > 0.12:
        edges.append(edges[-1] - t)
        t = min(t * 1.4, 0.12)
    edges.append(0.0)
    cells = []
    for k in range(len(edges) - 1):
        r2, r1 = edges[k], edges[k + 1]
        if r1 == 0.0:
            cells.append((0.0, 0.0, 0.0, r2, 0.0, len(cells)))
            continue
        h = r2 - r1
        # Cells no wider than 1.5 times their thickness, except in the thin outer layers.
        n = max(4, min(sectors, 2 * round(math.pi * (r1 + r2) / 2 / (1.5 * h))))
        dphi = 2 * math.pi / n
        base = len(cells)
        rc = 2.0 / 3.0 * (r2**3 - r1**3) / (r2**2 - r1**2) * math.sin(dphi / 2) / (dphi / 2)
        for s in range(n):
            cells.append((rc, (s + 0.5) * dphi, (r1 + r2) / 2, h, dphi, base + n - 1 - s))
    return {name: np.array([c[i] for c in cells])
            for i, name in enumerate(("rho", "phi", "mid", "h", "dphi", "mirror"))}


GAUSS_T = np.polynomial.legendre.leggauss(3)
GAUSS_W = np.polynomial.legendre.leggauss(8)


def _segment_log(px, pz, cx, cz, tx, tz, half):
    """The mean over a straight segment (centre c, unit direction t, half-length half) of
    ln|P - Q|, exactly: the integral of ln sqrt(u^2 + h^2) over u is
    u ln sqrt(u^2 + h^2) - u + h atan(u/h)."""
    dx, dz = px - cx, pz - cz
    along = dx * tx + dz * tz
    h = np.abs(dx * tz - dz * tx)

    def prim(u):
        return 0.5 * scipy.special.xlogy(u, u * u + h * h) - u + h * np.arctan2(u, h)

    return (prim(half - along) - prim(-half - along)) / (2 * half)


def mean_log_distance(cells, offset):
    """The mean of ln|P - Q| for P in cell i of a turn, Q in cell j of the turn `offset`
    further along (sector cells as w x h rectangles; the core disk as its centre, exact for
    points outside it). Gauss points in P's cell; Q's cell as 3 segments, integrated exactly."""
    rho, phi, mid, h, dphi = (cells[k] for k in ("rho", "phi", "mid", "h", "dphi"))
    ring = dphi > 0
    w = mid * dphi
    nx, nz = np.cos(phi), np.sin(phi)
    tx, tz = -nz, nx
    # Centres of the rectangles (the core: its centre).
    cx, cz = mid * nx, mid * nz
    f = len(rho)
    total = np.zeros((f, f))
    for gi, wi in zip(*GAUSS_T):
        for gj, wj in zip(*GAUSS_W):
            # A point of cell i (rows); the core's points collapse to its centre.
            px = cx + np.where(ring, gi * h / 2 * nx + gj * w / 2 * tx, 0.0)
            pz = cz + np.where(ring, gi * h / 2 * nz + gj * w / 2 * tz, 0.0)
            inner = np.zeros((f, f))
            for gk, wk in zip(*GAUSS_T):
                sx = cx + gk * h / 2 * nx
                sz = cz + gk * h / 2 * nz + offset
                seg = _segment_log(px[:, None], pz[:, None], sx[None, :], sz[None, :],
                                   tx[None, :], tz[None, :], np.where(ring, w / 2, 1.0)[None, :])
                with np.errstate(divide="ignore"):
                    point = 0.5 * np.log((px[:, None] - cx[None, :]) ** 2
                                         + (pz[:, None] - cz[None, :] - offset) ** 2)
                inner += wk / 2 * np.where(ring[None, :], seg, point)
            total += wi * wj / 4 * inner
    # The core with itself: ln of the disk's geometric mean distance r e^-1/4.
    for i in np.nonzero(~ring)[0]:
        if offset == 0:
            total[i, i] = math.log(h[i]) - 0.25
    return total


def maxwell_mutual(r1, r2, dz):
    """Maxwell's mutual inductance of coaxial circles of radii r1, r2, dz apart (mu0 = 1)."""
    s = (r1 + r2) ** 2 + dz * dz
    m1 = ((r1 - r2) ** 2 + dz * dz) / s  # 1 - k^2, formed without cancellation
    m = 1.0 - m1
    k = np.sqrt(m)
    return np.sqrt(r1 * r2) * ((2 / k - k) * scipy.special.ellipkm1(m1)
                               - 2 / k * scipy.special.ellipe(m))


# The d/delta the cells are graded for: every d/delta up to it is solved on one set of cells.
GRID_X = 100.0


def coil_resistance(a, pitch, turns, xs, sectors=24, grid_x=GRID_X):
    """The coil's resistance (in wire-radius units, sigma = 1) at each d/delta in xs, for
    centre radius a and pitch in wire radii."""
    return _solve(a, pitch, turns, xs, cross_section(grid_x, sectors))


def conductances(a, cells):
    """Each cell's ring conductance, sigma/(2 pi) times the integral of dA/r over the cell (r
    the distance from the coil's axis): Gauss points in the annular sector, exact for the
    core disk, 2 pi (a - sqrt(a^2 - r^2)) / (2 pi)."""
    phi, mid, h, dphi = (cells[k] for k in ("phi", "mid", "h", "dphi"))
    ring = dphi > 0
    g4 = np.polynomial.legendre.leggauss(4)
    total = np.zeros(len(phi))
    for gr, wr in zip(*g4):
        for ga, wa in zip(*GAUSS_W):
            r = mid + gr * h / 2
            ang = phi + ga * dphi / 2
            total += wr * wa / 4 * r * h * dphi / (a + r * np.cos(ang))
    core = 2 * math.pi * (a - np.sqrt(np.maximum(a * a - h * h, 0.0)))
    return np.where(ring, total, core) / (2 * math.pi)


def _blocks(pitch, cells, big_r, dz):
    """A function of the turn offset o giving the F x F block of mutual inductances."""
    rho, phi = cells["rho"], cells["phi"]
    # Blocks of the mutual inductance by turn offset: G[o][i, j] between filament i of a turn
    # and filament j of the turn o pitches further along. Between neighbouring cells (the
    # same turn and the next) the centres' distance in Maxwell's formula is replaced by the
    # cells' geometric mean distance: M = R (ln(8R/D) - 2) near, so the correction is
    # sqrt(Ri Rj) (ln Dc - ln GMD).
    ri, rj = big_r[:, None], big_r[None, :]
    zi, zj = dz[:, None], dz[None, :]
    blocks = {}

    def block(o):
        if o not in blocks:
            if o < 0:
                blocks[o] = block(-o).T
            else:
                gap = zj - zi + o * pitch
                with np.errstate(divide="ignore", invalid="ignore"):
                    blk = maxwell_mutual(ri, rj, gap)
                if o <= 1:
                    log_gmd = mean_log_distance(cells, o * pitch)
                    with np.errstate(divide="ignore"):
                        log_dc = 0.5 * np.log((ri - rj) ** 2 + gap ** 2)
                    corr = np.sqrt(ri * rj) * (log_dc - log_gmd)
                    if o == 0:
                        np.fill_diagonal(corr, 0.0)
                        np.fill_diagonal(blk, big_r * (np.log(8 * big_r) - np.diag(log_gmd) - 2))
                    blk = blk + corr
                blocks[o] = blk
        return blocks[o]

    return block


def _solve(a, pitch, turns, xs, cells, drive=None):
    """The coil's resistance at each d/delta in xs, every turn carrying the unit current; with
    `drive` (each turn's current, mirror-symmetric), the complex power it takes instead."""
    rho, phi, mir = cells["rho"], cells["phi"], cells["mirror"].astype(int)
    f = len(rho)
    big_r = a + rho * np.cos(phi)
    dz = rho * np.sin(phi)
    res = 1 / conductances(a, cells)
    block = _blocks(pitch, cells, big_r, dz)
    n = int(turns)
    half = (n + 1) // 2
    # The unknowns: every filament of turns 0..half-1, except for the middle turn of an odd
    # coil, whose filaments pair with their own mirror images (keep i <= mirror(i)).
    keep = [(k, i) for k in range(half) for i in range(f)
            if not (n % 2 == 1 and k == half - 1 and mir[i] < i)]
    rep_turn = np.array([k for k, _ in keep])
    rep_fil = np.array([i for _, i in keep])
    u = len(keep)
    mmat = np.zeros((u, u))
    # How many filaments of the whole coil each unknown stands for: 2 (itself and its mirror
    # image) but 1 for a filament of the middle turn on the mirror plane.
    count = np.full(u, 2.0)
    for col_turn in range(half):
        cols = np.nonzero(rep_turn == col_turn)[0]
        cf = rep_fil[cols]
        mirror_turn = n - 1 - col_turn
        if mirror_turn == col_turn:
            count[cols] = np.where(mir[cf] != cf, 2.0, 1.0)
        for row_turn in range(half):
            rows = np.nonzero(rep_turn == row_turn)[0]
            rf = rep_fil[rows]
            part = block(col_turn - row_turn)[np.ix_(rf, cf)]
            image = block(mirror_turn - row_turn)[np.ix_(rf, mir[cf])]
            if mirror_turn == col_turn:
                image = np.where((mir[cf] != cf)[None, :], image, 0.0)
            mmat[np.ix_(rows, cols)] = part + image
    r = res[rep_fil]
    # Each row weighted by how many filaments it stands for makes the folded system
    # symmetric: Z = W R + j omega W M = S^-1 (1 + j omega K) S^-1, S = (W R)^-1/2,
    # K = S W M S = Q diag(lam) Q^T: one eigendecomposition serves every frequency.
    s = 1 / np.sqrt(count * r)
    lam, q = scipy.linalg.eigh(s[:, None] * (count[:, None] * mmat) * s[None, :],
                               overwrite_a=True, check_finite=False)
    bmat = np.zeros((u, half))
    bmat[np.arange(u), rep_turn] = 1.0
    # Each turn's current is the sum over its filaments (the middle turn's folded ones counted
    # with their images).
    sums = (bmat * np.where(count == 1.0, 1.0, np.where(rep_turn == n - 1 - rep_turn, 2.0,
                                                              1.0))[:, None]).T
    c = q.T @ (s[:, None] * count[:, None] * bmat)
    out = []
    for x in xs:
        if x == 0 and drive is None:
            # DC: the filaments of a turn in parallel.
            out.append(turns / np.sum(1 / res))
            continue
        omega = x * x / 2
        # Z^-1 B, then the turns' voltages that make every turn carry the unit current.
        zb = s[:, None] * (q @ (c / (1 + 1j * omega * lam)[:, None]))
        if drive is not None:
            # Each turn's voltage for the turns' currents; the power over the whole coil (the
            # middle turn of an odd coil counted once).
            volts = np.linalg.solve(sums @ zb, drive[:half])
            once = np.arange(half) == n - 1 - np.arange(half)
            out.append(complex(np.sum(np.where(once, 1.0, 2.0) * drive[:half] * volts)))
            continue
        volts = np.linalg.solve(sums @ zb, np.ones(half))
        current = zb @ volts
        out.append(float(np.sum(count * r * np.abs(current) ** 2)))
    return out


def exclusion(shape, pitch_over_wire, turns, x=200.0):
    """How much the wires' own crowding lowers the coil's inductance at d/delta = x: the model's
    inductance over that of the same currents spread evenly round each wire (its DC value less
    the wires' internal inductance, mu0 / (8 pi) a length), less 1; for every turn carrying the
    same current and for the half-wave mode's cos(pi z / H)."""
    a = centre_radius(shape, pitch_over_wire, turns)
    out = []
    for drive in (np.ones(turns), np.cos(np.pi * (np.arange(turns) + 0.5 - turns / 2) / turns)):
        high = _solve(a, 2.0 * pitch_over_wire, turns, [x], cross_section(x, 24), drive)[0]
        low = _solve(a, 2.0 * pitch_over_wire, turns, [0.5], cross_section(0.5, 24), drive)[0]
        # omega = x^2 / 2; the internal inductance of a ring 2 pi a long, mu0 a / 4.
        even = low.imag / 0.125 - np.sum(drive**2) * a / 4
        out.append(high.imag / (x * x / 2) / even - 1)
    return out


def gmres_tolerance(gmres, tol):
    """GMRES's relative tolerance under the name `gmres` takes: rtol from SciPy 1.12 on (1.14
    took tol away), tol before it."""
    import inspect

    return {"rtol" if "rtol" in inspect.signature(gmres).parameters else "tol": tol}


def _solve_iterative(a, pitch, turns, xs, cells, tol=1e-6, gmres=None):
    """As _solve, for many turns: the coupling depends only on the turns' offset (a block
    Toeplitz matrix), applied with FFTs over the turns; GMRES (the installed SciPy's, or
    `gmres`) with each turn solved alone as the preconditioner. The currents and the turns'
    voltages are the unknowns."""
    import scipy.sparse.linalg as sla

    gmres = gmres or sla.gmres

    rho, phi = cells["rho"], cells["phi"]
    f = len(rho)
    n = int(turns)
    big_r = a + rho * np.cos(phi)
    dz = rho * np.sin(phi)
    res = 1 / conductances(a, cells)
    block = _blocks(pitch, cells, big_r, dz)
    # Offsets 2.. at once; 0 and 1 (with their near-cell corrections) from block().
    offs = np.arange(n)
    with np.errstate(divide="ignore", invalid="ignore"):
        g = maxwell_mutual(big_r[None, :, None], big_r[None, None, :],
                           dz[None, None, :] - dz[None, :, None]
                           + offs[:, None, None] * pitch)
    g[0] = block(0)
    if n > 1:
        g[1] = block(1)
    # y_k = sum_l G(l - k) x_l = sum_l G(k - l)^T x_l: a convolution with c_o = G(o)^T.
    size = 1 << int(math.ceil(math.log2(2 * n)))
    circ = np.zeros((size, f, f))
    circ[:n] = np.transpose(g, (0, 2, 1))
    circ[size - n + 1:] = g[1:][::-1]
    spectrum = np.fft.rfft(circ, axis=0)
    wrap = np.arange(n)
    strang = np.fft.fft(np.where((wrap <= n // 2)[:, None, None], np.transpose(g, (0, 2, 1)),
                                 g[(n - wrap) % n]), axis=0)
    del circ, g

    def mutual(cur):
        # M is real: the real and imaginary parts go through real FFTs side by side.
        both = np.stack([cur.real, cur.imag], axis=2)
        hat = np.fft.rfft(both, n=size, axis=0)
        back = np.fft.irfft(np.matmul(spectrum, hat), n=size, axis=0)[:n]
        return back[:, :, 0] + 1j * back[:, :, 1]

    out = []
    for x in xs:
        if x == 0:
            out.append(turns / np.sum(1 / res))
            continue
        omega = x * x / 2
        # The preconditioner: the coil made periodic (Strang's circulant: offsets beyond n/2
        # wrap round), whose currents-and-voltages system splits, after an FFT over the
        # turns, into one (F+1)-square system per wave number.
        inv = np.empty((n, f, f), dtype=complex)
        for k, blk in enumerate(strang):
            inv[k] = np.linalg.inv(np.diag(res) + 1j * omega * blk)
        inv_ones = inv.sum(axis=2)
        inv_norm = inv_ones.sum(axis=1)

        def apply(y):
            cur = y[: n * f].reshape(n, f)
            volt = y[n * f:]
            top = res * cur + 1j * omega * mutual(cur) - volt[:, None]
            return np.concatenate([top.ravel(), cur.sum(axis=1)])

        def precondition(y):
            r = np.fft.fft(y[: n * f].reshape(n, f), axis=0)
            c = np.fft.fft(y[n * f:])
            zr = np.einsum("kij,kj->ki", inv, r)
            v = (c - zr.sum(axis=1)) / inv_norm
            cur = np.fft.ifft(zr + v[:, None] * inv_ones, axis=0)
            return np.concatenate([cur.ravel(), np.fft.ifft(v)])

        size_all = n * f + n
        op = sla.LinearOperator((size_all, size_all), matvec=apply, dtype=complex)
        pre = sla.LinearOperator((size_all, size_all), matvec=precondition, dtype=complex)
        rhs = np.concatenate([np.zeros(n * f), np.ones(n)]).astype(complex)
        hist = []
        sol, info = gmres(op, rhs, M=pre, atol=0.0, restart=100, maxiter=10, callback=hist.append,
                          callback_type="pr_norm", **gmres_tolerance(gmres, tol))
        if os.environ.get("PROXIMITY_DEBUG"):
            print(f"  GMRES: {len(hist)} steps, last {hist[-1] if hist else 0:.1e}",
                  file=sys.stderr)
        # The true residual decides (GMRES's own flag also counts stalls after convergence).
        miss = np.linalg.norm(apply(sol) - rhs) / np.linalg.norm(rhs)
        if not miss < 1e-4:
            raise RuntimeError(f"GMRES did not converge ({info}, residual {miss:.1e}) "
                               f"at d/delta {x}, {n} turns")
        cur = sol[: n * f].reshape(n, f)
        out.append(float(np.sum(res * np.abs(cur) ** 2)))
    return out


def centre_radius(shape, pitch_over_wire, turns):
    """The centre radius in wire radii: Dw/d = N (p/d) / (H/Dw), at least MIN_CENTRE_RADIUS."""
    return max(turns * pitch_over_wire / shape, MIN_CENTRE_RADIUS)


# Up to this many turns one eigendecomposition (mirror-folded) serves all frequencies; above
# it the iterative solver takes each frequency on cells graded for it.
DIRECT_TURNS = 25
SECTORS = 8


def ratio(shape, pitch_over_wire, turns, xs, sectors=SECTORS):
    """The proximity ratio at each d/delta in xs for a coil H/Dw, p/d, N (a whole number)."""
    a = centre_radius(shape, pitch_over_wire, turns)
    pitch = 2.0 * pitch_over_wire
    if turns <= DIRECT_TURNS:
        rs = coil_resistance(a, pitch, turns, [0.0] + list(xs), sectors)
        return [r / rs[0] / skin_ratio(x) for r, x in zip(rs[1:], xs)]
    out = []
    for x in xs:
        cells = cross_section(min(max(3 * x, 10.0), GRID_X), sectors)
        dc, r = _solve_iterative(a, pitch, turns, [0.0, x], cells)
        out.append(r / dc / skin_ratio(x))
    return out


# The table's grid. The ratio is exactly 1 at d/p = 0 (turns infinitely far apart) and at
# d/delta = 0, so neither is computed.
SHAPES = [0.1, 0.178, 0.316, 0.562, 1.0, 1.78, 3.16, 5.62, 10.0]
WIRE_OVER_PITCH = [0.2, 0.45, 0.7, 0.85, 0.95, 1.0]
TURNS = [1, 2, 3, 5, 8, 14, 25, 45]
XS = [1.0, 1.5, 2.2, 3.2, 4.7, 7.0, 12.0, 22.0, 45.0, 100.0]


def _table_row(job):
    shape, u, turns = job
    start = time.process_time()
    vals = ratio(shape, 1.0 / u, turns, XS)
    return job, vals, time.process_time() - start


def read_table(path):
    """The rows of an earlier table at `path`, keyed by (H/Dw, d/p, N), if its cells and d/delta
    axis are this one's (a rerun that adds nodes computes only the new rows), and the time its
    runs took (wall and processor seconds)."""
    import re

    try:
        text = open(path).read()
    except OSError:
        return {}, 0.0, 0.0
    axes = {name: [float(v) for v in re.search(name + r"\[\] = \{(.*?)\};", text, re.S)
                   .group(1).split(",") if v.strip()]
            for name in ("SHAPES", "WIRE_OVER_PITCH", "TURNS", "XS", "VALUES")}
    if axes["XS"] != XS or f"Cells: {SECTORS} sectors" not in text.replace("\n// ", " "):
        return {}, 0.0, 0.0
    rows = iter([axes["VALUES"][i:i + len(XS)] for i in range(0, len(axes["VALUES"]), len(XS))])
    spent = re.search(r"in ([\d.]+) minutes \(([\d.]+) minutes of processor time",
                      text.replace("\n// ", " "))
    return ({(s, u, int(n)): next(rows) for s in axes["SHAPES"] for u in axes["WIRE_OVER_PITCH"]
             for n in axes["TURNS"]}, float(spent.group(1)) * 60, float(spent.group(2)) * 60)


def write_table(path, workers):
    import multiprocessing

    earlier, wall_before, cpu_before = read_table(path)

    def real(s, u, n):
        return n / u / s >= MIN_CENTRE_RADIUS

    jobs = [(s, u, n) for n in TURNS for s in SHAPES for u in WIRE_OVER_PITCH]
    # The costly many-turn rows first, so that the workers finish together.
    jobs.sort(key=lambda j: -j[2])
    start = time.time()
    results = {job: earlier[job] for job in jobs if job in earlier and real(*job)}
    reused = len(results)
    jobs = [job for job in jobs if job not in results]
    cpu = cpu_before
    with multiprocessing.Pool(workers) as pool:
        for job, vals, secs in pool.imap_unordered(_table_row, jobs):
            results[job] = vals
            cpu += secs
            print(f"{len(results)}/{reused + len(jobs)} H/Dw {job[0]} d/p {job[1]} N {job[2]}: "
                  f"{secs:.1f} s", file=sys.stderr, flush=True)
    wall = time.time() - start + wall_before
    with open(path, "w") as out:
        minutes, cpu_minutes, least = wall / 60, cpu / 60, MIN_CENTRE_RADIUS
        out.write(f"""// The winding's proximity ratio, tabulated by the numerical model of
// scripts/proximity_model.py: generated, do not edit. Made by
//   nice /usr/bin/python3 scripts/proximity_model.py table
// in {minutes:.1f} minutes ({cpu_minutes:.1f} minutes of processor time, {workers} processes)
// in all, over runs each computing only the rows the table before lacked ({reused} rows kept
// in the last). Cells: {SECTORS} sectors in the outer layers, layers from 0.3 skin depth at
// the surface (graded for d/delta = 100 up to {DIRECT_TURNS} turns, for 3 d/delta, at least
// 10, above); the model's convergence and checks are in docs/proximity.md. Nodes whose coil
// would have Dw < {least:g} d are computed at Dw = {least:g} d, the nearest coil of their N
// and p/d.
// Axes: H/Dw, d/p, N, d/delta; values PROXIMITY_VALUES[shape][wire over pitch][turns][x].
""")
        def arr(name, vals):
            out.write(f"constexpr double {name}[] = {{" + ", ".join(repr(float(v)) for v in vals)
                      + "};\n")
        arr("PROXIMITY_SHAPES", SHAPES)
        arr("PROXIMITY_WIRE_OVER_PITCH", WIRE_OVER_PITCH)
        arr("PROXIMITY_TURNS", TURNS)
        arr("PROXIMITY_XS", XS)
        out.write("constexpr double PROXIMITY_VALUES[] = {\n")
        for s in SHAPES:
            for u in WIRE_OVER_PITCH:
                for n in TURNS:
                    out.write("    " + ", ".join(f"{v:.6f}" for v in results[(s, u, n)])
                              + ",\n")
        out.write("};\n")
    print(f"{wall:.0f} s, {cpu:.0f} s of processor time", file=sys.stderr)


def _check_point(job):
    shape, pitch, turns, x = job
    return job, ratio(shape, pitch, turns, [x])[0]


def write_checks(path, count, workers):
    """The model at random coils off the table's grid (fixed seed): H/Dw 0.1-10, p/d 1.05-5,
    N 2-200, d/delta 0.5-100, all log-uniform, each with D >= d (N p/d >= 2 H/Dw)."""
    import multiprocessing

    rng = np.random.default_rng(20261209)
    jobs = []
    while len(jobs) < count:
        shape = float(10 ** rng.uniform(-1, 1))
        pitch = float(10 ** rng.uniform(math.log10(1.05), math.log10(5)))
        turns = int(round(10 ** rng.uniform(math.log10(2), math.log10(200))))
        x = float(10 ** rng.uniform(math.log10(0.5), 2))
        if turns * pitch >= 2 * shape:
            jobs.append((round(shape, 4), round(pitch, 4), turns, round(x, 3)))
    with multiprocessing.Pool(workers) as pool:
        results = dict(pool.imap_unordered(_check_point, jobs))
    with open(path, "w") as out:
        out.write("# The proximity ratio by scripts/proximity_model.py (checks) at random coils:\n")
        out.write("# H/Dw  p/d  N  d/delta  ratio\n")
        for job in jobs:
            out.write(" ".join(str(v) for v in job) + f" {results[job]:.6f}\n")


# Coils of wire thick against their form (H/Dw, p/d, N, d/delta): at nodes of the table where
# Dw = 2 d, its edge, and Dw = 2.09 d, and off them a 1.2 mm form under 1 mm wire (Dw = 2.2 d).
RING_COILS = [(1.0, 1.0, 2, x) for x in (1.0, 4.7, 22.0, 100.0)] + [
    (0.562, 1 / 0.85, 1, x) for x in (1.5, 12.0)] + [(4.0, 1.1, 8, x) for x in (2.0, 10.0, 40.0)]


def write_rings(path):
    """Each of RING_COILS's resistance at DC and at its d/delta over that of its wire straight
    at DC (the rings' length, rho N pi Dw / (pi d^2 / 4))."""
    with open(path, "w") as out:
        out.write("# Coils of thick wire by scripts/proximity_model.py (rings): the resistance\n"
                  "# at DC and at d/delta over the straight wire's at DC, the pitch neglected.\n"
                  "# H/Dw  p/d  N  d/delta  dc  ac  node (1: a node of the table)\n")
        for shape, pitch, turns, x in RING_COILS:
            a = centre_radius(shape, pitch, turns)
            dc, ac = coil_resistance(a, 2 * pitch, turns, [0.0, x], SECTORS)
            straight = turns * 2 * a  # 2 pi a / (pi 1^2) a turn, sigma = 1
            node = (shape in SHAPES and round(1 / pitch, 12) in WIRE_OVER_PITCH and turns in TURNS
                    and x in XS)
            out.write(f"{shape:.6g} {pitch:.17g} {turns} {x:g} {dc / straight:.9f} "
                      f"{ac / straight:.7f} {int(node)}\n")


def ring_dc_exact(a):
    """A ring of round wire (radius 1, centre radius a): its DC current goes as 1/r across the
    section, so its conductance is sigma * integral dA / (2 pi r) = a - sqrt(a^2 - 1)."""
    return 1.0 / (a - math.sqrt(a * a - 1.0))


def self_check():
    """Fast checks of the model, printed with their figures; returns the number of failures."""
    failures = 0

    def expect(name, got, want, tol):
        nonlocal failures
        err = abs(got / want - 1)
        ok = err <= tol
        failures += not ok
        print(f"{'ok  ' if ok else 'FAIL'} {name}: model {got:.6g}, expected {want:.6g}, "
              f"error {err:.1e} (allowed {tol:.0e})")

    # DC: the cells' conductances summed against the ring's exact 1/r conductance.
    for a in (1.1, 3.0, 30.0):
        got = coil_resistance(a, 2.0, 1, [0.0])[0]
        expect(f"ring of centre radius {a} wire radii at DC", got, ring_dc_exact(a), 1e-9)
    # A ring far from the axis is a straight wire: its skin effect, exactly.
    big = 1e4
    rs = coil_resistance(big, 2.0, 1, [0.0, 1.0, 3.0, 10.0, 30.0, 100.0])
    for r, x in zip(rs[1:], (1.0, 3.0, 10.0, 30.0, 100.0)):
        expect(f"ring of centre radius 1e4 wire radii, d/delta {x}", r / rs[0], skin_ratio(x),
               5e-3)
    # The mirror-folded direct solver against the iterative one on the whole coil.
    for turns, shape, pitch, x in ((4, 1.0, 1.1, 10.0), (5, 0.3, 1.05, 40.0)):
        a = centre_radius(shape, pitch, turns)
        cells = cross_section(100.0, 8)
        direct = _solve(a, 2 * pitch, turns, [x], cells)[0]
        iterative = _solve_iterative(a, 2 * pitch, turns, [x], cells, tol=1e-9)[0]
        expect(f"{turns} turns, d/delta {x}: folded direct against iterative", direct,
               iterative, 1e-5)
    # GMRES as SciPy 1.14 and later take it, without tol, over the installed one's: the same
    # solve on either SciPy.
    import scipy.sparse.linalg as sla

    def newer_gmres(A, b, x0=None, *, rtol=1e-5, atol=0.0, restart=None, maxiter=None, M=None,
                    callback=None, callback_type=None):
        return sla.gmres(A, b, x0, atol=atol, restart=restart, maxiter=maxiter, M=M,
                         callback=callback, callback_type=callback_type,
                         **gmres_tolerance(sla.gmres, rtol))

    cells = cross_section(30.0, 8)
    expect("6 turns, d/delta 30: iterative under the newer GMRES's keywords",
           _solve_iterative(3.0, 2.4, 6, [30.0], cells, 1e-9, newer_gmres)[0],
           _solve_iterative(3.0, 2.4, 6, [30.0], cells, 1e-9)[0], 1e-12)
    print("convergence, the ratio with 8 / 12 / 16 sectors (H/Dw, p/d, N, d/delta):")
    for shape, pitch, turns, x in ((1.0, 1.1, 6, 10.0), (0.3, 1.5, 5, 3.0),
                                   (3.0, 1.05, 10, 60.0)):
        vals = [ratio(shape, pitch, turns, [x], s)[0] for s in (8, 12, 16)]
        print(f"  {shape} {pitch} {turns} {x}: " + " / ".join(f"{v:.4f}" for v in vals))
        expect("  12 against 16 sectors", vals[1], vals[2], 1e-2)
    return failures


if __name__ == "__main__":
    if len(sys.argv) == 2 and sys.argv[1] == "check":
        start = time.time()
        bad = self_check()
        print(f"{time.time() - start:.1f} s")
        sys.exit(1 if bad else 0)
    if len(sys.argv) == 2 and sys.argv[1] == "table":
        write_table(os.path.join(ROOT, "physics", "proximity_table.inc"), 4)
        sys.exit(0)
    if len(sys.argv) == 2 and sys.argv[1] == "checks":
        write_checks(os.path.join(ROOT, "tests", "reference", "proximity_checks.txt"), 40, 1)
        sys.exit(0)
    if len(sys.argv) == 2 and sys.argv[1] == "rings":
        write_rings(os.path.join(ROOT, "tests", "reference", "ring_checks.txt"))
        sys.exit(0)
    if len(sys.argv) == 5 and sys.argv[1] == "exclusion":
        s, q, nt = (float(v) for v in sys.argv[2:])
        even, mode = exclusion(s, q, int(nt))
        print(f"the inductance at d/delta 200 against the currents spread evenly: {100 * even:+.2f} %"
              f" (every turn the same current), {100 * mode:+.2f} % (the half-wave mode)")
        sys.exit(0)
    if len(sys.argv) == 5:
        s, q, nt, x = (float(v) for v in sys.argv[1:])
        start = time.time()
        print(ratio(s, q, int(nt), [x])[0], f"{time.time() - start:.2f} s")
        sys.exit(0)
    print(__doc__)
    sys.exit(2)
