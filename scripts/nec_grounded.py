#!/usr/bin/python3
"""The first resonance of a helix grounded at its lower end by NEC-2 (nec2c), a full-wave check.

The coil stands on a perfect ground plane (GN 1): a straight lead from the ground up to the
helix's lower end, b high, then N turns of wire of diameter d on the diameter Dw = D + d (wire
centre to centre), H long, open at the top; copper's loss (LD 5). A voltage source sits on the
lead's segment at the ground. The first resonance is the quarter-wave-like mode, the current
greatest at the ground and nothing at the open top: fed at the ground it is a series resonance,
where the reactance first rises through zero, the coil a capacitor to ground below it. The
search climbs in steps of 1.1 from a frequency below the resonance (three quarters of the
program's estimate) with the coarser of two models, then closes on the zero with each.

The models cut a turn into n and 1.5 n segments, n as for the open helix but with the pitch
rule held to 600 segments, the lead into segments no longer than the helix's; the value given is
extrapolated as 1/n^2 from the two, and where they differ by more than 3 % the coil counts as
not modelled. The search, the models and the estimates' request are scripts/nec_search.py's,
shared with scripts/nec_resonance.py; the deck, the grid and the checks are this script's.

    /usr/bin/python3 scripts/nec_grounded.py D H N d b [MHZ] one coil (metres), climbing from
                                                            MHZ (below the resonance)
    /usr/bin/python3 scripts/nec_grounded.py --check CLI     a few spaced coils over ground:
                                                            coilcalc-cli's estimate within 5 %
                                                            of NEC, or exit 1 (exit 77 without
                                                            nec2c)

scripts/accuracy_grounded.py (a section of scripts/accuracy_report.py) runs the grid (grid())
and keeps NEC's answers in docs/accuracy/nec-grounded.csv.
"""
import functools
import math
import sys

import nec_search
from nec_search import C0, COPPER_SIEMENS

SCRIPT = "nec_grounded"
PITCH_SEGMENTS = 600  # a few seconds a coil here


def deck(D, H, N, d, b, per_turn, frequencies):
    """A NEC-2 deck: the lead and the helix as straight segments, over a perfect ground."""
    a = (D + d) / 2
    count = max(3, round(N * per_turn))
    step = math.hypot(2 * math.pi * a * N / count, H / count)
    lead = max(1, math.ceil(b / step))
    lines = ["CM helix grounded at its lower end, fed at the ground", "CE",
             f"GW 1 {lead} {a:.10e} 0 0 {a:.10e} 0 {b:.10e} {d / 2:.10e}"]
    points = [(a * math.cos(2 * math.pi * N * i / count), a * math.sin(2 * math.pi * N * i / count),
               b + H * i / count) for i in range(count + 1)]
    for i in range(count):
        ends = points[i] + points[i + 1]
        lines.append(f"GW {i + 2} 1 " + " ".join(f"{v:.10e}" for v in ends) + f" {d / 2:.10e}")
    lines += ["GE 1", "GN 1", f"LD 5 0 0 0 {COPPER_SIEMENS:.6e}", "EX 0 1 1 0 1 0", "PT -1 0 0 0"]
    for f in frequencies:
        lines += [f"FR 0 1 0 0 {f / 1e6:.10e} 0", "XQ"]
    return "\n".join(lines + ["EN"]) + "\n"


def reactances(coil, per_turn, frequencies):
    """The source's reactance, ohms, at each frequency (hertz)."""
    return nec_search.reactances(SCRIPT, deck(*coil, per_turn, frequencies), len(frequencies))


def models(D, H, N, d):
    """Segments a turn of the two models."""
    return nec_search.models(D, H, N, d, PITCH_SEGMENTS)


def resonance(coil, start):
    """The two models' resonances (hertz) and the extrapolated one, None when they disagree;
    the climb begins at `start` (hertz), below the resonance."""
    search = nec_search.Search(SCRIPT, coil, functools.partial(reactances, coil))
    return search.resonance(models(*coil[:4]), start, 1.1)


def estimates(cli, coils):
    """coilcalc-cli's grounded resonance (hertz) of each coil (metres), asked as a user would."""
    return nec_search.estimates(cli, coils, "grounded_resonance_MHz")


# Spaced windings over ground, quick enough for the test suite (about 15 s here): few turns,
# short and long, near the ground and well above it.
CHECK = [(0.05, 0.02, 5, 0.0016, 0.005), (0.02, 0.02, 8, 0.001, 0.01),
         (0.01, 0.04, 12, 0.0013, 0.004), (0.02, 0.02, 12, 0.0006667, 0.02)]


def grid():
    """Form diameters 20 mm (and 100 mm for one shape, as the resonance scales with the coil);
    heights 0.3, 1 and 3 diameters; 5, 12 and 30 turns; pitches of 2.5 and 6 wire diameters;
    the winding's lower end 0.05, 0.3 and 1 height above the ground."""
    coils = []
    for N in (5, 12, 30):
        for shape in (0.3, 1, 3):
            for spacing in (2.5, 6):
                for base in (0.05, 0.3, 1):
                    D = 0.02
                    H = shape * D
                    coils.append((D, H, N, H / N / spacing, base * H))
    return coils


def main():
    args = sys.argv[1:]
    if len(args) in (2, 5, 6):
        nec_search.need_nec(SCRIPT)
    if len(args) in (5, 6):
        coil = tuple(map(float, args[:5]))
        D, H, N, d, b = coil
        wire = N * math.hypot(math.pi * (D + d), H / N) + b
        start = float(args[5]) * 1e6 if len(args) == 6 else C0 / (4 * wire) / 4
        found, best = resonance(coil, start)
        print(" ".join(f"{f / 1e6:.6g}" for f in found), f"{best / 1e6:.6g}" if best else "none")
    elif len(args) == 2 and args[0] == "--check":
        failed = 0
        for coil, estimate in zip(CHECK, estimates(args[1], CHECK)):
            found, best = resonance(coil, 0.75 * estimate)
            if best is None:
                sys.exit(f"nec_grounded: NEC's two models of {coil} disagree")
            off = estimate / best - 1
            verdict = "ok" if abs(off) <= nec_search.TOLERANCE else "FAILED"
            failed += verdict != "ok"
            D, H, N, d, b = coil
            print(f"{verdict}: D {D * 1e3:g} mm, H {H * 1e3:g} mm, {N:g} turns,"
                  f" wire {d * 1e3:g} mm, {b * 1e3:g} mm above ground:"
                  f" estimate {estimate / 1e6:.5g} MHz, NEC {best / 1e6:.5g} MHz"
                  f" ({100 * off:+.2f} %)")
        sys.exit(1 if failed else 0)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
