"""The accuracy report's section on the coil at its working frequency: resistance and Q.

Every coil value comes from `coilcalc-cli --batch` with a "frequency" in the request's reference
object; only the straight wire's skin effect, which the section divides out to show the
winding's own share, is worked out here, from mpmath's Bessel functions. Called by
scripts/accuracy_report.py, whose helpers it is given.
"""
import math

from mpmath import mp, mpc, besselj, re

RHO = 1.7241e-8  # copper at 20 degrees Celsius, ohm metres
MU0 = 1.25663706212e-6
M_PER_IN = 0.0254


def skin_ratio(x):
    """A straight round wire's resistance over its DC resistance at d/delta = x."""
    if x == 0:
        return 1.0
    mp.dps = 20
    z = mpc(1, -1) * x / 2
    return float(re(z / 2 * besselj(0, z) / besselj(1, z)))


def frequency_for(d_in, x):
    """The frequency at which a wire d_in inches thick is x skin depths."""
    d = d_in * M_PER_IN
    return RHO * (x / d) ** 2 / (math.pi * MU0)


def d_over_delta(d_in, f):
    return d_in * M_PER_IN * math.sqrt(math.pi * f * MU0 / RHO)


def request(D, H, N, wire, f):
    """A coil in inches with a bare wire `wire` inches thick, its reference at f hertz."""
    return {"unit": "in", "mode": "inductance",
            "fields": {"diameter": repr(D), "height": repr(H), "turns": repr(N)},
            "reference": {"wire_diameter": repr(wire), "frequency": f"{f:.9g}Hz"}}


def log_range(lo, hi, count):
    return [lo * (hi / lo) ** (i / (count - 1)) for i in range(count)]


# Coils from a VHF coil to a loading coil for 180 kHz, in inches: form diameter, winding
# height, turns, bare wire.
COILS = [
    ("1/4 x 1/2 in, 20 turns AWG 24", 0.25, 0.5, 20, 0.0201),
    ("1 x 1 in, 10 turns AWG 11", 1.0, 1.0, 10, 0.0907),
    ("2 x 4 in, 40 turns AWG 18", 2.0, 4.0, 40, 0.0403),
    ("5.25 x 5.28 in, 240 turns AWG 24", 5.25, 5.28, 240, 0.0201),
]

# Pitch over wire diameter, for the proximity ratio's curves.
PITCHES = [1.05, 1.2, 1.5, 2.0, 3.0, 5.0]


def proximity_of(answer, wire, f):
    """The winding's share: AC resistance over DC resistance times the straight wire's."""
    r = answer["reference"]
    return r["ac_resistance_ohm"] / (r["dc_resistance_ohm"] * skin_ratio(d_over_delta(wire, f)))


def winding(shape, pitch_over_wire, N):
    """A coil on a 1 inch form whose H/Dw is `shape`: (form diameter, height, wire)."""
    # H = shape (1 + wire) with wire = H / (N pitch_over_wire).
    H = shape / (1 - shape / (N * pitch_over_wire))
    return 1.0, H, H / (N * pitch_over_wire)


def ratio_axes(axes, xlabel, title):
    """A plot of the proximity ratio on a logarithmic axis, with its labels and legend."""
    axes.set_xscale("log")
    axes.set_xlabel(xlabel)
    axes.set_ylabel("coil resistance / straight wire's")
    axes.set_title(title)
    axes.grid(True, which="both", alpha=0.3)
    axes.legend(fontsize=8)


def proximity_study(cli, docs, ask, save):
    """The proximity ratio against shape and pitch, at d/delta 50, and against d/delta."""
    import matplotlib.pyplot as plt

    fig, (ax, bx) = plt.subplots(1, 2, figsize=(11, 4.4), dpi=110)
    # The dialog takes a height of 0.1 to 10 form diameters.
    shapes = log_range(0.1, 7, 41)
    N = 30
    grid = {}
    for pd in PITCHES:
        requests, fs = [], []
        for shape in shapes:
            D, H, wire = winding(shape, pd, N)
            fs.append(frequency_for(wire, 50))
            requests.append(request(D, H, N, wire, fs[-1]))
        answers = ask(cli, requests)
        ys = [proximity_of(a, winding(s, pd, N)[2], f) for a, s, f in zip(answers, shapes, fs)]
        grid[pd] = dict(zip(shapes, ys))
        ax.plot(shapes, ys, label=f"pitch = {pd:g} x wire")
    ratio_axes(ax, "winding height / diameter at the wire's centre  (H / Dw)",
               f"{N} turns, d/delta = 50")

    xs = log_range(0.3, 300, 61)
    transition = {}
    for pd in [1.1, 2.0, 5.0]:
        D, H, wire = winding(1.0, pd, N)
        answers = ask(cli, [request(D, H, N, wire, frequency_for(wire, x)) for x in xs])
        ys = [proximity_of(a, wire, frequency_for(wire, x)) for a, x in zip(answers, xs)]
        transition[pd] = dict(zip(xs, ys))
        bx.plot(xs, ys, label=f"pitch = {pd:g} x wire")
    ratio_axes(bx, "wire diameter / skin depth  (d / delta)",
               f"{N} turns, as long as wide, from DC to full skin effect")
    fig.suptitle("The proximity effect of the winding (the program's table)")
    return save(fig, docs, "proximity.png"), grid, transition


