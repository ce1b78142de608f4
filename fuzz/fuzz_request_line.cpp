// Fuzz target: one batch request line, read by the quick scanner and by the full JSON reader.
//
// Input bytes: the line, up to its first line feed (a line feed ends a request in a batch).
// The batch's reader (the scanner, then the full reader for a line the scanner leaves) must
// give the full reader's request or its error, word for word, so a line the scanner takes
// must read exactly as the full reader reads it, a design line too; the answer must be one line
// holding one JSON object, an error exactly when the reading failed, the reference could not be
// worked out or no coil fits a design, and a design's coils otherwise.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "batch.h"
#include "fuzz_support.h"
#include "json_writer.h"
#include "solve_case.h"

namespace {

bool SameCase(const SolveCase& a, const SolveCase& b) {
  return a.lengthScale == b.lengthScale && a.solveMode == b.solveMode && a.seeds == b.seeds;
}

bool SameWire(const WireRequest& a, const WireRequest& b) {
  return a.wanted == b.wanted && a.hasGauge == b.hasGauge && a.gauge == b.gauge &&
         a.hasDiameter == b.hasDiameter && a.diameter == b.diameter &&
         a.hasFrequency == b.hasFrequency && a.frequency == b.frequency && a.celsius == b.celsius;
}

bool SameWires(const std::vector<DesignWire>& a, const std::vector<DesignWire>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const DesignWire& x, const DesignWire& y) {
                      return x.diameter == y.diameter && x.byGauge == y.byGauge &&
                             x.gauge == y.gauge && x.text == y.text;
                    });
}

bool SameDesign(const DesignCase& a, const DesignCase& b) {
  if (a.wanted != b.wanted) return false;
  const DesignProblem &x = a.problem, &y = b.problem;
  return !a.wanted ||
         (x.millimetres == y.millimetres && x.inductance == y.inductance &&
          x.frequencyText == y.frequencyText && x.frequency == y.frequency &&
          x.celsius == y.celsius && x.diameterMin == y.diameterMin &&
          x.diameterMax == y.diameterMax && x.diameterText == y.diameterText &&
          x.heightMax == y.heightMax && SameWires(x.wires, y.wires) && x.pitchMin == y.pitchMin &&
          x.margin == y.margin && x.tolerance == y.tolerance && x.count == y.count);
}

void CheckLine(std::string_view line) {
  const std::string where = "request " + Quoted(line);

  SolveCase parsed;
  WireRequest parsedWire;
  std::string parseError;
  DesignCase parsedDesign;
  const bool parsedOk = ParseSolveCase(line, parsed, parsedWire, parseError, &parsedDesign);
  FUZZ_REQUIRE(parsedOk == parseError.empty(), where + ", error " + Quoted(parseError));

  // The batch's reader tries the quick scanner first and leaves the line to the full reader
  // only when the scanner does not take it: what the scanner takes must read the same.
  // Filled with leftovers first, as the batch's thread_local request is.
  SolveCase read{MILLIMETRES.scale, SOLVE_FOR_TURNS, {{1, "left over"}}};
  WireRequest readWire{true, true, 3, true, 1.5};
  std::string readError = "left over";
  DesignCase readDesign{true, {}};
  const bool readOk = ReadSolveCase(line, read, readWire, readError, &readDesign);
  FUZZ_REQUIRE(readOk == parsedOk && readError == parseError,
               where + ", read " + Quoted(readError) + ", parsed " + Quoted(parseError));
  if (readOk) {
    FUZZ_REQUIRE(SameCase(read, parsed) && SameWire(readWire, parsedWire), where);
    FUZZ_REQUIRE(SameDesign(readDesign, parsedDesign), where);
  }

  std::string answer;
  const bool answered = AnswerRequestLine(line, answer);
  const std::string withAnswer = where + ", answer " + Quoted(answer);
  FUZZ_REQUIRE(!answer.empty() && answer.find('\n') == answer.size() - 1, withAnswer);
  const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
  FUZZ_REQUIRE(json.is_object(), withAnswer);
  FUZZ_REQUIRE(json.contains("error") == !answered, withAnswer);
  if (answered && parsedDesign.wanted) {
    FUZZ_REQUIRE(
        json.size() == 1 && json["design"]["coils"].is_array() && !json["design"]["coils"].empty(),
        withAnswer);
    // Every coil within the limits, on the numbers it is answered with.
    const DesignProblem& p = parsedDesign.problem;
    for (const nlohmann::json& coil : json["design"]["coils"]) {
      const double D = coil["diameter"], H = coil["height"], N = coil["turns"];
      const double L = coil["apparent_inductance_uH"].get<double>() * 1e-6;
      const double pitch = coil["pitch"], wire = coil["wire_diameter"];
      const double resonance = coil["self_resonance_MHz"].get<double>() * 1e6;
      FUZZ_REQUIRE(D >= p.diameterMin && D <= p.diameterMax && H <= p.heightMax && H >= 0.1 * D &&
                       H <= 10 * D && N >= 2 && pitch >= p.pitchMin * wire &&
                       resonance >= p.margin * p.frequency * (1 - 1e-12) &&
                       std::fabs(L / p.inductance - 1) <= p.tolerance * (1 + 1e-12),
                   withAnswer);
    }
  }
  if (!parsedOk) {
    std::string expected;
    AppendErrorLine(expected, parseError);
    FUZZ_REQUIRE(answer == expected, withAnswer);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckLine(text.substr(0, text.find('\n')));
  return 0;
}
