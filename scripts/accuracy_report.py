#!/usr/bin/python3
"""Writes docs/accuracy.md and its plots: the dialog's results against the physics reference.

Every number comes from `coilcalc-cli --batch` (the dialog's texts and the "reference" object
of the same answer). Run it through scripts/accuracy-report.sh, which builds the program:
    /usr/bin/python3 scripts/accuracy_report.py CLI DOCS_DIR
"""
import json
import math
import subprocess
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import matplotlib.ticker  # noqa: E402

from accuracy_frequency import frequency_section  # noqa: E402
from accuracy_grounded import grounded_section  # noqa: E402

MM_PER_INCH = 25.4
UNIT_FACTOR = {"nH": 1e-3, "uH": 1.0, "mH": 1e3}


def ask(cli, requests):
    """Answers of coilcalc-cli --batch to the requests, in order; a failed line stops the report."""
    text = "".join(json.dumps(r) + "\n" for r in requests)
    run = subprocess.run([cli, "--batch"], input=text, capture_output=True, text=True, check=False)
    answers = [json.loads(line) for line in run.stdout.splitlines()]
    if len(answers) != len(requests):
        sys.exit(f"accuracy_report: {len(requests)} requests, {len(answers)} answers")
    for request, answer in zip(requests, answers):
        if "reference" not in answer:
            sys.exit(f"accuracy_report: no reference for {json.dumps(request)}: {json.dumps(answer)}")
    return answers


def number_in(line, index):
    return float(line.split()[index])


def dialog_values(answer):
    fields = answer["fields"]
    return {
        "L": float(fields["inductance"]) * UNIT_FACTOR[fields["inductance_unit"]],
        "C": number_in(fields["capacitance"], 2),
        "F": number_in(fields["resonance"], 3),
    }


def log_range(lo, hi, count):
    return [lo * (hi / lo) ** (i / (count - 1)) for i in range(count)]


def coil(D, H, N, reference=True, unit="in"):
    return {"unit": unit, "mode": "inductance", "reference": reference,
            "fields": {"diameter": repr(D), "height": repr(H), "turns": repr(N)}}


def percent(dialog, reference):
    return 100 * (dialog - reference) / reference


def figure(title, xlabel, ylabel, log_x=True):
    fig, ax = plt.subplots(figsize=(7.5, 4.6), dpi=110)
    ax.set_title(title)
    ax.set_xlabel(xlabel)
    ax.set_ylabel(ylabel)
    if log_x:
        ax.set_xscale("log")
    ax.grid(True, which="both", alpha=0.3)
    return fig, ax


def save(fig, docs, name):
    fig.tight_layout()
    fig.savefig(f"{docs}/accuracy/{name}")
    plt.close(fig)
    return f"accuracy/{name}"


# The ratios the dialog accepts: height over form diameter from 0.1 to 10.
RATIOS = log_range(0.1, 9.99, 160)


def sheet_study(cli, docs):
    """The dialog's inductance against the exact current sheet of the same size (wire = pitch)."""
    fig, ax = figure("Dialog inductance against the exact current sheet",
                     "winding height / centre diameter  (H / Dc)", "dialog vs sheet  (%)")
    worst = {}
    curves = {}
    for N in [5, 20, 100, 1000]:
        requests = []
        for r in RATIOS:
            D, H = 1.0, r
            # A wire as thick as the pitch (less a hair for the dialog's 32-bit sizes): the sheet is then
            # exactly as wide as the dialog's centre diameter D + H/N.
            requests.append(coil(D, H, N, {"wire_diameter": repr(H / N * (1 - 1e-6))}))
        answers = ask(cli, requests)
        xs, ys = [], []
        for r, a in zip(RATIOS, answers):
            Dc = 1.0 + r / N
            xs.append(r / Dc)
            ys.append(percent(dialog_values(a)["L"], a["reference"]["sheet_inductance_uH"]))
        ax.plot(xs, ys, label=f"{N} turns")
        curves[N] = (xs, ys)
    ax.axvline(1.0, color="grey", lw=0.8, ls=":")
    ax.text(1.03, ax.get_ylim()[0] * 0.9, "Wheeler's formula from here on", fontsize=8)
    ax.legend()
    path = save(fig, docs, "inductance-sheet.png")
    for N, (xs, ys) in curves.items():
        worst[N] = (min(ys), max(ys))
    xs, ys = curves[20]
    long_part = [y for x, y in zip(xs, ys) if x >= 1]
    short_part = [y for x, y in zip(xs, ys) if 0.2 <= x < 1]
    flat_part = [y for x, y in zip(xs, ys) if x < 0.2]
    return path, {
        "all": (min(min(v[0] for v in worst.values()), 0), max(v[1] for v in worst.values())),
        "long": (min(long_part), max(long_part)),
        "short": (min(short_part), max(short_part)),
        "flat": (min(flat_part), max(flat_part)),
    }