def sweep(cli, ask, coil, fs):
    _, D, H, N, wire = coil
    return ask(cli, [request(D, H, N, wire, f) for f in fs])


def resistance_and_q_study(cli, docs, ask, save):
    """AC over DC resistance, and Q, against frequency for the coils above."""
    import matplotlib.pyplot as plt

    fig, (ax, bx) = plt.subplots(1, 2, figsize=(11, 4.6), dpi=110)
    fs = log_range(100, 300e6, 121)
    rows = []
    onset = {}  # where the resistance first passes 1.1 times DC
    for i, coil in enumerate(COILS):
        name, D, H, N, wire = coil
        colour = f"C{i}"
        answers = sweep(cli, ask, coil, fs)
        f0 = answers[0]["reference"]["self_resonance_MHz"] * 1e6
        below = [(f, a["reference"]) for f, a in zip(fs, answers) if f < f0]
        ax.plot([f for f, _ in below],
                [r["ac_resistance_ohm"] / r["dc_resistance_ohm"] for _, r in below],
                color=colour, label=name)
        ax.plot([f for f, _ in below], [skin_ratio(d_over_delta(wire, f)) for f, _ in below],
                color=colour, ls=":", lw=1)
        bx.plot([f for f, _ in below], [r["q"] for _, r in below], color=colour, label=name)
        bx.plot([f for f, r in below if r["apparent_q"] is not None],
                [r["apparent_q"] for _, r in below if r["apparent_q"] is not None],
                color=colour, ls="--", lw=1)
        bx.axvline(f0, color=colour, lw=0.8, ls=":")
        ratio = [r["ac_resistance_ohm"] / r["dc_resistance_ohm"] for _, r in below]
        onset[name] = next((f for (f, _), k in zip(below, ratio) if k > 1.1), None)
        table = [1e6, 7.1e6, 30e6]
        rows += [(name, f, a["reference"]) for f, a in zip(table, sweep(cli, ask, coil, table))]
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("frequency  (Hz)")
    ax.set_ylabel("AC resistance / DC resistance")
    ax.set_title("Resistance (dotted: the same wire straight)")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize=7.5)
    bx.set_xscale("log")
    bx.set_yscale("log")
    bx.set_ylim(1, None)
    bx.set_xlabel("frequency  (Hz)")
    bx.set_ylabel("Q")
    bx.set_title("Q (dashed: apparent, in a circuit; dotted: self-resonance)")
    bx.grid(True, which="both", alpha=0.3)
    return save(fig, docs, "resistance-q.png"), rows, onset


# Loading coils for 160-190 kHz measured by E. Phillips (W6IZJ), "[Lowfer] coil design
# validation", LowFER mailing list, 16 March 2003: "about 240 turns of #24 close wound" on a
# 5.25 in mailing tube, "a bit over 5.2 mH with a Q of about 300"; 220 turns of #18 close wound
# on a 7.5 in form, "about the same inductance", "measured Q of about 600". Not stated, so
# assumed: enamelled wire whose insulation makes the pitch 1.1 x the bare wire (heavy build),
# the form diameter as given, and 180 kHz, the frequency his message works with.
PHILLIPS = [
    ("240 turns AWG 24 on 5.25 in", 5.25, 240, 0.0201, "a bit over 5.2", 300),
    ("220 turns AWG 18 on 7.5 in", 7.5, 220, 0.0403, "about the same", 600),
]
PHILLIPS_PITCH = 1.1
PHILLIPS_PITCH_RANGE = [1.05, 1.2]  # thinner and thicker insulation, for the spread it makes
PHILLIPS_HZ = 180e3


