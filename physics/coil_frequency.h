// The coil at its working frequency, in double precision and SI units: the copper's
// resistance with the skin effect of a round wire and the proximity effect of the winding,
// the Q, the coil as a circuit sees it near its self-resonance, and the capacitor that tunes it.
//
//   DC resistance      the wire along the helix, N sqrt((pi Dw)^2 + p^2) of copper, bent into
//                      turns: inside a ring the current goes as 1/r, which makes the
//                      resistance (1 + sqrt(1 - (d/Dw)^2)) / 2 of the straight wire's (0.945
//                      at Dw = 2.2 d)
//   skin effect        a straight, isolated round wire, exact: Re[(x/2) J0(x) / J1(x)],
//                      x = (1 - j) d / (2 delta)
//   proximity effect   the coil's R(f)/R(0) over that of the same wire straight and alone,
//                      interpolated in a table of a numerical model of the winding, whose R(0)
//                      is the rings' above (proximity.h, scripts/proximity_model.py)
//   near resonance     L / (1 - (f/f0)^2), R / (1 - (f/f0)^2)^2, with f0 the reference's
//                      self-resonance; none at or above f0
#pragma once

#include "coil_physics.h"
#include "proximity.h"

// Annealed copper (IACS) at 20 degrees Celsius, ohm metres, and its temperature coefficient
// there, per kelvin.
constexpr double COPPER_RESISTIVITY_20C = 1.7241e-8;
constexpr double COPPER_TEMPERATURE_COEFFICIENT = 0.00393;
constexpr double REFERENCE_CELSIUS = 20.0;

// Copper's resistivity at `celsius`, linear in the temperature.
double CopperResistivity(double celsius);

// The skin depth sqrt(rho / (pi f mu0)) of a conductor of resistivity `rho` at `f` hertz.
double SkinDepth(double rho, double f);

// The length of wire in N turns of diameter Dw (centre to centre) over a winding H long.
double HelixWireLength(double Dw, double H, double N);

// The AC resistance of a straight, isolated round wire over its DC resistance, for the wire's
// diameter over the skin depth (0 <= dOverDelta; 1 at 0).
double SkinEffectRatio(double dOverDelta);

// The DC resistance of a ring of round wire over that of the same wire straight, for the wire's
// diameter over the ring's centre diameter, d/Dw (0 to 1; 1 at 0).
double RingResistanceRatio(double wireOverCentre);

// The coil at one frequency.
struct FrequencyReference {
  double frequency = 0;           // hertz
  double skinDepth = 0;           // metres
  double dcResistance = 0;        // ohms: the helix's wire, bent into rings
  double skinRatio = 0;           // SkinEffectRatio
  double proximityRatio = 0;      // ProximityRatio
  double acResistance = 0;        // ohms: dc x skin x proximity
  double q = 0;                   // 2 pi f L / R, L the round-wire inductance
  double apparentInductance = 0;  // henries; NaN at or above the self-resonance
  double apparentResistance = 0;  // ohms; NaN at or above the self-resonance
  double apparentQ = 0;           // NaN at or above the self-resonance
  double tuningCapacitance = 0;   // farads, less the self-capacitance; NaN where below 0
};

// Works out the coil D, H, N, d (as ComputeCoilReference takes them, whose result `coil` is)
// at `frequency` hertz with the copper at `celsius`; `result` is written only on success.
ReferenceFault ComputeFrequencyReference(double D, double H, double N, double d,
                                         const CoilReference& coil, double frequency,
                                         double celsius, FrequencyReference& result);