def wire_study(cli, docs):
    """The dialog's inductance against round wire: a few pitch/wire ratios and turn counts."""
    fig, axes = plt.subplots(1, 3, figsize=(11, 4.2), dpi=110, sharey=True)
    spread = []
    for ax, N in zip(axes, WIRE_TURNS):
        for pitch_over_wire in PITCH_OVER_WIRE:
            requests = [coil(1.0, r, N, {"wire_diameter": repr(r / N / pitch_over_wire)})
                        for r in RATIOS]
            answers = ask(cli, requests)
            ys = [percent(dialog_values(a)["L"], a["reference"]["inductance_uH"]) for a in answers]
            ax.plot(RATIOS, ys, label=f"pitch = {pitch_over_wire:g} x wire")
            spread += ys
        ax.set_xscale("log")
        ax.set_title(f"{N} turns")
        ax.set_xlabel("winding height / form diameter")
        ax.grid(True, which="both", alpha=0.3)
    axes[0].set_ylabel("dialog vs round wire  (%)")
    axes[0].legend(fontsize=8)
    fig.suptitle("Dialog inductance against Rosa's round-wire inductance")
    # The same at three shapes, for the table.
    table = {}
    for N in WIRE_TURNS:
        for pitch_over_wire in PITCH_OVER_WIRE:
            requests = [coil(1.0, r, N, {"wire_diameter": repr(r / N / pitch_over_wire)})
                        for r in TABLE_SHAPES]
            table[(N, pitch_over_wire)] = [
                percent(dialog_values(a)["L"], a["reference"]["inductance_uH"])
                for a in ask(cli, requests)]
    return save(fig, docs, "inductance-round-wire.png"), (min(spread), max(spread)), table


WIRE_TURNS = [10, 30, 100]
PITCH_OVER_WIRE = [1.1, 1.5, 3.0]
TABLE_SHAPES = [0.3, 1.0, 3.0]


def capacitance_study(cli, docs):
    """The dialog's stray capacitance over Medhurst's self-capacitance, against the turns."""
    fig, ax = figure("Dialog stray capacitance over Medhurst's self-capacitance",
                     "turns", "dialog / Medhurst")
    ax.set_yscale("log")
    turns = [2, 3, 4, 5, 7, 10, 15, 20, 30, 50, 70, 100, 150, 200, 300, 500, 1000, 2000, 5000,
             16384]
    ratios = []
    crossings = {}
    for shape in [0.2, 1.0, 5.0]:
        answers = ask(cli, [coil(1.0, shape, N) for N in turns])
        ys = [dialog_values(a)["C"] / a["reference"]["self_capacitance_pF"] for a in answers]
        ratios += ys
        ax.plot(turns, ys, marker=".", label=f"height = {shape:g} x diameter")
        # The turns where the dialog agrees, between the two turn counts around ratio 1.
        for (n0, y0), (n1, y1) in zip(zip(turns, ys), zip(turns[1:], ys[1:])):
            if y0 >= 1 > y1:
                crossings[shape] = n0 + (n1 - n0) * (y0 - 1) / (y0 - y1)
    ax.axhline(1.0, color="grey", lw=0.8)
    ax.legend()
    return save(fig, docs, "capacitance.png"), (min(ratios), max(ratios)), crossings


