// Timings of the physics reference: one whole coil at any number of turns, the reference turns,
// the coil at a frequency, and batch lines that ask for the reference, with a frequency or without.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "batch.h"
#include "coil_frequency.h"
#include "coil_physics.h"
#include "helix_resonance.h"
#include "solve_case.h"

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

// The first self-resonance alone, for coils from a flat ring (height/diameter 0.01) to a long
// thin coil (100), 20 turns at a pitch of 3 wire diameters.
void SheathResonance(benchmark::State& state) {
  double Dw = 0.02, H = Dw * std::pow(10.0, static_cast<double>(state.range(0)));
  const double N = 20, d = H / N / 3;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Dw);
    benchmark::DoNotOptimize(HelixResonance(Dw, H, N, d));
  }
}
BENCHMARK(SheathResonance)->DenseRange(-2, 2);

// The resonance of the same coils grounded at their lower end, the winding a tenth of its
// height above the ground (and, at 0, standing on it).
void GroundedResonance(benchmark::State& state) {
  double Dw = 0.02, H = Dw * std::pow(10.0, static_cast<double>(state.range(0)));
  const double N = 20, d = H / N / 3;
  const double b = state.range(1) * H / 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Dw);
    benchmark::DoNotOptimize(GroundedHelixResonance(Dw, H, N, d, b));
  }
}
BENCHMARK(GroundedResonance)->ArgsProduct({benchmark::CreateDenseRange(-2, 2, 1), {0, 1}});

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

// A 1 x 1 inch coil of 10 turns of AWG 11 wire at 1 kHz, 455 kHz and 7.1 MHz: d/delta of
// 1.1 (a short series), 23.5 (a long one) and 94 (the asymptotic expansion).
void CoilAtFrequency(benchmark::State& state) {
  const double inch = METRES_PER_INCH;
  double D = inch, H = inch, N = 10, d = AwgDiameter(11);
  CoilReference coil;
  ComputeCoilReference(D, H, N, d, coil);
  double f = static_cast<double>(state.range(0));
  FrequencyReference result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f);
    benchmark::DoNotOptimize(ComputeFrequencyReference(D, H, N, d, coil, f, 20, result));
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(CoilAtFrequency)->Arg(1000)->Arg(455000)->Arg(7100000);

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
