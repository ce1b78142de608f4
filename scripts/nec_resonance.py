#!/usr/bin/python3
"""The first self-resonance of an open helix of copper wire by NEC-2 (nec2c), a full-wave check.

The helix is N turns of wire of diameter d on the diameter Dw = D + d (wire centre to centre),
H long from end to end of the wire, as straight segments of NEC's thin-wire model, the wire's
loss given as copper's conductivity (LD 5). A voltage source sits on the middle segment. The
first self-resonance of the open coil, the one a dip meter finds, is its half-wave mode: the
current greatest at the middle of the wire and zero at its open ends. Fed at the middle that
mode is a series resonance, where the reactance seen by the source first rises through zero;
below it the open helix is a capacitor. The search starts from a frequency given below the
resonance (the accuracy report gives three quarters of the program's estimate) and climbs in
steps of 1.1, or else from a quarter of the frequency at which the wire, stretched out, is half
a wave long (halved while the reactance is not yet negative) in steps of 1.25. It climbs with
the coarser of two models until the reactance turns positive (a step after which it has fallen
past a pole is shortened), then closes on the zero by regula falsi with each model.

The models cut a turn into n and 1.5 n segments. n is at least 16 (a polygon of 16 sides holds
99.4 % of the circle's area) and, where the finer model stays within 1500 segments, at least
cot psi = pi Dw / p (no segment longer than the pitch). Longer segments than the pitch still
converge as 1/n^2 from 16 a turn up (30 turns 20 mm across and 20 mm long, cot psi 94: 66.787
MHz at 24 a turn, 66.078 at 36, extrapolated 65.39 from 16 and 24 against 65.51 from 24 and
36), but fewer than 16 may lose the resonance altogether (the same winding 60 mm long at 12 a
turn showed no zero of the reactance near 93 MHz; the first one found lay at 243 MHz). The
value given is extrapolated from the two models; where they differ by more than 3 % the coil
counts as not modelled.

    /usr/bin/python3 scripts/nec_resonance.py D H N d     one coil (metres): each model, the
                                                          extrapolation
    /usr/bin/python3 scripts/nec_resonance.py --check CLI    a few spaced coils: coilcalc-cli's
                                                          estimate within 5 % of NEC, or exit 1

The search, the models and the estimates' request are scripts/nec_search.py's, shared with
scripts/nec_grounded.py; the deck, the grid and the checks are this script's.
scripts/accuracy_report.py runs the whole grid (grid()) and the measured coils, and keeps NEC's
answers in docs/accuracy/nec-grid.csv and nec-measured.csv.
"""
import functools
import math
import sys

import nec_search
from nec_search import C0, COPPER_SIEMENS

SCRIPT = "nec_resonance"
# The finer model keeps no segment longer than the pitch while it needs no more segments than
# this (a second or two a frequency here: nec2c's time grows as their cube) ...
PITCH_SEGMENTS = 1500
# ... and is never longer than this (200 turns at 24 a turn: some 70 s a frequency here).
MOST_SEGMENTS = 4800


def deck(D, H, N, d, per_turn, frequencies):
    """A NEC-2 deck: the helix as one wire of straight segments, an odd number of them."""
    a = (D + d) / 2
    count = max(3, round(N * per_turn))
    count += 1 - count % 2
    points = [(a * math.cos(2 * math.pi * N * i / count), a * math.sin(2 * math.pi * N * i / count),
               H * i / count) for i in range(count + 1)]
    lines = ["CM open helix, centre fed", "CE"]
    for i in range(count):
        ends = points[i] + points[i + 1]
        lines.append(f"GW {i + 1} 1 " + " ".join(f"{v:.10e}" for v in ends) + f" {d / 2:.10e}")
    lines += ["GE 0", f"LD 5 0 0 0 {COPPER_SIEMENS:.6e}", f"EX 0 {(count + 1) // 2} 1 0 1 0",
              "PT -1 0 0 0"]
    for f in frequencies:
        lines += [f"FR 0 1 0 0 {f / 1e6:.10e} 0", "XQ"]
    return "\n".join(lines + ["EN"]) + "\n"


