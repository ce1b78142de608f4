// Every solve of the vector file, read as a command-line batch request, run on the in-memory
// dialog and compared with the trace the independent reference derived: all texts, in order.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "solve_answer.h"
#include "solve_case.h"

namespace {

TEST(SolveVectors, EveryMessageAndWriteMatchesTheReference) {
  std::ifstream file(COILCALC_SOLVE_VECTORS);
  ASSERT_TRUE(file) << "cannot read " << COILCALC_SOLVE_VECTORS;
  SolveCase solveCase;
  WireRequest wire;
  std::string line, request, error, answer;
  int lineNumber = 0, cases = 0, failures = 0;
  while (std::getline(file, line)) {
    ++lineNumber;
    if (line.empty() || line[0] == '#') continue;
    const auto vector = nlohmann::ordered_json::parse(line);
    request = vector.at("request").dump();  // kept: the case's texts are views into it
    ASSERT_TRUE(ReadSolveCase(request, solveCase, wire, error))
        << "line " << lineNumber << ": " << error;
    RunSolveCase(solveCase);
    ++cases;
    answer.clear();
    AppendSolveAnswer(answer);
    const auto trace = nlohmann::ordered_json::parse(answer).at("trace");
    // The first few differences in full; a broken formula would otherwise flood the log.
    if (trace != vector.at("trace") && ++failures <= 5) {
      ADD_FAILURE() << "line " << lineNumber << ": " << vector["request"].dump() << "\n  expected "
                    << vector["trace"].dump() << "\n  actual   " << trace.dump();
    }
  }
  EXPECT_EQ(failures, 0) << "solves differ, of " << cases;
  EXPECT_GE(cases, 5000) << "the file ends early";
}

}  // namespace
