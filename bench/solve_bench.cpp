// Timings of the turns search alone, of whole solves in each mode, and of one batch answer.
#include <benchmark/benchmark.h>

#include <string>

#include "batch.h"
#include "coil_model.h"
#include "control_ids.h"
#include "headless_window.h"
#include "solve.h"
#include "solve_answer.h"
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

// The requests of the two solves above, so that a batch line compares with the solve it runs.
const std::string INDUCTANCE_LINE =
    R"({"unit":"in","mode":"inductance","fields":{"diameter":"1","height":"1","turns":"10"}})";
const std::string TURNS_LINE =
    R"({"unit":"in","mode":"turns","fields":{"diameter":"2","height":"1","inductance":"10"}})";

// The two ends of a batch line alone: reading the request, and writing the answer to a solve.
void ReadRequest(benchmark::State& state, const std::string& line) {
  SolveCase solveCase;
  WireRequest wire;
  std::string error;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ReadSolveCase(line, solveCase, wire, error));
    benchmark::DoNotOptimize(solveCase.seeds.data());
  }
}
BENCHMARK_CAPTURE(ReadRequest, inductance, INDUCTANCE_LINE);
BENCHMARK_CAPTURE(ReadRequest, turns, TURNS_LINE);

void WriteAnswer(benchmark::State& state, const SolveCase& solveCase) {
  RunSolveCase(solveCase);
  std::string answer;
  for (auto _ : state) {
    answer.clear();
    AppendSolveAnswer(answer);
    benchmark::DoNotOptimize(answer.data());
  }
}
BENCHMARK_CAPTURE(WriteAnswer, inductance, ONE_BY_ONE_TEN_TURNS);
BENCHMARK_CAPTURE(WriteAnswer, turns, TWO_BY_ONE_FOR_TEN_UH);

// One batch line: JSON in, solve, JSON out, without the reading and writing of files.
void BatchLine(benchmark::State& state, const std::string& line) {
  std::string answer;
  for (auto _ : state) {
    answer.clear();
    AnswerRequestLine(line, answer);
    benchmark::DoNotOptimize(answer.data());
  }
}
BENCHMARK_CAPTURE(BatchLine, inductance, INDUCTANCE_LINE);
BENCHMARK_CAPTURE(BatchLine, turns, TURNS_LINE);

}  // namespace