def reactances(D, H, N, d, per_turn, frequencies):
    """The source's reactance, ohms, at each frequency (hertz)."""
    return nec_search.reactances(SCRIPT, deck(D, H, N, d, per_turn, frequencies), len(frequencies))


def models(D, H, N, d):
    """Segments a turn of the two models extrapolated."""
    return nec_search.models(D, H, N, d, PITCH_SEGMENTS)


def fits_nec(D, H, N, d):
    """Whether the finer model's segments stay 2 wire radii long (NEC-2's thin-wire kernel)
    and few enough to solve here."""
    finer = models(D, H, N, d)[1]
    return math.pi * (D + d) / finer >= d and N * finer <= MOST_SEGMENTS


def resonance(D, H, N, d, start=None):
    """The two models' resonances (hertz) and the value extrapolated to fine segments, None when
    the models disagree by more than nec_search.CONVERGED. `start`: where the climb begins,
    below the first resonance (hertz), for example three quarters of an estimate; without it a
    quarter of the stretched wire's half-wave frequency."""
    step = 1.1 if start else 1.25
    if not start:
        wire = N * math.hypot(math.pi * (D + d), H / N)
        start = C0 / (2 * wire) / 4
    search = nec_search.Search(SCRIPT, f"{D} {H} {N} {d}",
                               functools.partial(reactances, D, H, N, d))
    return search.resonance(models(D, H, N, d), start, step)


def estimates(cli, coils):
    """coilcalc-cli's self-resonance (hertz) of each coil (metres), asked as a user would."""
    return nec_search.estimates(cli, coils, "self_resonance_MHz")


# Spaced windings, quick enough for the test suite: a short wide coil, a square one, a long thin
# one, at pitches of 2.5 and 6 wire diameters.
CHECK = [(0.05, 0.01, 5, 0.0008), (0.02, 0.02, 8, 0.001), (0.005, 0.045, 12, 0.0007),
         (0.03, 0.03, 10, 0.0012)]


def grid():
    """Form diameters 5, 20 and 100 mm; heights 0.2, 1, 3 and 9.9 diameters (the dialog takes
    less than 10); 5, 12, 30 and 200 turns; pitches of 2.5 and 6 wire diameters."""
    coils = []
    for N in (5, 12, 30, 200):
        for D in (0.005, 0.02, 0.1):
            for shape in (0.2, 1, 3, 9.9):
                for spacing in (2.5, 6):
                    H = shape * D
                    coils.append((D, H, N, H / N / spacing))
    return coils


def main():
    args = sys.argv[1:]
    if len(args) in (2, 4):
        nec_search.need_nec(SCRIPT)
    if len(args) == 4:
        D, H, N, d = map(float, args)
        found, best = resonance(D, H, N, d)
        for per_turn, f in zip(models(D, H, N, d), found):
            print(f"{per_turn} segments a turn: {f / 1e6:.6g} MHz")
        print(f"extrapolated: {best / 1e6:.6g} MHz" if best
              else "the models disagree: not modelled")
    elif len(args) == 2 and args[0] == "--check":
        failed = 0
        for (D, H, N, d), estimate in zip(CHECK, estimates(args[1], CHECK)):
            if not fits_nec(D, H, N, d):
                sys.exit(f"nec_resonance: NEC cannot model {D} {H} {N} {d} here")
            found, best = resonance(D, H, N, d, 0.75 * estimate)
            n1, n2 = models(D, H, N, d)
            if best is None:
                sys.exit(f"nec_resonance: NEC's two models of {D} {H} {N} {d} disagree")
            off = estimate / best - 1
            verdict = "ok" if abs(off) <= nec_search.TOLERANCE else "FAILED"
            failed += verdict != "ok"
            print(f"{verdict}: D {D * 1e3:g} mm, H {H * 1e3:g} mm, {N:g} turns,"
                  f" wire {d * 1e3:g} mm: estimate {estimate / 1e6:.5g} MHz,"
                  f" NEC {best / 1e6:.5g} MHz ({100 * off:+.2f} %;"
                  f" {n1} and {n2} segments a turn {found[0] / 1e6:.5g}, {found[1] / 1e6:.5g})")
        sys.exit(1 if failed else 0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
