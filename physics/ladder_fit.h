// A SPICE-ready circuit of the coil over a band: the coil's resistance, which grows with the
// frequency, drawn as a series inductance and resistance followed by a short ladder of
// branches, each a resistance with an inductance across it, all fitted to the coil's copper
// resistance and inductance by non-negative least squares; the capacitance across the whole
// is the circuit's (coil_sweep.h).
//
// A branch R_k || L_k adds w L_k below its corner R_k / L_k and R_k above it, so branches
// with corners spread over the band follow a resistance that rises as the skin deepens. The
// corners are fixed, three to a decade over the band and one beyond each end; the fit finds
// the resistances, which makes it a linear problem that a fixed sequence of arithmetic
// solves: the same digits on every build.
#pragma once

#include <complex>

#include "coil_sweep.h"

inline constexpr int MAX_LADDER_BRANCHES = 24;

struct LadderFit {
  double from = 0, to = 0;      // the band, hertz
  double seriesInductance = 0;  // henries
  double seriesResistance = 0;  // ohms; 0: none
  int branches = 0;             // those with a resistance above 0
  double branchResistance[MAX_LADDER_BRANCHES] = {};
  double branchInductance[MAX_LADDER_BRANCHES] = {};
  double capacitance = 0;           // across the whole, farads
  double worstResistanceError = 0;  // over the band, relative to the coil's copper resistance
  double worstReactanceError = 0;   // the same for w L
};

// Fits the ladder to `circuit` over `band` (its points are not used: the fit has its own);
// `fit` is written only on success.
ReferenceFault FitLadder(const CoilCircuit& circuit, const SweepBand& band, LadderFit& fit);

// Z of the fitted circuit, capacitance included, at `frequency` hertz.
std::complex<double> LadderImpedance(const LadderFit& fit, double frequency);
