// Timing of the proximity ratio's interpolation, at d/delta inside the table and below it.
#include <benchmark/benchmark.h>

#include "coil_frequency.h"

namespace {

// A coil as long as its diameter, wound at 1.2 wire diameters a turn, 30 turns.
void ProximityInterpolation(benchmark::State& state) {
  double x = static_cast<double>(state.range(0)) / 10;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x);
    benchmark::DoNotOptimize(ProximityRatio(1.0, 1.2, 30, x));
  }
}
BENCHMARK(ProximityInterpolation)->Arg(5)->Arg(70)->Arg(700);

}  // namespace
