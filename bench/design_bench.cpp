// Timings of the designer: a design over a range of diameters, 15 gauges and a free height,
// and the three problems of the tests and the documentation, each a whole batch line.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "solve_case.h"

namespace {

void AnswerDesign(benchmark::State& state, const std::string& line) {
  std::string answer;
  for (auto _ : state) {
    answer.clear();
    AnswerRequestLine(line, answer);
    benchmark::DoNotOptimize(answer.data());
  }
  if (answer.find("\"coils\"") == std::string::npos) state.SkipWithError(answer.c_str());
}

// A tank coil for 7.1 MHz on forms of 15 to 40 mm, AWG 14 to 28, any height.
void DesignOverDiametersAndFifteenGauges(benchmark::State& state) {
  AnswerDesign(state, R"({"design":{"unit":"mm","inductance":"2.2uH","frequency":"7.1MHz",)"
                      R"("diameter":{"min":"15","max":"40"},"wire_gauges":{"min":14,"max":28}}})");
}
BENCHMARK(DesignOverDiametersAndFifteenGauges)->Unit(benchmark::kMillisecond);

// 1 mH for 160 kHz on forms of 10 to 100 mm, AWG 20 to 34, any height.
void LowFrequencyDesignOverFifteenGauges(benchmark::State& state) {
  AnswerDesign(state, R"({"design":{"unit":"mm","inductance":"1mH","frequency":"160kHz",)"
                      R"("diameter":{"min":"10","max":"100"},"wire_gauges":{"min":20,"max":34}}})");
}
BENCHMARK(LowFrequencyDesignOverFifteenGauges)->Unit(benchmark::kMillisecond);

void DesignProblem(benchmark::State& state) {
  std::ifstream file(COILCALC_DESIGN_PROBLEMS);
  std::string line;
  for (int i = 0; i <= state.range(0); ++i) std::getline(file, line);
  AnswerDesign(state, line);
}
BENCHMARK(DesignProblem)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