# Self-resonance measured by A. Pettit (KK4VB): one 3.561 m length of AWG 13 wire (1.83 mm)
# wound about 30 turns on 37 mm and stretched; length, length/diameter and first resonance.
PETTIT = [(62.2, 1.678, 37.0), (158.8, 4.28, 57.4), (323.9, 8.73, 67.8)]
PETTIT_WIRE_MM = 1.83
PETTIT_LENGTH_MM = 3561.0


def pettit_coils():
    """Centre diameter, turns, form diameter for each measured coil (turns from the wire length)."""
    coils = []
    for H, ratio, f in PETTIT:
        Dc = H / ratio
        N = PETTIT_LENGTH_MM / (math.pi * Dc)
        for _ in range(20):  # each turn is a helix: sqrt((pi Dc)^2 + pitch^2) of wire
            N = PETTIT_LENGTH_MM / math.hypot(math.pi * Dc, H / N)
        coils.append((H, Dc, round(N, 2), Dc - PETTIT_WIRE_MM, f))
    return coils


def nec_cached(path, coils, starts):
    """NEC's first resonance (hertz) of each coil (metres), by scripts/nec_resonance.py, kept in
    path: a coil missing from the file is worked out (minutes each, the climb beginning at its
    `starts` value) and added to it where NEC can model it here. None where NEC cannot, or its
    two models disagree (kept in the file with no nec_Hz)."""
    import csv
    import os
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import nec_resonance

    key = lambda c: tuple(f"{v:.6g}" for v in c)  # noqa: E731
    known = {}
    if os.path.exists(path):
        with open(path) as text:
            for row in csv.DictReader(text):
                coil = (float(row["D_m"]), float(row["H_m"]), float(row["N"]), float(row["d_m"]))
                known[key(coil)] = (row["segments"], float(row["nec_coarser_Hz"]),
                                    float(row["nec_finer_Hz"]), float(row["nec_Hz"])) \
                    if row["nec_Hz"] else None
    missing = [c for c in coils if key(c) not in known and nec_resonance.fits_nec(*c)]
    if missing:
        fresh = not os.path.exists(path)
        with open(path, "a") as out:
            if fresh:
                out.write("D_m,H_m,N,d_m,segments,nec_coarser_Hz,nec_finer_Hz,nec_Hz\n")
            for coil in missing:
                found, best = nec_resonance.resonance(*coil, starts[coils.index(coil)])
                n1, n2 = nec_resonance.models(*coil)
                known[key(coil)] = (f"{n1}/{n2}", found[0], found[1], best) if best else None
                out.write(",".join(key(coil)) + f",{n1}/{n2},{found[0]:.6g},{found[1]:.6g},"
                          + (f"{best:.6g}\n" if best else "\n"))
                out.flush()
    return [known.get(key(c)) for c in coils]


def mm_coil(D, H, N, d):
    """A request for a coil given in metres, its wire named."""
    return coil(float(f"{D * 1e3:.6g}"), float(f"{H * 1e3:.6g}"), N,
                {"wire_diameter": f"{d * 1e3:.6g}"}, "mm")


def chosen_for_nec(D, H, N, d):
    """Whether the report runs NEC for a coil of the grid. A coil of 200 turns takes NEC about
    half an hour here, so they are modelled on the 20 mm form only: those on 5 and 100 mm are the
    same coils scaled, and the resonance scales with them (`scaling` says how closely NEC's does
    over the coils modelled at every size). Lower than 3 diameters, 200 turns would need segments
    39 and 196 pitches long, far beyond the 14 at which NEC's two models of 30 turns already
    disagree."""
    return N < 200 or (D == 0.02 and H >= 3 * D)


