"""The accuracy report's section on the coil grounded at its lower end, against NEC-2 and
against Tesla-coil secondaries measured by their builders.

Every estimate comes from `coilcalc-cli --batch` with a "base_height" in the request's reference
object; NEC-2's answers are kept in docs/accuracy/nec-grounded.csv (scripts/nec_grounded.py
works out a coil missing from it) and the measurements are read from
tests/reference/measured_resonances.json, where each has its source. Called by
scripts/accuracy_report.py, whose helpers it is given.
"""
import csv
import json
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "tests", "reference"))
import physics_vectors  # noqa: E402  (the reference's own sums, for its shares of the field)
import wire_row_model  # noqa: E402
MEASURED = os.path.join(HERE, "..", "tests", "reference", "measured_resonances.json")


def awg(gauge):
    return 0.005 * 0.0254 * 92 ** ((36 - gauge) / 39)


def request(D, H, N, d, b):
    """A coil given in metres, its wire named, grounded b below its winding."""
    return {"unit": "mm", "mode": "inductance",
            "reference": {"wire_diameter": f"{d * 1e3:.6g}", "base_height": f"{b * 1e3:.6g}"},
            "fields": {"diameter": f"{D * 1e3:.6g}", "height": f"{H * 1e3:.6g}",
                       "turns": f"{N:.6g}"}}


def nec_cached(path, coils, starts):
    """NEC's grounded resonance (hertz) of each coil, kept in `path`; None where its two models
    disagree. A coil missing from the file is worked out and added."""
    sys.path.insert(0, HERE)
    import nec_grounded

    key = lambda c: tuple(f"{v:.6g}" for v in c)  # noqa: E731
    known = {}
    if os.path.exists(path):
        with open(path) as text:
            for row in csv.DictReader(text):
                coil = tuple(float(row[k]) for k in ("D_m", "H_m", "N", "d_m", "b_m"))
                known[key(coil)] = float(row["nec_Hz"]) if row["nec_Hz"] else None
    missing = [c for c in coils if key(c) not in known]
    if missing:
        fresh = not os.path.exists(path)
        with open(path, "a") as out:
            if fresh:
                out.write("D_m,H_m,N,d_m,b_m,segments,nec_coarser_Hz,nec_finer_Hz,nec_Hz\n")
            for c in missing:
                found, best = nec_grounded.resonance(c, starts[coils.index(c)])
                n1, n2 = nec_grounded.models(*c[:4])
                known[key(c)] = best
                out.write(",".join(key(c)) + f",{n1}/{n2},{found[0]:.6g},{found[1]:.6g},"
                          + (f"{best:.6g}\n" if best else "\n"))
    return [known[key(c)] for c in coils]


def whole_field(D, H, N, d):
    """The round wires' whole field on one of Pettit's open coils: the reference's electric and
    magnetic shares and the rings', per cent, and the factor that takes the reference's
    frequency to the whole field's. Each share is an energy over that with the charge or
    current spread evenly round every wire (the thin wire, Lambda = ln(s / (pi d))): the
    reference's from its own sums at 40 digits with the row's parts taken one at a time, the
    rings' from scripts/wire_row_model.py rings (the pitch neglected, whole turns). f goes as
    the square root of the electric energy over the magnetic."""
    from mpmath import mpf, log, pi, sqrt

    def parts(kind):
        def row(p, cot2, sin_psi, wire, a):
            own, gap = physics_vectors.wires(p, cot2, sin_psi, wire, a)
            thin = log(p * sqrt(cot2) * sin_psi / (pi * wire))
            return {"even": (thin, thin, 0), "magnetic": (own, thin, 0),
                    "electric": (thin, own, gap)}[kind]
        return row

    f = {kind: float(physics_vectors.sheath(mpf(D + d), mpf(H), mpf(N), mpf(d), parts(kind)))
         for kind in ("even", "magnetic", "electric")}
    electric = (f["electric"] / f["even"]) ** 2 - 1
    magnetic = (f["even"] / f["magnetic"]) ** 2 - 1
    shape, pitch, turns = H / (D + d), H / N / d, round(N)
    ring_e = wire_row_model.rings_energy(shape, pitch, turns)
    ring_m = wire_row_model.rings_exclusion(shape, pitch, turns)
    factor = math.sqrt((1 + ring_e) / (1 + electric) * (1 + magnetic) / (1 + ring_m))
    return {"electric": 100 * electric, "magnetic": 100 * magnetic, "rings_electric": 100 * ring_e,
            "rings_magnetic": 100 * ring_m, "factor": factor}


