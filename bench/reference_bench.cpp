// Timings of the physics reference: one whole coil at any number of turns, the reference turns,
// and a batch line that asks for the reference, without and with a frequency.
#include <benchmark/benchmark.h>

#include <string>

#include "batch.h"
#include "coil_physics.h"

namespace {

// A form of 1 inch, 1 inch long, wound with wire of 0.9 of the pitch.
void WholeReference(benchmark::State& state) {
  const double inch = METRES_PER_INCH;
  double D = inch, H = inch, N = static_cast<double>(state.range(0));
  double d = 0.9 * H / N;
  CoilReference reference;
  for (auto _ : state) {
    benchmark::DoNotOptimize(D);
    benchmark::DoNotOptimize(N);
    benchmark::DoNotOptimize(ComputeCoilReference(D, H, N, d, reference));
    benchmark::DoNotOptimize(reference);
  }
}
BENCHMARK(WholeReference)->Arg(2)->Arg(10)->Arg(17)->Arg(100)->Arg(1000)->Arg(16384);

// The turns for 90% of the inductance that N turns of the same wire give.
void TurnsForInductance(benchmark::State& state) {
  const double inch = METRES_PER_INCH;
  double D = 2 * inch, H = inch, N = static_cast<double>(state.range(0));
  const double d = 0.5 * H / N;
  double L = 0.9 * RoundWireInductance(D, H, N, d);
  for (auto _ : state) {
    benchmark::DoNotOptimize(L);
    benchmark::DoNotOptimize(ReferenceTurns(D, H, d, L));
  }
}
BENCHMARK(TurnsForInductance)->Arg(10)->Arg(100)->Arg(16384);

void AnswerLine(benchmark::State& state, const std::string& line) {
  std::string answer;
  for (auto _ : state) {
    answer.clear();
    AnswerRequestLine(line, answer);
    benchmark::DoNotOptimize(answer.data());
  }
}

// The same coil with the reference, then with it at a frequency too.
const std::string REFERENCE_LINE =
    R"({"mode":"turns","fields":{"diameter":"2","height":"1","inductance":"10"},)"
    R"("reference":true})";
const std::string FREQUENCY_LINE =
    R"({"mode":"turns","fields":{"diameter":"2","height":"1","inductance":"10"},)"
    R"("reference":{"frequency":"7.1MHz"}})";

void BatchLineWithReference(benchmark::State& state) { AnswerLine(state, REFERENCE_LINE); }
BENCHMARK(BatchLineWithReference);
void BatchLineWithFrequency(benchmark::State& state) { AnswerLine(state, FREQUENCY_LINE); }
BENCHMARK(BatchLineWithFrequency);

}  // namespace
