"""What scripts/nec_resonance.py (the open helix) and scripts/nec_grounded.py (the helix
grounded at its lower end) share: running NEC-2 (nec2c) on a deck, the search for the first zero
of the source's reactance, the two models of the winding and their extrapolation, and the
estimates coilcalc-cli gives for the same coils.

The search climbs from a frequency below the first resonance with the coarser model, halving it
while the reactance is not yet negative, then stepping up until the reactance turns positive (a
step after which it has fallen past a pole is shortened to its square root). Each model then
closes on the zero by regula falsi (the Illinois method), the finer one within 5 % of the coarser
one's zero. The models cut a turn into n and 1.5 n segments, n at least 16 and, where the finer
model stays within a script's segment budget, at least pi Dw N / H (no segment longer than the
pitch); the resonance given is extrapolated from the two as 1/n^2, none where they differ by
more than CONVERGED.

Each script keeps its own deck, grid of coils and checks; this module is imported, not run.
"""
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile

C0 = 299792458.0
COPPER_SIEMENS = 1 / 1.7241e-8  # annealed copper, 20 degrees Celsius
LEAST_PER_TURN = 16  # segments a turn of the coarser model, at least
CONVERGED = 0.03  # the two models' resonances agree within this, or the coil is not modelled
TOLERANCE = 0.05  # coilcalc-cli's estimate against NEC, for spaced windings
SKIP = 77  # CTest's "skipped"


def missing(script):
    """What a script says where nec2c is not installed."""
    return f"{script}: nec2c (NEC-2) is not installed: scripts/setup-debian.sh installs it"


def need_nec(script):
    """Exit with SKIP, saying why, where nec2c is not installed."""
    if shutil.which("nec2c") is None:
        print(missing(script) + "; nothing checked", file=sys.stderr)
        sys.exit(SKIP)


def reactances(script, deck, count):
    """The source's reactance, ohms, at each of the `count` frequencies of a NEC-2 deck."""
    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "helix.nec")
        result = os.path.join(folder, "helix.out")
        with open(source, "w") as out:
            out.write(deck)
        try:
            subprocess.run(["nec2c", "-i", source, "-o", result], check=True, capture_output=True)
        except FileNotFoundError:
            sys.exit(missing(script))
        with open(result) as text:
            output = text.read()
    rows = re.findall(r"ANTENNA INPUT PARAMETERS[^\n]*\n[^\n]*\n[^\n]*\n([^\n]*)\n", output)
    if len(rows) != count:
        sys.exit(f"{script}: {count} frequencies, {len(rows)} answers from nec2c")
    return [float(row.split()[7]) for row in rows]


def models(D, H, N, d, pitch_segments):
    """Segments a turn of the two models: the finer keeps no segment longer than the pitch while
    it needs no more than `pitch_segments` segments."""
    pitch_rule = min(math.ceil(math.pi * (D + d) * N / H), math.floor(pitch_segments / (1.5 * N)))
    coarser = max(LEAST_PER_TURN, pitch_rule)
    return coarser, math.ceil(1.5 * coarser)


class Search:
    """The search on one coil: `reactances(per_turn, frequencies)` gives the source's reactance,
    ohms, at each frequency (hertz) with the model of `per_turn` segments a turn; `script` and
    `coil` (its dimensions) name it in messages."""

    def __init__(self, script, coil, reactances):
        self.script, self.coil, self.reactances = script, coil, reactances

    def fail(self, why):
        """Exit with `why`, the coil in place of its {}."""
        sys.exit(f"{self.script}: " + why.format(self.coil))

    def climb(self, per_turn, start, step):
        """A bracket (below, above) of the first zero of the reactance, climbing from `start`
        (hertz) in steps of `step`."""
        f = start
        for _ in range(40):  # down until the coil is a capacitor
            x = self.reactances(per_turn, [f])[0]
            if x < 0:
                break
            f /= 2
        else:
            self.fail("the coil {} is never capacitive")
        # Below the first resonance the reactance only rises (Foster): where it has fallen, a
        # step passed the resonance and the pole after it, which may lie close above it, and is
        # shortened.
        while step > 1.0001:
            x_next = self.reactances(per_turn, [f * step])[0]
            if x_next >= 0:
                return f, f * step
            if x_next < x:
                step = math.sqrt(step)
            else:
                f, x = f * step, x_next
        self.fail("no resonance found for {}")

    def zero(self, per_turn, below, above):
        """The reactance's zero within (below, above), widened as needed, by the Illinois
        method."""
        for _ in range(20):
            xb, xa = self.reactances(per_turn, [below, above])
            if xb < 0 <= xa:
                break
            if xb >= 0:
                below /= 1.2
            if xa < 0:
                above *= 1.2
        else:
            self.fail("lost the resonance of {}")
        side = 0
        for _ in range(40):
            f = below - xb * (above - below) / (xa - xb)
            x = self.reactances(per_turn, [f])[0]
            if x < 0:
                below, xb = f, x
                if side < 0:
                    xa /= 2
                side = -1
            else:
                above, xa = f, x
                if side > 0:
                    xb /= 2
                side = 1
            if above - below < 1e-4 * f:
                break
        return below - xb * (above - below) / (xa - xb)

    def resonance(self, per_turn, start, step):
        """The resonances (hertz) of the two models `per_turn` (segments a turn, the coarser
        first) and the value extrapolated to fine segments, None when the models disagree by
        more than CONVERGED; the climb begins at `start`, below the first resonance."""
        n1, n2 = per_turn
        below, above = self.climb(n1, start, step)
        found = []
        for n in (n1, n2):
            f = self.zero(n, below, above)
            found.append(f)
            below, above = f / 1.05, f * 1.05
        f1, f2 = found
        if abs(f2 / f1 - 1) > CONVERGED:
            return found, None
        return found, f2 + (f2 - f1) * n1**2 / (n2**2 - n1**2)


def estimates(cli, coils, answer):
    """coilcalc-cli's `answer` (a field of its reference given in MHz), in hertz, for each coil
    (metres: D, H, N, d and, for a grounded coil, the height b of its lower end), asked as a
    user would."""
    requests = []
    for D, H, N, d, *base in coils:
        reference = {"wire_diameter": f"{d * 1e3:.6g}"}
        if base:
            reference["base_height"] = f"{base[0] * 1e3:.6g}"
        requests.append({"unit": "mm", "mode": "inductance", "reference": reference,
                         "fields": {"diameter": f"{D * 1e3:.6g}", "height": f"{H * 1e3:.6g}",
                                    "turns": f"{N:.6g}"}})
    text = "".join(json.dumps(r) + "\n" for r in requests)
    run = subprocess.run([cli, "--batch"], input=text, capture_output=True, text=True, check=True)
    return [json.loads(line)["reference"][answer] * 1e6 for line in run.stdout.splitlines()]
