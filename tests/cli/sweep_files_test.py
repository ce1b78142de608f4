#!/usr/bin/env python3
"""coilcalc-cli's sweep read back by tools of others: its Touchstone file by scikit-rf against
the engine's own JSON sweep, and its SPICE model driven with 1 A in ngspice against the
Touchstone data, on coils from small VHF coils to a 240-turn coil; and the options' faults.

Usage: sweep_files_test.py [EMULATOR...] COILCALC_CLI
"""
import json
import math
import os
import subprocess
import sys
import tempfile
import unittest

import numpy
import skrf

CLI = []  # the program, after the emulator that runs it in a cross build

# Coils as a user types them: from a quarter-inch VHF coil to a 240-turn one.
COILS = [
    ["--diameter", "0.25", "--height", "0.25", "--turns", "4"],
    ["--unit", "mm", "--diameter", "6", "--height", "10", "--turns", "8"],
    ["--diameter", "1", "--height", "1", "--turns", "10", "--temperature", "60"],
    ["--diameter", "2", "--height", "4", "--turns", "60", "--wire-gauge", "24"],
    ["--diameter", "3", "--height", "10", "--turns", "240"],
    # Close-wound: the proximity effect at its strongest, the ladder's hardest fit.
    ["--unit", "mm", "--diameter", "20", "--height", "20", "--turns", "20",
     "--wire-diameter", "0.95"],
]


def impedance(network):
    """Z of a one-port network from the S11 and reference impedance the reader found (Debian's
    scikit-rf 0.15 cannot convert to Z itself with numpy 1.24: it asks for numpy.complex)."""
    s, z0 = network.s[:, 0, 0], network.z0[:, 0]
    return z0 * (1 + s) / (1 - s)


def run(*args, check=True):
    done = subprocess.run([*CLI, *args], capture_output=True, timeout=120)
    if check and done.returncode != 0:
        raise AssertionError(f"coilcalc-cli {' '.join(args)}: {done.stderr.decode()}")
    return done


def band_of(coil):
    """A band from a fiftieth of the coil's self-resonance to one and a half times it, written
    so that the program reads back the same doubles; and the self-resonance, hertz."""
    solve = [a for a, b in zip(coil, ["", *coil]) if "--temperature" not in (a, b)]
    reference = json.loads(run(*solve, "--json", "--reference").stdout)["reference"]
    f0 = reference["self_resonance_MHz"] * 1e6
    return f"{f0 / 50!r}Hz:{f0 * 1.5!r}Hz:301", f0


def ngspice_impedance(model, start, stop, work):
    """Z of the subcircuit in `model` with 1 A driven into it, from ngspice's AC analysis at
    400 points a decade: (frequencies, complex Z)."""
    with open(os.path.join(work, "coil.cir"), "w") as out:
        out.write(model)
    with open(os.path.join(work, "deck.cir"), "w") as out:
        out.write(f"""* 1 A into the coil's subcircuit
.include coil.cir
X1 1 0 coil
I1 0 1 AC 1
.control
ac dec 400 {start!r} {stop!r}
wrdata z.txt v(1)
quit
.endc
.end
""")
    done = subprocess.run(["ngspice", "-b", "deck.cir"], cwd=work, capture_output=True,
                          timeout=120)
    if done.returncode != 0 or b"rror" in done.stdout + done.stderr:
        raise AssertionError(f"ngspice: {done.stdout.decode()} {done.stderr.decode()}")
    data = numpy.loadtxt(os.path.join(work, "z.txt"))
    return data[:, 0], data[:, 1] + 1j * data[:, 2]


