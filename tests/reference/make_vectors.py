#!/usr/bin/env python3
"""Writes the solve vectors: seeded random solves with the trace the reference expects.

Usage: tests/reference/make_vectors.py [COUNT [OUTPUT]]
  COUNT   number of vectors (default 8500)
  OUTPUT  file to write (default tests/reference/solve_vectors.jsonl)

Most cases are drawn as they come; about a third are kept only when one of their rounding
decisions (a shown digit, the gauge's ceiling, an acceptance test of the turns search) sits
within two float ulps of its edge: on such coils a stored value off by its last bit changes
a text, so these cases see what ordinary ones almost never show. Some entries are placed on
such edges on purpose: turns where the shown inductance or the wire length is halfway between
two texts, where the gauge steps or where the inductance reaches 1 or 1000 uH; inductances
where the search's tolerance decides; a few searches whose residual equals the tolerance or
misses it by one step.

Each line after the first (a "#" comment) is one case as JSON:
  {"request": {"unit": "in"|"mm", "mode": "inductance"|"turns", "fields": {NAME: TEXT}},
   "trace": [["message", CAPTION, TEXT] | ["set", NAME, TEXT], ...]}
The request is a line of coilcalc-cli's batch format; the trace is every message and control
write of the solve, in order, as coil_reference.py derives them. The requests are the coils mix
of make_requests.py. The seed is fixed, so the file is the same on every run; change SEED or
the mix only on purpose.
"""
import json
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import coil_reference as ref  # noqa: E402
from make_requests import coil_request, dimensions, float_bits, from_bits, legal_inches, \
    log_uniform  # noqa: E402

SEED = 20261209
EDGE = 2.0 ** -22  # relative distance from a rounding edge that makes a case delicate
DELICATE_SHARE = 0.3
TIES = 8  # searches whose residual equals the tolerance exactly, or misses it by one step


def tie_inductance(rng, d, h):
    """An inductance in uH for which one pass of the search meets a residual exactly equal
    to the tolerance (the rare case that tells "within" from "below"), or one float step
    above it (the closest miss), or None."""
    wanted = ref.f32(ref.inductance(d, h, log_uniform(rng, 2, 16384)))
    mids = []
    if not 0 < wanted < 65536 or ref.turns(d, h, wanted, mids=mids) == -1:
        return None
    residual = ref.search_residual(d, h)
    mid = rng.choice(mids[-3:])
    dc = ref.centre(d, h, mid)
    reached = wanted + residual(dc, h, wanted, mid)
    for edge in (reached / (1 + 1e-4), reached / (1 - 1e-4)):
        centre_bits = float_bits(ref.f32(edge))
        for b in range(centre_bits - 3, centre_bits + 4):
            L = from_bits(b)
            tol = ref.f32(ref.TOLERANCE * L)
            if abs(residual(dc, h, L, mid)) in (tol, from_bits(float_bits(tol) + 1)):
                path = []
                ref.turns(d, h, L, mids=path)
                if mid in path:
                    return L
    return None


def make_case(rng, margins=None):
    request = coil_request(rng)
    return request, ref.solve(request["unit"], request["mode"], request["fields"], margins)


def main():
    args = sys.argv[1:]
    if len(args) > 2 or (args and not args[0].isdigit()):
        sys.exit(__doc__)
    count = int(args[0]) if args else 8500
    here = os.path.dirname(os.path.abspath(__file__))
    output = args[1] if len(args) > 1 else os.path.join(here, "solve_vectors.jsonl")
    rng = random.Random(SEED)
    lines = []
    # A few searches that meet their tolerance exactly: found by trying many coils.
    tries = 0
    while len(lines) < TIES and tries < 400000:
        tries += 1
        unit = rng.choice(["in", "mm"])
        diameter, height = dimensions(rng, unit)
        fields = {"diameter": diameter, "height": height}
        try:
            inches = legal_inches(unit, fields)
        except ref.Undetermined:
            continue
        L = tie_inductance(rng, *inches) if inches else None
        if L is not None:
            fields.update(inductance="%.9g" % L, inductance_unit="uH")
            request = {"unit": unit, "mode": "turns", "fields": fields}
            trace = ref.solve(unit, "turns", fields)
            lines.append(json.dumps({"request": request, "trace": [list(e) for e in trace]},
                                    separators=(",", ":")))
    skipped = 0
    delicate_wanted = round(count * DELICATE_SHARE)
    delicate = 0
    while len(lines) < count:
        margins = []
        try:
            request, trace = make_case(rng, margins)
        except ref.Undetermined:
            skipped += 1
            continue
        if margins and min(margins) < EDGE:
            if delicate == delicate_wanted:
                continue
            delicate += 1
        elif len(lines) - delicate == count - delicate_wanted:
            continue
        lines.append(json.dumps({"request": request, "trace": [list(e) for e in trace]},
                                separators=(",", ":")))
    with open(output, "w", newline="\n") as out:
        out.write(f"# Solve vectors from tests/reference/make_vectors.py, seed {SEED}: one case "
                  f"a line, a batch request and the trace the reference expects.\n")
        out.write("\n".join(lines) + "\n")
    print(f"{count} vectors ({delicate} delicate) written to {output}; {skipped} cases skipped "
          f"as not fixed by the rules", file=sys.stderr)


if __name__ == "__main__":
    main()