def grounded_magnetic(D, H, N, d, b):
    """The wires' magnetic part on a grounded coil of many turns, per cent of its frequency: the
    rings of scripts/wire_row_model.py over a ground plane, 30 and 60 turns of the coil's shape,
    pitch and base (over its height), N M carried to its turns as c0 + c1 / N."""
    shape, pitch, base = H / (D + d), H / N / d, b / H
    m30, m60 = (wire_row_model.rings_exclusion(shape, pitch, n, base) for n in (30, 60))
    c1 = (30 * m30 - 60 * m60) / (1 / 30 - 1 / 60)
    c0 = 60 * m60 - c1 / 60
    return 100 * (1 / math.sqrt(1 + (c0 + c1 / N) / N) - 1)


def gap_shift(reference, D, H, N, d, f):
    """The gaps' share of a resonance f, per cent, as the reference takes it: the turns' gaps as
    the row of round wires' polarisation alpha (scripts/wire_row_model.py), a capacitance
    K = 2 pi a eps0 alpha per length in series along the winding, across its inductance per
    length L', f = f0 / sqrt(1 + (2 pi f0)^2 L' K), solved here for f0. L' is the current
    sheet's, mu0 pi a^2 n^2 times Nagaoka's coefficient (from the reference's sheet inductance),
    where the reference takes the mode's own: about, then."""
    mu0, c0 = 1.25663706212e-6, 299792458.0
    a, p = (D + d) / 2, H / N
    spacing = p * math.cos(math.atan2(p, 2 * math.pi * a))
    alpha = wire_row_model.row_double(min(d / spacing, float(wire_row_model.X_MAX)))[1] * spacing
    nagaoka = reference["sheet_inductance_uH"] * 1e-6 / (mu0 * math.pi * a * a * N * N / H)
    per_length = mu0 * math.pi * a * a * (N / H) ** 2 * nagaoka
    crowding = (2 * math.pi * f) ** 2 * per_length * 2 * math.pi * a * alpha / (mu0 * c0 * c0)
    return 100 * (math.sqrt(max(0.0, 1 - crowding)) - 1)


def open_coil(c):
    """Form diameter, height, turns and wire of one of Pettit's coils (the turns from its wire)."""
    H, d = c["height_m"], c["wire_m"]
    Dc = H / c["height_over_diameter"]
    N = c["wire_length_m"] / (math.pi * Dc)
    for _ in range(20):
        N = c["wire_length_m"] / math.hypot(math.pi * Dc, H / N)
    return Dc - d, H, N, d


def signed(value, digits=1):
    return f"{value:+.{digits}f}"