def measured_study(cli, ask):
    """The reference at each measured coil, at the assumed pitch and at two others around it."""
    pitches = [PHILLIPS_PITCH] + PHILLIPS_PITCH_RANGE
    requests = []
    for _, D, N, wire, _, _ in PHILLIPS:
        for ratio in pitches:
            pitch = ratio * wire
            # The wire's centres lie a pitch's width (insulation included) beyond the form.
            requests.append(request(D + pitch - wire, N * pitch, N, wire, PHILLIPS_HZ))
    answers = [a["reference"] for a in ask(cli, requests)]
    rows = []
    for i, (name, _, _, _, L, Q) in enumerate(PHILLIPS):
        r, *others = answers[i * len(pitches):(i + 1) * len(pitches)]
        rows.append({"name": name, "L": L, "Q": Q, "ref_L": r["inductance_uH"] / 1000,
                     "q": r["q"], "apparent_q": r["apparent_q"],
                     "q_range": sorted(o["q"] for o in others)})
    return rows


def frequency_section(cli, docs, ask, save):
    """The markdown of the section, its plots written to docs/accuracy/."""
    proximity_path, grid, transition = proximity_study(cli, docs, ask, save)
    rq_path, rows, onset = resistance_and_q_study(cli, docs, ask, save)
    measured = measured_study(cli, ask)

    close = grid[1.05]
    spread = grid[5.0]
    flat = {pd: (min(v.values()), max(v.values())) for pd, v in grid.items()}
    table_rows = "\n".join(
        f"| {name} | {f / 1e6:g} | {d_over_delta(wire_of(name), f):.0f} | "
        f"{three_digits(r['dc_resistance_ohm'] * 1e3)} | "
        f"{three_digits(r['ac_resistance_ohm'] * 1e3)} | "
        f"{r['q']:.0f} | {fmt(r['apparent_q'], '.0f')} | {picofarads(r['tuning_capacitance_pF'])} |"
        for name, f, r in rows)
    measured_rows = "\n".join(
        f"| {m['name']} | {m['L']} | {m['ref_L']:.2f} | {m['Q']} | {m['q']:.0f} "
        f"({m['q_range'][0]:.0f} to {m['q_range'][1]:.0f}) | "
        f"{fmt(m['apparent_q'], '.0f')} | {m['q'] / m['Q']:.2f} |"
        for m in measured)
    lo_x, hi_x = min(transition[1.1]), max(transition[1.1])
    onset_text = ", ".join(f"{hertz(f)} ({name})" for name, f in onset.items() if f)

    return f"""## Resistance and Q

With a frequency (`--frequency 7.1MHz`, or `"frequency"` in a request's reference object) the
reference adds the coil's copper resistance, its Q, the coil as a circuit sees it near its
self-resonance, and the capacitor that tunes it:

- **DC resistance**: the wire along the helix, N sqrt((pi Dw)^2 + p^2) long, of annealed copper,
  1.7241e-8 ohm m at 20 degrees Celsius (IACS), 0.393 % more per kelvin, bent into turns:
  inside a ring the current goes as 1/r, so the resistance is (1 + sqrt(1 - (d/Dw)^2)) / 2 of
  the straight wire's (0.945 for a 1.2 mm form under 1 mm wire, 0.9983 for AWG 11 on a 1 inch
  form).
- **Skin effect**: a straight round wire's resistance over its DC resistance, exactly:
  Re[(x/2) J0(x) / J1(x)] with x = (1 - j) d / (2 delta), delta = sqrt(rho / (pi f mu0)). The
  program sums Kelvin's power series up to d/delta = 32 and Hankel's asymptotic expansion
  beyond; against 30-digit values from d/delta 0 to 1000 its largest error is below 1e-13.
- **Proximity effect**: the field of the other turns crowds the current further, to the sides
  of the wire that face the coil's inside. The coil's R(f)/R(0) over that of the same wire
  straight and alone is interpolated in a table of a numerical model of the winding
  (`scripts/proximity_model.py`), in the coil's shape H/Dw, its pitch over the wire, its turns
  and d/delta.
- **Q** = 2 pi f L / R with L the round-wire inductance. Near the self-resonance f0 a circuit
  sees L / (1 - (f/f0)^2) and R / (1 - (f/f0)^2)^2, so the apparent Q is Q (1 - (f/f0)^2); at
  and above f0 there are none. The tuning capacitance is 1 / ((2 pi f)^2 L) less the
  self-capacitance, none where that is below 0.

### The proximity ratio

![The proximity effect of the winding]({proximity_path})

At full skin effect (d/delta = 50, left) a close-wound coil of 30 turns (pitch 1.05 x the
wire) has {flat[1.05][0]:.2f} to {flat[1.05][1]:.2f} times the resistance of its wire straight
over heights of 0.1 to 7 diameters, {nearest(close, 1.0):.2f} when as long as wide; at a pitch of
5 wire diameters the ratio is {flat[5.0][0]:.2f} to {flat[5.0][1]:.2f}
({nearest(spread, 1.0):.2f} when as long as wide). Nearly touching turns matter most: the ratio
at a pitch of 1.05 is {nearest(close, 1.0) / nearest(grid[1.2], 1.0):.1f} times that at 1.2 for
the square coil. On the right, one coil as long as wide from d/delta = {lo_x:g} to {hi_x:g}: the
ratio starts at 1 at DC, where the current fills the wire whatever the field, and rises as the
current is pushed into a skin thinner than the wire; the model's table ends at d/delta = 100,
and beyond it the ratio is held.

R. G. Medhurst measured this ratio in fully developed skin effect and tabulated it against
length/diameter and pitch/wire diameter ("H.F. resistance and self-capacitance of single-layer
solenoids", Wireless Engineer 24, 1947); S. Butterworth gave the theory (1926). Neither table
could be read from here (only the opening of each source was reachable), so the program's
ratios are not yet compared with them, and no published value is stored in the repository.

### Resistance and Q against frequency

![Resistance and Q against frequency]({rq_path})

Left, each coil's resistance over its DC resistance, from 100 Hz to its self-resonance; dotted,
its wire straight and alone, which the winding multiplies by the proximity ratio. The
resistance passes 1.1 times DC at {onset_text}.

Right, Q (solid), rising as f while the resistance is flat
and as sqrt(f) once it grows as sqrt(f), and the apparent Q a circuit sees (dashed), which
falls to nothing at the self-resonance (dotted, the reference's estimate).

| coil | MHz | d/delta | DC (milliohm) | AC (milliohm) | Q | apparent Q | tuning (pF) |
|---|---|---|---|---|---|---|---|
{table_rows}

"none": at or above the self-resonance, or a self-capacitance that already tunes the coil
lower.

### Measured coils

Published measurements of the Q of single-layer coils with everything needed to model them
(diameter, length, turns, bare wire and its insulation, frequency) are scarce. The team found
only the two below, from one amateur's message to a mailing list, with round numbers
("about"), the insulation and the measuring frequency not stated: weak evidence, shown for
what it is. E. Phillips (W6IZJ), "[Lowfer] coil design validation", LowFER mailing list,
16 March 2003: loading coils for 160-190 kHz, close wound; assumed here a pitch of
{PHILLIPS_PITCH:g} x the bare wire (enamel) and {PHILLIPS_HZ / 1e3:g} kHz.

| coil | measured L (mH) | reference L (mH) | measured Q | reference Q (pitch 1.05 to 1.2 x wire) | apparent Q | reference / measured |
|---|---|---|---|---|---|---|
{measured_rows}

The inductance of the first coil agrees with his "a bit over 5.2 mH", which supports the
assumed geometry; the reference's Q is {100 * (measured[0]['q'] / measured[0]['Q'] - 1):+.0f} % from
the measured one. The second coil's measured Q is {measured[1]['Q'] / measured[1]['q']:.2f} times
the reference's, well beyond the spread that the unknown insulation makes. Two coils from one
source cannot say which of the two is typical.

Other measurements found give the Q without the coil's size (a
message signed Tom on the Topband mailing list, lists.contesting.com: "30 or 40 turns" of
silver-plated AWG 14, about 40 uH, Q about 300 from 2 to 4 MHz when new) or concern Litz
wire, which this reference does not model; the radio-frequency resistance of broadcast coils
measured by A. Hund and H. B. De Groot (Bureau of Standards, 1925), with single-layer coils
among them, is out of the team's reach beyond its abstract.

"""


def nearest(curve, x):
    """The value of a curve {x: y} at its x nearest to x (on a log scale)."""
    return curve[min(curve, key=lambda k: abs(math.log(k / x)))]


def hertz(f):
    return f"{f / 1e6:.3g} MHz" if f >= 1e6 else f"{f / 1e3:.3g} kHz"


def wire_of(name):
    return next(c[4] for c in COILS if c[0] == name)


def three_digits(value):
    """Three significant digits, without an exponent."""
    rounded = float(f"{value:.3g}")
    return f"{rounded:.0f}" if rounded >= 100 else f"{rounded:g}"


def picofarads(value):
    return "none" if value is None else f"{value:.0f}" if value >= 100 else f"{value:.3g}"


def fmt(value, pattern):
    return "none" if value is None else format(value, pattern)