def scaling(spread):
    """The largest spread of NEC's resonance times the form diameter over the coils that differ
    only in size, in per cent."""
    groups = {}
    for r in spread:
        groups.setdefault((r["N"], round(r["H"] / r["D"], 6), round(r["d"] / r["D"], 9)),
                          []).append(r["nec"] * r["D"])
    return max(100 * (max(v) / min(v) - 1) for v in groups.values() if len(v) > 1)


def resonance_study(cli, docs):
    import nec_resonance  # on the path after nec_cached

    grid = nec_resonance.grid()
    modelled = [c for c in grid if nec_resonance.fits_nec(*c) and chosen_for_nec(*c)]
    answers = ask(cli, [mm_coil(*c) for c in modelled])
    estimates = [a["reference"]["self_resonance_MHz"] * 1e6 for a in answers]
    nec = nec_cached(f"{docs}/accuracy/nec-grid.csv", modelled, [0.75 * e for e in estimates])
    fig, (ax, bx) = plt.subplots(1, 2, figsize=(11, 4.4), dpi=110)
    spread = []
    for (D, H, N, d), model, a, estimate in zip(modelled, nec, answers, estimates):
        if model is None:
            continue
        segments, coarser, finer, f = model
        spread.append({"D": D, "H": H, "N": N, "d": d, "segments": segments,
                       "nec": f, "converged": abs(finer / f - 1), "estimate": percent(estimate, f),
                       "dialog": percent(dialog_values(a)["F"] * 1e6, f)})
    colours = {5: "C0", 12: "C1", 30: "C2", 200: "C3"}
    for N, colour in colours.items():
        rows = [r for r in spread if r["N"] == N]
        if not rows:
            continue
        xs = [r["H"] / r["D"] * (1.04 if r["H"] / r["N"] / r["d"] > 3 else 0.96) for r in rows]
        ax.plot(xs, [r["estimate"] for r in rows], "o", color=colour, label=f"{N} turns")
        ax.plot(xs, [r["dialog"] for r in rows], "x", color=colour)
    ax.set_xscale("log")
    ax.set_yscale("symlog", linthresh=10)
    ax.axhspan(-5, 5, color="grey", alpha=0.15)
    ax.set_xlabel("winding height / form diameter")
    ax.set_ylabel("against NEC-2 (%): o estimate, x dialog")
    ax.set_title("First self-resonance against NEC-2, spaced windings")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend(fontsize=8)

    rows = []
    coils = pettit_coils()
    metres = [(round(D, 2) / 1e3, H / 1e3, N, PETTIT_WIRE_MM / 1e3) for H, Dc, N, D, f in coils]
    pettit = ask(cli, [mm_coil(*c) for c in metres])
    pettit_nec = nec_cached(f"{docs}/accuracy/nec-measured.csv", metres,
                            [0.75e6 * a["reference"]["self_resonance_MHz"] for a in pettit])
    for (H, Dc, N, D, f), a, model in zip(coils, pettit, pettit_nec):
        rows.append({"H": H, "Dc": Dc, "N": N, "D": round(D, 2), "measured": f,
                     "dialog": dialog_values(a)["F"], "nec": model[3] / 1e6 if model else None,
                     "estimate": a["reference"]["self_resonance_MHz"],
                     "lumped": a["reference"]["lumped_resonance_MHz"]})
    xs = [r["H"] / r["Dc"] for r in rows]
    bx.plot(xs, [r["measured"] for r in rows], "ko", label="measured (Pettit, KK4VB)")
    bx.plot(xs, [r["estimate"] for r in rows], "^-", label="estimate (sheath helix)")
    bx.plot([x for x, r in zip(xs, rows) if r["nec"]], [r["nec"] for r in rows if r["nec"]], "D--",
            label="NEC-2")
    bx.plot(xs, [r["dialog"] for r in rows], "s-", label="dialog")
    bx.plot(xs, [r["lumped"] for r in rows], "v:", label="lumped, Rosa L and Medhurst C")
    bx.set_xlabel("length / diameter")
    bx.set_ylabel("first self-resonance  (MHz)")
    bx.set_title("30 turns of AWG 13 on 37 mm, stretched")
    bx.grid(True, alpha=0.3)
    bx.legend(fontsize=8)
    limits = {"gridded": len(grid), "thick": sum(not nec_resonance.fits_nec(*c) for c in grid),
              "unconverged": sum(m is None for m in nec),
              "not_chosen": sum(nec_resonance.fits_nec(*c) and not chosen_for_nec(*c) for c in grid),
              "scaling": scaling(spread), "pitch_segments": nec_resonance.PITCH_SEGMENTS}
    return save(fig, docs, "self-resonance.png"), spread, rows, limits