def grounded_section(cli, docs, ask, save, dialog_values, plt):
    """The section's text, with its plot written to docs/accuracy/grounded-resonance.png."""
    sys.path.insert(0, HERE)
    import nec_grounded

    grid = nec_grounded.grid()
    answers = ask(cli, [request(*c) for c in grid])
    estimates = [a["reference"]["grounded_resonance_MHz"] * 1e6 for a in answers]
    nec = nec_cached(f"{docs}/accuracy/nec-grounded.csv", grid, [0.75 * e for e in estimates])
    rows = []
    for (D, H, N, d, b), a, estimate, f in zip(grid, answers, estimates, nec):
        if f is None:
            continue
        rows.append({"H": H, "D": D, "N": N, "pitch": H / N / d, "base": b / H,
                     "estimate": 100 * (estimate / f - 1),
                     "dialog": 100 * (dialog_values(a)["F"] * 1e6 / f - 1),
                     "open": 100 * (a["reference"]["self_resonance_MHz"] * 1e6 / f - 1)})

    with open(MEASURED, encoding="utf-8") as text:
        data = json.load(text)
    coils = [(c["diameter_m"], c["height_m"], c["turns"], awg(c["wire_awg"]), c["base_m"])
             for c in data["grounded"]]
    measured = []
    for c, (D, H, N, d, b), a in zip(data["grounded"], coils, ask(cli, [request(*k) for k in coils])):
        f = c["measured_Hz"] / 1e3
        measured.append({"name": c["name"], "D": D, "H": H, "N": N, "awg": c["wire_awg"],
                         "b": b, "pitch": H / N / d, "measured": f,
                         "estimate": a["reference"]["grounded_resonance_MHz"] * 1e3,
                         "open": a["reference"]["self_resonance_MHz"] * 1e3,
                         "dialog": dialog_values(a)["F"] * 1e3,
                         "gap": gap_shift(a["reference"], D, H, N, d,
                                          a["reference"]["grounded_resonance_MHz"] * 1e6),
                         "counted": c.get("counted", True), "why": c.get("why", ""),
                         "magnetic": grounded_magnetic(D, H, N, d, b)})

    pettit = []
    for c in data["open"]:
        D, H, N, d = open_coil(c)
        a = ask(cli, [{"unit": "mm", "mode": "inductance",
                       "reference": {"wire_diameter": f"{d * 1e3:.6g}"},
                       "fields": {"diameter": f"{D * 1e3:.6g}", "height": f"{H * 1e3:.6g}",
                                  "turns": f"{N:.6g}"}}])[0]["reference"]
        f0 = a["self_resonance_MHz"] * 1e6
        whole = whole_field(D, H, N, d)
        pettit.append({"pitch": H / N / d, "off": 100 * (f0 / c["measured_Hz"] - 1),
                       "gap": gap_shift(a, D, H, N, d, f0), **whole,
                       "whole": 100 * (f0 * whole["factor"] / c["measured_Hz"] - 1)})
    ring_rows = "\n".join(
        f"| {p['pitch']:.2f} | {signed(p['off'])} % | "
        + " | ".join(f"{signed(p[k], 2)} %"
                     for k in ("electric", "magnetic", "rings_electric", "rings_magnetic"))
        + f" | {signed(p['whole'])} % |"
        for p in pettit)
    whole_close = signed(pettit[0]["whole"])
    magnetic_low = signed(min(m["magnetic"] for m in measured), 2)
    magnetic_high = signed(max(m["magnetic"] for m in measured), 2)
    pettit_text = "; ".join(f"pitch {p['pitch']:.2f} wires: {signed(p['off'])} %, the gaps' share "
                            f"{signed(p['gap'])} %" for p in pettit)

    fig, (ax, bx) = plt.subplots(1, 2, figsize=(11, 4.4), dpi=110)
    for N, colour in {5: "C0", 12: "C1", 30: "C2"}.items():
        mine = [r for r in rows if r["N"] == N]
        ax.plot([r["base"] * (1.04 if r["pitch"] > 3 else 0.96) for r in mine],
                [r["estimate"] for r in mine], "o", color=colour, label=f"{N} turns")
    ax.set_xscale("log")
    ax.axhspan(-5, 5, color="grey", alpha=0.15)
    ax.set_xlabel("base height / winding height")
    ax.set_ylabel("estimate against NEC-2 (%)")
    ax.set_title("Grounded resonance against NEC-2, spaced windings")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize=8)
    xs = range(len(measured))
    bx.plot(xs, [100 * (m["estimate"] / m["measured"] - 1) for m in measured], "o",
            label="estimate (grounded sheath helix)")
    bx.plot([x for x, m in zip(xs, measured) if not m["counted"]],
            [100 * (m["estimate"] / m["measured"] - 1) for m in measured if not m["counted"]],
            "o", mfc="none", mec="k", ms=11, label="not counted")
    bx.axhspan(-5, 5, color="grey", alpha=0.15)
    bx.set_xticks(list(xs), [m["name"].split("'")[0].split(",")[0] for m in measured],
                  rotation=30, fontsize=7, ha="right")
    bx.set_ylabel("against the measured (%)")
    bx.set_title("Bare Tesla-coil secondaries, measured")
    bx.grid(True, alpha=0.3)
    bx.legend(fontsize=8)
    save(fig, docs, "grounded-resonance.png")

    def span(key, subset):
        values = [r[key] for r in subset]
        return f"{signed(min(values))} % to {signed(max(values))} %"

    by_turns = "; ".join(f"{N} turns {span('estimate', [r for r in rows if r['N'] == N])}"
                         for N in sorted({r["N"] for r in rows}))
    by_base = "; ".join(
        f"base {base:g} height {span('estimate', [r for r in rows if abs(r['base'] - base) < 1e-9])}"
        for base in sorted({round(r["base"], 6) for r in rows}))
    table = "\n".join(
        f"| {m['name']}{'' if m['counted'] else ' (not counted)'} | {m['D'] * 1e3:.0f} | "
        f"{m['H'] * 1e3:.0f} | {m['N']:g} | {m['awg']:g} | "
        f"{m['pitch']:.2f} | {m['b'] * 1e3:.0f} | {m['measured']:.1f} | {m['estimate']:.1f} "
        f"({signed(100 * (m['estimate'] / m['measured'] - 1))} %) | {m['dialog']:.0f} "
        f"({signed(100 * (m['dialog'] / m['measured'] - 1), 0)} %) | {m['open']:.1f} | "
        f"{signed(m['gap'], 2)} % | {signed(m['magnetic'], 2)} % |"
        for m in measured)
    counted = [100 * (m["estimate"] / m["measured"] - 1) for m in measured if m["counted"]]
    left_out = "; ".join(f"{m['name']}: {m['why']}" for m in measured if not m["counted"])
    unmodelled = len(grid) - len(rows)
    return f"""## The coil grounded at its lower end

![The grounded resonance against NEC-2 and measured secondaries](accuracy/grounded-resonance.png)

With a base height (`--base-height`, `"base_height"`) the reference adds the first resonance of
the coil standing over a ground plane with the lower end of its winding joined to it, as a
Tesla coil's secondary before its top load or a base-loading coil over ground: the
quarter-wave-like mode, the current greatest at the ground and nothing at the open top. The
winding is the same sheath helix as for the open coil; the ground plane is taken as its image
(the image's charge and azimuthal current reversed, its axial current not), the lead from the
ground up to the winding as a straight wire with its image. The current is sought as a
combination of cos(pi x / 2H) and cos(3 pi x / 2H) (x from the lower end), and the frequency is
the least of the Rayleigh quotients of that pair (a 2 x 2 eigenproblem): the single cosine reads
up to 10 % high, the pair within a few per cent of NEC-2. The lead's mutual inductance with the
winding is left out (a few tenths of a per cent at a base of half the winding's height).

**Against NEC-2.** `scripts/nec_grounded.py` builds the coil over a perfect ground (`GN 1`):
the lead from the ground to the helix, then the helix, copper's loss, the source on the lead's
segment at the ground; the first zero of the reactance rising from the capacitive side, from two
models (n and 1.5 n segments a turn, at most 600 segments for the finer one) extrapolated as
1/n^2. The grid: a 20 mm form, heights of 0.3, 1 and 3 diameters, 5, 12 and 30 turns, pitches of
2.5 and 6 wire diameters, the winding's lower end 0.05, 0.3 and 1 height above the ground: 54
coils, {len(rows)} modelled ({unmodelled} of 30 turns on the shortest winding, segments 15
pitches long, gave two models more than 3 % apart), about 13 minutes of NEC here. The estimate
reads {span('estimate', rows)} against NEC-2 ({by_turns}; {by_base}): higher the higher the
base, where the lead that is left out grows. The open coil's estimate on the same coils reads
{span('open', rows)}, and the dialog's figure {span('dialog', rows)}: neither stands for the
grounded coil. `ctest -R grounded` checks four of these coils (about 15 s of NEC).

**Against measured secondaries.** Builders on the Tesla Coil Mailing List (pupman.com)
measured the first resonance of their bare secondaries (no top load, no primary) with every
dimension given; only their measurements are used here (each source is named in
`tests/reference/measured_resonances.json`). The wire is the bare copper of the gauge named,
its enamel unknown; the diameter is taken as the form's. Frequencies in kHz, lengths in mm:

| coil | diameter | height | turns | AWG | pitch / wire | base | measured | estimate | dialog | open coil | the gaps' share | the wires' magnetic part, left out |
|---|---|---|---|---|---|---|---|---|---|---|---|---|
{table}

The {len(counted)} counted coils read {signed(min(counted))} % to {signed(max(counted))} %,
{sum(abs(v) <= 5 for v in counted)} of them within 5 %, {"every one" if min(counted) > 0 else "most"} high, the close-wound ones (a pitch under 1.2 wires) no
better than the spaced: the enamel's permittivity between nearly touching turns, which the
estimate leaves out, lowers a real coil's resonance. Left out of the count:
{left_out}. The dialog's figure, made for the open coil, is far from all of them.
A grounded coil's measured resonance also depends on what its ground is: the model's is a
perfect plane under the coil, a floor or a workshop is not, and a base high above it makes the
ground matter less and the room more.

## Close windings

The sheath helix smears the turns into a surface whose potential runs smoothly from turn to
turn. Real turns are round wires, each at one potential, and where they nearly touch two things
change that a sheet cannot hold; both resonances take them from a numerical model of a plane
row of round wires, the turns seen across the wire (`scripts/wire_row_model.py`: multipoles at
every wire summed over the row in closed form, checked against line sources fitted inside the
wires; its table, `physics/wire_row_table.inc`, is read to 2e-9):

- **Each wire's own field**, Lambda: its potential over the sheet's, per unit of charge (and
  as much vector potential per unit of current at radio frequencies). For thin wires it is
  ln(s / (pi d)), s = p cos psi the turns' spacing across the wire; as they near touching the
  charge moves to the wires' outer faces, and Lambda falls to -1.21 at d/s = 0.9 and -1.35 at
  0.98 (the thin-wire form would give -1.04 and -1.13).
- **The gaps' capacitance**: the field along the axis polarises the row, charges of opposite
  signs gathering on the facing sides of neighbouring turns, a dipole moment eps0 alpha E per
  area. For thin wires alpha = 2 pi r^2 / s; at d/s = 0.9 it is 4.2 s and it grows as
  1 / sqrt(gap) as they close. Along the winding it is a capacitance K = 2 pi a eps0 alpha per
  length in series, across the mode's inductance L' per length, and a line of such turns
  resonates at f0 / sqrt(1 + (2 pi f0)^2 L' K). Turns closer than a gap of 2 % of their
  spacing are taken at it: enamel keeps real turns about that far apart.

The shift goes as (k a)^2 alpha / a times the coil's inductance per length: large for a few
close turns at a high frequency, small for a Tesla coil's secondary, where k a is a thousandth
and less, so the secondaries, close wound or not, cannot show it (the gaps' share in the
secondaries' table: at most {max(abs(m['gap']) for m in measured):.2f} % on them). Pettit's open coils: {pettit_text}. The
close-wound coil comes from +17.7 % (the sheet, with the wire's own field left out where the
wires nearly touch) to the figure above.

**The whole of the round wires' field, and how much of it the reference holds.** Two models
of the coil's turns as coaxial rings of round wire (`scripts/wire_row_model.py rings H/Dw P/D N`:
the pitch neglected, each wire's surface cut into panels) take the wires' field whole for the
half-wave mode, each against the same with the charge or the current spread evenly round every
wire, the thin wire that the sheet with Lambda = ln(s / (pi d)) stands for. The charge moves
round each wire, into the gaps and onto the outer faces, which lowers the electric energy. At
radio frequencies the wires keep the magnetic field out of themselves, the current crowding to
their faces, which lowers the inductance; these rings take the wires as perfect conductors, and
the winding's cells of `scripts/proximity_model.py exclusion H/Dw P/D N` (filaments through the
copper at d/delta 200, another method, minutes a coil) give nearly as much: -8.45 % on the
close-wound coil of 30 turns and -2.34 % on the one stretched to 159 mm, against -8.70 % and
-2.51 % here. The reference's own shares come from its sums with the row's parts taken one at a
time. Per cent, Pettit's open coils (the rings with whole turns):

| pitch / wire | estimate against measured | reference, electric | reference, magnetic | rings, electric | rings, magnetic | the whole field against measured |
|---|---|---|---|---|---|---|
{ring_rows}

The reference holds most of the electric part, the row's own field and its gaps, and almost none
of the magnetic: Lambda's share of the inductance is under 1 %. The rest is the wires keeping
out the field along the axis and, near the ends, the field across the winding; a row of wires
seen alone in the sheet's field would miss that the row ends where the field across it is
greatest, so this part has to come from the rings whole, over the coil's shape, pitch and
turns. The reference leaves it out. With it the close-wound coil would read {whole_close} %,
outside 10 %, and the spaced coils of thick wire would move away from NEC-2, whose thin wires
carry their current spread evenly as the sheet does. On the measured secondaries it would raise
the estimate by {magnetic_low} % to {magnetic_high} % (the last column of the secondaries'
table: `wire_row_model.rings_exclusion` over a ground plane at 30 and 60 turns of each coil's
shape, pitch and base, N times the change carried to the coil's turns as c0 + c1 / N), since
their wire is thin against their diameter. That choice was made after the comparison with the
measured coils was seen. The rest of the gap to the measurement the models do not hold: the
polyethylene rod inside the shorter coils, the dip meter's coupling, the leads, and the
enamel's permittivity in the gaps (it raises their capacitance). Only one close-wound open
coil, measured once, was within reach.

"""
