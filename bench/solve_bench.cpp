// Timings of the turns search alone, of whole solves in each mode, and of one batch answer.
#include <benchmark/benchmark.h>

#include <string>

#include "batch.h"
#include "coil_model.h"
#include "control_ids.h"
#include "headless_window.h"
#include "solve.h"
#include "solve_case.h"

namespace {

void CoilTurnsAlone(benchmark::State& state) {
  float D = 2, H = 1, L = 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(D);
    benchmark::DoNotOptimize(H);
    benchmark::DoNotOptimize(L);
    benchmark::DoNotOptimize(CoilTurns(D, H, L));
  }
}
BENCHMARK(CoilTurnsAlone);

// Reset, seed and solve as the command line does it, result formatting included.
void SolveOnce(const SolveCase& solveCase) {
  RunSolveCase(solveCase);
  benchmark::DoNotOptimize(PeekControlText(IDC_RESONANCE).data());
}

const SolveCase ONE_BY_ONE_TEN_TURNS = {
    INCHES.scale,
    SOLVE_FOR_INDUCTANCE,
    {{IDC_DIAMETER, "1"}, {IDC_HEIGHT, "1"}, {IDC_TURNS, "10"}}};
const SolveCase TWO_BY_ONE_FOR_TEN_UH = {
    INCHES.scale,
    SOLVE_FOR_TURNS,
    {{IDC_DIAMETER, "2"}, {IDC_HEIGHT, "1"}, {IDC_INDUCTANCE, "10"}}};

void SolveCoilInductanceMode(benchmark::State& state) {
  for (auto _ : state) {
    SolveOnce(ONE_BY_ONE_TEN_TURNS);
  }
}
BENCHMARK(SolveCoilInductanceMode);

void SolveCoilTurnsMode(benchmark::State& state) {
  for (auto _ : state) {
    SolveOnce(TWO_BY_ONE_FOR_TEN_UH);
  }
}
BENCHMARK(SolveCoilTurnsMode);

// One batch line: JSON in, solve, JSON out, without the reading and writing of files.
void BatchLine(benchmark::State& state, const std::string& line) {
  std::string answer;
  for (auto _ : state) {
    answer.clear();
    AnswerRequestLine(line, answer);
    benchmark::DoNotOptimize(answer.data());
  }
}
BENCHMARK_CAPTURE(BatchLine, inductance,
                  std::string(R"({"unit":"in","mode":"inductance",)"
                              R"("fields":{"diameter":"1","height":"1","turns":"10"}})"));
BENCHMARK_CAPTURE(BatchLine, turns,
                  std::string(R"({"unit":"mm","mode":"turns","fields":{"diameter":"50.8",)"
                              R"("height":"25.4","inductance":"10","inductance_unit":"uH"}})"));

}  // namespace
