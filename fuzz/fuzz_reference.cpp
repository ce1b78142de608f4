// Fuzz target: the physics reference of a coil and its reference turns, for any doubles at all.
//
// Input bytes: records of five little-endian doubles D, H, N, d, L (metres, turns, henries); a
// short last record is filled with zero bytes. Every record must give either a fault that its
// arguments explain, or a reference whose every value is finite and above 0; the turns must be
// a NaN or lie from 2 to H/d with the wanted inductance there.
// A coil with a reference is also worked out at the frequency |L| hertz: a fault that the
// frequency explains, or values above 0 that agree with each other; and grounded L metres
// below its winding: a fault that L explains, or a resonance above 0.
// An input that starts with '{' is instead a batch request line: its answer must be one line of
// JSON, and a "reference" object in it must hold finite numbers above 0 (null only where a
// value may be none) that agree with each other.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <numbers>
#include <string>
#include <string_view>

#include "batch.h"
#include "coil_frequency.h"
#include "coil_physics.h"
#include "fuzz_support.h"
#include "solve_case.h"

namespace {

constexpr std::size_t RECORD = 5 * sizeof(double);

std::string Arguments(double D, double H, double N, double d, double L) {
  return "D " + Describe(D) + ", H " + Describe(H) + ", N " + Describe(N) + ", d " + Describe(d) +
         ", L " + Describe(L);
}

// The values at a frequency agree: Q from the resistance, the skin and proximity effects only
// add to the DC resistance, and none but the values near the self-resonance is missing.
void CheckFrequencyValues(double f, double L, double dc, double ac, double q, double apparentL,
                          double apparentQ, double tuning, const std::string& where) {
  for (double value : {f, dc, ac, q}) FUZZ_REQUIRE(IsPositive(value), where);
  FUZZ_REQUIRE(ac >= dc * (1 - 1e-12), where + ", resistance below DC");
  FUZZ_REQUIRE(std::fabs(q / (2 * std::numbers::pi * f * L / ac) - 1) < 1e-9, where + ", Q");
  FUZZ_REQUIRE(std::isnan(apparentL) == std::isnan(apparentQ), where);
  FUZZ_REQUIRE(std::isnan(apparentL) || apparentL >= L * (1 - 1e-12), where + ", apparent L");
  FUZZ_REQUIRE(std::isnan(tuning) || (std::isfinite(tuning) && tuning >= 0), where + ", tuning");
}

void CheckFrequency(double D, double H, double N, double d, const CoilReference& coil, double f,
                    const std::string& where) {
  FrequencyReference at;
  const ReferenceFault fault = ComputeFrequencyReference(D, H, N, d, coil, f, 20, at);
  if (!IsPositive(f)) {
    FUZZ_REQUIRE(fault == ReferenceFault::BAD_FREQUENCY, where);
  } else if (fault != ReferenceFault::NONE) {
    FUZZ_REQUIRE(fault == ReferenceFault::FREQUENCY_OUT_OF_RANGE, where);
  } else {
    CheckFrequencyValues(f, coil.inductance, at.dcResistance, at.acResistance, at.q,
                         at.apparentInductance, at.apparentQ, at.tuningCapacitance, where);
  }
}

// The coil grounded b below its winding: a fault that b explains, or a resonance above 0.
void CheckGrounded(double D, double H, double N, double d, double b, const std::string& where) {
  double f = 0;
  const ReferenceFault fault = ComputeGroundedResonance(D, H, N, d, b, f);
  if (!std::isfinite(b) || !(b >= 0)) {
    FUZZ_REQUIRE(fault == ReferenceFault::BAD_BASE_HEIGHT, where);
  } else if (b > MAX_BASE_OVER_HEIGHT * H) {
    FUZZ_REQUIRE(fault == ReferenceFault::BASE_TOO_HIGH, where);
  } else if (fault != ReferenceFault::NONE) {
    FUZZ_REQUIRE(fault == ReferenceFault::OUT_OF_RANGE, where);
  } else {
    FUZZ_REQUIRE(IsPositive(f), where);
  }
}

void CheckRecord(double D, double H, double N, double d, double L) {
  const std::string where = Arguments(D, H, N, d, L);
  CoilReference reference;
  const ReferenceFault fault = ComputeCoilReference(D, H, N, d, reference);

  // The faults of the arguments themselves, in the order they are checked.
  ReferenceFault expected = ReferenceFault::NONE;
  if (!IsPositive(D) || !IsPositive(H)) {
    expected = ReferenceFault::BAD_DIMENSIONS;
  } else if (!std::isfinite(N) || !(N >= 1)) {
    expected = ReferenceFault::BAD_TURNS;
  } else if (!IsPositive(d)) {
    expected = ReferenceFault::BAD_WIRE;
  } else if (d > H / N) {
    expected = ReferenceFault::WIRE_TOO_THICK;
  }
  if (expected != ReferenceFault::NONE) {
    FUZZ_REQUIRE(fault == expected, where);
  } else if (fault != ReferenceFault::NONE) {
    // Only arithmetic beyond the doubles may still stop a coil whose arguments are good.
    FUZZ_REQUIRE(fault == ReferenceFault::OUT_OF_RANGE, where);
  } else {
    const double values[] = {reference.sheetInductance, reference.inductance,
                             reference.selfCapacitance, reference.helicalResonance,
                             reference.lumpedResonance, reference.selfResonance};
    for (double value : values) FUZZ_REQUIRE(IsPositive(value), where);
    // A helical line is slower than light along its axis.
    FUZZ_REQUIRE(reference.helicalResonance <= SPEED_OF_LIGHT / (2 * H) * (1 + 1e-15), where);
    CheckFrequency(D, H, N, d, reference, std::fabs(L), where + ", frequency |L|");
    CheckGrounded(D, H, N, d, L, where + ", base height L");
  }

  const double turns = ReferenceTurns(D, H, d, L);
  if (std::isnan(turns)) return;
  FUZZ_REQUIRE(IsPositive(D) && IsPositive(H) && IsPositive(d) && IsPositive(L), where);
  FUZZ_REQUIRE(turns >= 2 && turns <= H / d, where + ", turns " + Describe(turns));
  // The inductance at the turns found is the one asked for, within what the search resolves:
  // one step of 4 ulps in N moves it by at most the slope times that step.
  const double at = RoundWireInductance(D, H, turns, d);
  const double step = 8 * 0x1p-52 * turns;
  const double slope = std::fabs(RoundWireInductance(D, H, std::fmin(turns + step, H / d), d) -
                                 RoundWireInductance(D, H, std::fmax(turns - step, 2.0), d));
  FUZZ_REQUIRE(std::fabs(at - L) <= slope + 1e-12 * L,
               where + ", turns " + Describe(turns) + ", inductance there " + Describe(at));
}

void CheckRequestLine(std::string_view line) {
  std::string answer;
  AnswerRequestLine(line, answer);
  const std::string where = "request " + Quoted(line) + ", answer " + Quoted(answer);
  FUZZ_REQUIRE(!answer.empty() && answer.back() == '\n' && answer.find('\n') == answer.size() - 1,
               where);
  const nlohmann::json parsed = nlohmann::json::parse(answer, nullptr, false);
  FUZZ_REQUIRE(parsed.is_object(), where);
  if (!parsed.contains("reference")) return;
  const nlohmann::json& reference = parsed["reference"];
  for (const auto& [key, value] : reference.items()) {
    if ((key == "wire_gauge" || key == "turns" || key == "apparent_inductance_uH" ||
         key == "apparent_q" || key == "tuning_capacitance_pF") &&
        value.is_null())
      continue;
    if (key == "wire_gauge") {
      // 0000 is -3: a gauge is a whole number, not a size.
      FUZZ_REQUIRE(value.is_number_integer() && value.get<int>() >= -3, where);
      continue;
    }
    if (key == "base_height") {  // the ground may be right under the winding
      FUZZ_REQUIRE(value.is_number() && value.get<double>() >= 0, where);
      continue;
    }
    FUZZ_REQUIRE(value.is_number() && IsPositive(value.get<double>()), where + ", " + key);
  }
  if (!reference.contains("frequency_Hz")) return;
  const auto number = [&reference](const char* key) {
    const nlohmann::json& value = reference[key];
    return value.is_number() ? value.get<double>() : std::nan("");
  };
  CheckFrequencyValues(number("frequency_Hz"), number("inductance_uH") * 1e-6,
                       number("dc_resistance_ohm"), number("ac_resistance_ohm"), number("q"),
                       number("apparent_inductance_uH") * 1e-6, number("apparent_q"),
                       number("tuning_capacitance_pF"), where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 0 && data[0] == '{') {
    // One line: a line feed would end the request in a batch.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckRequestLine(text.substr(0, text.find('\n')));
    return 0;
  }
  for (std::size_t at = 0; at < size || at == 0; at += RECORD) {
    unsigned char record[RECORD] = {};
    std::memcpy(record, data + at, std::min(RECORD, size - at));
    double value[5];
    std::memcpy(value, record, sizeof value);
    CheckRecord(value[0], value[1], value[2], value[3], value[4]);
    if (size == 0) break;
  }
  return 0;
}