class SweepFilesTest(unittest.TestCase):
    def test_touchstone_reads_back_as_the_engines_sweep(self):
        for coil in COILS:
            with self.subTest(coil=coil), tempfile.TemporaryDirectory() as work:
                band, _ = band_of(coil)
                file = run(*coil, "--sweep", band, "--touchstone").stdout.decode()
                options = [line for line in file.splitlines() if line.startswith("#")]
                self.assertEqual(options, ["# Hz S RI R 50"])
                path = os.path.join(work, "coil.s1p")
                with open(path, "w") as out:
                    out.write(file)
                network = skrf.Network(path)
                sweep = json.loads(run(*coil, "--sweep", band, "--json").stdout)
                points = sweep["reference"]["sweep"]
                self.assertEqual(len(network.f), len(points))
                engine_f = numpy.array([p["frequency_Hz"] for p in points])
                engine_z = numpy.array([p["resistance_ohm"] + 1j * p["reactance_ohm"]
                                        for p in points])
                numpy.testing.assert_allclose(network.f, engine_f, rtol=1e-9)
                # Both have 9 digits, half a unit of the last at most 5e-9 of the value; Z =
                # 50 (1 + S) / (1 - S) moves by (Z + 50)^2 / 100 per unit of S.
                error = numpy.abs(impedance(network) - engine_z)
                allowed = 1e-8 * (numpy.abs(engine_z + 50) ** 2 / 100 + numpy.abs(engine_z))
                self.assertLessEqual(numpy.max(error / allowed), 1)

    def test_spice_model_in_ngspice_agrees_with_the_touchstone_data(self):
        for coil in COILS:
            with self.subTest(coil=coil), tempfile.TemporaryDirectory() as work:
                band, f0 = band_of(coil)
                path = os.path.join(work, "coil.s1p")
                with open(path, "wb") as out:
                    out.write(run(*coil, "--sweep", band, "--touchstone").stdout)
                network = skrf.Network(path)
                model = run(*coil, "--sweep", band, "--spice").stdout.decode()
                f, z = ngspice_impedance(model, network.f[0], network.f[-1], work)
                # ngspice's figures at the file's frequencies, between its own in log f.
                at = numpy.log(network.f)
                spice = (numpy.interp(at, numpy.log(f), z.real) +
                         1j * numpy.interp(at, numpy.log(f), z.imag))
                data = impedance(network)
                below = network.f <= 0.9 * f0
                magnitude = numpy.abs(numpy.abs(spice) / numpy.abs(data) - 1)[below]
                self.assertLess(magnitude.max(), 0.03)
                lower = network.f <= 0.7 * f0
                q = numpy.abs((spice.imag / spice.real) / (data.imag / data.real) - 1)[lower]
                self.assertLess(q.max(), 0.10)
                peak = f[numpy.argmax(numpy.abs(z))]
                self.assertLess(abs(peak / f0 - 1), 0.02)
                # The comments' worst errors are the fit's own figures.
                self.assertIn("Worst error over the band:", model)

    def test_faults_write_nothing_on_stdout(self):
        coil = ["--diameter", "1", "--height", "1", "--turns", "10"]
        cases = [
            (["--sweep", "30MHz:1MHz"], 2, "the sweep's first frequency must be below its last"),
            (["--sweep", "1MHz:1MHz"], 2, "the sweep's first frequency must be below its last"),
            (["--sweep", "1MHz:2MHz:1"], 2, "the sweep's points must be a whole number from 2"),
            (["--sweep", "1MHz:2MHz:100001"], 2, "from 2 to 100000"),
            (["--sweep", "1MHz:2MHz:2.5"], 2, "the sweep's points must be a whole number"),
            (["--sweep", "1MHz"], 2, "a sweep is FROM:TO or FROM:TO:POINTS"),
            (["--sweep", "1MHz:2Mhz:3:4"], 2, "a sweep is FROM:TO or FROM:TO:POINTS"),
            (["--sweep", "1MHz:2MHz:"], 2, "a sweep is FROM:TO or FROM:TO:POINTS"),
            (["--sweep", "1MHz:2parsec"], 2, "the frequency's unit must be Hz, kHz, MHz or GHz"),
            (["--touchstone"], 2, "--touchstone: the Touchstone file holds a sweep"),
            (["--sweep", "1MHz:2MHz", "--touchstone", "--spice"], 2, "excludes"),
            (["--sweep", "1MHz:2MHz", "--touchstone", "--json"], 2, "excludes"),
            (["--temperature", "30"], 2, "needs --frequency, --sweep or --spice"),
            (["--sweep", "1Hz:1e300Hz", "--touchstone"], 1,
             "Reference: the band 1 Hz to 1e+291 GHz reaches frequencies too high or too low"),
            (["--sweep", "1Hz:1e300Hz", "--spice"], 1, "reaches frequencies too high or too low"),
        ]
        for options, status, error in cases:
            with self.subTest(options=options):
                done = run(*coil, *options, check=False)
                self.assertEqual(done.returncode, status)
                self.assertIn(error, done.stderr.decode())
                if "--touchstone" in options or "--spice" in options or status == 2:
                    self.assertEqual(done.stdout, b"")
        # A solve that stops writes its message and no file.
        done = run("--diameter", "10.01", "--height", "1", "--sweep", "1MHz:2MHz",
                   "--touchstone", check=False)
        self.assertEqual((done.returncode, done.stdout), (1, b""))
        self.assertTrue(done.stderr)


if __name__ == "__main__":
    CLI[:] = sys.argv[1:]
    unittest.main(argv=sys.argv[:1])
