// Timings of the coil over a band: a 201-point sweep and the SPICE ladder's fit.
#include <benchmark/benchmark.h>

#include <vector>

#include "coil_sweep.h"
#include "ladder_fit.h"

namespace {

// A form of 1 inch, 1 inch long, 10 turns of AWG 11; and a 240-turn coil 3 by 10 inches.
struct Coil {
  double D, H, N, d;
};
const Coil COILS[] = {{0.0254, 0.0254, 10, 0.0023}, {0.0762, 0.254, 240, 0.00072}};

CoilCircuit CircuitOf(const Coil& c) {
  CoilReference reference;
  CoilCircuit circuit;
  ComputeCoilReference(c.D, c.H, c.N, c.d, reference);
  MakeCoilCircuit(c.D, c.H, c.N, c.d, reference, 20, circuit);
  return circuit;
}

// 201 points over the default band (a hundredth of the self-resonance to twice it).
void Sweep201(benchmark::State& state) {
  const CoilCircuit circuit = CircuitOf(COILS[state.range(0)]);
  const SweepBand band = DefaultSweepBand(circuit.selfResonance, 0);
  std::vector<ImpedancePoint> points;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SweepCircuit(circuit, band, points));
    benchmark::DoNotOptimize(points.data());
  }
}
BENCHMARK(Sweep201)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The ladder fitted over the default band, and over four decades.
void LadderFitTime(benchmark::State& state) {
  const CoilCircuit circuit = CircuitOf(COILS[state.range(0)]);
  SweepBand band = DefaultSweepBand(circuit.selfResonance, 0);
  if (state.range(1) != 0) band.from = band.to / 1e4;
  LadderFit fit;
  for (auto _ : state) benchmark::DoNotOptimize(FitLadder(circuit, band, fit));
  state.counters["branches"] = fit.branches;
}
BENCHMARK(LadderFitTime)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

}  // namespace
