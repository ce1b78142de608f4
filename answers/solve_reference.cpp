// Works out the physics reference of the last completed solve from the numbers it stored.
#include "solve_reference.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

constexpr double METRES_PER_MILLIMETRE = 0.001;
// The dialog's gauges go to about 1000 for the finest pitch a float holds, and to infinity
// where the pitch is no longer a float.
constexpr float MAX_DIALOG_GAUGE = 100000;

// The frequency units a request may name, read in any case: "mHz" is taken for megahertz,
// since no coil is used at millihertz.
struct FrequencyUnit {
  const char* name;
  double hertz;
};
constexpr FrequencyUnit FREQUENCY_UNITS[] = {{"Hz", 1}, {"kHz", 1e3}, {"MHz", 1e6}, {"GHz", 1e9}};

constexpr const char* NUMBER_CHARACTERS = "0123456789.eE+-";

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  }
  return true;
}

// Reads `text` whole as a plain decimal number: no blanks, hexadecimal, "inf" or "nan". Sets
// `range` when the number lies beyond the doubles (strtod's ERANGE).
bool ReadPlainNumber(std::string_view text, double& value, bool& range) {
  const std::string copy(text);
  if (copy.empty() || copy.find_first_not_of(NUMBER_CHARACTERS) != std::string::npos) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  range = errno == ERANGE;
  return end == copy.c_str() + copy.size();
}

}  // namespace

bool ReadFrequency(std::string_view text, double& hertz, std::string& error) {
  const std::string quoted = "\"" + std::string(text) + "\"";
  std::size_t numberEnd = text.find_first_not_of(NUMBER_CHARACTERS);
  if (numberEnd == std::string_view::npos) numberEnd = text.size();
  std::size_t unitStart = text.find_first_not_of(" \t", numberEnd);
  if (unitStart == std::string_view::npos) unitStart = text.size();
  double value = 0;
  bool range = false;
  if (!ReadPlainNumber(text.substr(0, numberEnd), value, range) ||
      (unitStart == text.size() && unitStart != numberEnd)) {
    error =
        "the frequency must be a number above 0 with an optional unit (Hz, kHz, MHz or GHz), "
        "not " +
        quoted;
    return false;
  }
  double scale = 1;
  if (unitStart < text.size()) {
    const std::string_view unit = text.substr(unitStart);
    scale = 0;
    for (const FrequencyUnit& known : FREQUENCY_UNITS) {
      if (SameLetters(unit, known.name)) scale = known.hertz;
    }
    if (scale == 0) {
      error = "the frequency's unit must be Hz, kHz, MHz or GHz, not \"" + std::string(unit) + "\"";
      return false;
    }
  }
  if (std::signbit(value) || (value == 0 && !range)) {
    error = "the frequency must be above 0, not " + quoted;
    return false;
  }
  // Beyond the doubles as written, or once in hertz.
  const double inHertz = value * scale;
  if (!std::isnormal(inHertz)) {
    error = "the frequency " + quoted + " is too " + (inHertz > 1 ? "high" : "low") +
            " for the reference's arithmetic";
    return false;
  }
  hertz = inHertz;
  return true;
}

bool IsCopperTemperature(double celsius) {
  return celsius >= MIN_CELSIUS && celsius <= MAX_CELSIUS;
}

std::string CopperTemperatureRange() {
  char text[80];
  std::snprintf(text, sizeof text, "a number of degrees Celsius from %g to %g", MIN_CELSIUS,
                MAX_CELSIUS);
  return text;
}

bool ReadTemperature(std::string_view text, double& celsius, std::string& error) {
  double value = 0;
  bool range = false;
  if (!ReadPlainNumber(text, value, range) || !IsCopperTemperature(value)) {
    error = "the copper temperature must be " + CopperTemperatureRange() + ", not \"" +
            std::string(text) + "\"";
    return false;
  }
  celsius = value;
  return true;
}

double InUnit(double metres, const LengthUnit& unit) {
  return &unit == &INCHES ? metres / METRES_PER_INCH : metres / METRES_PER_MILLIMETRE;
}

bool ReadWireDiameter(std::string_view text, double& diameter, std::string& error) {
  double value = 0;
  bool range = false;
  if (!ReadPlainNumber(text, value, range) || !std::isfinite(value) || !(value > 0)) {
    error = "the wire diameter must be a number above 0, not \"" + std::string(text) + "\"";
    return false;
  }
  diameter = value;
  return true;
}

bool ReadBaseHeight(std::string_view text, double& height, std::string& error) {
  double value = 0;
  bool range = false;
  if (!ReadPlainNumber(text, value, range) || !std::isfinite(value) || !(value >= 0)) {
    error = "the base height must be a number of 0 or more, not \"" + std::string(text) + "\"";
    return false;
  }
  height = value;
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
  if (request.hasBaseHeight) {
    r.grounded = true;
    r.baseHeightAsGiven = request.baseHeight;
    r.baseHeight =
        request.baseHeight * (r.unit == &INCHES ? METRES_PER_INCH : METRES_PER_MILLIMETRE);
    r.fault = ComputeGroundedResonance(D, H, r.coil.N, r.wire, r.baseHeight, r.groundedResonance);
    if (r.fault != ReferenceFault::NONE) return false;
  }
  if (!request.hasFrequency) return true;
  r.atFrequency = true;
  r.celsius = request.celsius;
  r.fault = ComputeFrequencyReference(D, H, r.coil.N, r.wire, r.physics, request.frequency,
                                      request.celsius, r.frequency);
  return r.fault == ReferenceFault::NONE;
}
