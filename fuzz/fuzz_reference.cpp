// Fuzz target: the physics reference of a coil and its reference turns, for any doubles at all.
//
// Input bytes: records of five little-endian doubles D, H, N, d, L (metres, turns, henries); a
// short last record is filled with zero bytes. Every record must give either a fault that its
// arguments explain, or a reference whose every value is finite and above 0; the turns must be
// a NaN or lie from 2 to H/d with the wanted inductance there.
// An input that starts with '{' is instead a batch request line: its answer must be one line of
// JSON, and a "reference" object in it must hold finite numbers above 0.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "batch.h"
#include "coil_physics.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t RECORD = 5 * sizeof(double);

bool IsPositive(double value) { return std::isfinite(value) && value > 0; }

std::string Arguments(double D, double H, double N, double d, double L) {
  return "D " + Describe(D) + ", H " + Describe(H) + ", N " + Describe(N) + ", d " + Describe(d) +
         ", L " + Describe(L);
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
  for (const auto& [key, value] : parsed["reference"].items()) {
    if ((key == "wire_gauge" || key == "turns") && value.is_null()) continue;
    if (key == "wire_gauge") {
      // 0000 is -3: a gauge is a whole number, not a size.
      FUZZ_REQUIRE(value.is_number_integer() && value.get<int>() >= -3, where);
      continue;
    }
    FUZZ_REQUIRE(value.is_number() && IsPositive(value.get<double>()), where + ", " + key);
  }
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
