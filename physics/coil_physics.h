// The physics reference for a single-layer air-core coil of round copper wire, in double precision.
//
// SI units throughout: metres, henries, farads, hertz. A coil is its form diameter D, its
// winding length H, its turns N and the bare diameter d of its wire; the wire's centres lie on
// the diameter Dw = D + d, the pitch is p = H/N, and the current sheet that stands for the
// winding is Dw across and H long.
//
//   sheet inductance   Lorenz's formula in Nagaoka's form (elliptic integrals by the AGM)
//   round wire         Rosa's correction: L = Lsheet - mu0 (Dw/2) N (ks + km)
//   self-capacitance   Medhurst's empirical fit (1947)
//   self-resonance     the estimate: the half-wave mode of the winding as a finite sheath
//                      helix (helix_resonance.h), and the quarter-wave-like mode of the
//                      winding grounded at its lower end over a ground plane; for comparison, the
//                      winding as a helical line with Kandoian and Sichak's velocity factor, and
//                      the lumped 1 / (2 pi sqrt(L C)) from the two values above
//
// Examples (checked by tests/physics/physics_test.cpp):
//   NagaokaCoefficient(1) = 0.688423..., NagaokaCoefficient(0) = 1
//   MutualCorrection(2) = 0.1137, (10) = 0.2664, (100) = 0.3269, towards ln(2 pi) - 3/2
//   AwgDiameter(36) = 0.005 in, AwgDiameter(0) = 0.3249 in
#pragma once

#include "physics_basics.h"

// Nagaoka's coefficient of a current sheet whose diameter is `ratio` times its length
// (0 <= ratio, +infinity gives 0): the sheet's inductance over that of the infinitely long
// sheet of the same turns per length.
double NagaokaCoefficient(double ratio);

// The inductance of a current sheet Dw across and H long carrying N turns.
double SheetInductance(double Dw, double H, double N);

// Rosa's self term: the difference between a round wire of diameter d and a strip of the
// pitch's width, per turn, for a uniform current.
double SelfCorrection(double pitch, double d);

// Rosa's mutual term for N turns (N >= 1): exact for whole N, linear between whole numbers.
double MutualCorrection(double N);

// The inductance of the coil wound with round wire, Rosa's correction to the sheet.
double RoundWireInductance(double D, double H, double N, double d);

// Medhurst's self-capacitance of a single-layer coil Dw across (centre to centre) and H long.
double MedhurstCapacitance(double Dw, double H);

// The half-wave resonance of the winding as a helical line, with Kandoian and Sichak's axial
// velocity factor; the factor depends on the frequency itself and is solved for.
double HelicalResonance(double Dw, double H, double N);

// 1 / (2 pi sqrt(L C)).
double LumpedResonance(double L, double C);

// The bare copper diameter of American Wire Gauge `gauge` (0000 is -3), metres.
double AwgDiameter(double gauge);

// The whole reference for one coil.
struct CoilReference {
  double sheetInductance = 0;
  double inductance = 0;  // round wire
  double selfCapacitance = 0;
  double helicalResonance = 0;
  double lumpedResonance = 0;
  double selfResonance = 0;  // the estimate the reference stands by: HelixResonance
};

// Why a coil has no reference.
enum class ReferenceFault {
  NONE,
  BAD_DIMENSIONS,          // D or H not a finite number above 0
  BAD_TURNS,               // N not a finite number of 1 or more
  BAD_WIRE,                // d not a finite number above 0
  WIRE_TOO_THICK,          // d above the pitch H/N
  OUT_OF_RANGE,            // an argument or value beyond or below the normal doubles
  BAD_FREQUENCY,           // a frequency not a finite number above 0
  FREQUENCY_OUT_OF_RANGE,  // a value at that frequency beyond or below the normal doubles
  BAD_TEMPERATURE,         // not a finite temperature above copper's (linear) zero of resistance
  BAD_BASE_HEIGHT,         // a base height not a finite number of 0 or more
  BASE_TOO_HIGH,           // a base height above MAX_BASE_OVER_HEIGHT times the winding's
};

// The highest base a grounded coil may stand on, in heights of its winding: far above it the
// ground no longer matters and the lead is the antenna.
inline constexpr double MAX_BASE_OVER_HEIGHT = 1000;

// Why the coil D, H, N, d cannot have a reference (the checks of its arguments alone), or NONE.
ReferenceFault CoilArgumentsFault(double D, double H, double N, double d);

// Computes every reference value of a coil, or says why it cannot; `reference` is written
// only on success. Any arguments at all may be given.
ReferenceFault ComputeCoilReference(double D, double H, double N, double d,
                                    CoilReference& reference);

// The first resonance of the coil with the lower end of its winding b above a ground plane and
// joined to it (GroundedHelixResonance), or why it has none; `hertz` is written only on success.
ReferenceFault ComputeGroundedResonance(double D, double H, double N, double d, double b,
                                        double& hertz);

// The turns, from 2 up to the most that the wire allows (H/d), whose round-wire inductance
// is L; a NaN when L lies outside the inductances at those two ends, or an argument is bad
// or below the normal doubles.
double ReferenceTurns(double D, double H, double d, double L);
