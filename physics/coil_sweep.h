// The coil over a band of frequencies, as a circuit: its AC resistance and its inductance in
// series, with a capacitance across them that makes the pair resonate at the reference's
// self-resonance.
//
//   Z(f) = (R(f) + j w L) / (1 - w^2 L C + j w R(f) C),  w = 2 pi f
//   R(f)  the copper's resistance with skin and proximity effect (coil_frequency.h)
//   L     the round-wire inductance
//   C     L / ((w0 L)^2 + R(f0)^2): the imaginary part of Z is 0 at the self-resonance f0
//
// Below f0 the real part and the reactance are, to terms in 1/Q^2, the reference's apparent
// resistance and 2 pi f times its apparent inductance; |Z| peaks at f0 (to the same order).
// One resonance only: a real winding has more above its first, which this circuit knows
// nothing of.
#pragma once

#include <complex>
#include <vector>

#include "coil_frequency.h"

// The points a sweep may have, and its points when none are named.
inline constexpr int MIN_SWEEP_POINTS = 2;
inline constexpr int MAX_SWEEP_POINTS = 100000;
inline constexpr int DEFAULT_SWEEP_POINTS = 201;

// A band, hertz, from below to above, and its points, spaced evenly on a logarithmic scale
// with both ends included.
struct SweepBand {
  double from = 0;
  double to = 0;
  int points = DEFAULT_SWEEP_POINTS;
};

// The k-th frequency of the band (0 <= k < points): exactly `from` and `to` at the ends.
double SweepFrequency(const SweepBand& band, int k);

// The coil as the circuit above.
struct CoilCircuit {
  double D = 0, H = 0, N = 0, d = 0;  // as ComputeCoilReference takes them
  double celsius = REFERENCE_CELSIUS;
  double inductance = 0;     // henries
  double selfResonance = 0;  // hertz
  double capacitance = 0;    // farads
};

// Sets up the circuit of the coil D, H, N, d (whose reference is `coil`) with its copper at
// `celsius`; `circuit` is written only on success.
ReferenceFault MakeCoilCircuit(double D, double H, double N, double d, const CoilReference& coil,
                               double celsius, CoilCircuit& circuit);

// The copper's resistance of the circuit's coil at `frequency` hertz.
ReferenceFault CircuitResistance(const CoilCircuit& circuit, double frequency, double& resistance);

// `branch` with a susceptance w C across it.
std::complex<double> ParallelCapacitance(std::complex<double> branch, double susceptance);

// Z of the circuit at `frequency`, its resistance there being `resistance`.
std::complex<double> CircuitImpedance(const CoilCircuit& circuit, double frequency,
                                      double resistance);

// One frequency of a sweep and Z there.
struct ImpedancePoint {
  double frequency = 0;   // hertz
  double resistance = 0;  // ohms, the real part of Z
  double reactance = 0;   // ohms, the imaginary part
};

// Z over the band; FREQUENCY_OUT_OF_RANGE when the reference cannot reach a frequency of it.
// `points` is written only on success.
ReferenceFault SweepCircuit(const CoilCircuit& circuit, const SweepBand& band,
                            std::vector<ImpedancePoint>& points);

// The band of a plot and of a SPICE model when none is named: from a tenth of the lower of
// `frequency` (0: none) and the self-resonance (a hundredth without a frequency) to twice the
// higher, each end rounded down or up to two significant digits so that it can be typed.
SweepBand DefaultSweepBand(double selfResonance, double frequency);
