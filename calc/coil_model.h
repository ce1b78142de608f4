// The coil model: inductance, turns, wire and parasitics of a single-layer air-core coil.
//
// Lengths are inches, inductance microhenries, capacitance picofarads and frequency
// megahertz. Every value is a 32-bit float; each formula line is evaluated in double
// and rounded to float once, when its result is stored. The turn solvers return -1
// when no number of turns from 2 to 16384 gives the wanted inductance.
//
// Values of a few coils (checked by tests/coil_model_test.cpp):
//   CoilInductance(1, 1, 10)    = 2.02284 uH (short-coil formula, F(1.1) = 0.0183894)
//   CoilInductance(0.5, 1, 20)  = 2.42485 uH (Wheeler)
//   CoilInductance(0.25, 0.5, 2) = 0.0344828 uH (Dc/H exactly 1 takes Wheeler)
//   CoilTurns(2, 1, 10)         = 13.397
//   CoilTurns(1, 1, 2.022838)   = 9.998 (D/H = 1 solves Wheeler's formula)
//   TurnsWheeler(0.5, 1, 2.42485) = 20
//   CoilTurns(0.2, 1, 0.01) = CoilTurns(1, 1, 1e9) = -1
//   MaxWireGauge(1, 10) = 11, MaxWireGauge(0.1, 16384) = 95, MaxWireGauge(1, 2) = 0
#pragma once

// The legal numbers of turns; the turn solvers search this range.
constexpr float MIN_TURNS = 2;
constexpr float MAX_TURNS = 16384;

// The centre diameter of the winding, D + H/N.
float CentreDiameter(float D, float H, float N);
float CoilInductance(float D, float H, float N);
float CoilTurns(float D, float H, float L);

float InductanceWheeler(float D, float H, float N);
float InductanceShapeFactor(float D, float H, float N);
float ShapeFactor(float x);

float ResidualWheeler(float Dc, float H, float L, float N);
float ResidualShapeFactor(float Dc, float H, float L, float N);
float TurnsWheeler(float D, float H, float L);
float TurnsShapeFactor(float D, float H, float L);

// The wire length in the user's length unit. It is handed to the display as the
// unrounded product: the result line is formatted from it before any 32-bit store.
double WireLength(float Dc, float N, float lengthScale);
float MaxWireGauge(float H, float N);
float StrayCapacitance(float Dc, float N);
float SelfResonantFrequency(float C, float L);