def signed(value, digits=1):
    return f"{value:+.{digits}f}"


def main():
    cli, docs = sys.argv[1], sys.argv[2]
    sheet_path, sheet = sheet_study(cli, docs)
    wire_path, wire_spread, wire = wire_study(cli, docs)
    cap_path, cap, crossings = capacitance_study(cli, docs)
    srf_path, spread, pettit, limits = resonance_study(cli, docs)
    modelled = len(spread)
    frequency_text = frequency_section(cli, docs, ask, save)
    grounded_text = grounded_section(cli, docs, ask, save, dialog_values, plt)

    wire_rows = "\n".join(
        f"| {N} | {r:g} | " + " | ".join(f"{signed(v)} %" for v in values) + " |"
        for (N, r), values in wire.items())
    pettit_rows = "\n".join(
        f"| {p['H']:.1f} | {p['Dc']:.1f} | {p['N']:.2f} | {p['measured']:.1f} | "
        f"{p['estimate']:.1f} ({signed(percent(p['estimate'], p['measured']))} %) | "
        + (f"{p['nec']:.1f} ({signed(percent(p['nec'], p['measured']))} %) | " if p["nec"] else
           "not modelled | ") +
        f"{p['dialog']:.1f} ({signed(percent(p['dialog'], p['measured']), 0)} %) | "
        f"{p['lumped']:.1f} ({signed(percent(p['lumped'], p['measured']), 0)} %) |"
        for p in pettit)

    def measured_range(key):
        values = [percent(p[key], p["measured"]) for p in pettit]
        return f"{signed(min(values), 0)} % to {signed(max(values), 0)} %"

    worst = max(spread, key=lambda r: abs(r["estimate"]))
    where = (f"{worst['N']:g} turns of {worst['d'] * 1e3:.3g} mm wire on {worst['D'] * 1e3:g} mm, "
             f"{worst['H'] * 1e3:.3g} mm long")
    estimate_range = (min(r["estimate"] for r in spread), max(r["estimate"] for r in spread))
    dialog_range = (min(r["dialog"] for r in spread), max(r["dialog"] for r in spread))
    converged = max(r["converged"] for r in spread) * 100
    by_turns = "; ".join(
        f"{N} turns {signed(min(r['estimate'] for r in spread if r['N'] == N))} % to "
        f"{signed(max(r['estimate'] for r in spread if r['N'] == N))} %"
        for N in sorted({r["N"] for r in spread}))
    agree = ", ".join(f"{n:.0f} turns at a height of {shape:g} diameter{'' if shape == 1 else 's'}"
                      for shape, n in crossings.items())
    many_turns = [v for (N, r), values in wire.items() if N >= 30 for v in values]

    text = f"""# How close the dialog's numbers are to the real coil

Generated by `scripts/accuracy-report.sh` from `coilcalc-cli --batch`: for every coil the
dialog's own result texts and, in the same answer, the physics reference (`"reference"` in the
request; see `man coilcalc-cli`). The dialog's texts carry 4 significant digits (3 for the
self-resonance), so the curves show steps of a few hundredths of a per cent.

## In short

| result | dialog against the reference | trust it? |
|---|---|---|
| inductance, against the exact current sheet | {signed(sheet['all'][0], 1)} % to {signed(sheet['all'][1], 1)} % over every shape it accepts | yes, to about 1 % |
| inductance, against round wire (Rosa) | {signed(min(many_turns))} % to {signed(max(many_turns))} % for 30 turns or more up to 3 times as long as wide; up to {signed(wire_spread[1], 0)} % for few turns on a long coil | as a first guess: the real coil is lower |
| stray capacitance, against Medhurst's fit | {cap[0]:.4f} to {cap[1]:.1f} times | no |
| self-resonance, against a full-wave model (NEC-2) of spaced windings | {signed(dialog_range[0], 0)} % to {signed(dialog_range[1], 0)} % | no |
| self-resonance, against three measured coils | {measured_range('dialog')} | no: 20 to 40 % high |
| resonance of the coil grounded at its lower end | the dialog has none: its figure is the open coil's | use the reference's (below) |

The reference's own self-resonance, the estimate it stands by, is within
{signed(estimate_range[0])} % to {signed(estimate_range[1])} % of NEC-2 over {modelled} spaced windings, and
{measured_range('estimate')} of the three measured coils: use it, not the dialog's figure.

## The reference

- **Current sheet**: Lorenz's formula in Nagaoka's form, L = mu0 pi a^2 N^2 K / H, with
  Nagaoka's coefficient K from complete elliptic integrals (H. Nagaoka, J. Coll. Sci. Tokyo 27,
  1909). Checked against 30-digit values over diameter/length 1e-3 to 1e3 and against
  Nagaoka's tabulated coefficients.
- **Round wire**: E. B. Rosa's correction (Bull. Bureau of Standards 2, 1906, and 4, 1908;
  tables in F. W. Grover, *Inductance Calculations*, 1946): L = Lsheet - mu0 a N (ks + km),
  ks = 5/4 - ln(2p/d) for the wire's own field, km Rosa's mutual term (0.1137 at 2 turns,
  0.3269 at 100, tending to ln 2 pi - 3/2).
- **Self-capacitance**: R. G. Medhurst's fit to his measurements, C = Dw (0.1126 H/Dw + 0.08 +
  0.27 / sqrt(H/Dw)) pF with Dw in cm (Wireless Engineer 24, 1947).
- **Self-resonance**: the first resonance of the open coil (the one a dip meter finds), its
  half-wave mode: the current cos(pi z / H) along the wire, zero at both open ends, on the
  winding taken as a sheath helix of its own length (the surface conducting only along the
  wire, at the pitch angle psi, cot psi = pi Dw / p). The frequency is the mode's Rayleigh
  quotient, its electric energy over its magnetic: (k a)^2 = Q / (cot^2 psi A + B), with Q
  the charge's self-potential, A and B the inductances of the current's azimuthal and axial
  parts, each a double sum over rings of the winding with Maxwell's ring kernels (complete
  elliptic integrals). For an endless helix the same quotient is the quasi-static sheath-helix
  dispersion relation (J. R. Pierce, *Traveling-Wave Tubes*, 1950; S. Sensiper, Proc. IRE 43,
  1955); here the fields at the ends fringe as the kernels say, with no end correction. The
  round wires' own field, which a sheet lacks, is that of a row of round wires p cos psi apart
  (a numerical model of the row, `scripts/wire_row_model.py`): each wire's own field Lambda
  per length of wire in both the inductance (as Rosa's correction at radio frequencies) and the
  elastance, ln(p cos psi / (pi d)) for thin wires and less as they near touching; and the
  row's polarisation along the axis, the capacitance crowded into the gaps between neighbouring
  turns, in series along the winding (see the close windings below). No retardation:
  quasi-static. For comparison the reference also gives the winding as a helical line,
  f = VF c / (2H), with A. G. Kandoian and W. Sichak's velocity factor
  VF = 1 / sqrt(1 + 20 (Dw/p)^2.5 (Dw/lambda)^0.5) (Electrical Communication 30, 1953), and the
  lumped 1 / (2 pi sqrt(L C)) of the round-wire inductance and Medhurst's capacitance.
- Here D is the form diameter, H the winding height, N the turns, p = H/N the pitch, d the
  bare wire, Dw = D + d the diameter to the wire's centre, a = Dw/2. The wire is the gauge on
  the dialog's "Maximum wire size" line unless a comparison names another, as bare copper:
  d = 0.005 in x 92^((36 - n)/39).

## Inductance against the current sheet

![Dialog inductance against the exact current sheet]({sheet_path})

To compare the dialog's formulas alone, the sheet here is exactly as wide as the dialog's
centre diameter Dc = D + p (a wire as thick as the pitch). Wheeler's formula, which the dialog
uses for coils at least as long as their centre diameter, reads {signed(sheet['long'][0], 2)} % to
{signed(sheet['long'][1], 2)} %. The short-coil polynomial is as good, {signed(sheet['short'][0], 2)} % to
{signed(sheet['short'][1], 2)} %, down to a height of 0.2 diameters, and falls to
{signed(sheet['flat'][0], 1)} % at the flattest coils the dialog accepts (a height of 0.1 diameters).
The small step at H/Dc = 1 is the change from one formula to the other. The turns make no
difference: the sheet's inductance goes as N^2, and so do both formulas.

## Inductance against round wire

![Dialog inductance against round wire]({wire_path})

A real winding is not a sheet. Rosa's correction lowers the inductance when the wire nearly
fills the pitch (ks > 0) and raises it for a thin wire on a coarse pitch; its mutual term
lowers it more the fewer the turns. The dialog has neither, and it also takes the centre
diameter as D + p, as if the wire were as thick as the pitch, which overstates the coil when
the wire is thinner. So the dialog reads high, and the more so the coarser the pitch against
the coil's diameter: few turns on a long coil.

Dialog against round wire at three shapes (height over form diameter):

| turns | pitch / wire | 0.3 | 1 | 3 |
|---|---|---|---|---|
{wire_rows}

## Stray capacitance

![Dialog capacitance over Medhurst's]({cap_path})

The dialog's stray capacitance is 11.39 Dc / (N - 1) pF, the capacitance between neighbouring
turns taken in series, so it falls as 1/(N - 1). Medhurst's measurements show the
self-capacitance of a single-layer coil set by its size and shape, hardly by its turns. The
dialog is up to {cap[1]:.0f} times too high (2 turns) and down to 1/{1 / cap[0]:.0f} of it (16384
turns); it agrees only near {agree}.

## Self-resonance

![The first self-resonance against NEC-2 and measured coils]({srf_path})

**Against a full-wave model.** `scripts/nec_resonance.py` builds each coil for NEC-2 (nec2c,
the method-of-moments thin-wire code): the helix as one wire of straight segments, copper's
conductivity, a source on the middle segment. The first self-resonance is the first zero of
the source's reactance, rising from the capacitive side: fed at the middle, the half-wave mode
is a series resonance. Each turn is cut into n and 1.5 n segments, n at least 16 and, where the
finer model stays within {limits['pitch_segments']} segments, at least cot psi (no segment longer than the pitch),
and the resonance extrapolated as 1/n^2 from the two: the finer model is within
{converged:.1f} % of the extrapolated value for every coil counted here. Segments longer than
the pitch still converge so (30 turns 20 mm across and 20 mm long, cot psi 94: 65.39 MHz
extrapolated from 16 and 24 a turn, 65.51 from 24 and 36), but not when they are many pitches
long: where the two models differ by more than 3 % the coil is not counted.

The grid: form diameters 5, 20 and 100 mm, heights of 0.2, 1, 3 and 9.9 diameters, 5, 12, 30
and 200 turns, pitches of 2.5 and 6 wire diameters: {limits['gridded']} coils. NEC-2 modelled
{modelled} of them. Of the rest, {limits['thick']} would need segments shorter than the wire is
thick (a thick wire on a narrow form: they are springs more than coils); {limits['unconverged']}
(30 turns 0.2 diameters high, segments 14 pitches long) gave two models more than 3 % apart;
{limits['not_chosen']} of 200 turns were not run: about half an hour each here, those on 5 and 100 mm
are the coils on 20 mm scaled (the resonance scales with the coil: NEC's resonance times the
diameter differs by at most {limits['scaling']:.2f} % between the sizes of one coil), and those lower
than 3 diameters would need segments 39 and 196 pitches long at 16 a turn.

Over those {modelled} coils the estimate reads {signed(estimate_range[0])} % to {signed(estimate_range[1])} %
against NEC-2 ({by_turns}); the worst, {signed(worst['estimate'])} %, is {where}. The dialog's own figure
reads {signed(dialog_range[0], 0)} % to {signed(dialog_range[1], 0)} % (the crosses).

**Against measured coils.** A. Pettit (KK4VB) wound a 3.561 m length of AWG 13 wire (1.83 mm)
into about 30 turns on 37 mm and measured the first self-resonance as he stretched the coil
(published by D. W. Knight, G3YNH, in "Solenoid self-resonance measurements by Alex Pettit,
KK4VB"). The turns here are worked out from the wire length; the dialog is given the centre
diameter less one wire diameter as the form diameter, as a user would measure it. Other
published measurements (R. G. Medhurst's, 1947; C. M. de Miranda and S. F. Pichorim's, 2014
and 2015) were out of reach as tables and are not used.

| length (mm) | centre diameter (mm) | turns | measured (MHz) | estimate (MHz) | NEC-2 (MHz) | dialog (MHz) | lumped (MHz) |
|---|---|---|---|---|---|---|---|
{pettit_rows}

The two stretched coils (pitches of about 3 and 6 wire diameters) are where both models hold:
NEC-2 and the estimate agree with the measurements within a few per cent, the estimate a
little higher. On the close-wound coil (pitch 1.1 wire diameters) NEC-2 reads
{signed(percent(pettit[0]['nec'], pettit[0]['measured']))} %: its thin wire, a current on the wire's axis, carries no charge across the
wire and so none of the capacitance crowded into the narrow gaps between nearly touching
turns. The estimate takes that capacitance from the row of round wires and reads
{signed(percent(pettit[0]['estimate'], pettit[0]['measured']))} % (the close windings below). The measured figures are low for more reasons
than the model holds: the coils shorter than 8.5 inches (the first two) stood on a polyethylene
rod, a dielectric inside the winding, the close-wound coil was measured with a dip meter, whose
coupling pulls the frequency down, and a real coil's leads lengthen its wire a little. The
lumped estimate reads low ({measured_range('lumped')}), the more so the longer the coil, since a long winding
behaves as a transmission line rather than an L with a C across it. Three coils of one wire are
few: take these as the size of the errors, not as a calibration.

{grounded_text}{frequency_text}## Where to trust the dialog

- **Inductance**: the formulas are within about 1 % of the exact current sheet over every shape
  the dialog accepts. The real coil of round wire comes out a few per cent lower for
  close-wound coils, and much lower for few turns on a long coil; wind a few per cent more
  turns than the dialog asks for, or use the reference's turns.
- **Turns for an inductance**: about half the inductance's error, the other way round (the
  inductance grows as the square of the turns).
- **Wire length and wire gauge**: geometry, not physics; not compared here.
- **The coil grounded at its lower end** (a Tesla coil's secondary, a base-loading coil): the
  dialog's figure is not its resonance. The reference's grounded estimate is within a few per
  cent of NEC-2 over a perfect ground and of measured bare secondaries, reading high by 1 to 5 %
  on them; not checked on a top-loaded coil (it has no top load), nor over a poor ground.
- **Stray capacitance and self-resonance**: not to be trusted beyond the order of magnitude.
  Medhurst's capacitance is a better guide to the first, and the reference's self-resonance
  (the sheath helix with the round wires' field) to the second: within a few per cent of NEC-2
  for spaced windings; for close windings, see the measured coils above: within 10 % of the
  one close-wound coil measured, and not checked where the turns nearly touch (gaps under a
  tenth of the wire) nor for wire thick against the coil (over a fifth of its diameter).
"""
    with open(f"{docs}/accuracy.md", "w") as out:
        out.write(text)


if __name__ == "__main__":
    main()
