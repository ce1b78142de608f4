// Works out the physics reference of the last completed solve from the numbers it stored.
#include "solve_reference.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr double METRES_PER_MILLIMETRE = 0.001;
// The dialog's gauges go to about 1000 for the finest pitch a float holds, and to infinity
// where the pitch is no longer a float.
constexpr float MAX_DIALOG_GAUGE = 100000;

}  // namespace

double InUnit(double metres, const LengthUnit& unit) {
  return &unit == &INCHES ? metres / METRES_PER_INCH : metres / METRES_PER_MILLIMETRE;
}

bool ReadWireDiameter(std::string_view text, double& diameter, std::string& error) {
  const std::string copy(text);
  // Only the characters of a plain decimal number: no blanks, hexadecimal, "inf" or "nan".
  const bool plain =
      !copy.empty() && copy.find_first_not_of("0123456789.eE+-") == std::string::npos;
  char* end = nullptr;
  const double value = plain ? std::strtod(copy.c_str(), &end) : 0;
  if (!plain || end != copy.c_str() + copy.size() || !std::isfinite(value) || !(value > 0)) {
    error = "the wire diameter must be a number above 0, not \"" + copy + "\"";
    return false;
  }
  diameter = value;
  return true;
}

bool ComputeSolveReference(const WireRequest& request, SolveReference& r) {
  r = SolveReference();
  r.unit = &SelectedLengthUnit();
  r.turnsMode = solveMode != SOLVE_FOR_INDUCTANCE;
  r.coil = lastSolvedCoil;
  r.turns = std::numeric_limits<double>::quiet_NaN();
  if (request.hasDiameter) {
    r.byGauge = false;
    r.wire = request.diameter * (r.unit == &INCHES ? METRES_PER_INCH : METRES_PER_MILLIMETRE);
  } else if (request.hasGauge) {
    r.gauge = request.gauge;
    r.wire = AwgDiameter(r.gauge);
  } else if (r.coil.gauge <= MAX_DIALOG_GAUGE) {
    r.gauge = static_cast<int>(r.coil.gauge);
    r.wire = AwgDiameter(r.gauge);
  } else {
    // A pitch below any float: the dialog's gauge line reads about 1E+999.
    r.noGauge = true;
    return false;
  }
  const double D = static_cast<double>(r.coil.D) * METRES_PER_INCH;
  const double H = static_cast<double>(r.coil.H) * METRES_PER_INCH;
  r.fault = ComputeCoilReference(D, H, r.coil.N, r.wire, r.physics);
  if (r.fault != ReferenceFault::NONE) return false;
  if (r.turnsMode) r.turns = ReferenceTurns(D, H, r.wire, r.coil.L * 1e-6);
  return true;
}
