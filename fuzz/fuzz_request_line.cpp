// Fuzz target: one batch request line, read by the quick scanner and by the full JSON reader.
//
// Input bytes: the line, up to its first line feed (a line feed ends a request in a batch).
// The batch's reader (the scanner, then the full reader for a line the scanner leaves) must
// give the full reader's request or its error, word for word, so a line the scanner takes
// must read exactly as the full reader reads it; the answer must be one line holding one JSON
// object, an error exactly when the reading failed or the reference could not be worked out.
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

void CheckLine(std::string_view line) {
  const std::string where = "request " + Quoted(line);

  SolveCase parsed;
  WireRequest parsedWire;
  std::string parseError;
  const bool parsedOk = ParseSolveCase(line, parsed, parsedWire, parseError);
  FUZZ_REQUIRE(parsedOk == parseError.empty(), where + ", error " + Quoted(parseError));

  // The batch's reader tries the quick scanner first and leaves the line to the full reader
  // only when the scanner does not take it: what the scanner takes must read the same.
  // Filled with leftovers first, as the batch's thread_local request is.
  SolveCase read{MILLIMETRES.scale, SOLVE_FOR_TURNS, {{1, "left over"}}};
  WireRequest readWire{true, true, 3, true, 1.5};
  std::string readError = "left over";
  const bool readOk = ReadSolveCase(line, read, readWire, readError);
  FUZZ_REQUIRE(readOk == parsedOk && readError == parseError,
               where + ", read " + Quoted(readError) + ", parsed " + Quoted(parseError));
  if (readOk) {
    FUZZ_REQUIRE(SameCase(read, parsed) && SameWire(readWire, parsedWire), where);
  }

  std::string answer;
  const bool answered = AnswerRequestLine(line, answer);
  const std::string withAnswer = where + ", answer " + Quoted(answer);
  FUZZ_REQUIRE(!answer.empty() && answer.find('\n') == answer.size() - 1, withAnswer);
  const nlohmann::json json = nlohmann::json::parse(answer, nullptr, false);
  FUZZ_REQUIRE(json.is_object(), withAnswer);
  FUZZ_REQUIRE(json.contains("error") == !answered, withAnswer);
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
