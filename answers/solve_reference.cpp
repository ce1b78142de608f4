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

bool ReadSweepParts(std::string_view from, std::string_view to, double points, SweepBand& band,
                    std::string& error) {
  SweepBand out;
  if (!ReadFrequency(from, out.from, error) || !ReadFrequency(to, out.to, error)) return false;
  if (!(out.from < out.to)) {
    error = "the sweep's first frequency must be below its last, not \"" + std::string(from) +
            "\" to \"" + std::string(to) + "\"";
    return false;
  }
  if (!(points >= MIN_SWEEP_POINTS && points <= MAX_SWEEP_POINTS) || points != std::floor(points)) {
    error = "the sweep's points must be a whole number from " + std::to_string(MIN_SWEEP_POINTS) +
            " to " + std::to_string(MAX_SWEEP_POINTS);
    return false;
  }
  out.points = static_cast<int>(points);
  band = out;
  return true;
}

bool ReadSweep(std::string_view text, SweepBand& band, std::string& error) {
  const std::size_t first = text.find(':');
  const std::size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
  if (first == std::string_view::npos ||
      (second != std::string_view::npos &&
       (text.find(':', second + 1) != std::string_view::npos || second + 1 == text.size()))) {
    error =
        "a sweep is FROM:TO or FROM:TO:POINTS (1MHz:30MHz:201), not \"" + std::string(text) + "\"";
    return false;
  }
  double points = DEFAULT_SWEEP_POINTS;
  if (second != std::string_view::npos) {
    const std::string_view count = text.substr(second + 1);
    bool range = false;
    if (count.find_first_not_of("0123456789") != std::string_view::npos ||
        !ReadPlainNumber(count, points, range)) {
      error = "the sweep's points must be a whole number from " + std::to_string(MIN_SWEEP_POINTS) +
              " to " + std::to_string(MAX_SWEEP_POINTS) + ", not \"" + std::string(count) + "\"";
      return false;
    }
  }
  const std::string_view to =
      text.substr(first + 1, second == std::string_view::npos ? second : second - first - 1);
  return ReadSweepParts(text.substr(0, first), to, points, band, error);
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
  r.coil = lastSolvedCoil;
  r.unit = r.coil.unit;
  r.turnsMode = r.coil.mode != SOLVE_FOR_INDUCTANCE;
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
  r.celsius = request.celsius;
  if (request.hasFrequency) {
    r.atFrequency = true;
    r.fault = ComputeFrequencyReference(D, H, r.coil.N, r.wire, r.physics, request.frequency,
                                        request.celsius, r.frequency);
    if (r.fault != ReferenceFault::NONE) return false;
  }
  if (!request.hasSweep && !request.hasLadder) return true;
  r.fault = MakeCoilCircuit(D, H, r.coil.N, r.wire, r.physics, r.celsius, r.circuit);
  if (r.fault != ReferenceFault::NONE) return false;
  r.band = request.hasSweep ? request.sweep
                            : DefaultSweepBand(r.physics.selfResonance,
                                               request.hasFrequency ? request.frequency : 0);
  r.swept = request.hasSweep;
  if (r.swept) r.fault = SweepCircuit(r.circuit, r.band, r.sweep);
  r.fitted = request.hasLadder && r.fault == ReferenceFault::NONE;
  if (r.fitted) r.fault = FitLadder(r.circuit, r.band, r.ladder);
  r.bandOutOfReach = r.fault == ReferenceFault::FREQUENCY_OUT_OF_RANGE;
  return r.fault == ReferenceFault::NONE;
}
