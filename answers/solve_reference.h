// The physics reference of the last completed solve: the wire it is wound with and what the
// reference gives for it, worked out from the numbers the solve stored.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "coil_frequency.h"
#include "coil_physics.h"
#include "coil_sweep.h"
#include "ladder_fit.h"
#include "solve.h"

// The reference a solve is asked for. The wire is the gauge on the dialog's "Maximum wire
// size" line unless a gauge or a bare diameter (in the solve's length unit) is named; a
// frequency adds the coil's resistance, Q and tuning there.
struct WireRequest {
  bool wanted = false;
  bool hasGauge = false;
  int gauge = 0;
  bool hasDiameter = false;
  double diameter = 0;
  bool hasFrequency = false;
  double frequency = 0;                // hertz
  double celsius = REFERENCE_CELSIUS;  // the copper's temperature
  bool hasSweep = false;               // the coil's impedance over `sweep`
  SweepBand sweep{};
  bool hasLadder = false;      // a SPICE model: fitted over `sweep` if named, else the default band
  bool hasBaseHeight = false;  // the coil grounded at its lower end ...
  double baseHeight = 0;       // ... this high above the ground, in the unit of length
};

// Gauges a request may name: 0000 (-3) to far finer than any wire that is drawn.
inline constexpr int MIN_WIRE_GAUGE = -3;
inline constexpr int MAX_WIRE_GAUGE = 200;

// Reads a wire diameter: a plain decimal number above 0 (e.g. "0.5", "1e-3"), nothing else.
bool ReadWireDiameter(std::string_view text, double& diameter, std::string& error);

// Reads a frequency: a plain decimal number above 0, then, after blanks or none, its unit: Hz,
// kHz, MHz or GHz in any case ("7.1MHz", "455 kHz", "3.5e6Hz"); without a unit, hertz. A
// frequency beyond the doubles once in hertz is refused too.
bool ReadFrequency(std::string_view text, double& hertz, std::string& error);

// Reads a sweep, FROM:TO[:POINTS]: two frequencies as ReadFrequency reads them, the first
// below the second, and a whole number of points from MIN_SWEEP_POINTS to MAX_SWEEP_POINTS
// (DEFAULT_SWEEP_POINTS when left out).
bool ReadSweep(std::string_view text, SweepBand& band, std::string& error);

// Checks a sweep's parts as a batch request names them (the frequencies as texts).
bool ReadSweepParts(std::string_view from, std::string_view to, double points, SweepBand& band,
                    std::string& error);
// Reads a base height: a plain decimal number of 0 or more (its unit the solve's).
bool ReadBaseHeight(std::string_view text, double& height, std::string& error);

// The copper temperatures a request may name, degrees Celsius: where copper's resistance is
// close to linear in its temperature.
inline constexpr double MIN_CELSIUS = -50;
inline constexpr double MAX_CELSIUS = 200;

// Whether `celsius` is a temperature a request may name, and the words that say which are.
bool IsCopperTemperature(double celsius);
std::string CopperTemperatureRange();

// Reads a copper temperature: a plain decimal number of degrees Celsius in the range.
bool ReadTemperature(std::string_view text, double& celsius, std::string& error);

struct SolveReference {
  const LengthUnit* unit = &INCHES;  // the solve's unit of length
  bool turnsMode = false;            // the solve found the turns
  SolvedCoil coil{};                 // the dialog's own numbers
  bool byGauge = true;               // the wire was named by gauge (else by diameter)
  int gauge = 0;
  double wire = 0;  // bare diameter, metres
  CoilReference physics{};
  double turns = 0;      // turns mode: the reference's turns for the wanted inductance; NaN: none
  bool noGauge = false;  // no reference: the pitch is finer than any gauge, name a wire
  ReferenceFault fault = ReferenceFault::NONE;  // no reference for this coil and wire
  bool atFrequency = false;                     // the rows at a frequency were asked for
  double celsius = REFERENCE_CELSIUS;
  FrequencyReference frequency{};
  bool bandOutOfReach = false;  // the sweep's or the model's band has frequencies it cannot reach
  CoilCircuit circuit{};        // for the sweep and the ladder
  bool swept = false;
  SweepBand band{};
  std::vector<ImpedancePoint> sweep;
  bool fitted = false;
  LadderFit ladder{};
  bool grounded = false;         // the coil grounded at its lower end was asked for
  double baseHeight = 0;         // metres
  double baseHeightAsGiven = 0;  // in the unit of length, as the request gave it
  double groundedResonance = 0;  // hertz
};

// The reference of the last solve, which must have completed, with the wire `request` names.
// Returns false, with `noGauge` or `fault` set, when this coil and wire have none.
bool ComputeSolveReference(const WireRequest& request, SolveReference& reference);

// A length in metres in the solve's unit of length.
double InUnit(double metres, const LengthUnit& unit);
